// Auto's choice of quality level, against a simulated display and graphics
// card: a frame at a level takes the card a given time, and is shown at the
// first refresh after it is done.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "quality.h"

namespace {

constexpr double k60Hz = 1.0 / 60.0;
constexpr double k144Hz = 1.0 / 144.0;

// Seconds the card takes for one frame at a level, at a time since the start.
using Cost = std::function<double(QualityLevel, double)>;

struct Step {
    double at;
    QualityLevel to;
};

// Plays frames from `start` for `seconds`; the level changes on the way.
std::vector<Step> Play(AutoQuality& quality, double seconds, double refresh, const Cost& cost, double start = 0.0)
{
    std::vector<Step> steps;
    QualityLevel shown = quality.Level();
    for (double now = start; now < start + seconds;) {
        const QualityLevel level = quality.Frame(now, refresh);
        if (level != shown) steps.push_back({now - start, level});
        shown = level;
        now += std::max(1.0, std::ceil(cost(level, now) / refresh - 1e-9)) * refresh;
    }
    return steps;
}

Cost Costs(double full, double half, double quarter)
{
    return [=](QualityLevel level, double) {
        return level == QualityLevel::Full ? full : level == QualityLevel::Half ? half : quarter;
    };
}

// Each level has its place: the steps down and up are each other's reverse,
// the positions count from Full without a hole, and each step down renders a
// smaller picture.
TEST(QualityLevels, StepOneByOneFromFullToTheLowest)
{
    std::size_t count = 0;
    for (std::optional<QualityLevel> level = QualityLevel::Full; level; level = LowerLevel(*level)) {
        EXPECT_EQ(IndexOf(*level), count);
        EXPECT_EQ(LevelAt(count), level);
        if (const std::optional<QualityLevel> lower = LowerLevel(*level)) {
            EXPECT_EQ(HigherLevel(*lower), level);
            EXPECT_LT(RenderSizeAt(*lower).width, RenderSizeAt(*level).width);
        }
        ++count;
    }
    EXPECT_EQ(count, kQualityLevelCount);
    EXPECT_FALSE(LevelAt(count));
    EXPECT_FALSE(HigherLevel(QualityLevel::Full));
    EXPECT_EQ(RenderSizeAt(QualityLevel::Full), kRenderSize);
    EXPECT_EQ(RenderSizeAt(QualityLevel::Quarter).width * 4, kRenderSize.width);
}

TEST(AutoQuality, StaysAtFullWhileFramesKeepUp)
{
    AutoQuality quality;
    EXPECT_TRUE(Play(quality, 120.0, k60Hz, Costs(0.012, 0.004, 0.001)).empty());
    EXPECT_EQ(quality.Level(), QualityLevel::Full);
}

TEST(AutoQuality, DoesNotStepDownForAFewLateFrames)
{
    AutoQuality quality;
    // A 150 ms hitch every 4 seconds, as a page's garbage collection makes.
    const Cost hitches = [](QualityLevel, double now) { return std::fmod(now, 4.0) < k60Hz ? 0.15 : 0.012; };
    EXPECT_TRUE(Play(quality, 60.0, k60Hz, hitches).empty());
}

// As in a browser on a software renderer: seconds a frame at Full.
TEST(AutoQuality, SettlesOnQuarterWhenEveryLevelIsTooSlow)
{
    AutoQuality quality;
    const std::vector<Step> steps = Play(quality, 120.0, k60Hz, Costs(3.5, 0.9, 0.25));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].to, QualityLevel::Half);
    EXPECT_EQ(steps[1].to, QualityLevel::Quarter);
    EXPECT_LT(steps[1].at, 12.0) << "took too long to settle";
}

TEST(AutoQuality, HoldsEachLevelAFewSecondsBeforeAStep)
{
    AutoQuality quality;
    const std::vector<Step> steps = Play(quality, 30.0, k60Hz, Costs(0.05, 0.05, 0.05));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_GE(steps[0].at, 3.0);
    EXPECT_GE(steps[1].at - steps[0].at, 3.0);
}

// Full is too slow, Half keeps up: Auto stays at Half, trying Full again
// rarely and more rarely, never flipping back and forth.
TEST(AutoQuality, TriesATooSlowLevelAgainOnlyAfterAGrowingWait)
{
    AutoQuality quality;
    const std::vector<Step> steps = Play(quality, 300.0, k60Hz, Costs(0.025, 0.008, 0.003));
    ASSERT_GE(steps.size(), 5u);
    EXPECT_EQ(steps.back().to, QualityLevel::Half);
    std::vector<double> triesOfFull;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_NE(steps[i].to, QualityLevel::Quarter) << "at " << steps[i].at << " s";
        if (i > 0) {
            EXPECT_GE(steps[i].at - steps[i - 1].at, 3.0) << "at " << steps[i].at << " s";
        }
        if (steps[i].to == QualityLevel::Full) triesOfFull.push_back(steps[i].at);
    }
    ASSERT_GE(triesOfFull.size(), 3u);
    EXPECT_GE(triesOfFull[0] - steps[0].at, 20.0);
    for (std::size_t i = 2; i < triesOfFull.size(); ++i) {
        EXPECT_GT(triesOfFull[i] - triesOfFull[i - 1], 1.5 * (triesOfFull[i - 1] - triesOfFull[i - 2])) << "try " << i;
    }
}

TEST(AutoQuality, StepsBackUpWhenTheSceneGetsLighter)
{
    AutoQuality quality;
    // Heavy for the first 10 seconds, then light at every level.
    const Cost lighter = [](QualityLevel level, double now) {
        return now < 10.0 && level == QualityLevel::Full ? 0.025 : 0.008;
    };
    const std::vector<Step> steps = Play(quality, 60.0, k60Hz, lighter);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].to, QualityLevel::Half);
    EXPECT_EQ(steps[1].to, QualityLevel::Full);
    EXPECT_LT(steps[1].at, 35.0);
}

// 12 ms a frame keeps up with 60 Hz but not with 144 Hz.
TEST(AutoQuality, JudgesFramesByTheDisplaysOwnRefresh)
{
    AutoQuality at60Hz;
    EXPECT_TRUE(Play(at60Hz, 30.0, k60Hz, Costs(0.012, 0.003, 0.001)).empty());
    AutoQuality at144Hz;
    const std::vector<Step> steps = Play(at144Hz, 20.0, k144Hz, Costs(0.012, 0.003, 0.001));
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].to, QualityLevel::Half);
}

TEST(AutoQuality, TakesSixtyHertzWhenTheRefreshIsUnknown)
{
    AutoQuality quality;
    EXPECT_TRUE(Play(quality, 30.0, 0.0, Costs(0.012, 0.003, 0.001)).empty());
}

// A hidden page or the end of a play stops the frames; a restart keeps the
// pause out of the frame times.
TEST(AutoQuality, RestartLeavesThePauseUnmeasured)
{
    const Cost fast = Costs(0.012, 0.003, 0.001);
    AutoQuality restarted;
    Play(restarted, 10.0, k60Hz, fast);
    restarted.Restart(QualityLevel::Full);
    EXPECT_TRUE(Play(restarted, 10.0, k60Hz, fast, 40.0).empty());

    AutoQuality unaware;
    Play(unaware, 10.0, k60Hz, fast);
    EXPECT_FALSE(Play(unaware, 10.0, k60Hz, fast, 40.0).empty());
}

TEST(AutoQuality, RestartGoesOnFromTheGivenLevel)
{
    AutoQuality quality;
    quality.Restart(QualityLevel::Quarter);
    EXPECT_EQ(quality.Frame(0.0, k60Hz), QualityLevel::Quarter);
}

}  // namespace
