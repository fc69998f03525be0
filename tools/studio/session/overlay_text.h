// The overlay's text: frame rate and frame time, the clock in seconds with its
// row and beat, the render scale, and the transport's state.
#pragma once

#include <string>

#include "pixel_size.h"
#include "transport.h"

struct OverlayReadings {
    double framesPerSecond;
    double frameMilliseconds;
    double seconds;
    double scale;
    PixelSize target;
    bool playing;
    LoopSpan loop;
};

// Lines separated by '\n'.
std::string OverlayText(const OverlayReadings& readings);
