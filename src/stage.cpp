#include "stage.h"

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

Stage::Stage(DemoClock* clock, const ScopedMusic* music)
    : context(clock, music),
      sceneTrack(BindTrack(context, "scene")),
      scenes(MakeScenes(clock, &context)),
      target(kRenderWidth, kRenderHeight)
{
}

bool Stage::Render()
{
    const std::optional<int> index = SceneIndex(sceneTrack.Value());
    if (!index || *index < 0 || *index >= static_cast<int>(scenes.size())) return false;

    BeginTextureMode(target.Get());
    scenes[static_cast<std::size_t>(*index)]->Draw();
    EndTextureMode();
    return true;
}
