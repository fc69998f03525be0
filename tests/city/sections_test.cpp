// The three sections of the world and their cuts at rows 256, 384 and 512, with
// the uniforms held still so that only the shader's own clocks move; and where
// each section puts its seagulls.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "city_harness.h"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

std::vector<Rgba> SampleAt(float time, Vec3 camera, Vec3 angles, Vec3 seagull, const std::vector<Pixel>& pixels)
{
    return FullFrameHarness().Sample({time, 0.0f, camera, angles, seagull}, pixels);
}

// At row 256 the flock is at rest: birds at (-10, 0, -3), (0, 0, 0) and (10, 0, -3).
TEST(SectionCut, FlockReplacesTheSeagullAtRow256NotAFrameEarlier)
{
    const Vec3 seagull{0, 0, 100};
    const Vec3 camera{0, 3, 80};
    const Vec3 ahead{0, 0, 0};
    const auto pixel = [&](Vec3 offset) { return PixelShowing(camera, ahead, seagull + offset); };
    const std::vector<Pixel> middle = {pixel({0, 0, 0})};
    const std::vector<Pixel> sides = {pixel({-10, 0, -3}), pixel({10, 0, -3})};
    const float cut = FirstTimeAtRow(256.0f);
    for (const float time : {cut, cut - kFrame}) {
        EXPECT_TRUE(LooksLikeSeagull(SampleAt(time, camera, ahead, seagull, middle)[0])) << "row " << ShaderRow(time);
    }
    for (const Rgba colour : SampleAt(cut, camera, ahead, seagull, sides)) EXPECT_TRUE(LooksLikeSeagull(colour));
    for (const Rgba colour : SampleAt(cut - kFrame, camera, ahead, seagull, sides)) {
        EXPECT_FALSE(LooksLikeSeagull(colour));
    }
}

// Looking out from beside the tower the sky shows; looking the same way in the
// city, a building does.
TEST(SectionCut, TowerHoldsFromRow384ToRow512ExactlyAndOnlyThen)
{
    const Vec3 camera{40, 0, 0};
    const Vec3 outwards{0, 90, 0};
    const std::vector<Pixel> pixels = {PixelAt(kCentre), {100, 100}, {1800, 1000}};
    const auto showsSky = [&](float time) {
        bool sky = true;
        const std::vector<Rgba> colours = SampleAt(time, camera, outwards, {0, 0, 0}, pixels);
        for (std::size_t i = 0; i < pixels.size(); ++i) sky = sky && LooksLikeSky(colours[i], pixels[i]);
        return sky;
    };
    EXPECT_FALSE(showsSky(FirstTimeAtRow(384.0f) - kFrame));
    EXPECT_TRUE(showsSky(FirstTimeAtRow(384.0f)));
    EXPECT_TRUE(showsSky(FirstTimeAtRow(512.0f) - kFrame));
    EXPECT_FALSE(showsSky(FirstTimeAtRow(512.0f)));
}

TEST(SectionContent, SeagullPositionMovesOnlyTheCitySectionBirds)
{
    for (const CityUniforms& uniforms : {CityUniforms{40.0f, 0.0f, {12, 40, -5.5}, {-71, 0, 40}, {0, 0, 0}},
                                        CityUniforms{47.5f, 0.0f, {0, 0, 164.7}, {0, 0, 0}, {0, 0, 0}}}) {
        CityUniforms moved = uniforms;
        moved.seagullPosition = {12, 40, 30};
        const std::vector<Rgba> still = SmallFrameHarness().SampleAll(uniforms);
        const std::vector<Rgba> after = SmallFrameHarness().SampleAll(moved);
        for (std::size_t i = 0; i < still.size(); ++i) {
            ASSERT_TRUE(IsNear(after[i], {still[i].r, still[i].g, still[i].b}, 0)) << "time " << uniforms.time;
        }
    }
}

// The half-size seagull hangs on the tower's axis 3 units above the camera's
// height, wherever the camera stands.
TEST(SectionContent, HalfSizeSeagullStaysThreeUnitsAboveTheCamera)
{
    const Vec3 lookingUp{-90, 0, 0};
    for (const Vec3 camera : {Vec3{0, 0, 0}, Vec3{0, 57, 0}, Vec3{0.5, 130, 0.5}}) {
        const std::vector<Pixel> pixels = {PixelShowing(camera, lookingUp, {0, camera.y + 3, -0.5})};
        EXPECT_TRUE(LooksLikeSeagull(SampleAt(36.0f, camera, lookingUp, {0, 0, 0}, pixels)[0]))
            << "camera at height " << camera.y;
    }
}

// The rings turn by `time` radians from +x towards +z and sit at twice the
// camera's height; seen from the axis, between two columns of the tower.
TEST(SectionContent, RingSeagullsCircleAtRadius8AndTwiceTheCameraHeight)
{
    const float time = static_cast<float>(std::numbers::pi / 6.0 + 32.0 * std::numbers::pi / 3.0);
    const double angle = std::numbers::pi / 6.0;  // time, less whole sixths of a turn
    for (const double height : {5.0, 9.0}) {
        // Of the rings 12 apart, the one nearest the camera's height.
        const double ring = 2.0 * height - 12.0 * std::round(height / 12.0);
        const Vec3 camera{0, height, 0};
        const Vec3 seagull{8.0 * std::cos(angle), ring, 8.0 * std::sin(angle)};
        const Vec3 towardsIt = AnglesLookingAlong(seagull - camera);
        const std::vector<Pixel> pixels = {PixelShowing(camera, towardsIt, seagull)};
        EXPECT_TRUE(LooksLikeSeagull(SampleAt(time, camera, towardsIt, {0, 0, 0}, pixels)[0]))
            << "camera at height " << height;
    }
}

}  // namespace
