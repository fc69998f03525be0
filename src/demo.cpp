#include "demo.h"

#include <raylib.h>

#include <string>

#include "embedded_assets.h"
#include "present.h"

namespace {

constexpr unsigned kFullScreenFlags = FLAG_FULLSCREEN_MODE | FLAG_VSYNC_HINT;
constexpr unsigned kWindowFlags = FLAG_WINDOW_RESIZABLE | FLAG_VSYNC_HINT;
constexpr PixelSize kWindowSize{1280, 720};

// A full-screen window takes the monitor's own size (raylib 6 keeps the
// desktop's mode); the picture is then placed on it at 16:9.
ScopedWindow OpenWindow(const DemoOptions& options)
{
    if (options.windowed) return {kWindowFlags, kWindowSize.width, kWindowSize.height, "Quorl"};
    return {kFullScreenFlags, kRenderSize.width, kRenderSize.height, "Quorl"};
}

void PlaceOnMonitor(std::optional<int> monitor)
{
    if (!monitor) return;
    const int count = GetMonitorCount();
    if (*monitor >= count) {
        throw UsageError("--monitor " + std::to_string(*monitor) + ": there is no such monitor (this system has " +
                         std::to_string(count) + ")");
    }
    SetWindowMonitor(*monitor);
}

PixelSize ScreenSize()
{
    return {GetScreenWidth(), GetScreenHeight()};
}

}  // namespace

Demo::Demo(const DemoOptions& options)
    : window(OpenWindow(options)),
      music(".ogg", {MUSIC_OGG, MUSIC_OGG_SIZE}),
      stage(&clock, &music)
{
    PlaceOnMonitor(options.monitor);
    HideCursor();
    screen = ScreenSize();
    // The demo's time starts with the music, everything else being ready.
    PlayMusicStream(music.Get());
    feeder.emplace(music);
    following.Restart(0.0, GetTime());
}

void Demo::Run()
{
    while (!WindowShouldClose()) {
        if (!Frame() && IsWindowReady()) CloseWindow();
    }
}

bool Demo::Frame()
{
    if (IsWindowResized()) screen = ScreenSize();
    const double now = GetTime();
    FollowTheWindow(now);
    if (minimised) {
        // Waits for the window's events until it is back.
        PollInputEvents();
        return true;
    }
    feeder->Feed();
    clock.seconds = following.Follow(now, HeardSeconds());
    if (!stage.Render()) return false;
    ShowPicture(stage.Target().texture, screen, InputPolling::Poll);
    return true;
}

void Demo::FollowTheWindow(double now)
{
    if (IsWindowMinimized() == minimised) return;
    minimised = !minimised;
    if (minimised) {
        PauseMusicStream(music.Get());
    } else {
        ResumeMusicStream(music.Get());
        following.Restart(HeardSeconds(), now);
    }
}

double Demo::HeardSeconds() const
{
    return GetMusicTimePlayed(music.Get()) - audio.BufferedSeconds();
}
