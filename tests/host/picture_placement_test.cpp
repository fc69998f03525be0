// The demo's picture on a screen of any shape, drawn full screen by the
// demo's own presentation on the harness's virtual screen (headless.sh
// --screen WxH; each screen is a test of its own): black bars where the
// screen is wider or taller than 16:9, and between them quorl-capture's frame
// scaled to the picture's size, as raylib draws a texture (nearest pixel).
#include <gtest/gtest.h>
#include <raylib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "frame_capture.h"
#include "picture_fit.h"
#include "present.h"
#include "scoped_media.h"

namespace {

// A band across the middle of the tower section: picture enough to compare,
// little for a software renderer to draw. The rest of the frame stays black.
constexpr double kReading = 40.0;
constexpr PixelRegion kBand{0, 486, kRenderSize.width, 108};

const unsigned char* Pixel(const Image& image, int x, int y)
{
    return static_cast<const unsigned char*>(image.data) + 4 * (static_cast<std::size_t>(y) * image.width + x);
}

TEST(PicturePlacement, BarsAreBlackAndThePictureIsTheCapturesFrameScaled)
{
    SetTraceLogLevel(LOG_WARNING);
    const ScopedWindow window(FLAG_FULLSCREEN_MODE, kRenderSize.width, kRenderSize.height, "Quorl picture placement");
    const PixelSize screen{GetScreenWidth(), GetScreenHeight()};
    FrameCapture capture;
    ASSERT_TRUE(capture.Render(kReading, kBand));
    const ScopedImage frame = capture.ReadBack();

    BeginDrawing();
    DrawPictureFitted(capture.Picture(), screen);
    EndDrawing();
    // The back buffer, read before it is presented; top row first.
    const ScopedImage shown(LoadImageFromScreen());
    ASSERT_EQ(shown.Get().width, screen.width);
    ASSERT_EQ(shown.Get().height, screen.height);

    const PixelRect area = FitPicture({0, 0, static_cast<float>(screen.width), static_cast<float>(screen.height)},
                                      kRenderSize);
    const int left = static_cast<int>(area.x);
    const int top = static_cast<int>(area.y);
    const int width = static_cast<int>(area.width);
    const int height = static_cast<int>(area.height);
    const int firstBar = left > 0 ? left : top;
    const int secondBar = left > 0 ? screen.width - width - left : screen.height - height - top;
    std::printf("screen %dx%d: picture %dx%d at (%d, %d); bars of %d and %d pixels\n", screen.width, screen.height,
                width, height, left, top, firstBar, secondBar);

    long barPixelsLit = 0;
    long differing = 0;
    int largest = 0;
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            const unsigned char* got = Pixel(shown.Get(), x, y);
            if (x < left || x >= left + width || y < top || y >= top + height) {
                barPixelsLit += (got[0] | got[1] | got[2]) != 0 ? 1 : 0;
                continue;
            }
            // The frame's pixel under this one's centre.
            const int sourceX =
                std::min(kRenderSize.width - 1, (2 * (x - left) + 1) * kRenderSize.width / (2 * width));
            const int sourceY =
                std::min(kRenderSize.height - 1, (2 * (y - top) + 1) * kRenderSize.height / (2 * height));
            const unsigned char* expected = Pixel(frame.Get(), sourceX, sourceY);
            int difference = 0;
            for (int channel = 0; channel < 3; ++channel) {
                difference = std::max(difference, std::abs(got[channel] - expected[channel]));
            }
            largest = std::max(largest, difference);
            differing += difference > 0 ? 1 : 0;
        }
    }
    std::printf("%ld of %ld picture pixels differ from the capture's frame scaled, by %d at most\n", differing,
                static_cast<long>(width) * height, largest);
    EXPECT_EQ(barPixelsLit, 0) << "lit pixels in the bars";
    EXPECT_EQ(differing, 0) << "the picture is not the frame scaled (on 1920x1080: the frame itself)";
}

}  // namespace
