#include "frame_capture.h"

#include <rlgl.h>

#include <cmath>

FrameCapture::FrameCapture() : stage(&clock, nullptr) {}

bool FrameCapture::Render(double seconds, PixelRegion region)
{
    clock.seconds = seconds;
    // The scissor box is in the target's own pixels while the target is bound;
    // the Stage flushes its drawing before it returns.
    rlEnableScissorTest();
    rlScissor(region.x, region.y, region.width, region.height);
    const bool shown = stage.Render();
    rlDisableScissorTest();
    return shown;
}

bool FrameCapture::ShowsFrameAt(double seconds)
{
    return Render(seconds, PixelRegion{0, 0, 0, 0});
}

double FrameCapture::EndOfDemo()
{
    if (!ShowsFrameAt(0.0)) return 0.0;
    // Doubling finds a reading past the end; halving then closes in on it.
    double shown = 0.0;
    double ended = 1.0;
    while (ShowsFrameAt(ended)) {
        if (std::isinf(ended)) return ended;  // a demo that never ends
        shown = ended;
        ended *= 2.0;
    }
    for (;;) {
        const double middle = shown + (ended - shown) / 2.0;
        if (middle == shown || middle == ended) return ended;
        (ShowsFrameAt(middle) ? shown : ended) = middle;
    }
}

ScopedImage FrameCapture::ReadBack() const
{
    // The target keeps the bottom row first, as OpenGL does.
    ScopedImage image(LoadImageFromTexture(stage.Target().texture));
    ImageFlipVertical(image.Edit());
    return image;
}
