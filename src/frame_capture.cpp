#include "frame_capture.h"

#include <rlgl.h>

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

ScopedImage FrameCapture::ReadBack() const
{
    // The target keeps the bottom row first, as OpenGL does.
    ScopedImage image(LoadImageFromTexture(stage.Target().texture));
    ImageFlipVertical(image.Edit());
    return image;
}
