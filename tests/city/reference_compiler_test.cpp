// The City shader as the GLSL reference compiler (Khronos' glslangValidator)
// reads it: the embedded text as GLSL 3.30, and the page's GLSL ES 3.00 text
// (shader_dialect.h), each without an error. A driver may be lenient where the
// language is not; the reference compiler is not.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "embedded_assets.h"
#include "scratch_folder.h"
#include "shader_dialect.h"

namespace {

// The validator's exit status and what it printed.
struct Verdict {
    int status;
    std::string output;
};

Verdict Validate(const std::string& source)
{
    const ScratchFolder folder("quorl-glslang");
    const std::string path = (folder.Path() / "city.frag").string();
    std::ofstream(path) << source;
    Verdict verdict{-1, {}};
    std::FILE* validator = popen((std::string(QUORL_GLSLANG) + " -S frag '" + path + "' 2>&1").c_str(), "r");
    if (validator == nullptr) return verdict;
    std::array<char, 256> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), validator) != nullptr) verdict.output += chunk.data();
    verdict.status = pclose(validator);
    return verdict;
}

TEST(ReferenceCompiler, TakesTheShaderAsGlsl330AndAsTheGlslEs300OfThePage)
{
    for (const std::string& source : {std::string(CITY_SHADER_SOURCE), Es300FragmentCode(CITY_SHADER_SOURCE)}) {
        const Verdict verdict = Validate(source);
        EXPECT_EQ(verdict.status, 0) << source.substr(0, source.find('\n')) << ":\n" << verdict.output;
    }
}

TEST(ReferenceCompiler, RefusesWhatTheLanguageDoesNotAllow)
{
    // An implicit conversion from int that GLSL ES 3.00 refuses.
    const Verdict verdict =
        Validate(Es300FragmentCode("#version 330\nout vec4 color;\nvoid main() { float x = 1; color = vec4(x); }\n"));
    EXPECT_NE(verdict.status, 0) << verdict.output;
}

}  // namespace
