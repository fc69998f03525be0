// The whole life of the demo: start-up in the constructor, the frame loop in
// Run, shutdown in the destructor (members go in the reverse order of creation).
#pragma once

#include <array>
#include <memory>

#include "demo_clock.h"
#include "scenes/scene.h"
#include "scoped_media.h"
#include "sync_context.h"
#include "track_handle.h"

using SceneTable = std::array<std::unique_ptr<Scene>, 1>;

class Demo {
public:
    // Throws raylib::RaylibException when the window, the audio device or the
    // music cannot be set up.
    Demo();
    // Plays until the "scene" track leaves the scene table, or until the window
    // is asked to close (Escape, the window system).
    void Run();

private:
    // One frame; false once the demo has ended by itself.
    bool Frame();

    ScopedWindow window;
    ScopedAudioDevice audio;
    ScopedMusic music;
    DemoClock clock;
    SyncContext context;
    TrackHandle sceneTrack;
    SceneTable scenes;
    float screenWidth;
    float screenHeight;
    ScopedRenderTexture target;
};
