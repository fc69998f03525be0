// The page's clock: the music's position that the listener hears, from what
// the audio context says. The music from 10 s on began at context time 2.
#include <gtest/gtest.h>

#include "listener_clock.h"

namespace {

constexpr double kMusicStart = 10.0;
constexpr double kContextStart = 2.0;

struct Case {
    const char* what;
    AudioOutputReading reading;  // page time, context time, latency, stamp's context and page times, start
    double heard;
};

TEST(ListenerClock, ReadsWhatTheListenerHears)
{
    const Case cases[] = {
        {"the timestamp carried on to the page's time", {100.35, 4.2, 0.05, 4.0, 100.3, kContextStart},
         kMusicStart + 2.05},
        {"no timestamp yet: rendered less latency", {100.0, 4.2, 0.05, 0.0, 0.0, kContextStart}, kMusicStart + 2.15},
        {"nothing heard yet: the start", {100.0, 2.02, 0.05, 0.0, 0.0, kContextStart}, kMusicStart},
        {"the audio thread behind its timestamp: no further than rendered", {100.05, 4.02, 0.05, 4.0, 100.0,
         kContextStart}, kMusicStart + 2.02},
        {"an old timestamp (suspended): rendered less latency", {160.0, 4.2, 0.05, 4.0, 100.0, kContextStart},
         kMusicStart + 2.15},
        {"the start not reported yet: the start", {100.35, 4.2, 0.05, 4.0, 100.3, -1.0}, kMusicStart},
    };
    for (const Case& c : cases) {
        ListenerClock clock;
        clock.Start(kMusicStart);
        EXPECT_NEAR(clock.Heard(c.reading), c.heard, 1e-9) << c.what;
    }
}

TEST(ListenerClock, NeverGoesBackUntilTheNextStart)
{
    ListenerClock clock;
    clock.Start(kMusicStart);
    EXPECT_NEAR(clock.Heard({100.0, 5.0, 0.0, 4.9, 100.0, kContextStart}), kMusicStart + 2.9, 1e-9);
    // A stamp with a little more latency than the last.
    EXPECT_NEAR(clock.Heard({100.001, 5.0, 0.0, 4.8, 100.0, kContextStart}), kMusicStart + 2.9, 1e-9);
    clock.Start(0.0);
    EXPECT_NEAR(clock.Heard({101.0, 6.0, 0.0, 5.9, 101.0, 5.0}), 0.9, 1e-9);
}

}  // namespace
