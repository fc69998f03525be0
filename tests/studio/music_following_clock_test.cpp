// The clock that follows the music: it must stay within a frame of the
// music's position although that position moves in mixing periods, advance
// smoothly (no frame that stands still or jumps), and take the position as it
// stands after a stall.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "music_following_clock.h"
#include "simulated_music.h"

namespace {

constexpr double kFrame = 1.0 / 60.0;

struct Followed {
    std::vector<double> clock;
    std::vector<double> music;
};

// Plays from position `start` for `seconds`, frames `frame` apart with the
// given jitter pattern, reading the clock each frame.
Followed Follow(SimulatedMusic& music, MusicFollowingClock& clock, double start, double seconds, double frame,
                double jitter = 0.0)
{
    Followed followed;
    double now = 0.0;
    music.AdvanceTo(now);
    music.Seek(start);
    music.Play();
    clock.Restart(start, now);
    for (int n = 0; now < seconds; ++n) {
        now += frame + (n % 3 == 0 ? jitter : -jitter / 2.0);
        music.AdvanceTo(now);
        followed.clock.push_back(clock.Follow(now, music.Position()));
        followed.music.push_back(music.Position());
    }
    return followed;
}

double LargestGap(const Followed& followed, std::size_t from)
{
    double largest = 0.0;
    for (std::size_t i = from; i < followed.clock.size(); ++i) {
        largest = std::max(largest, std::fabs(followed.clock[i] - followed.music[i]));
    }
    return largest;
}

TEST(MusicFollowingClock, StaysWithinHalfAMixingPeriodOfTheMusic)
{
    for (const double period : {0.01, 0.02, 0.032}) {
        SimulatedMusic music(period);
        MusicFollowingClock clock;
        const Followed followed = Follow(music, clock, 40.0, 60.0, kFrame, 0.002);
        // After a second to settle, and a frame's worth of margin for where
        // the reading falls within a period.
        EXPECT_LT(LargestGap(followed, 60), period / 2.0 + 0.004) << "period " << period;
    }
}

TEST(MusicFollowingClock, StaysWithinAPeriodOfTheMusicFromTheFirstFrame)
{
    // Until the first step the position reads the start while the music
    // plays on: the clock, which follows the timer, is then up to a period
    // ahead of the reading, and no more.
    for (const double period : {0.01, 0.02, 0.032}) {
        SimulatedMusic music(period);
        MusicFollowingClock clock;
        const Followed followed = Follow(music, clock, 40.0, 5.0, kFrame, 0.002);
        EXPECT_LT(LargestGap(followed, 0), period) << "period " << period;
    }
}

TEST(MusicFollowingClock, AdvancesEveryFrameByAboutTheFrameTime)
{
    // The raw position stands still for frames and then jumps a whole
    // period; the clock must not.
    SimulatedMusic music(0.02);
    MusicFollowingClock clock;
    const Followed followed = Follow(music, clock, 10.0, 10.0, kFrame);
    for (std::size_t i = 60; i < followed.clock.size(); ++i) {
        const double step = followed.clock[i] - followed.clock[i - 1];
        EXPECT_GT(step, 0.75 * kFrame) << "frame " << i;
        EXPECT_LT(step, 1.25 * kFrame) << "frame " << i;
    }
}

TEST(MusicFollowingClock, FollowsAtSlowFrameRatesToo)
{
    SimulatedMusic music(0.02);
    MusicFollowingClock clock;
    // Frames a whole number of periods apart read the same phase every
    // time, or a period earlier when rounding goes the other way.
    const Followed followed = Follow(music, clock, 0.0, 30.0, 0.14);
    EXPECT_LT(LargestGap(followed, 10), 0.02 + 0.001);
}

TEST(MusicFollowingClock, AfterARestartWaitsForTheMusicToPlayFromThere)
{
    // The seek decoded for 30 ms before the music played from 10 s again.
    constexpr double kSeekDelay = 0.03;
    SimulatedMusic music(0.01);
    MusicFollowingClock clock;
    music.Seek(10.0);
    clock.Restart(10.0, 0.0);
    bool playing = false;
    double largest = 0.0;
    for (double now = kFrame; now < 0.5; now += kFrame) {
        if (!playing && now >= kSeekDelay) {
            music.AdvanceTo(kSeekDelay);
            music.Play();
            playing = true;
        }
        music.AdvanceTo(now);
        const double reading = clock.Follow(now, music.Position());
        largest = std::max(largest, std::fabs(reading - music.Position()));
    }
    EXPECT_LT(largest, 0.01) << "the clock ran ahead of the music by the seek's delay";
}

TEST(MusicFollowingClock, AfterARestartStaysBetweenTheRestartAndTheTimer)
{
    MusicFollowingClock clock;
    clock.Restart(10.0, 0.0);
    EXPECT_EQ(clock.Follow(kFrame, 9.97), 10.0) << "never before the place it restarted from";
    EXPECT_EQ(clock.Follow(2 * kFrame, 10.0), 10.0) << "held while the music has not moved on";
    EXPECT_EQ(clock.Follow(3 * kFrame, 10.01), 10.01) << "the music's position once it moves";
    clock.Restart(10.0, 1.0);
    EXPECT_NEAR(clock.Follow(1.0 + kFrame, 10.05), 10.0 + kFrame, 1e-9) << "never ahead of the timer";
}

TEST(MusicFollowingClock, TakesThePositionAsItStandsAfterAStall)
{
    MusicFollowingClock clock;
    clock.Restart(20.0, 0.0);
    EXPECT_NEAR(clock.Follow(kFrame, 20.0 + kFrame), 20.0 + kFrame, 1e-9);
    // The music fell silent for half a second while the timer ran on.
    EXPECT_EQ(clock.Follow(0.6, 20.1), 20.1);
    // Or it went on ahead of the clock.
    EXPECT_EQ(clock.Follow(0.6 + kFrame, 25.0), 25.0);
}

TEST(MusicFollowingClock, NeverStepsBackWhileFollowing)
{
    MusicFollowingClock clock;
    clock.Restart(5.0, 0.0);
    const double first = clock.Follow(0.001, 4.95);
    EXPECT_GE(first, 5.0) << "a frame shorter than the correction holds still";
}

TEST(MusicFollowingClock, RestartsWhereItIsTold)
{
    MusicFollowingClock clock;
    clock.Restart(5.0, 100.0);
    EXPECT_EQ(clock.Follow(100.0, 5.0), 5.0);
    EXPECT_NEAR(clock.Follow(100.0 + kFrame, 5.0 + kFrame), 5.0 + kFrame, 1e-9);
}

}  // namespace
