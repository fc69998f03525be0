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
    // Compiles the shader (needs a graphics context) and binds the tracks.
    City(DemoClock* clock, SyncContext* context);
    void Draw() override;

private:
    DemoClock* clock;
    ScopedShader shader;
    int locResolution;
    int locTime;
    int locFadeToBlack;
    int locCameraPosition;
    int locCameraRotation;
    int locSeagullPosition;
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
