// A picture's or a window's size in whole pixels: the render target, the
// window the studio opens, the frame size a video is scaled to.
#pragma once

struct PixelSize {
    int width;
    int height;

    bool operator==(const PixelSize&) const = default;
};
