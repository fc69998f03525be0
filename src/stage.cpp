#include "stage.h"

#include <cmath>
#include <utility>

#include "scenes/city.h"

namespace {

SceneTable MakeScenes(DemoClock* clock, SyncContext* context)
{
    return {std::make_unique<City>(clock, context)};
}

}  // namespace

std::optional<int> SceneIndex(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::nullopt;
    return static_cast<int>(value);
}

Stage::Stage(DemoClock* clock, const ScopedMusic* music, RenderSize targetSize)
    : context(clock, music),
      sceneTrack(BindTrack(context, "scene")),
      scenes(MakeScenes(clock, &context)),
      size(targetSize),
      target(size.width, size.height)
{
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
    scenes[*index]->Draw(size);
    EndTextureMode();
    return true;
}

void Stage::UseCityShader(ScopedShader shader)
{
    // Slot 0 holds the City (MakeScenes).
    static_cast<City&>(*scenes[0]).UseShader(std::move(shader));
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
