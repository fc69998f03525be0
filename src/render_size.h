// The size of the off-screen target that every frame of the demo is rendered
// into, whatever the window: the demo's picture is 1920x1080.
#pragma once

#include "pixel_size.h"

inline constexpr PixelSize kRenderSize{1920, 1080};
