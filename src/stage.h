// What every frame is made of: the choreography, the scene table and the
// off-screen target that the selected scene is drawn into. The demo presents
// the target on screen; the tools read it back.
#pragma once

#include <raylib.h>

#include <array>
#include <memory>
#include <optional>

#include "demo_clock.h"
#include "scenes/scene.h"
#include "scoped_media.h"
#include "sync_context.h"
#include "track_handle.h"

using SceneTable = std::array<std::unique_ptr<Scene>, 1>;

// The "scene" track's value truncated toward zero; none when it is NaN or its
// truncation does not fit in 32 bits.
std::optional<int> SceneIndex(double value);

class Stage {
public:
    // Needs a graphics context: the scenes compile their shaders here.
    Stage(DemoClock* clock, const ScopedMusic* music);

    // Draws the scene that the "scene" track selects at the clock's reading
    // into the target; false, drawing nothing, once the track has left the
    // scene table, which is the end of the demo.
    bool Render();

    RenderTexture2D Target() const { return target.Get(); }

private:
    SyncContext context;
    TrackHandle sceneTrack;
    SceneTable scenes;
    ScopedRenderTexture target;
};
