// The demo's frames rendered off screen, for tools and tests: the demo's own
// Stage (choreography, scene table, City, 1920x1080 target) and clock, with
// the clock set to whatever reading is asked for. Nothing plays: the Stage
// gets no music. Needs a graphics context for its whole life; a hidden window
// gives one.
#pragma once

#include "demo_clock.h"
#include "scenes/scene.h"
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

inline constexpr PixelRegion kFullFrame{0, 0, kRenderWidth, kRenderHeight};

class FrameCapture {
public:
    // Compiles the shader and loads the tracks, as the demo does at start-up.
    FrameCapture();

    // Draws into the target, inside the region only, what the demo shows when
    // its clock reads `seconds`; false, drawing nothing, at or past the demo's end.
    bool Render(double seconds, PixelRegion region = kFullFrame);

    // Whether the demo shows a frame at this reading. The Stage decides, as in
    // the demo, with every pixel cut away so that the question costs nothing.
    bool ShowsFrameAt(double seconds);

    // The first reading at which the demo shows nothing, to the last bit, as
    // the Stage decides; a demo shows frames from 0 until it ends.
    double EndOfDemo();

    // The whole target as 8-bit RGBA, top row first.
    ScopedImage ReadBack() const;

private:
    DemoClock clock;
    Stage stage;
};
