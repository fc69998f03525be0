// The size of the off-screen target that every frame of the demo is rendered
// into, whatever the window: the demo's picture is 1920x1080.
#pragma once

struct RenderSize {
    int width;
    int height;
};

inline constexpr RenderSize kRenderSize{1920, 1080};
