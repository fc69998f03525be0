// Where things go in the studio's window: the timeline panel along the bottom
// when it is shown, and above it the frame, as large as fits at the render
// target's 16:9 with black bars on the other sides (never stretched). Also
// the render target's size at a --scale.
#pragma once

#include "picture_fit.h"
#include "render_size.h"

struct StudioLayout {
    PixelRect frame;
    PixelRect timeline;  // empty when hidden
};

// The panel's height: a ruler, a lane per track and the music's lane, lanes
// of kLaneHeight pixels, but never more than kMostTimelineShare of the window.
inline constexpr float kRulerHeight = 34.0f;
inline constexpr float kLaneHeight = 26.0f;
inline constexpr float kMostTimelineShare = 0.45f;

StudioLayout LayOutStudio(int windowWidth, int windowHeight, bool timelineShown, int laneCount);

// The render target at `scale` of the demo's 1920x1080, at least 1x1.
PixelSize ScaledRenderSize(double scale);
