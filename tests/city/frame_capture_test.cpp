// The FrameCapture that renders the demo's frames through its Stage: which
// readings show a frame, and the pixels it reads back.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "city_harness.h"

namespace {

int BlueAt(const ScopedImage& image, std::size_t row, std::size_t column)
{
    return static_cast<const unsigned char*>(image.Get().data)[4 * (row * kRenderSize.width + column) + 2];
}

// Black top rows from the start of the demo, sky-blue bottom rows from the tower.
TEST(FrameCapture, ReadBackPutsTheTopRowFirst)
{
    ASSERT_TRUE(DemoFrames().Render(0.0, {0, kRenderSize.height - 2, kRenderSize.width, 2}));
    ASSERT_TRUE(DemoFrames().Render(40.0, {0, 0, kRenderSize.width, 2}));
    const ScopedImage image = DemoFrames().ReadBack();
    EXPECT_EQ(BlueAt(image, 0, kRenderSize.width / 2), 0);
    EXPECT_GT(BlueAt(image, kRenderSize.height - 1, kRenderSize.width / 2), 100);
}

TEST(FrameCapture, ShowsFramesUntilRow800)
{
    const double end = SecondsAtRow(800.0);
    EXPECT_TRUE(DemoFrames().ShowsFrameAt(0.0));
    EXPECT_TRUE(DemoFrames().ShowsFrameAt(std::nextafter(end, 0.0)));
    EXPECT_FALSE(DemoFrames().ShowsFrameAt(end));
    EXPECT_FALSE(DemoFrames().Render(end + 10.0));
    EXPECT_EQ(DemoFrames().EndOfDemo(), end);
}

TEST(FrameCapture, AskingWhetherAFrameIsShownDrawsNothing)
{
    ASSERT_TRUE(DemoFrames().Render(40.0, {0, 0, 1, 1}));
    const int blue = BlueAt(DemoFrames().ReadBack(), kRenderSize.height - 1, 0);
    ASSERT_GT(blue, 0);
    DemoFrames().ShowsFrameAt(0.0);  // all black, had it been drawn
    EXPECT_EQ(BlueAt(DemoFrames().ReadBack(), kRenderSize.height - 1, 0), blue);
}

// Past the largest texture side of any driver: nothing to draw into or read back.
TEST(FrameCapture, ATargetTheDriverCannotMakeIsRefused)
{
    const ScopedRenderTexture target(1 << 17, 1080);
    try {
        RequireCompleteTarget(target.Get());
        ADD_FAILURE() << "an incomplete target was taken";
    } catch (const std::runtime_error& refusal) {
        EXPECT_EQ(std::string(refusal.what()),
                  "the graphics driver cannot make a 131072x1080 off-screen target to render into");
    }
}

}  // namespace
