// The whole life of the demo: start-up in the constructor, the frame loop in
// Run, shutdown in the destructor (members go in the reverse order of creation).
#pragma once

#include "demo_clock.h"
#include "scoped_media.h"
#include "stage.h"

class Demo {
public:
    // Throws StartupFailure when the window, the audio device, the music, the
    // scene's shader or the render target cannot be set up.
    Demo();
    // Plays until the "scene" track leaves the scene table, or until the window
    // is asked to close (Escape, the window system).
    void Run();
    // One frame: the clock, the music, the picture; false once the demo has
    // ended by itself. Run is its caller; it is public so that the allocation
    // test counts the real frame.
    bool Frame();

private:
    ScopedWindow window;
    ScopedAudioDevice audio;
    ScopedMusic music;
    DemoClock clock;
    Stage stage;
    float screenWidth = 0;
    float screenHeight = 0;
};
