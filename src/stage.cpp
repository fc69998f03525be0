#include "stage.h"

#include <rlgl.h>

#include <cmath>
#include <utility>

#include "raylib_compat.h"
#include "raylib_log.h"
#include "startup_failure.h"

std::optional<int> SceneIndex(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::nullopt;
    return static_cast<int>(value);
}

Stage::Stage(DemoClock* clock, const ScopedMusic* music, PixelSize targetSize)
    : context(clock, music),
      sceneTrack(BindTrack(context, "scene")),
      size(targetSize),
      target(size.width, size.height)
{
    const LogCapture compilerLog(LogEcho::On);
    PlaceCity(std::make_unique<City>(clock, &context));
    if (!city->ShaderCompiled()) throw StartupFailure(ShaderFailureLine(compilerLog.Lines()));
    RequireCompleteTarget(target.Get());
}

Stage::Stage(DemoClock* clock, const ScopedMusic* music, ScopedShader cityShader)
    : context(clock, music), sceneTrack(BindTrack(context, "scene")), size(kRenderSize), target(size.width, size.height)
{
    PlaceCity(std::make_unique<City>(clock, &context, std::move(cityShader)));
    RequireCompleteTarget(target.Get());
}

void Stage::PlaceCity(std::unique_ptr<City> madeCity)
{
    city = madeCity.get();
    scenes[0] = std::move(madeCity);
}

void RequireCompleteTarget(RenderTexture2D target)
{
    if (!IsRenderTextureLoaded(target) || !rlFramebufferComplete(target.id)) {
        throw StartupFailure(RenderTargetFailureLine({target.texture.width, target.texture.height}));
    }
}

std::optional<std::size_t> Stage::SceneAt(double seconds) const
{
    const std::optional<int> index = SceneIndex(GetTrackValue(sceneTrack.track, SecondsToRows(seconds)));
    if (!index || *index < 0 || *index >= static_cast<int>(scenes.size())) return std::nullopt;
    return static_cast<std::size_t>(*index);
}

bool Stage::Render()
{
    const std::optional<std::size_t> index = SceneAt(sceneTrack.clock->seconds);
    if (!index) return false;

    BeginTextureMode(target.Get());
    // A shader being edited may write transparent or not-a-number pixels, or
    // none: they must not show the last frame, nor blend with it.
    ClearBackground(BLACK);
    rlDisableColorBlend();
    scenes[*index]->Draw(size);
    rlDrawRenderBatchActive();
    rlEnableColorBlend();
    EndTextureMode();
    return true;
}

bool Stage::Resize(PixelSize newSize)
{
    if (newSize == size) return false;
    target = ScopedRenderTexture(newSize.width, newSize.height);
    size = newSize;
    return true;
}

void Stage::UseCityShader(ScopedShader shader)
{
    city->UseShader(std::move(shader));
}

bool Stage::HasEndedAt(double seconds) const
{
    return !SceneAt(seconds);
}

double Stage::EndOfDemo() const
{
    if (HasEndedAt(0.0)) return 0.0;
    // Doubling finds a reading past the end; halving then closes in on it.
    double shown = 0.0;
    double ended = 1.0;
    while (!HasEndedAt(ended)) {
        if (std::isinf(ended)) return ended;
        shown = ended;
        ended *= 2.0;
    }
    for (;;) {
        const double middle = shown + (ended - shown) / 2.0;
        if (middle == shown || middle == ended) return ended;
        (HasEndedAt(middle) ? ended : shown) = middle;
    }
}
