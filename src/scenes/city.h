// The City: an endless city and seagulls, raymarched by one fragment shader
// that is fed the clock and ten tracks every frame.
#pragma once

#include "demo_clock.h"
#include "scenes/scene.h"
#include "scoped_media.h"
#include "sync_context.h"
#include "track_handle.h"

class City : public Scene {
public:
    // Compiles the embedded shader (needs a graphics context) and binds the tracks.
    City(DemoClock* clock, SyncContext* context);
    // Draws through `compiled`, the embedded shader compiled by the caller.
    City(DemoClock* clock, SyncContext* context, ScopedShader compiled);
    void Draw(PixelSize target) override;

    // Draws through `replacement` from the next frame on; the program in use
    // until now is released.
    void UseShader(ScopedShader replacement);
    // False while raylib's default shader stands in for one that did not compile.
    bool ShaderCompiled() const { return shader.Compiled(); }

private:
    void FindUniforms();

    DemoClock* clock;
    ScopedShader shader;
    int locResolution = -1;
    int locTime = -1;
    int locFadeToBlack = -1;
    int locCameraPosition = -1;
    int locCameraRotation = -1;
    int locSeagullPosition = -1;
    TrackHandle ftb;
    TrackHandle cameraPositionX;
    TrackHandle cameraPositionY;
    TrackHandle cameraPositionZ;
    TrackHandle cameraRotationX;
    TrackHandle cameraRotationY;
    TrackHandle cameraRotationZ;
    TrackHandle seagullX;
    TrackHandle seagullY;
    TrackHandle seagullZ;
};
