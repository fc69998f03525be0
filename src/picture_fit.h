// Where a picture goes on a screen or in a window of another shape: as large
// as fits, centred, at its own aspect ratio, with bars on the other sides
// (letterbox or pillarbox), never stretched. The demo's full screen, its
// window and the studio's frame all place the 16:9 picture so.
#pragma once

#include "pixel_size.h"

// A rectangle in pixels, from the top left corner.
struct PixelRect {
    float x;
    float y;
    float width;
    float height;

    bool operator==(const PixelRect&) const = default;
};

// The largest rectangle of the picture's shape centred in `area`, in whole
// pixels: a picture of the area's own shape fills it exactly.
PixelRect FitPicture(PixelRect area, PixelSize picture);
