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
#include "sync/track_table.h"
#include "text_panels.h"
#include "timeline_lanes.h"
#include "timeline_panel.h"
#include "track_text_reload.h"
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

PixelPoint Pixel(Vector2 point)
{
    return {point.x, point.y};
}

// Input that the last poll took in, for the next frame to handle.
bool InputWaiting()
{
    return InputEventsWaiting() || GetMouseWheelMove() != 0.0f || IsWindowResized() || WindowShouldClose();
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
    // Escape first gives up what the editor holds (Done).
    SetExitKey(KEY_NULL);
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
    ReportEditLatency();
    WaitForNextFrame(now);
}

bool Studio::Done() const
{
    return quitAsked || WindowShouldClose();
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
        const EditorOutcome edit = editor.Key(Editing(), press.key, press.modifiers, press.repeat);
        if (edit.handled) {
            CarryOut(edit, now, press.time);
            continue;
        }
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
    const std::vector<ButtonEvent> events = TakeButtonEvents();
    const float wheel = GetMouseWheelMove();
    if (!events.empty() || wheel != 0.0f) KeepAwake();
    for (const ButtonEvent& event : events) {
        if (event.button != MOUSE_BUTTON_LEFT) continue;
        const PointerEvent pointer{Pixel(event.position), event.modifiers};
        CarryOut(event.pressed ? editor.Press(Editing(), pointer, event.time) : editor.Release(Editing(), pointer),
                 now, event.time);
    }
    if (editor.Scrubbing() || editor.Dragging()) {
        const bool shift = IsKeyDown(KEY_LEFT_SHIFT) || IsKeyDown(KEY_RIGHT_SHIFT);
        CarryOut(editor.Follow(Editing(), {Pixel(GetMousePosition()), {shift, false}}), now, now);
    }
    const PixelRect plot = TimelinePlot(layout.timeline);
    if (wheel != 0.0f && timelineShown && Inside(Pixel(GetMousePosition()), plot)) {
        timeline.Zoom(wheel, GetMousePosition().x);
    }
}

EditingFrame Studio::Editing()
{
    KeyEditModel* model = assets.Editor();
    whyNoEditor = model ? std::string() : assets.WhyNoEditor();
    return {model, whyNoEditor, RegisteredTracks(*stage.Device()), timelineShown ? layout.timeline : PixelRect{},
            timeline, SecondsToRows(transport.Seconds()), transport.Playing()};
}

void Studio::CarryOut(const EditorOutcome& outcome, double now, double eventTime)
{
    if (outcome.edited) {
        assets.ApplyEdit();
        transport.SetEnd(DemoEnd(), now);
        if (!editMadeAt) editMadeAt = eventTime;
    }
    if (outcome.seekRow) transport.SeekRow(*outcome.seekRow, now);
    if (outcome.quit) quitAsked = true;
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
    if (moved && !editor.Scrubbing()) timeline.KeepInView(SecondsToRows(clock.seconds));
}

void Studio::LogFrame(double now)
{
    log.Frame({now, clock.seconds, musicPosition, transport.Playing(), assets.TracksGeneration(),
               assets.ShaderGeneration()});
    if (log.Writing() && tableLogged != assets.TracksGeneration()) {
        log.TracksTable(EncodeTrackTable(TracksInUse(*stage.Device())));
        tableLogged = assets.TracksGeneration();
    }
}

void Studio::ReportShaderLatency()
{
    const std::optional<std::int64_t> saved = assets.TakeShaderSavedAt();
    if (!saved) return;
    const double milliseconds = static_cast<double>(WallClockNs() - *saved) / 1e6;
    log.ShaderOnScreen(milliseconds);
    std::fprintf(stderr, "quorl-studio: the new shader is on screen %.0f ms after it was saved\n", milliseconds);
}

void Studio::ReportEditLatency()
{
    if (!editMadeAt) return;
    log.EditOnScreen((GetTime() - *std::exchange(editMadeAt, std::nullopt)) * 1000.0, WallClockNs());
}

void Studio::WaitForNextFrame(double frameStart)
{
    if (framesAwake > 0) --framesAwake;
    const bool held = editor.Scrubbing() || editor.Dragging();
    const bool busy = transport.Playing() || held || framesAwake > 0 || GetTime() < awakeUntil || InputWaiting();
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
    if (!editor.Message().empty()) messages.push_back("Edit: " + editor.Message());
    log.Messages(messages);

    BeginDrawing();
    ClearBackground(BLACK);
    const PixelRect& frame = layout.frame;
    DrawPicture(stage.Target().texture, {frame.x, frame.y, frame.width, frame.height});
    if (timelineShown) {
        PlaceTimelineView(timeline, layout.timeline);
        const std::optional<PixelPoint> pointer =
            IsCursorOnScreen() ? std::optional(Pixel(GetMousePosition())) : std::nullopt;
        timelinePanel.Draw(layout.timeline, timeline, device, transport, assets.TracksGeneration(),
                           editor.Marks(Editing(), pointer));
    }
    if (overlayShown) {
        DrawOverlay(frame, OverlayText({stats.FramesPerSecond(), stats.FrameMilliseconds(), clock.seconds, scale,
                                        stage.Size(), transport.Playing(), transport.Loop()}));
    }
    DrawMessages(frame, messages);
    EndDrawing();
    EndFrame(InputPolling::Poll);
}
