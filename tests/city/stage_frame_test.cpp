// The Stage's frame: each one replaces the last in full, whatever the scene's
// shader writes, so that a shader being edited (the studio reloads it as it is
// saved) never leaves an earlier picture showing through.
#include <gtest/gtest.h>
#include <raylib.h>

#include <array>
#include <cstddef>
#include <vector>

#include "demo_clock.h"
#include "scenes/city_shader.h"
#include "scoped_image.h"
#include "stage.h"

namespace {

using Rgba8 = std::array<int, 4>;

// Every pixel of the target, as 8-bit RGBA.
std::vector<Rgba8> TargetPixels(const Stage& stage)
{
    const ScopedImage image(LoadImageFromTexture(stage.Target().texture));
    const auto* bytes = static_cast<const unsigned char*>(image.Get().data);
    std::vector<Rgba8> pixels;
    for (std::size_t i = 0; i < static_cast<std::size_t>(image.Get().width * image.Get().height); ++i) {
        pixels.push_back({bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2], bytes[4 * i + 3]});
    }
    return pixels;
}

// Exact in 8 bits: 0.2, 0.4 and 0.6 of 255.
constexpr const char* kTranslucentShader = R"(#version 330
out vec4 finalColor;
void main() { finalColor = vec4(0.2, 0.4, 0.6, 0.4); }
)";
constexpr Rgba8 kTranslucent{51, 102, 153, 102};

constexpr const char* kDiscardingShader = R"(#version 330
out vec4 finalColor;
void main() { discard; }
)";
constexpr Rgba8 kOpaqueBlack{0, 0, 0, 255};

TEST(StageFrame, NoPixelOfTheLastFrameShowsThroughTheNext)
{
    DemoClock clock{false, 40.0};  // the tower, under a blue sky
    Stage stage(&clock, nullptr, {4, 2});
    ASSERT_TRUE(stage.Render());
    for (const Rgba8& pixel : TargetPixels(stage)) ASSERT_NE(pixel, kOpaqueBlack) << "no picture to show through";

    stage.UseCityShader(CompileCityShader(kTranslucentShader));
    ASSERT_TRUE(stage.Render());
    for (const Rgba8& pixel : TargetPixels(stage)) {
        EXPECT_EQ(pixel, kTranslucent) << "a translucent pixel is blended over the last frame";
    }

    stage.UseCityShader(CompileCityShader(kDiscardingShader));
    ASSERT_TRUE(stage.Render());
    for (const Rgba8& pixel : TargetPixels(stage)) {
        EXPECT_EQ(pixel, kOpaqueBlack) << "a pixel the shader leaves out keeps the last frame's";
    }
}

}  // namespace
