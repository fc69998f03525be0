// A self-contained piece of the demo's picture, drawn into the current render
// target and covering all of it.
#pragma once

#include "pixel_size.h"

class Scene {
public:
    virtual ~Scene() = default;
    // `target` is the size of the current render target in pixels.
    virtual void Draw(PixelSize target) = 0;
};
