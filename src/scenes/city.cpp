#include "scenes/city.h"

#include <raylib.h>

#include "embedded_assets.h"

namespace {

void UploadVector(const Shader& shader, int location, const TrackHandle& x, const TrackHandle& y,
                  const TrackHandle& z)
{
    const float value[3] = {static_cast<float>(x.Value()), static_cast<float>(y.Value()),
                            static_cast<float>(z.Value())};
    SetShaderValue(shader, location, value, SHADER_UNIFORM_VEC3);
}

}  // namespace

City::City(DemoClock* demoClock, SyncContext* context)
    : clock(demoClock),
      shader(nullptr, CITY_SHADER_SOURCE),
      locResolution(GetShaderLocation(shader.Get(), "resolution")),
      locTime(GetShaderLocation(shader.Get(), "time")),
      locFadeToBlack(GetShaderLocation(shader.Get(), "fadeToBlack")),
      locCameraPosition(GetShaderLocation(shader.Get(), "cameraPosition")),
      locCameraRotation(GetShaderLocation(shader.Get(), "cameraRotation")),
      locSeagullPosition(GetShaderLocation(shader.Get(), "seagullPosition")),
      ftb(BindTrack(*context, "ftb")),
      cameraPositionX(BindTrack(*context, "camera_position:x")),
      cameraPositionY(BindTrack(*context, "camera_position:y")),
      cameraPositionZ(BindTrack(*context, "camera_position:z")),
      cameraRotationX(BindTrack(*context, "camera_rotation:x")),
      cameraRotationY(BindTrack(*context, "camera_rotation:y")),
      cameraRotationZ(BindTrack(*context, "camera_rotation:z")),
      seagullX(BindTrack(*context, "seagull:x")),
      seagullY(BindTrack(*context, "seagull:y")),
      seagullZ(BindTrack(*context, "seagull:z"))
{
}

void City::Draw()
{
    const Shader program = shader.Get();
    const float resolution[2] = {static_cast<float>(kRenderWidth), static_cast<float>(kRenderHeight)};
    SetShaderValue(program, locResolution, resolution, SHADER_UNIFORM_VEC2);
    const float time = static_cast<float>(clock->seconds);
    SetShaderValue(program, locTime, &time, SHADER_UNIFORM_FLOAT);
    const float fade = static_cast<float>(ftb.Value());
    SetShaderValue(program, locFadeToBlack, &fade, SHADER_UNIFORM_FLOAT);
    UploadVector(program, locCameraPosition, cameraPositionX, cameraPositionY, cameraPositionZ);
    UploadVector(program, locCameraRotation, cameraRotationX, cameraRotationY, cameraRotationZ);
    UploadVector(program, locSeagullPosition, seagullX, seagullY, seagullZ);

    BeginShaderMode(program);
    DrawRectangle(0, 0, kRenderWidth, kRenderHeight, WHITE);
    EndShaderMode();
}
