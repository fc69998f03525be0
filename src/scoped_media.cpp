#include "scoped_media.h"

#include <rlgl.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "raylib_compat.h"
#include "raylib_log.h"
#include "startup_failure.h"

namespace {

// The number after `label` in the first line that has it, after its "->"
// where there is one (raylib writes the device's own value there); 0 for none.
double LoggedNumber(std::span<const std::string> information, std::string_view label)
{
    for (const std::string& line : information) {
        std::size_t at = line.find(label);
        if (at == std::string::npos) continue;
        at += label.size();
        const std::size_t arrow = line.find("->", at);
        return std::max(0.0, std::atof(line.c_str() + (arrow == std::string::npos ? at : arrow + 2)));
    }
    return 0.0;
}

}  // namespace

double DeviceBufferSeconds(std::span<const std::string> information)
{
    const double frames = LoggedNumber(information, "> Periods size:");
    const double rate = LoggedNumber(information, "> Sample rate:");
    return rate > 0.0 ? frames / rate : 0.0;
}

ScopedWindow::ScopedWindow(unsigned flags, int width, int height, const char* title)
{
    const LogCapture log(LogEcho::On);
    SetConfigFlags(flags);
    InitWindow(width, height, title);
    if (!IsWindowReady()) throw StartupFailure(WindowFailureLine(log.Lines()));
}

ScopedWindow::~ScopedWindow()
{
    if (IsWindowReady()) CloseWindow();
}

ScopedAudioDevice::ScopedAudioDevice()
{
    const LogCapture log(LogEcho::On);
    InitAudioDevice();
    if (!IsAudioDeviceReady()) throw StartupFailure(SoundDeviceFailureLine(log.Lines()));
    bufferedSeconds = DeviceBufferSeconds(log.Information());
}

ScopedAudioDevice::~ScopedAudioDevice()
{
    CloseAudioDevice();
}

ScopedMusic::ScopedMusic(const char* fileType, std::span<const unsigned char> data)
    : music(LoadMusicStreamFromMemory(fileType, data.data(), static_cast<int>(data.size())))
{
    if (!IsMusicLoaded(music)) throw StartupFailure(MusicFailureLine(fileType));
}

ScopedMusic::~ScopedMusic()
{
    UnloadMusicStream(music);
}

ScopedRenderTexture::ScopedRenderTexture(int width, int height) : texture(LoadRenderTexture(width, height)) {}

ScopedRenderTexture::~ScopedRenderTexture()
{
    if (IsWindowReady()) UnloadRenderTexture(texture);
}

ScopedRenderTexture::ScopedRenderTexture(ScopedRenderTexture&& other) noexcept
    : texture(std::exchange(other.texture, RenderTexture2D{}))
{
}

ScopedRenderTexture& ScopedRenderTexture::operator=(ScopedRenderTexture&& other) noexcept
{
    if (this != &other) {
        if (IsWindowReady()) UnloadRenderTexture(texture);
        texture = std::exchange(other.texture, RenderTexture2D{});
    }
    return *this;
}

ScopedShader::ScopedShader(const char* vertexCode, const char* fragmentCode)
    : shader(LoadShaderFromMemory(vertexCode, fragmentCode))
{
}

ScopedShader::~ScopedShader()
{
    if (shader.locs != nullptr && IsWindowReady()) UnloadShader(shader);
}

ScopedShader::ScopedShader(ScopedShader&& other) noexcept : shader(std::exchange(other.shader, Shader{})) {}

ScopedShader& ScopedShader::operator=(ScopedShader&& other) noexcept
{
    if (this != &other) {
        if (shader.locs != nullptr && IsWindowReady()) UnloadShader(shader);
        shader = std::exchange(other.shader, Shader{});
    }
    return *this;
}

bool ScopedShader::Compiled() const
{
    return shader.id != 0 && shader.id != rlGetShaderIdDefault();
}
