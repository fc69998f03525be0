// The demo in a browser page: the desktop demo's Stage, clock and music,
// driven by the page instead of a loop of its own. The page calls Play from a
// click (browsers start sound only after one) and then Frame once per
// animation frame until Frame reports the end; Play again starts over. The
// page's quality setting picks the resolution that frames are rendered at.
#pragma once

#include <optional>

#include "demo_clock.h"
#include "quality.h"
#include "scoped_media.h"
#include "stage.h"

class WebDemo {
public:
    // Opens the canvas (a 1920x1080 WebGL 2 context), compiles the scene and
    // draws it once off screen, so that the browser has finished compiling
    // before Play. Throws StartupFailure when the window (the canvas) or the
    // Stage cannot be set up.
    WebDemo();

    // Starts the music and the clock together at `seconds`, the first time
    // with the audio device. With `hold`, the clock stays at `seconds` and no
    // music plays: one frame, again and again.
    void Play(double seconds, bool hold);

    // After Play: advances the clock, feeds the music, renders the frame at
    // the quality setting's level and draws it over the canvas. `now` is the
    // frame's time in seconds and `refresh` the display's refresh interval,
    // from which Auto judges the frame rate. False, drawing nothing and
    // stopping the music, once the demo has ended.
    bool Frame(double now, double refresh);

    // Refills the music's buffers as they play out. Frame does it too; the
    // page also calls it on a timer of its own, so that the sound never waits
    // for a slow frame.
    void FeedMusic();
    // How far the music has played, in seconds; 0 before the first Play.
    double MusicSeconds() const;

    // The page's setting: a fixed level, or Auto (none), which goes on from
    // the level of the last frame and measures afresh. Takes effect with the
    // next frame.
    void SetQuality(std::optional<QualityLevel> fixed);
    // The level of the frames now: the fixed one, or Auto's choice.
    QualityLevel Level() const;

private:
    // Browsers refuse to start sound before the user's first click.
    struct Sound {
        Sound();
        ScopedAudioDevice device;
        ScopedMusic music;
    };

    ScopedWindow window;
    DemoClock clock;
    Stage stage;
    std::optional<Sound> sound;
    std::optional<QualityLevel> fixedQuality;
    AutoQuality autoQuality;
};
