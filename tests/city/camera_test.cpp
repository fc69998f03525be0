// The camera: which way each angle turns the view, and the spin that replaces
// the tracked rotation from row 512 on. A seagull serves as the marker: put
// where the reference camera says a pixel looks, it must be drawn at that pixel.
#include <gtest/gtest.h>

#include <vector>

#include "city_harness.h"

namespace {

constexpr FragmentPosition kOffCentre{1400.5, 300.5};
constexpr FragmentPosition kMirrored{1920 - kOffCentre.x, 1080 - kOffCentre.y};

// From the middle of a street crossing, 12 units in any direction stay in the open.
constexpr Vec3 kCrossing{0, 5, 25};

Vec3 MarkerSeenAt(FragmentPosition fragment, Vec3 camera, Vec3 angles)
{
    return camera + RayDirection(fragment, angles) * 12.0;
}

TEST(CameraRotation, EachAngleTurnsTheViewTheWayTheReferenceDoes)
{
    // Positive x looks down, positive y turns towards +x, z rolls; in combination x first.
    const Vec3 rotations[] = {{0, 0, 0}, {30, 0, 0}, {-45, 0, 0}, {0, 90, 0}, {0, -90, 0},
                              {0, 0, 30}, {25, -120, 15}, {-70, 0, 40}};
    for (const Vec3 angles : rotations) {
        const CityUniforms uniforms{10.0f, 0.0f, kCrossing, angles, MarkerSeenAt(kOffCentre, kCrossing, angles)};
        const std::vector<Pixel> pixels = {PixelAt(kOffCentre), PixelAt(kMirrored)};
        const std::vector<Rgba> colours = FullFrameHarness().Sample(uniforms, pixels);
        EXPECT_TRUE(LooksLikeSeagull(colours[0])) << "angles " << angles.x << " " << angles.y << " " << angles.z;
        EXPECT_FALSE(LooksLikeSeagull(colours[1])) << "angles " << angles.x << " " << angles.y << " " << angles.z;
    }
}

TEST(RotationOverride, TrackedAnglesStopMatteringAtRow512NotAFrameEarlier)
{
    const float start = FirstTimeAtRow(512.0f);
    const std::vector<Pixel> pixels = {PixelAt(kCentre), {300, 200}, {1700, 900}, {1000, 100}};
    const auto sample = [&](float time, Vec3 angles) {
        return FullFrameHarness().Sample({time, 0.0f, {0, 3, -10}, angles, {0, 0, 0}}, pixels);
    };
    const auto same = [](const std::vector<Rgba>& a, const std::vector<Rgba>& b) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!IsNear(a[i], {b[i].r, b[i].g, b[i].b}, 0)) return false;
        }
        return true;
    };
    EXPECT_TRUE(same(sample(start, {0, 0, 0}), sample(start, {40, -70, 10})));
    const float frameBefore = start - 1.0f / 60.0f;
    EXPECT_FALSE(same(sample(frameBefore, {0, 0, 0}), sample(frameBefore, {40, -70, 10})));
}

// At 46 s every angle is 180 sin(46 pi / 8) = -127.3 degrees; a seagull of the
// stream flies through (0, -25, -25) then.
TEST(RotationOverride, SpinsAllThreeAnglesBy180TimesSineOfTimeOver8)
{
    const float time = 46.0f;
    const Vec3 spin{OverrideAngle(time), OverrideAngle(time), OverrideAngle(time)};
    const Vec3 seagull{0, -25, -25};
    const Vec3 camera = seagull - RayDirection(kOffCentre, spin) * 12.0;
    const std::vector<Pixel> pixels = {PixelAt(kOffCentre)};
    EXPECT_TRUE(LooksLikeSeagull(FullFrameHarness().Sample({time, 0.0f, camera, {0, 0, 0}, {0, 0, 0}}, pixels)[0]));
}

}  // namespace
