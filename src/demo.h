// The whole life of the demo: start-up in the constructor, the frame loop in
// Run, shutdown in the destructor (members go in the reverse order of creation).
//
// The demo's time is the music's: the clock starts when the music does, once
// everything is set up, and follows the music's position as heard from then
// on, so that a slow start, a slow frame or a stall costs frames, never sync;
// the music is also fed on a thread of its own, so it plays on through them.
// While the window is minimised (a full-screen window is, when it loses the
// focus) the music pauses with the picture, and both go on together.
#pragma once

#include <optional>

#include "demo_clock.h"
#include "demo_options.h"
#include "music_feeder.h"
#include "music_following_clock.h"
#include "scoped_media.h"
#include "stage.h"

class Demo {
public:
    // Throws StartupFailure when the window, the audio device, the music, the
    // scene's shader or the render target cannot be set up, and UsageError
    // when the monitor asked for is not there.
    explicit Demo(const DemoOptions& options);
    // Plays until the "scene" track leaves the scene table, or until the window
    // is asked to close (Escape, the window system).
    void Run();
    // One frame: the clock, the music, the picture; false once the demo has
    // ended by itself. Run is its caller; it is public so that the allocation
    // test counts the real frame.
    bool Frame();

private:
    // Pauses the music while the window is minimised, and goes on with it
    // and the clock together once it is back.
    void FollowTheWindow(double now);
    // The music's position as heard: raylib's played position is where its
    // mixer is, and the sound device holds what it mixed for a while yet.
    double HeardSeconds() const;

    ScopedWindow window;
    ScopedAudioDevice audio;
    ScopedMusic music;
    DemoClock clock;
    Stage stage;
    std::optional<MusicFeeder> feeder;  // from the start of the music on
    MusicFollowingClock following;
    bool minimised = false;
    PixelSize screen{};
};
