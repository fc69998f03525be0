#include "demo.h"

#include <raylib.h>

#include "embedded_assets.h"
#include "present.h"

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
    : window(kWindowFlags, kRenderSize.width, kRenderSize.height, "Quorl"),
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
    ShowPicture(stage.Target().texture, screenWidth, screenHeight, InputPolling::Poll);
    return true;
}
