// Evaluation of keyframe tracks: the exact values that the choreography relies
// on, and rows far outside anything the demo reaches.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "key_types.h"
#include "sync/track.h"

namespace {

constexpr std::int32_t kMinRow = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxRow = std::numeric_limits<std::int32_t>::max();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A track over keys that the test owns.
struct TestTrack {
    explicit TestTrack(std::vector<TrackKey> k) : keys(std::move(k))
    {
        track = {nullptr, keys.data(), static_cast<std::int32_t>(keys.size())};
    }
    double operator()(double row) const { return GetTrackValue(&track, row); }

    std::vector<TrackKey> keys;
    SyncTrack track;
};

TEST(TrackEvaluation, TrackWithoutKeysIsZeroEverywhere)
{
    const TestTrack empty({});
    for (double row : {-5.0, 0.0, 3.5, 1e9}) EXPECT_EQ(empty(row), 0.0);
}

TEST(TrackEvaluation, SingleKeyHoldsEverywhere)
{
    const TestTrack one({{10, 2.5f, kLinear}});
    for (double row : {-100.0, 9.99, 10.0, 10.5, 1e6}) EXPECT_EQ(one(row), 2.5);
}

TEST(TrackEvaluation, FirstKeyValueBeforeTheFirstKeyWhateverItsType)
{
    const TestTrack seagull({{128, 21.0f, kSmooth}, {144, 5.0f, kStep}});
    for (double row : {-5.0, 0.0, 127.9, 128.0}) EXPECT_EQ(seagull(row), 21.0);
}

TEST(TrackEvaluation, LastKeyValueFromTheLastKeyOn)
{
    const TestTrack scene({{0, 0.1f, kStep}, {800, 1.0f, kStep}});
    for (double row : {-1.0, 0.0, 799.999}) EXPECT_EQ(scene(row), 0.10000000149011612);
    EXPECT_EQ(scene(800.0), 1.0);
    EXPECT_EQ(scene(1000.0), 1.0);
}

TEST(TrackEvaluation, EveryTypeGivesItsOwnValueAtItsRow)
{
    for (std::int32_t type : {kStep, kLinear, kSmooth, kRamp}) {
        const TestTrack track({{4, 1.25f, type}, {8, -7.0f, kStep}});
        EXPECT_EQ(track(4.0), 1.25) << "type " << type;
    }
}

TEST(TrackEvaluation, SegmentIsChosenByTheWholeRow)
{
    const TestTrack turn({{160, 140.0f, kSmooth}, {191, 124.0f, kStep}, {192, -130.0f, kLinear}});
    EXPECT_EQ(turn(191.5), 124.0);
    EXPECT_EQ(turn(192.0), -130.0);
}

TEST(TrackEvaluation, LinearMixesSingleAndDoublePrecisionExactly)
{
    const TestTrack fade({{0, 1.0f, kLinear}, {16, 0.8f, kLinear}, {32, 0.0f, kStep}});
    EXPECT_EQ(fade(8.0), 0.9000000059604645);
    EXPECT_EQ(fade(16.0), 0.800000011920929);
    EXPECT_EQ(fade(24.0), 0.4000000059604645);
    EXPECT_EQ(fade(31.9), 0.00500000007450585);
    EXPECT_EQ(fade(32.0), 0.0);
}

TEST(TrackEvaluation, SmoothEasesInAndOut)
{
    const TestTrack pan({{56, -45.0f, kSmooth}, {102, 45.0f, kSmooth}});
    EXPECT_EQ(pan(79.0), 0.0);
    EXPECT_EQ(pan(67.5), -30.9375);
    EXPECT_EQ(pan(90.5), 30.9375);
}

// The difference of two key values is taken in single precision, everything
// else in double; taken in double, the difference loses 0.05 here.
TEST(TrackEvaluation, ValueDifferenceIsTakenInSinglePrecision)
{
    const TestTrack jump({{0, 0.1f, kLinear}, {10, 1e8f, kStep}});
    EXPECT_EQ(jump(5.0), 50000000.100000001);
}

// The smooth curve's polynomial is evaluated as ((3 - (t + t)) * (t * t)) *
// delta + value; each of these keys tells another order of it apart.
TEST(TrackEvaluation, SmoothPolynomialKeepsItsOrderOfOperations)
{
    EXPECT_EQ(TestTrack({{0, 0.3f, kSmooth}, {7, 1234.567f, kStep}})(2.3), 312.4867786012864);
    // value + delta * (3t² - 2t³) gives -841.00528651709249.
    EXPECT_EQ(TestTrack({{0, -35.1f, kSmooth}, {27, -857.9f, kStep}})(24.7), -841.00528651709237);
    // value + delta * t * t * (3 - 2t) gives 175.26811614012715.
    EXPECT_EQ(TestTrack({{0, 21.1f, kSmooth}, {8, 536.8f, kStep}})(2.9), 175.26811614012718);
}

TEST(TrackEvaluation, RampEasesIn)
{
    const TestTrack ramp({{0, 0.0f, kRamp}, {10, 100.0f, kStep}});
    EXPECT_EQ(ramp(2.5), 6.25);
    EXPECT_EQ(ramp(5.0), 25.0);
}

TEST(TrackEvaluation, UnknownTypeIsZeroOnlyOverItsSegment)
{
    const TestTrack first({{0, 3.0f, 7}, {10, 5.0f, kStep}});
    EXPECT_EQ(first(-1.0), 3.0);
    EXPECT_EQ(first(0.0), 0.0);
    EXPECT_EQ(first(5.0), 0.0);
    EXPECT_EQ(first(10.0), 5.0);

    const TestTrack last({{0, 3.0f, kLinear}, {10, 5.0f, -1}});
    EXPECT_EQ(last(5.0), 4.0);
    EXPECT_EQ(last(10.0), 5.0);
    EXPECT_EQ(last(50.0), 5.0);
}

TEST(TrackEvaluation, FindKeyGivesTheInsertionPointWhenNoKeyMatches)
{
    const TestTrack track({{0, 0.0f, kStep}, {10, 0.0f, kStep}, {20, 0.0f, kStep}});
    EXPECT_EQ(FindKey(&track.track, 10), 1);
    EXPECT_EQ(FindKey(&track.track, -3), -1);
    EXPECT_EQ(FindKey(&track.track, 15), -3);
    EXPECT_EQ(FindKey(&track.track, 25), -4);
}

TEST(TrackEvaluationAtTheLimits, RowsBeyondThe32BitRangeTakeTheEndValues)
{
    const TestTrack track({{-4, 1.0f, kLinear}, {4, 3.0f, kLinear}});
    for (double row : {-1e300, -kInfinity, -2147483649.0, -2147483648.5}) EXPECT_EQ(track(row), 1.0) << row;
    for (double row : {1e300, kInfinity, 2147483648.0}) EXPECT_EQ(track(row), 3.0) << row;
}

TEST(TrackEvaluationAtTheLimits, NotANumberRowDoesNotReachPastTheKeys)
{
    const TestTrack track({{-4, 1.0f, kLinear}, {4, 3.0f, kLinear}});
    EXPECT_EQ(track(std::nan("")), 1.0);
}

TEST(TrackEvaluationAtTheLimits, KeysAtThe32BitExtremesInterpolate)
{
    const TestTrack wide({{kMinRow, 0.0f, kLinear}, {kMaxRow, 1.0f, kStep}});
    EXPECT_NEAR(wide(-0.5), 0.5, 1e-9);
    EXPECT_EQ(wide(static_cast<double>(kMinRow)), 0.0);
    EXPECT_EQ(wide(static_cast<double>(kMaxRow)), 1.0);
    EXPECT_EQ(wide(1e300), 1.0);
    EXPECT_EQ(wide(-1e300), 0.0);
}

}  // namespace
