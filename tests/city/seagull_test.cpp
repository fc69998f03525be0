// The seagull: its parts where the model puts them, in their materials' colours
// under the light and the fog, and its wings level on every whole beat; and the
// flock's sway. The bird (or the flock) flies at (0, 0, 100), in the middle of
// a street, in the city section.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "city_harness.h"
#include "sync/tempo.h"

namespace {

constexpr Vec3 kSeagull{0, 0, 100};
constexpr Vec3 kUp{0, 1, 0};
constexpr Vec3 kLookingDown{90, 0, 0};

float TimeAtBeat(double beat)
{
    return static_cast<float>(beat * 60.0 / BEATS_PER_MINUTE);
}

struct Part {
    const char* name;
    Vec3 top;  // a point on the part's upward face, in the bird's frame
    Vec3 base;
};

// Seen from straight above, the colour of a flat top of the given base colour.
Rgb8 ExpectedFromAbove(Vec3 camera, Vec3 point, Vec3 base)
{
    const Vec3 offset = point - camera;
    const double distance = std::sqrt(offset.x * offset.x + offset.y * offset.y + offset.z * offset.z);
    const FragmentPosition at = Project(camera, kLookingDown, point).value();
    return Finish(ShadedSurface(base, kUp, distance) * Vignette(at));
}

TEST(SeagullModel, EveryPartShowsItsMaterialFromAbove)
{
    const Part parts[] = {
        {"back", {0, 0.4, 0.5}, {1, 1, 1}},
        {"left inner wing", {-1.2, 0.1, 0.2}, {1, 1, 1}},
        {"right inner wing", {1.2, 0.1, 0.2}, {1, 1, 1}},
        {"left outer wing", {-3.15, 0.1, 0}, {0.4, 0.4, 0.4}},
        {"right outer wing", {3.15, 0.1, 0}, {0.4, 0.4, 0.4}},
        {"beak", {0, 0.08, 1.35}, {1, 0.52, 0}},
    };
    const Vec3 camera = kSeagull + Vec3{0, 10, 0};
    std::vector<Pixel> pixels;
    for (const Part& part : parts) pixels.push_back(PixelShowing(camera, kLookingDown, kSeagull + part.top));
    const std::vector<Rgba> colours =
        FullFrameHarness().Sample({TimeAtBeat(24), 0.0f, camera, kLookingDown, kSeagull}, pixels);
    for (std::size_t i = 0; i < std::size(parts); ++i) {
        const Rgb8 expected = ExpectedFromAbove(camera, kSeagull + parts[i].top, parts[i].base);
        EXPECT_TRUE(IsNear(colours[i], expected))
            << parts[i].name << ": " << colours[i].r << " " << colours[i].g << " " << colours[i].b << " instead of "
            << expected.r << " " << expected.g << " " << expected.b;
    }
}

// Body, tail and beak come before the mirror step, wings and eyes after it.
TEST(SeagullModel, HasOneBeakOnTheMiddleLineNotAPair)
{
    const Vec3 camera = kSeagull + Vec3{0, 10, 0};
    const std::vector<Pixel> pixels = {PixelShowing(camera, kLookingDown, kSeagull + Vec3{-0.2, 0, 1.35}),
                                       PixelShowing(camera, kLookingDown, kSeagull + Vec3{0.2, 0, 1.35})};
    const CityUniforms fromAbove{TimeAtBeat(24), 0.0f, camera, kLookingDown, kSeagull};
    for (const Rgba colour : FullFrameHarness().Sample(fromAbove, pixels)) {
        EXPECT_LT(colour.r, colour.b) << "orange beside the middle line: " << colour.r << " " << colour.g;
    }
}

// The eyes barely stand out of the head, sideways and up: seen along that
// line, from either side. Nearer than 8 units the fog term turns negative, and
// a black eye must stay plain black.
TEST(SeagullModel, EyesAreBlackOnBothSidesOfTheHead)
{
    for (const double side : {-1.0, 1.0}) {
        const Vec3 eye = kSeagull + Vec3{0.2 * side, 0.12, 0.9};
        const Vec3 lookingAtTheEye = AnglesLookingAlong({-0.2 * side, -0.12, 0});
        for (const double distance : {3.0, 12.0}) {
            const Vec3 camera = eye - RayDirection(kCentre, lookingAtTheEye) * distance;
            const Pixel centre = PixelAt(kCentre);
            const Rgba colour =
                FullFrameHarness().Sample({TimeAtBeat(24), 0.0f, camera, lookingAtTheEye, kSeagull}, {&centre, 1})[0];
            const Rgb8 expected = Finish(ShadedSurface({0, 0, 0}, kUp, distance - 0.05));
            EXPECT_TRUE(IsNear(colour, expected, 1)) << "side " << side << " from " << distance << ": " << colour.r
                                                     << " " << colour.g << " " << colour.b;
            if (distance < 8.0) {
                EXPECT_TRUE(IsNear(colour, {0, 0, 0}, 0));
            }
        }
    }
}

// Seen edge-on from behind: level wings cover the line through the body at
// their tips; raised or lowered ones leave it.
TEST(SeagullWings, LieLevelOnEveryWholeBeatOnly)
{
    const Vec3 camera = kSeagull - Vec3{0, 0, 20};
    const Vec3 straightOn{0, 0, 0};
    const auto pixel = [&](Vec3 offset) { return PixelShowing(camera, straightOn, kSeagull + offset); };
    const std::vector<Pixel> tipsLevel = {pixel({-3.6, 0, 0}), pixel({3.6, 0, 0})};
    const std::vector<Pixel> aboveTips = {pixel({-3.6, 0.5, 0}), pixel({3.6, 0.5, 0})};
    for (const double beat : {24.0, 41.0, 57.0}) {
        const CityUniforms uniforms{TimeAtBeat(beat), 0.0f, camera, straightOn, kSeagull};
        for (const Rgba colour : FullFrameHarness().Sample(uniforms, tipsLevel)) {
            EXPECT_TRUE(LooksLikeSeagull(colour)) << beat;
        }
        for (const Rgba colour : FullFrameHarness().Sample(uniforms, aboveTips)) {
            EXPECT_FALSE(LooksLikeSeagull(colour)) << beat;
        }
    }
    for (const double beat : {24.5, 25.5}) {
        const CityUniforms uniforms{TimeAtBeat(beat), 0.0f, camera, straightOn, kSeagull};
        for (const Rgba colour : FullFrameHarness().Sample(uniforms, tipsLevel)) {
            EXPECT_FALSE(LooksLikeSeagull(colour)) << beat;
        }
    }
}

// The outer wing hangs 2.95 out along the inner one and is lifted by the wing
// angle w, taken as a length: its centre is the hinge plus (2.95, w) turned by w.
TEST(SeagullWings, OuterWingsRideOnTheInnerOnesLiftedByTheWingAngle)
{
    const Vec3 camera = kSeagull - Vec3{0, 0, 20};
    const Vec3 straightOn{0, 0, 0};
    for (const double beat : {24.5, 25.5}) {
        const double w = 0.4 * std::sin(beat * std::numbers::pi);
        const double out = 0.2 + 2.95 * std::cos(w) - w * std::sin(w);
        const double up = 2.95 * std::sin(w) + w * std::cos(w);
        const std::vector<Pixel> pixels = {PixelShowing(camera, straightOn, kSeagull + Vec3{-out, up, 0}),
                                           PixelShowing(camera, straightOn, kSeagull + Vec3{out, up, 0})};
        const CityUniforms uniforms{TimeAtBeat(beat), 0.0f, camera, straightOn, kSeagull};
        for (const Rgba colour : FullFrameHarness().Sample(uniforms, pixels)) {
            EXPECT_TRUE(LooksLikeSeagull(colour)) << beat;
        }
    }
}

// On beat 72 the flock has drifted 8 units back and banks by -10 degrees,
// with no pitch and no roll: bird i sits at (-10 i, 0) turned by the bank.
TEST(Flock, DriftsBackAndBanksOnItsSlowBeat)
{
    const Vec3 camera = kSeagull + Vec3{0, 3, -25};
    const Vec3 straightOn{0, 0, 0};
    const double bank = -10.0 * std::numbers::pi / 180.0;
    std::vector<Pixel> pixels;
    for (const double i : {-1.0, 0.0, 1.0}) {
        const Vec3 bird{-10.0 * i * std::cos(bank), -10.0 * i * std::sin(bank), -3.0 * std::abs(i) - 8.0};
        pixels.push_back(PixelShowing(camera, straightOn, kSeagull + bird));
    }
    for (const Rgba colour : FullFrameHarness().Sample({TimeAtBeat(72), 0.0f, camera, straightOn, kSeagull}, pixels)) {
        EXPECT_TRUE(LooksLikeSeagull(colour));
    }
}

}  // namespace
