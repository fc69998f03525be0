// Renders chosen pixels of the City shader and reads them back: either the
// embedded shader fed with uniforms of a test's choosing, or the demo's own
// frames through FrameCapture. Only the pixels asked for are shaded, which
// keeps a software renderer quick. Needs the hidden window of the test main.
#pragma once

#include <raylib.h>

#include <span>
#include <vector>

#include "frame_capture.h"
#include "scoped_media.h"
#include "shader_reference.h"

struct CityUniforms {
    float time = 0.0f;
    float fadeToBlack = 0.0f;
    Vec3 cameraPosition{0, 0, 0};
    Vec3 cameraRotation{0, 0, 0};  // degrees
    Vec3 seagullPosition{0, 0, 0};
};

struct Rgba {
    int r;
    int g;
    int b;
    int a;
};

// The pixel that covers a fragment position.
struct Pixel {
    int x;
    int y;  // from the bottom, as gl_FragCoord counts
};

Pixel PixelAt(FragmentPosition fragment);
// The pixel where a world point is drawn; throws when it is not on the target.
Pixel PixelShowing(Vec3 camera, Vec3 anglesInDegrees, Vec3 point);

// The embedded City shader, drawn into a target of its own.
class CityShaderHarness {
public:
    // The shader is told the target's size as its resolution, so a small
    // target holds the whole picture at a coarser sampling.
    explicit CityShaderHarness(int width = kRenderSize.width, int height = kRenderSize.height);

    std::vector<Rgba> Sample(const CityUniforms& uniforms, std::span<const Pixel> pixels);
    // Every pixel of the target, bottom row first.
    std::vector<Rgba> SampleAll(const CityUniforms& uniforms);

private:
    void Draw(const CityUniforms& uniforms, PixelRegion region);

    ScopedShader shader;
    ScopedRenderTexture target;
    int width;
    int height;
};

// One of each for the whole test program: llvmpipe takes a while to compile
// the shader.
CityShaderHarness& FullFrameHarness();
CityShaderHarness& SmallFrameHarness();  // 96x54
FrameCapture& DemoFrames();

// The demo's frame at a clock reading, at the given pixels.
std::vector<Rgba> SampleDemoFrame(FrameCapture& capture, double seconds, std::span<const Pixel> pixels);

// The ten tracks' values at a clock reading, as the City uploads them.
CityUniforms TrackedUniforms(double seconds);

// Seagull parts are grey, white or orange, never blue like the city, the fog
// and the sky.
bool LooksLikeSeagull(Rgba colour);
// The sky colour as the vignette leaves it at a pixel of a 1920x1080 target.
bool LooksLikeSky(Rgba colour, Pixel pixel);
bool IsNear(Rgba colour, Rgb8 expected, int tolerance = 2);
