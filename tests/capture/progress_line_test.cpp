// The line that shows how far a sequence or a video has come.
#include <gtest/gtest.h>

#include "progress_line.h"

namespace {

TEST(ProgressLine, ShowsFrameRateAndTimeLeft)
{
    EXPECT_EQ(ProgressLine(0, 10, 0.0), "frame 0 of 10");
    EXPECT_EQ(ProgressLine(3, 10, 2.0), "frame 3 of 10, 1.50 frames/s, 5s left");
    EXPECT_EQ(ProgressLine(3, 100, 2.0), "frame 3 of 100, 1.50 frames/s, 1m05s left");
    EXPECT_EQ(ProgressLine(1, 4115, 1.0), "frame 1 of 4115, 1.00 frames/s, 1h08m34s left");
}

}  // namespace
