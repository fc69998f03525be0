// The studio window's layout: the frame at 16:9 with black bars whatever the
// window's shape, the timeline panel below it, and the scaled render target.
#include <gtest/gtest.h>

#include "studio_layout.h"

namespace {

TEST(FrameFit, WiderAreaGetsBarsLeftAndRight)
{
    EXPECT_EQ(FitPicture({0, 0, 1280, 414}, kRenderSize), (PixelRect{272, 0, 736, 414}));
}

TEST(FrameFit, TallerAreaGetsBarsAboveAndBelow)
{
    EXPECT_EQ(FitPicture({0, 0, 800, 800}, kRenderSize), (PixelRect{0, 175, 800, 450}));
}

TEST(FrameFit, AreaOfThePicturesShapeIsFilled)
{
    EXPECT_EQ(FitPicture({10, 20, 1280, 720}, kRenderSize), (PixelRect{10, 20, 1280, 720}));
}

TEST(StudioLayout, WithoutTheTimelineTheFrameHasTheWholeWindow)
{
    const StudioLayout layout = LayOutStudio(1280, 720, false, 11);
    EXPECT_EQ(layout.frame, (PixelRect{0, 0, 1280, 720}));
    EXPECT_EQ(layout.timeline.height, 0.0f);
}

TEST(StudioLayout, TheTimelineTakesARulerALanePerTrackAndTheMusicsBelowTheFrame)
{
    const StudioLayout layout = LayOutStudio(1280, 1000, true, 11);
    const float panel = kRulerHeight + 12 * kLaneHeight;
    EXPECT_EQ(layout.timeline, (PixelRect{0, 1000 - panel, 1280, panel}));
    EXPECT_EQ(layout.frame.y + layout.frame.height, 1000 - panel);
    EXPECT_NEAR(layout.frame.width / layout.frame.height, 16.0 / 9.0, 0.01);
}

TEST(StudioLayout, InASmallWindowTheTimelineTakesAtMostItsShare)
{
    const StudioLayout layout = LayOutStudio(640, 360, true, 11);
    EXPECT_LE(layout.timeline.height, 360 * kMostTimelineShare);
    EXPECT_GT(layout.frame.height, 0.0f);
}

TEST(RenderScale, TargetIsTheDemosSizeTimesTheScaleAndAtLeastOnePixel)
{
    EXPECT_EQ(ScaledRenderSize(1.0).width, 1920);
    EXPECT_EQ(ScaledRenderSize(0.25).width, 480);
    EXPECT_EQ(ScaledRenderSize(0.25).height, 270);
    EXPECT_EQ(ScaledRenderSize(0.5).height, 540);
    EXPECT_EQ(ScaledRenderSize(1e-9).width, 1);
    EXPECT_EQ(ScaledRenderSize(1e-9).height, 1);
}

}  // namespace
