// quorl-studio's window: set-up, one frame, and what a frame does with input.
#include "studio.h"

#include <raylib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <variant>

#include "compiler_messages.h"
#include "embedded_assets.h"
#include "input_events.h"
#include "key_help.h"
#include "overlay_text.h"
#include "pending_file.h"
#include "present.h"
#include "raylib_log.h"
#include "scenes/city_shader.h"
#include "sync/tempo.h"
#include "sync/track_table.h"
#include "text_panels.h"
#include "timeline_lanes.h"
#include "timeline_panel.h"
#include "track_text_reload.h"
#include "transport_keys.h"
#include "view_keys.h"

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

// The embedded music's loudness, decoded once.
MusicEnvelope EnvelopeOfMusic()
{
    Wave wave = LoadWaveFromMemory(".ogg", MUSIC_OGG, static_cast<int>(MUSIC_OGG_SIZE));
    if (!IsWaveValid(wave)) return {};
    float* samples = LoadWaveSamples(wave);
    const MusicEnvelope envelope(
        {samples, static_cast<std::size_t>(wave.frameCount) * wave.channels}, static_cast<int>(wave.channels),
        static_cast<int>(wave.sampleRate));
    UnloadWaveSamples(samples);
    UnloadWave(wave);
    return envelope;
}

std::string ReadClipboard()
{
    const char* text = GetClipboardText();
    return text ? text : "";
}

// Input that the last poll took in, for the next frame to handle.
bool InputWaiting()
{
    return InputEventsWaiting() || GetMouseWheelMove() != 0.0f || IsWindowResized() || WindowShouldClose();
}

}  // namespace

Studio::WritesPastTheSizeLimitFail::WritesPastTheSizeLimitFail()
{
    LetWritesPastTheSizeLimitFail();
}

Studio::Studio(const StudioOptions& options)
    : log(std::getenv("QUORL_STUDIO_FRAME_LOG")),
      window(kWindowFlags, options.window.width, options.window.height, "quorl-studio"),
      music(".ogg", {MUSIC_OGG, MUSIC_OGG_SIZE}),
      player(music),
      stage(&clock, &music, ScaledRenderSize(options.scale)),
      assets(stage.Device(), CITY_SHADER_SOURCE, options.project,
             [this](const std::string& source) -> std::optional<std::string> {
                 LogCapture compilerLog;
                 ScopedShader compiled = CompileCityShader(source.c_str());
                 if (!compiled.Compiled()) return CompilerMessages(compilerLog.Lines());
                 stage.UseCityShader(std::move(compiled));
                 return std::nullopt;
             }),
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
    envelope = EnvelopeOfMusic();
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
    RefreshLanes();
    HandleInput(now);
    ReloadAssets(now);
    RefreshLanes();
    editor.Refresh(assets.Editor());
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

void Studio::HandleInput(double now)
{
    const std::vector<InputEvent> events = TakeInputEvents();
    const float wheel = GetMouseWheelMove();
    if (!events.empty() || wheel != 0.0f) KeepAwake();
    // Text goes to a name being typed, unless the key that typed it did
    // something else (M opening the name types no m).
    bool textTyped = false;
    for (const InputEvent& event : events) {
        if (const auto* button = std::get_if<ButtonEvent>(&event)) {
            HandleButton(*button, now);
            continue;
        }
        const KeyPress& press = std::get<KeyPress>(event);
        if (press.key == KEY_NULL) {
            if (textTyped) CarryOut(editor.Character(press.character), now, press.time);
            continue;
        }
        textTyped = editor.Typing();
        HandleKey(press, now);
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

void Studio::HandleKey(const KeyPress& press, double now)
{
    if (helpShown && !editor.Typing() && press.key == KEY_ESCAPE) {
        helpShown = false;
        return;
    }
    const EditorOutcome edit = editor.Key(Editing(), press.key, press.modifiers, press.repeat);
    if (edit.handled) {
        CarryOut(edit, now, press.time);
        return;
    }
    if (const auto action = TransportActionForKey(press.key, press.modifiers, press.repeat)) {
        ApplyTransportAction(transport, *action, now);
        return;
    }
    HandleViewKey(press);
}

void Studio::HandleViewKey(const KeyPress& press)
{
    const std::optional<ViewCommand> command = ViewCommandForKey(press.key, press.modifiers, press.repeat);
    if (!command) return;
    switch (*command) {
    case ViewCommand::ToggleTimeline:
        timelineShown = !timelineShown;
        break;
    case ViewCommand::ToggleOverlay:
        overlayShown = !overlayShown;
        break;
    case ViewCommand::ToggleHelp:
        helpShown = !helpShown;
        break;
    case ViewCommand::ToggleFullScreen:
        // Full screen without changing the monitor's mode, on the monitor
        // the window is on.
        ToggleBorderlessWindowed();
        break;
    }
}

void Studio::HandleButton(const ButtonEvent& event, double now)
{
    if (event.button != MOUSE_BUTTON_LEFT) return;
    const PointerEvent pointer{Pixel(event.position), event.modifiers};
    CarryOut(event.pressed ? editor.Press(Editing(), pointer, event.time) : editor.Release(Editing(), pointer), now,
             event.time);
}

void Studio::RefreshLanes()
{
    const std::pair<int, const KeyEditModel*> now{assets.TracksGeneration(), assets.Editor()};
    if (lanesMadeFor == now) return;
    lanes = LaneTracks(RegisteredTracks(*stage.Device()), assets.Editor());
    lanesMadeFor = now;
}

EditingFrame Studio::Editing()
{
    KeyEditModel* model = assets.Editor();
    whyNoEditor = model ? std::string() : assets.WhyNoEditor();
    const LoopSpan& loop = transport.Loop();
    const auto row = [](double seconds) { return static_cast<std::int32_t>(std::lround(SecondsToRows(seconds))); };
    const std::optional<RowSpan> loopRows =
        loop.enabled && loop.Active() ? std::optional(RowSpan{row(loop.start), row(loop.end)}) : std::nullopt;
    // The end is the first row the demo does not show.
    const auto endRow = static_cast<std::int32_t>(std::ceil(SecondsToRows(DemoEnd()) - 1e-6));
    return {model,           whyNoEditor, lanes, timelineShown ? layout.timeline : PixelRect{}, timeline,
            SecondsToRows(transport.Seconds()), transport.Playing(), endRow, loopRows, ReadClipboard};
}

void Studio::CarryOut(const EditorOutcome& outcome, double now, double eventTime)
{
    if (outcome.edited) {
        if (assets.ApplyEdit()) transport.SetEnd(DemoEnd(), now);
        if (!editMadeAt) editMadeAt = eventTime;
    }
    if (outcome.copied) SetClipboardText(outcome.copied->c_str());
    if (!outcome.refusal.empty()) SayOnStandardError("Edit: " + outcome.refusal);
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
    // An event that came as the wait ran out (or whose wait returned late on
    // a loaded machine) counts as no event by the wait's own clock: what the
    // callbacks took in says so too.
    while (!WaitForWindowEvent(kFileLookSeconds) && !InputWaiting() && !assets.ChangeWaiting()) {
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
        timelinePanel.Draw(layout.timeline, timeline, device, envelope, transport, assets.TracksGeneration(),
                           editor.Marks(Editing(), pointer));
    }
    if (overlayShown) {
        DrawOverlay(frame, OverlayText({stats.FramesPerSecond(), stats.FrameMilliseconds(), clock.seconds, scale,
                                        stage.Size(), transport.Playing(), transport.Loop()}));
    }
    if (helpShown) {
        DrawHelp({0.0f, 0.0f, static_cast<float>(GetScreenWidth()), static_cast<float>(GetScreenHeight())},
                 StudioKeyHelp());
    }
    DrawMessages(frame, messages);
    EndDrawing();
    EndFrame(InputPolling::Poll);
}
