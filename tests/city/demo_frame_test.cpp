// The demo's own frames, through the Stage, the tracks and the clock, as
// quorl-capture renders them: the picture fades in from black and the seagulls
// fly where the tracks put them.
#include <gtest/gtest.h>

#include <vector>

#include "city_harness.h"

namespace {

// The camera angles the shader uses at a time: the tracks', or its own spin.
Vec3 ShaderAngles(const CityUniforms& uniforms)
{
    if (ShaderRow(uniforms.time) < 512.0f) return uniforms.cameraRotation;
    const double spin = OverrideAngle(uniforms.time);
    return {spin, spin, spin};
}

Pixel PixelShowingAt(double seconds, Vec3 point)
{
    const CityUniforms uniforms = TrackedUniforms(seconds);
    return PixelShowing(uniforms.cameraPosition, ShaderAngles(uniforms), point);
}

TEST(DemoFrame, StartsOpaqueBlack)
{
    const std::vector<Pixel> pixels = {{0, 0}, {960, 540}, {1919, 1079}, {300, 800}};
    for (const Rgba colour : SampleDemoFrame(DemoFrames(), 0.0, pixels)) {
        EXPECT_TRUE(colour.r == 0 && colour.g == 0 && colour.b == 0 && colour.a == 255);
    }
}

// Before row 128 the seagull waits inside a building, out of sight.
TEST(DemoFrame, SeagullFliesWhereTheTracksPutIt)
{
    for (const double seconds : {12.5, 15.0, 19.0}) {
        const std::vector<Pixel> pixels = {PixelShowingAt(seconds, TrackedUniforms(seconds).seagullPosition)};
        EXPECT_TRUE(LooksLikeSeagull(SampleDemoFrame(DemoFrames(), seconds, pixels)[0])) << seconds << " s";
    }
}

// Just after the cut, so that the tracks (in double) are past row 256 as well.
TEST(DemoFrame, FlockOfThreeFliesWhereTheTracksPutItFromRow256)
{
    const double seconds = FirstTimeAtRow(256.0f) + 0.001;
    const Vec3 lead = TrackedUniforms(seconds).seagullPosition;
    std::vector<Pixel> pixels;
    for (const Vec3 bird : {Vec3{-10, 0, -3}, Vec3{0, 0, 0}, Vec3{10, 0, -3}}) {
        pixels.push_back(PixelShowingAt(seconds, lead + bird));
    }
    for (const Rgba colour : SampleDemoFrame(DemoFrames(), seconds, pixels)) EXPECT_TRUE(LooksLikeSeagull(colour));
}

// At 47.5 s a seagull of the stream passes (0, 25, 175), above the camera's
// street; 20 ms later it is 10 units further along +z, and gone from before.
TEST(DemoFrame, StreamSeagullsFlyAlongPlusZ)
{
    const double first = 47.5;
    const double second = first + 0.02;
    const Vec3 seagull{0, 25, 175};
    const Vec3 moved = seagull + Vec3{0, 0, 10};
    EXPECT_TRUE(LooksLikeSeagull(SampleDemoFrame(DemoFrames(), first, {{PixelShowingAt(first, seagull)}})[0]));
    const std::vector<Rgba> later =
        SampleDemoFrame(DemoFrames(), second, {{PixelShowingAt(second, moved), PixelShowingAt(second, seagull)}});
    EXPECT_TRUE(LooksLikeSeagull(later[0]));
    EXPECT_FALSE(LooksLikeSeagull(later[1]));
}

}  // namespace
