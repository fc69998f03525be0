// How the shader finishes a pixel: the fade after the gamma, the sky, the
// vignette; and what the marcher makes of rays that start inside a solid or
// never meet anything.
#include <gtest/gtest.h>

#include <vector>

#include "city_harness.h"

namespace {

// One scene per section, each showing buildings or the tower, seagulls and
// (in the tower section) sky.
const CityUniforms kSections[] = {
    {10.0f, 0.0f, {0, 5, 180}, {-10, 30, 0}, {-3, 6, 205}},
    {25.0f, 0.0f, {0, 10, 825}, {30, 0, 0}, {0, 0, 847}},
    {40.0f, 0.0f, {12, 40, -5.5}, {-71, 0, 40}, {0, 0, 0}},
    {50.0f, 0.0f, {10, 0, 265}, {0, 0, 0}, {0, 0, 0}},
};

// Tower section, 40 units out on +x and looking further out: every ray escapes.
const CityUniforms kLookingAwayFromTheTower{36.0f, 0.0f, {40, 0, 0}, {0, 90, 0}, {0, 0, 0}};

TEST(FadeToBlack, FullFadeLeavesEveryPixelOpaqueBlackInEverySection)
{
    for (CityUniforms uniforms : kSections) {
        uniforms.fadeToBlack = 1.0f;
        for (const Rgba colour : SmallFrameHarness().SampleAll(uniforms)) {
            ASSERT_TRUE(colour.r == 0 && colour.g == 0 && colour.b == 0 && colour.a == 255)
                << "at time " << uniforms.time << ": " << colour.r << " " << colour.g << " " << colour.b << " "
                << colour.a;
        }
    }
}

// Faded before the gamma, half the fade would leave 0.5^0.4545 = 73% of a colour.
TEST(FadeToBlack, HalfFadeHalvesTheColourAfterGamma)
{
    for (CityUniforms uniforms : kSections) {
        const std::vector<Rgba> clear = SmallFrameHarness().SampleAll(uniforms);
        uniforms.fadeToBlack = 0.5f;
        const std::vector<Rgba> half = SmallFrameHarness().SampleAll(uniforms);
        int bright = 0;
        for (std::size_t i = 0; i < clear.size(); ++i) {
            ASSERT_TRUE(IsNear(half[i], {clear[i].r / 2, clear[i].g / 2, clear[i].b / 2}, 1))
                << "at time " << uniforms.time << ", pixel " << i;
            ASSERT_EQ(half[i].a, 255);
            bright += clear[i].b >= 60;
        }
        EXPECT_GT(bright, 0) << "nothing to fade at time " << uniforms.time;
    }
}

// Inside |p| <= 2/3 nothing is darkened; at the edges' middles the vignette
// leaves 0.417, in the corners 0.233.
TEST(SkyAndVignette, EscapedRaysShowTheSkyAfterVignetteAndGamma)
{
    const std::vector<Pixel> pixels = {{960, 540}, {1300, 540}, {960, 899}, {1200, 700}, {0, 540},
                                       {1919, 540}, {960, 0},    {0, 0},     {1919, 1079}, {1500, 900}};
    const std::vector<Rgba> colours = FullFrameHarness().Sample(kLookingAwayFromTheTower, pixels);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const FragmentPosition at{pixels[i].x + 0.5, pixels[i].y + 0.5};
        EXPECT_TRUE(IsNear(colours[i], Finish(kSkyColour * Vignette(at)), 1))
            << "pixel " << pixels[i].x << "," << pixels[i].y << ": " << colours[i].r << " " << colours[i].g << " "
            << colours[i].b;
    }
    EXPECT_TRUE(IsNear(colours[0], {76, 97, 168}, 1));
    EXPECT_TRUE(IsNear(colours[3], {76, 97, 168}, 1));
    EXPECT_NEAR(Vignette({0.5, 540.5}), 0.417, 0.001);
    EXPECT_NEAR(Vignette({0.5, 0.5}), 0.233, 0.001);
}

// The first sample is already inside: the march ends at step 0 with no
// material of a previous step, so the ray counts as no hit.
TEST(Marcher, RayStartingInsideABuildingShowsTheSky)
{
    for (const float time : {10.0f, 25.0f, 50.0f}) {
        const CityUniforms insideTheCore{time, 0.0f, {-25, 0, 0}, {0, 30, 0}, {0, 0, 100}};
        const std::vector<Pixel> pixels = {PixelAt(kCentre), {0, 0}, {1700, 200}};
        const std::vector<Rgba> colours = FullFrameHarness().Sample(insideTheCore, pixels);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            EXPECT_TRUE(LooksLikeSky(colours[i], pixels[i])) << "time " << time << ", pixel " << i;
        }
    }
}

// Looking down the middle of a street no sample ever exceeds 15: the ray takes
// all 128 steps, is shaded as a far building and fogged nearly to fog colour.
TEST(Marcher, RayThatNeverHitsNorEscapesIsFoggedLikeAFarBuilding)
{
    const CityUniforms downTheStreet{10.0f, 0.0f, {0, 0, 0}, {0, 0, 0}, {-25, 0, 500}};
    const Pixel centre = PixelAt(kCentre);
    const Rgba colour = FullFrameHarness().Sample(downTheStreet, {&centre, 1})[0];
    EXPECT_TRUE(IsNear(colour, Finish(kFogColour), 1)) << colour.r << " " << colour.g << " " << colour.b;
}

}  // namespace
