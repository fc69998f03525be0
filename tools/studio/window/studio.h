// The whole life of quorl-studio's window: set-up in the constructor, one
// frame per call of Frame, shutdown in the destructor (members go in the
// reverse order of creation). Playing, it draws every frame; paused with
// nothing to do, it sleeps until an input event or a change of a watched
// file. The work itself is in the studio's library: the transport, the clock
// that follows the music, the timeline's mapping, the key editor, the watched
// assets, the key table of the help.
#pragma once

#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "demo_clock.h"
#include "frame_log.h"
#include "frame_stats.h"
#include "input_events.h"
#include "lane_tracks.h"
#include "live_assets.h"
#include "music_envelope.h"
#include "raylib_music_player.h"
#include "scoped_media.h"
#include "stage.h"
#include "studio_layout.h"
#include "studio_options.h"
#include "timeline_editor.h"
#include "timeline_panel.h"
#include "timeline_view.h"
#include "transport.h"

class Studio {
public:
    // Throws StartupFailure when the window, the sound device, the music or
    // the Stage cannot be set up, std::runtime_error when the frame log asked for
    // cannot be opened (before any window opens).
    explicit Studio(const StudioOptions& options);

    // One frame: input, reloads, the transport, the picture, the panels; then
    // the wait for the next one.
    void Frame();

    // Escape with nothing to give up, or the window closed.
    bool Done() const;

private:
    // What the picture shows; it is rendered again only when this changes.
    struct PictureState {
        double seconds;
        int tracksGeneration;
        int shaderGeneration;

        bool operator==(const PictureState&) const = default;
    };

    // Made first: a write past the file-size limit (ulimit -f) then fails
    // like any other, a log line or an edit, instead of killing the studio.
    struct WritesPastTheSizeLimitFail {
        WritesPastTheSizeLimitFail();
    };

    double DemoEnd() const;
    double StartFrame();
    // The keys and clicks since the last frame, in the order they came.
    void HandleInput(double now);
    void HandleKey(const KeyPress& press, double now);
    // A key of the window's own, if it is one.
    void HandleViewKey(const KeyPress& press);
    void HandleButton(const ButtonEvent& event, double now);
    // The lanes against the editor's tracks, made again when the tracks change.
    void RefreshLanes();
    // The timeline as the key editor finds it now.
    EditingFrame Editing();
    // What the editor asked for, on an event at `eventTime`.
    void CarryOut(const EditorOutcome& outcome, double now, double eventTime);
    void ReloadAssets(double now);
    void AdvanceTransport(double now);
    void RenderPicture();
    void Present();
    void LogFrame(double now);
    void ReportShaderLatency();
    void ReportEditLatency();
    void WaitForNextFrame(double frameStart);
    void KeepAwake();
    void SleepUntilSomethingHappens();

    WritesPastTheSizeLimitFail sizeLimit;
    FrameLog log;
    ScopedWindow window;
    ScopedAudioDevice audio;
    MusicStreamBuffering buffering;
    ScopedMusic music;
    RaylibMusicPlayer player;
    DemoClock clock;
    Stage stage;
    LiveAssets assets;
    Transport transport;
    TimelineView timeline;
    TimelinePanel timelinePanel;
    TimelineEditor editor;
    LaneTracks lanes;
    std::optional<std::pair<int, const KeyEditModel*>> lanesMadeFor;  // the tracks generation and the model
    std::string whyNoEditor;
    MusicEnvelope envelope;
    FrameStats stats;
    double scale;
    StudioLayout layout{};
    bool timelineShown = true;
    bool overlayShown = true;
    bool helpShown = false;
    bool quitAsked = false;
    bool sceneShown = true;
    std::optional<PictureState> rendered;
    double lastFrameStart = 0.0;
    double musicPosition = 0.0;  // as the transport last moved
    std::optional<double> editMadeAt;  // the input of an edit not yet on screen
    int tableLogged = -1;  // the tracks generation whose table the log has
    double awakeUntil = 0.0;
    int framesAwake = 0;
    bool slept = false;
};
