// The overlay's readings: the frame rate over the last second, and the clock
// as seconds, rows and beats at the demo's tempo.
#include <gtest/gtest.h>

#include "frame_stats.h"
#include "overlay_text.h"

namespace {

TEST(FrameStats, AveragesOverTheLastSecond)
{
    FrameStats stats;
    EXPECT_EQ(stats.FramesPerSecond(), 0.0);
    for (int i = 0; i < 120; ++i) stats.Add(1.0 / 60.0);
    EXPECT_NEAR(stats.FramesPerSecond(), 60.0, 0.5);
    EXPECT_NEAR(stats.FrameMilliseconds(), 16.667, 0.01);
    // A slow stretch takes over within a second.
    for (int i = 0; i < 8; ++i) stats.Add(0.14);
    EXPECT_NEAR(stats.FramesPerSecond(), 1.0 / 0.14, 0.1);
    EXPECT_NEAR(stats.FrameMilliseconds(), 140.0, 0.5);
}

TEST(FrameStats, AFrameLongerThanASecondIsStillCounted)
{
    FrameStats stats;
    stats.Add(2.5);
    EXPECT_NEAR(stats.FramesPerSecond(), 0.4, 1e-9);
}

TEST(OverlayText, GivesTheClockAsSecondsRowsAndBeats)
{
    const std::string text = OverlayText({59.94, 16.68, 40.0, 0.25, {480, 270}, false, {0.0, 10.0, true}});
    EXPECT_EQ(text,
              "59.9 fps  16.7 ms\n"
              "40.000 s  row 466.67  beat 116.67\n"
              "scale 0.25 (480x270)  paused\n"
              "loop rows 0.00-116.67 on");
}

}  // namespace
