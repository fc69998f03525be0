// A self-contained piece of the demo's picture, drawn into the current render
// target, which is always kRenderWidth x kRenderHeight whatever the window.
#pragma once

inline constexpr int kRenderWidth = 1920;
inline constexpr int kRenderHeight = 1080;

class Scene {
public:
    virtual ~Scene() = default;
    virtual void Draw() = 0;
};
