#include "demo.h"

#include <raylib.h>

#include "embedded_assets.h"

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

}  // namespace

Demo::Demo()
    : window(kWindowFlags, kRenderWidth, kRenderHeight, "Quorl"),
      music(".ogg", {MUSIC_OGG, MUSIC_OGG_SIZE}),
      clock(StartClock()),
      stage(&clock, &music)
{
    screenWidth = static_cast<float>(GetScreenWidth());
    screenHeight = static_cast<float>(GetScreenHeight());
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
    if (!stage.Render()) return false;

    // The target is stored upside down; a negative source height turns it upright.
    const Texture2D picture = stage.Target().texture;
    const Rectangle source{0, 0, static_cast<float>(picture.width), -static_cast<float>(picture.height)};
    BeginDrawing();
    DrawTexturePro(picture, source, {0, 0, screenWidth, screenHeight}, {0, 0}, 0, WHITE);
    EndDrawing();
    SwapScreenBuffer();
    PollInputEvents();
    return true;
}
