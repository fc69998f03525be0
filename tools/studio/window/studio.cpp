// quorl-studio's window: set-up, one frame, and what a frame does with input.
#include "studio.h"

#include <raylib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "embedded_assets.h"
#include "input_events.h"
#include "overlay_text.h"
#include "present.h"
#include "sync/tempo.h"
#include "text_panels.h"
#include "timeline_panel.h"
#include "transport_keys.h"

namespace {

constexpr unsigned kWindowFlags = FLAG_WINDOW_RESIZABLE | FLAG_VSYNC_HINT;
// Without vertical sync (a virtual display) the loop would spin; a paused
// studio has nothing to show faster than this.
constexpr double kShortestFrame = 1.0 / 60.0;
// Asleep, the studio looks at the watched files this often: a change is read
// once it has settled (FileWatch::kSettleNs), in frames drawn meanwhile.
constexpr double kFileLookSeconds = 0.05;
// Frames go on for a while after input or a change: what follows it (a key's
// release, a screenshot, the frames a script waits for) needs no new event.
constexpr double kAwakeSeconds = 1.0;
constexpr int kAwakeFrames = 3;

void PlaceOnMonitor(std::optional<int> monitor)
{
    if (!monitor) return;
    const int count = GetMonitorCount();
    if (*monitor < count) {
        SetWindowMonitor(*monitor);
        return;
    }
    std::fprintf(stderr, "quorl-studio: there is no monitor %d (this system has %d): the window stays where it opened\n",
                 *monitor, count);
}

bool Inside(Vector2 point, PixelRect area)
{
    return point.x >= area.x && point.x < area.x + area.width && point.y >= area.y && point.y < area.y + area.height;
}

// Input that the last poll took in, for the next frame to handle.
bool InputWaiting()
{
    return PressesWaiting() || GetMouseWheelMove() != 0.0f || IsWindowResized() || WindowShouldClose();
}

}  // namespace

Studio::Studio(const StudioOptions& options)
    : log(std::getenv("QUORL_STUDIO_FRAME_LOG")),
      window(kWindowFlags, options.window.width, options.window.height, "quorl-studio"),
      music(".ogg", {MUSIC_OGG, MUSIC_OGG_SIZE}),
      player(music),
      stage(&clock, &music, ScaledRenderSize(options.scale)),
      assets(stage, options.project),
      transport(player, DemoEnd(), options.at, GetTime()),
      timeline(SecondsToRows(player.Length()), 0.0f, 1.0f),
      scale(options.scale)
{
    PlaceOnMonitor(options.monitor);
    SetWindowMinSize(320, 200);
    RecordInputEvents();
    // The picture is scaled to the frame; at a small --scale, smoothly.
    SetTextureFilter(stage.Target().texture, TEXTURE_FILTER_BILINEAR);
    lastFrameStart = GetTime();
    // The project's assets come first, a shader's compile shown on screen;
    // the playhead is then held within their end.
    ReloadAssets(lastFrameStart);
    transport.Seek(options.at, lastFrameStart);
    clock.seconds = transport.Seconds();
    if (!options.paused) transport.TogglePlay(lastFrameStart);
}

double Studio::DemoEnd() const
{
    // A choreography that never ends still stops with the music.
    return std::min(stage.EndOfDemo(), player.Length());
}

void Studio::Frame()
{
    const double now = StartFrame();
    HandleKeys(now);
    HandleMouse(now);
    ReloadAssets(now);
    AdvanceTransport(now);
    RenderPicture();
    Present();
    LogFrame(now);
    ReportShaderLatency();
    WaitForNextFrame(now);
}

double Studio::StartFrame()
{
    const double now = GetTime();
    // A sleep is no frame's time.
    if (!std::exchange(slept, false)) stats.Add(now - lastFrameStart);
    lastFrameStart = now;
    return now;
}

void Studio::HandleKeys(double now)
{
    const std::vector<KeyPress> presses = TakeKeyPresses();
    if (!presses.empty()) KeepAwake();
    for (const KeyPress& press : presses) {
        if (const auto action = TransportActionForKey(press.key, press.modifiers, press.repeat)) {
            ApplyTransportAction(transport, *action, now);
            continue;
        }
        if (press.repeat) continue;
        switch (press.key) {
        case KEY_TAB:
            timelineShown = !timelineShown;
            break;
        case KEY_F:
            overlayShown = !overlayShown;
            break;
        case KEY_F11:
            // Full screen without changing the monitor's mode, on the
            // monitor the window is on.
            ToggleBorderlessWindowed();
            break;
        default:
            break;
        }
    }
}

void Studio::HandleMouse(double now)
{
    const PixelRect plot{layout.timeline.x + kTimelineLabelWidth, layout.timeline.y,
                         layout.timeline.width - kTimelineLabelWidth, layout.timeline.height};
    const std::vector<ButtonPress> presses = TakeButtonPresses();
    const float wheel = GetMouseWheelMove();
    if (!presses.empty() || wheel != 0.0f) KeepAwake();
    for (const ButtonPress& press : presses) {
        if (press.button != MOUSE_BUTTON_LEFT || !timelineShown || !Inside(press.position, plot)) continue;
        scrubbing = true;
        scrubX = press.position.x;
        transport.Seek(RowsToSeconds(timeline.XToRow(scrubX)), now);
    }
    if (scrubbing) {
        if (!IsMouseButtonDown(MOUSE_BUTTON_LEFT)) {
            scrubbing = false;
        } else if (GetMouseX() != static_cast<int>(scrubX)) {
            // Seeking only when the pointer moved keeps the music from
            // restarting on the spot every frame.
            scrubX = static_cast<float>(GetMouseX());
            transport.Seek(RowsToSeconds(timeline.XToRow(scrubX)), now);
        }
    }
    if (wheel != 0.0f && timelineShown && Inside(GetMousePosition(), plot)) timeline.Zoom(wheel, GetMousePosition().x);
}

void Studio::ReloadAssets(double now)
{
    if (assets.ChangeWaiting()) KeepAwake();
    if (assets.Poll([this] { Present(); })) transport.SetEnd(DemoEnd(), now);
}

void Studio::AdvanceTransport(double now)
{
    transport.Tick(now);
    musicPosition = player.Position();
    const bool moved = transport.Seconds() != clock.seconds;
    clock.seconds = transport.Seconds();
    if (moved && !scrubbing) timeline.KeepInView(SecondsToRows(clock.seconds));
}

void Studio::LogFrame(double now)
{
    log.Frame({now, clock.seconds, musicPosition, transport.Playing(), assets.TracksGeneration(),
               assets.ShaderGeneration()});
}

void Studio::ReportShaderLatency()
{
    const std::optional<std::int64_t> saved = assets.TakeShaderSavedAt();
    if (!saved) return;
    const double milliseconds = static_cast<double>(WallClockNs() - *saved) / 1e6;
    log.ShaderOnScreen(milliseconds);
    std::fprintf(stderr, "quorl-studio: the new shader is on screen %.0f ms after it was saved\n", milliseconds);
}

void Studio::WaitForNextFrame(double frameStart)
{
    if (framesAwake > 0) --framesAwake;
    const bool busy = transport.Playing() || scrubbing || framesAwake > 0 || GetTime() < awakeUntil || InputWaiting();
    if (!busy) {
        SleepUntilSomethingHappens();
        return;
    }
    const double spent = GetTime() - frameStart;
    if (spent < kShortestFrame) WaitTime(kShortestFrame - spent);
}

void Studio::KeepAwake()
{
    awakeUntil = GetTime() + kAwakeSeconds;
    framesAwake = kAwakeFrames;
}

void Studio::SleepUntilSomethingHappens()
{
    slept = true;
    while (!WaitForWindowEvent(kFileLookSeconds) && !assets.ChangeWaiting()) {
    }
    KeepAwake();
}

void Studio::RenderPicture()
{
    const PictureState state{clock.seconds, assets.TracksGeneration(), assets.ShaderGeneration()};
    if (rendered == state) return;
    sceneShown = stage.Render();
    rendered = state;
}

void Studio::Present()
{
    const SyncDevice& device = *stage.Device();
    layout = LayOutStudio(GetScreenWidth(), GetScreenHeight(), timelineShown,
                          static_cast<int>(RegisteredTracks(device).size()));
    log.Layout(layout);
    log.View(timeline.FirstRow(), timeline.RowsInView());
    std::vector<std::string> messages = assets.Messages();
    if (!sceneShown) messages.emplace_back("The \"scene\" track selects no scene here: the last frame drawn stays.");
    log.Messages(messages);

    BeginDrawing();
    ClearBackground(BLACK);
    const PixelRect& frame = layout.frame;
    DrawPicture(stage.Target().texture, {frame.x, frame.y, frame.width, frame.height});
    if (timelineShown) {
        PlaceTimelineView(timeline, layout.timeline);
        timelinePanel.Draw(layout.timeline, timeline, device, transport, assets.TracksGeneration());
    }
    if (overlayShown) {
        DrawOverlay(frame, OverlayText({stats.FramesPerSecond(), stats.FrameMilliseconds(), clock.seconds, scale,
                                        stage.Size(), transport.Playing(), transport.Loop()}));
    }
    DrawMessages(frame, messages);
    EndDrawing();
    EndFrame(InputPolling::Poll);
}
