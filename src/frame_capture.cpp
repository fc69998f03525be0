#include "frame_capture.h"

#include <rlgl.h>

#include <stdexcept>
#include <string>

#include "compiler_messages.h"
#include "raylib_compat.h"

void RequireCompleteTarget(RenderTexture2D target)
{
    if (!IsRenderTextureLoaded(target) || !rlFramebufferComplete(target.id)) {
        throw std::runtime_error("the graphics driver cannot make a " + std::to_string(target.texture.width) + "x" +
                                 std::to_string(target.texture.height) + " off-screen target to render into");
    }
}

// The log capture is a temporary of the delegating call: it lives through the
// whole of the constructor below.
FrameCapture::FrameCapture() : FrameCapture(LogCapture()) {}

FrameCapture::FrameCapture(LogCapture&& compilerLog) : stage(&clock, nullptr)
{
    if (!stage.CityShaderCompiled()) {
        const std::string messages = CompilerMessages(compilerLog.Lines());
        const std::string first = messages.substr(0, messages.find('\n'));
        throw std::runtime_error("the demo's shader does not compile" + (first.empty() ? "" : ": " + first));
    }
    RequireCompleteTarget(stage.Target());
    compilerLog.PassOn();
}

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
