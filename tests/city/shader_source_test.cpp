// The embedded City shader as the driver sees it: GLSL 3.30 that Mesa compiles
// without a word, with every uniform the City uploads still in place.
#include <gtest/gtest.h>
#include <raylib.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "embedded_assets.h"
#include "scenes/city_sections.h"
#include "scoped_media.h"
#include "shader_compiler_log.h"
#include "sync/tempo.h"

namespace {

TEST(CityShaderSource, DeclaresGlsl330OnItsFirstLine)
{
    EXPECT_TRUE(std::string_view(CITY_SHADER_SOURCE).starts_with("#version 330\n"));
}

TEST(CityShaderSource, CompilesWithoutErrorsOrWarnings)
{
    const ShaderCompilerLog log = CompileFragmentShader(CITY_SHADER_SOURCE);
    EXPECT_TRUE(log.compiled) << log.messages;
    EXPECT_EQ(log.messages, "");
}

// The number that the shader's text gives a constant, as in "const float NAME = 4.0;".
double ShaderConstant(std::string_view name)
{
    const std::string declaration = "const float " + std::string(name) + " = ";
    const std::string_view source = CITY_SHADER_SOURCE;
    const std::size_t at = source.find(declaration);
    if (at == std::string_view::npos) return std::nan("");
    return std::strtod(source.data() + at + declaration.size(), nullptr);
}

// The shader derives its rows and beats from the time uniform on its own; the
// sections cut on the tracks' rows only while its tempo is the demo's.
TEST(CityShaderSource, CountsRowsAndBeatsAtTheDemosTempo)
{
    EXPECT_EQ(ShaderConstant("BEATS_PER_MINUTE"), BEATS_PER_MINUTE);
    EXPECT_EQ(ShaderConstant("ROWS_PER_BEAT"), ROWS_PER_BEAT);
}

// The studio marks the cuts on its timeline from the C++ copy of these rows.
TEST(CityShaderSource, CutsBetweenSectionsOnTheRowsTheStudioMarks)
{
    const std::string_view source = CITY_SHADER_SOURCE;
    for (const int cut : kCitySectionCuts) {
        const std::string test = "row < " + std::to_string(cut) + ".0";
        EXPECT_NE(source.find(test), std::string_view::npos) << test;
    }
}

// A uniform the compiler finds unused is removed, and the City's upload to it
// is silently skipped.
TEST(CityShaderSource, KeepsEveryUniformTheCityUploads)
{
    const ScopedShader shader(nullptr, CITY_SHADER_SOURCE);
    for (const char* name : {"resolution", "time", "fadeToBlack", "cameraPosition", "cameraRotation",
                             "seagullPosition"}) {
        EXPECT_GE(GetShaderLocation(shader.Get(), name), 0) << name;
    }
}

}  // namespace
