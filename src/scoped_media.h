// Owners of raylib's media resources: the constructor acquires and checks, the
// destructor releases. A window, sound device or music that cannot be had
// throws StartupFailure with the line that says why (startup_failure.h). GPU
// objects outlive the window only when the demo ends by itself (the window
// closes inside the frame loop); their release is then skipped, as the
// graphics context is already gone with everything in it.
#pragma once

#include <raylib.h>

#include <span>
#include <string>

// The seconds of sound a device holds, from raylib's lines of information as
// it opened it: its periods together ("> Periods size: N" frames) at its own
// rate ("> Sample rate: R -> N"); 0 when they do not say.
double DeviceBufferSeconds(std::span<const std::string> information);

class ScopedWindow {
public:
    ScopedWindow(unsigned flags, int width, int height, const char* title);
    ~ScopedWindow();
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
};

class ScopedAudioDevice {
public:
    ScopedAudioDevice();
    ~ScopedAudioDevice();
    ScopedAudioDevice(const ScopedAudioDevice&) = delete;
    ScopedAudioDevice& operator=(const ScopedAudioDevice&) = delete;

    // How much sound the device holds between raylib's mixer and the ear: its
    // periods together, as raylib logs them when it opens the device; 0 where
    // its log level hides them.
    double BufferedSeconds() const { return bufferedSeconds; }

private:
    double bufferedSeconds = 0.0;
};

// Streams from bytes that must stay in place while the music lives.
class ScopedMusic {
public:
    ScopedMusic(const char* fileType, std::span<const unsigned char> data);
    ~ScopedMusic();
    ScopedMusic(const ScopedMusic&) = delete;
    ScopedMusic& operator=(const ScopedMusic&) = delete;

    Music Get() const { return music; }

private:
    Music music;
};

class ScopedRenderTexture {
public:
    ScopedRenderTexture(int width, int height);
    ~ScopedRenderTexture();
    ScopedRenderTexture(ScopedRenderTexture&& other) noexcept;
    ScopedRenderTexture& operator=(ScopedRenderTexture&& other) noexcept;
    ScopedRenderTexture(const ScopedRenderTexture&) = delete;
    ScopedRenderTexture& operator=(const ScopedRenderTexture&) = delete;

    RenderTexture2D Get() const { return texture; }

private:
    RenderTexture2D texture;
};

// Null vertex code selects raylib's default vertex shader. A shader that does
// not compile leaves raylib's default shader in its place (Compiled is then
// false); raylib logs the compiler's messages as warnings.
class ScopedShader {
public:
    ScopedShader(const char* vertexCode, const char* fragmentCode);
    // Takes over a program that was compiled without raylib's loader (the
    // page compiles in the background): `linked` has its program and the
    // locations raylib draws with, allocated as raylib's loader does.
    explicit ScopedShader(Shader linked) : shader(linked) {}
    ~ScopedShader();
    ScopedShader(ScopedShader&& other) noexcept;
    ScopedShader& operator=(ScopedShader&& other) noexcept;
    ScopedShader(const ScopedShader&) = delete;
    ScopedShader& operator=(const ScopedShader&) = delete;

    Shader Get() const { return shader; }
    bool Compiled() const;

private:
    Shader shader;
};
