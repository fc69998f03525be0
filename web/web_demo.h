// The demo in a browser page: the desktop demo's Stage, driven by the page
// instead of a loop of its own, on the music's clock.
//
// The page calls Prepare from its event loop until the demo is ready (the
// music decoded and its player loaded on the audio thread, the scene's shader
// compiled in the background and a first frame drawn off screen), so that
// Play never waits for the browser; then Play from a click (browsers start
// sound only after one) and Frame once per animation frame until Frame
// reports the end; Play again starts over. Each frame shows the music's
// position that the listener hears at that moment.
// The page's quality setting picks the resolution that frames are rendered at.
#pragma once

#include <GLES3/gl3.h>

#include <optional>
#include <string>

#include "demo_clock.h"
#include "program_build.h"
#include "quality.h"
#include "scoped_media.h"
#include "stage.h"
#include "web_music.h"

enum class Preparation { Preparing, Ready, Failed };

class WebDemo {
public:
    // Opens the canvas (a 1920x1080 WebGL 2 context) and starts compiling the
    // scene's shader. Throws StartupFailure when the canvas cannot be set up.
    WebDemo();
    ~WebDemo();
    WebDemo(const WebDemo&) = delete;
    WebDemo& operator=(const WebDemo&) = delete;

    // One step of the preparation, none of which waits for the browser: the
    // music is decoded, the compiler and the music's player asked whether
    // they have finished, a first frame drawn and asked whether it is done.
    // Call again while it says Preparing; Failed is final, and Failure() says
    // why.
    Preparation Prepare();

    // A press on Play, before its click: readies the sound for it.
    void ReadyToPlay();

    // Once ready: starts the music and the picture together at `seconds`.
    // With `hold`, the clock stays at `seconds` and no music plays: one
    // frame, again and again. False when the sound cannot start (Failure()).
    bool Play(double seconds, bool hold);
    // Holds the music, and with it the picture; Resume goes on.
    void Pause();
    void Resume();

    // Renders the frame at the music's position at the quality setting's
    // level and draws it over the canvas; before any Play, the frame at 0.
    // `now` is the frame's time in seconds and `refresh` the display's
    // refresh interval, from which Auto judges the frame rate. False, drawing
    // nothing and stopping the music, once the demo has ended. Draws nothing
    // before the demo is ready.
    bool Frame(double now, double refresh);

    // Why the preparation or the last Play failed: the library's line for it
    // (startup_failure.h).
    const std::string& Failure() const { return failure; }

    // For the page's tests: how far the music has played, and the clock
    // reading of the last frame, in seconds.
    double MusicSeconds();
    double FrameSeconds() const { return clock.seconds; }

    // The page's setting: a fixed level, or Auto (none), which goes on from
    // the level of the last frame and measures afresh. Takes effect with the
    // next frame.
    void SetQuality(std::optional<QualityLevel> fixed);
    // The level of the frames now: the fixed one, or Auto's choice.
    QualityLevel Level() const;

private:
    Preparation Fail(std::string why);

    ScopedWindow window;
    DemoClock clock;
    std::optional<ProgramBuild> cityProgram;
    std::optional<WebMusic> music;
    std::optional<Stage> stage;
    GLsync firstFrame = nullptr;
    bool ready = false;
    bool held = true;  // the clock stays where Play put it (0 before any)
    std::string failure;
    std::optional<QualityLevel> fixedQuality;
    AutoQuality autoQuality;
};
