#include "scenes/city.h"

#include <raylib.h>

#include <utility>

#include "embedded_assets.h"
#include "scenes/city_shader.h"

namespace {

void UploadVector(const Shader& shader, int location, const TrackHandle& x, const TrackHandle& y,
                  const TrackHandle& z)
{
    const float value[3] = {static_cast<float>(x.Value()), static_cast<float>(y.Value()),
                            static_cast<float>(z.Value())};
    SetShaderValue(shader, location, value, SHADER_UNIFORM_VEC3);
}

}  // namespace

City::City(DemoClock* demoClock, SyncContext* context) : City(demoClock, context, CompileCityShader(CITY_SHADER_SOURCE))
{
}

City::City(DemoClock* demoClock, SyncContext* context, ScopedShader compiled)
    : clock(demoClock),
      shader(std::move(compiled)),
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
    FindUniforms();
}

void City::UseShader(ScopedShader replacement)
{
    shader = std::move(replacement);
    FindUniforms();
}

void City::FindUniforms()
{
    const Shader program = shader.Get();
    locResolution = GetShaderLocation(program, "resolution");
    locTime = GetShaderLocation(program, "time");
    locFadeToBlack = GetShaderLocation(program, "fadeToBlack");
    locCameraPosition = GetShaderLocation(program, "cameraPosition");
    locCameraRotation = GetShaderLocation(program, "cameraRotation");
    locSeagullPosition = GetShaderLocation(program, "seagullPosition");
}

void City::Draw(PixelSize target)
{
    const Shader program = shader.Get();
    const float resolution[2] = {static_cast<float>(target.width), static_cast<float>(target.height)};
    SetShaderValue(program, locResolution, resolution, SHADER_UNIFORM_VEC2);
    const float time = static_cast<float>(clock->seconds);
    SetShaderValue(program, locTime, &time, SHADER_UNIFORM_FLOAT);
    const float fade = static_cast<float>(ftb.Value());
    SetShaderValue(program, locFadeToBlack, &fade, SHADER_UNIFORM_FLOAT);
    UploadVector(program, locCameraPosition, cameraPositionX, cameraPositionY, cameraPositionZ);
    UploadVector(program, locCameraRotation, cameraRotationX, cameraRotationY, cameraRotationZ);
    UploadVector(program, locSeagullPosition, seagullX, seagullY, seagullZ);

    BeginShaderMode(program);
    DrawRectangle(0, 0, target.width, target.height, WHITE);
    EndShaderMode();
}
