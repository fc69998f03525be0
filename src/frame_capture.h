// The demo's frames rendered off screen, for tools and tests: the demo's own
// Stage (choreography, scene table, City, 1920x1080 target) and clock, with
// the clock set to whatever reading is asked for. Nothing plays: the Stage
// gets no music. Needs a graphics context for its whole life; a hidden window
// gives one.
#pragma once

#include <raylib.h>

#include <utility>

#include "demo_clock.h"
#include "render_size.h"
#include "scoped_image.h"
#include "stage.h"

// Part of the target in pixels, rows counted from the bottom as the shader's
// gl_FragCoord counts them.
struct PixelRegion {
    int x;
    int y;
    int width;
    int height;
};

inline constexpr PixelRegion kFullFrame{0, 0, kRenderSize.width, kRenderSize.height};

class FrameCapture {
public:
    // Compiles the shader and loads the tracks, as the demo does at start-up,
    // and refuses what the demo refuses: throws StartupFailure, with one line,
    // when the shader does not compile (saying the compiler's first message)
    // or the target is not complete.
    FrameCapture();

    // Draws into the target, inside the region only, what the demo shows when
    // its clock reads `seconds`; false, drawing nothing, at or past the demo's end.
    bool Render(double seconds, PixelRegion region = kFullFrame);

    // Whether the demo shows a frame at this reading, as the Stage decides.
    bool ShowsFrameAt(double seconds) const { return !stage.HasEndedAt(seconds); }

    // The first reading at which the demo shows nothing, to the last bit.
    double EndOfDemo() const { return stage.EndOfDemo(); }

    // The whole target as 8-bit RGBA, top row first.
    ScopedImage ReadBack() const;
    // The target as a texture, bottom row first, to be drawn on screen.
    Texture2D Picture() const { return stage.Target().texture; }

    // Renders through another version of the City's shader from now on (the
    // benchmarks' instrumented or older copies).
    void UseCityShader(ScopedShader shader) { stage.UseCityShader(std::move(shader)); }

private:
    DemoClock clock;
    Stage stage;
};
