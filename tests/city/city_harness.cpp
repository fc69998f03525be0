#include "city_harness.h"

#include <rlgl.h>

#include <cmath>
#include <cstdlib>

#include "embedded_assets.h"
#include "scoped_image.h"
#include "sync_context.h"

namespace {

std::vector<Rgba> PixelsOf(const Image& upright, std::span<const Pixel> pixels)
{
    const auto* data = static_cast<const unsigned char*>(upright.data);
    std::vector<Rgba> colours;
    for (const Pixel pixel : pixels) {
        const std::size_t row = static_cast<std::size_t>(upright.height - 1 - pixel.y);
        const unsigned char* rgba = data + 4 * (row * static_cast<std::size_t>(upright.width) +
                                                 static_cast<std::size_t>(pixel.x));
        colours.push_back({rgba[0], rgba[1], rgba[2], rgba[3]});
    }
    return colours;
}

void Upload(const Shader& shader, const char* name, const void* value, int type)
{
    SetShaderValue(shader, GetShaderLocation(shader, name), value, type);
}

void Upload(const Shader& shader, const char* name, Vec3 value)
{
    const float vector[3] = {static_cast<float>(value.x), static_cast<float>(value.y), static_cast<float>(value.z)};
    Upload(shader, name, vector, SHADER_UNIFORM_VEC3);
}

}  // namespace

Pixel PixelAt(FragmentPosition fragment)
{
    return {static_cast<int>(std::floor(fragment.x)), static_cast<int>(std::floor(fragment.y))};
}

Pixel PixelShowing(Vec3 camera, Vec3 angles, Vec3 point)
{
    return PixelAt(Project(camera, angles, point).value());
}

CityShaderHarness::CityShaderHarness(int targetWidth, int targetHeight)
    : shader(nullptr, CITY_SHADER_SOURCE), target(targetWidth, targetHeight), width(targetWidth), height(targetHeight)
{
    RequireCompleteTarget(target.Get());
}

void CityShaderHarness::Draw(const CityUniforms& uniforms, PixelRegion region)
{
    const Shader program = shader.Get();
    const float resolution[2] = {static_cast<float>(width), static_cast<float>(height)};
    Upload(program, "resolution", resolution, SHADER_UNIFORM_VEC2);
    Upload(program, "time", &uniforms.time, SHADER_UNIFORM_FLOAT);
    Upload(program, "fadeToBlack", &uniforms.fadeToBlack, SHADER_UNIFORM_FLOAT);
    Upload(program, "cameraPosition", uniforms.cameraPosition);
    Upload(program, "cameraRotation", uniforms.cameraRotation);
    Upload(program, "seagullPosition", uniforms.seagullPosition);

    BeginTextureMode(target.Get());
    rlEnableScissorTest();
    rlScissor(region.x, region.y, region.width, region.height);
    BeginShaderMode(program);
    DrawRectangle(0, 0, width, height, WHITE);
    EndShaderMode();
    rlDisableScissorTest();
    EndTextureMode();
}

std::vector<Rgba> CityShaderHarness::Sample(const CityUniforms& uniforms, std::span<const Pixel> pixels)
{
    for (const Pixel pixel : pixels) Draw(uniforms, {pixel.x, pixel.y, 1, 1});
    ScopedImage image(LoadImageFromTexture(target.Get().texture));
    ImageFlipVertical(image.Edit());
    return PixelsOf(image.Get(), pixels);
}

std::vector<Rgba> CityShaderHarness::SampleAll(const CityUniforms& uniforms)
{
    Draw(uniforms, {0, 0, width, height});
    std::vector<Pixel> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back({x, y});
    }
    ScopedImage image(LoadImageFromTexture(target.Get().texture));
    ImageFlipVertical(image.Edit());
    return PixelsOf(image.Get(), pixels);
}

CityShaderHarness& FullFrameHarness()
{
    static CityShaderHarness harness;
    return harness;
}

CityShaderHarness& SmallFrameHarness()
{
    static CityShaderHarness harness(96, 54);
    return harness;
}

FrameCapture& DemoFrames()
{
    static FrameCapture capture;
    return capture;
}

std::vector<Rgba> SampleDemoFrame(FrameCapture& capture, double seconds, std::span<const Pixel> pixels)
{
    for (const Pixel pixel : pixels) capture.Render(seconds, {pixel.x, pixel.y, 1, 1});
    return PixelsOf(capture.ReadBack().Get(), pixels);
}

CityUniforms TrackedUniforms(double seconds)
{
    DemoClock clock{false, seconds};
    const SyncContext context(&clock, nullptr);
    const auto value = [&](const char* name) { return BindTrack(context, name).Value(); };
    const auto vector = [&](const char* x, const char* y, const char* z) {
        return Vec3{value(x), value(y), value(z)};
    };
    return {static_cast<float>(seconds), static_cast<float>(value("ftb")),
            vector("camera_position:x", "camera_position:y", "camera_position:z"),
            vector("camera_rotation:x", "camera_rotation:y", "camera_rotation:z"),
            vector("seagull:x", "seagull:y", "seagull:z")};
}

bool LooksLikeSeagull(Rgba colour)
{
    return colour.r >= 40 && colour.b <= colour.r * 115 / 100 + 3;
}

bool LooksLikeSky(Rgba colour, Pixel pixel)
{
    const FragmentPosition centre{pixel.x + 0.5, pixel.y + 0.5};
    return IsNear(colour, Finish(kSkyColour * Vignette(centre)), 1);
}

bool IsNear(Rgba colour, Rgb8 expected, int tolerance)
{
    return std::abs(colour.r - expected.r) <= tolerance && std::abs(colour.g - expected.g) <= tolerance &&
           std::abs(colour.b - expected.b) <= tolerance;
}
