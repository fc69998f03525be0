// What every frame is made of: the choreography, the scene table and the
// off-screen target that the selected scene is drawn into. A front end (the
// demo, the capture, the studio, the browser) owns a clock and a Stage; the
// demo presents the target on screen, the tools read it back.
#pragma once

#include <raylib.h>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>

#include "demo_clock.h"
#include "render_size.h"
#include "scenes/city.h"
#include "scenes/scene.h"
#include "scoped_media.h"
#include "sync_context.h"
#include "track_handle.h"

using SceneTable = std::array<std::unique_ptr<Scene>, 1>;

// Throws StartupFailure, with one line, unless the driver made `target`
// whole and complete: one it could not make reads back blank.
void RequireCompleteTarget(RenderTexture2D target);

// The "scene" track's value truncated toward zero; none when it is NaN or its
// truncation does not fit in 32 bits.
std::optional<int> SceneIndex(double value);

class Stage {
public:
    // Needs a graphics context: the scenes compile their shaders here. The
    // target has the given size; the demo's is kRenderSize. Throws
    // StartupFailure when the City's shader does not compile or link, or the
    // driver cannot make the target: the frames would not be the demo's.
    Stage(DemoClock* clock, const ScopedMusic* music, PixelSize size = kRenderSize);
    // With the City's shader compiled by the caller (the page compiles it in
    // the background), at the demo's size. Throws StartupFailure when the
    // driver cannot make the target.
    Stage(DemoClock* clock, const ScopedMusic* music, ScopedShader cityShader);

    // Draws the scene that the "scene" track selects at the clock's reading
    // into the target, cleared first and without blending, so that nothing of
    // an earlier frame shows through; false, drawing nothing, once the track
    // has left the scene table, which is the end of the demo.
    bool Render();

    // Whether the demo has ended at a clock reading: the "scene" track then
    // selects no scene of the table. Reads the track only; draws nothing.
    bool HasEndedAt(double seconds) const;
    // The first clock reading at which the demo has ended, to the last bit,
    // for a demo that shows frames from 0 until it ends; 0 for one that shows
    // none, infinity for one that never ends.
    double EndOfDemo() const;

    RenderTexture2D Target() const { return target.Get(); }
    PixelSize Size() const { return size; }

    // Renders into a new target of another size from now on: the same scene
    // at another resolution (the browser trades detail for frame rate). True
    // when the target was replaced, false at the size it has.
    bool Resize(PixelSize newSize);

    // For the studio, which re-reads the choreography and the shader while it
    // runs: the registry whose tracks the scenes read (their keys may be
    // replaced, never the records), and the City's shader.
    SyncDevice* Device() const { return context.device; }
    void UseCityShader(ScopedShader shader);

private:
    std::optional<std::size_t> SceneAt(double seconds) const;
    void PlaceCity(std::unique_ptr<City> madeCity);

    SyncContext context;
    TrackHandle sceneTrack;
    SceneTable scenes;
    City* city = nullptr;  // the scene in slot 0, as its own type
    PixelSize size;
    ScopedRenderTexture target;
};
