// The embedded City shader as the driver sees it: GLSL 3.30 that Mesa compiles
// without a word, with every uniform the City uploads still in place.
#include <gtest/gtest.h>
#include <raylib.h>

#include <string_view>

#include "embedded_assets.h"
#include "scoped_media.h"
#include "shader_compiler_log.h"

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
