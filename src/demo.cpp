#include "demo.h"

#include <raylib.h>

#include <optional>

#include "embedded_assets.h"
#include "scenes/city.h"

namespace {

constexpr unsigned kWindowFlags = FLAG_FULLSCREEN_MODE | FLAG_VSYNC_HINT;

// The demo's time starts once the media are up and the cursor is hidden.
DemoClock StartClock()
{
    HideCursor();
    DemoClock clock;
    clock.Reset();
    return clock;
}

SceneTable MakeScenes(DemoClock* clock, SyncContext* context)
{
    return {std::make_unique<City>(clock, context)};
}

// The scene track's value truncated toward zero; none when it is NaN or its
// truncation does not fit 32 bits.
std::optional<int> SceneIndex(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

Demo::Demo()
    : window(kWindowFlags, kRenderWidth, kRenderHeight, "Quorl"),
      music(".ogg", {MUSIC_OGG, MUSIC_OGG_SIZE}),
      clock(StartClock()),
      context(&clock, &music),
      sceneTrack(BindTrack(context, "scene")),
      scenes(MakeScenes(&clock, &context)),
      screenWidth(static_cast<float>(GetScreenWidth())),
      screenHeight(static_cast<float>(GetScreenHeight())),
      target(kRenderWidth, kRenderHeight)
{
    PlayMusicStream(music.Get());
}

void Demo::Run()
{
    while (!WindowShouldClose()) {
        if (!Frame() && IsWindowReady()) CloseWindow();
    }
}

bool Demo::Frame()
{
    if (IsWindowResized()) {
        screenWidth = static_cast<float>(GetScreenWidth());
        screenHeight = static_cast<float>(GetScreenHeight());
    }
    clock.Update();
    UpdateMusicStream(music.Get());

    const std::optional<int> index = SceneIndex(sceneTrack.Value());
    if (!index || *index < 0 || *index >= static_cast<int>(scenes.size())) return false;

    const RenderTexture2D texture = target.Get();
    BeginTextureMode(texture);
    scenes[static_cast<std::size_t>(*index)]->Draw();
    EndTextureMode();

    BeginDrawing();
    const Rectangle source{0, 0, static_cast<float>(texture.texture.width), -static_cast<float>(texture.texture.height)};
    DrawTexturePro(texture.texture, source, {0, 0, screenWidth, screenHeight}, {0, 0}, 0, WHITE);
    EndDrawing();
    SwapScreenBuffer();
    PollInputEvents();
    return true;
}
