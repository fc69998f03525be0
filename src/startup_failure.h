// Failures to start, said in the library's words: one line that says what
// failed and why, the same whichever front end shows it (the demo on standard
// error or in a message box, the page on the page, the tools on standard
// error). A front end only chooses where the line goes, with its name before
// it where that is the custom ("quorl: cannot open the sound device: ...").
//
// The wrappers of scoped_media.h and the Stage throw StartupFailure with the
// line; the functions below word it, also for a compile path that is not
// raylib's (the page compiles the City's shader on its own).
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "pixel_size.h"

// What stops a front end at start-up; what() is the line, without a program's
// name.
class StartupFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The step of a shader's way to a program that failed.
enum class ShaderStep { Compile, Link };

// "the demo's shader does not compile: FIRST" (or "does not link"), FIRST
// being the first message of the compiler's or linker's info log as the
// driver wrote it; without ": FIRST" when the log says nothing.
std::string ShaderFailureLine(ShaderStep step, std::string_view infoLog);

// The same from the lines raylib logged while it compiled and linked the
// shader (see raylib_log.h), which say the step and wrap the info log.
std::string ShaderFailureLine(std::span<const std::string> raylibLog);

// Why no window opened, from what raylib logged meanwhile: GLFW's description
// (no display, no OpenGL 3.3 context).
std::string WindowFailureLine(std::span<const std::string> raylibLog);

// Why the sound device did not open, from what raylib logged meanwhile.
std::string SoundDeviceFailureLine(std::span<const std::string> raylibLog);

// The same in the words of whatever refused the sound (the browser's reason;
// none: no reason given).
std::string SoundFailureLine(std::string_view reason);

// Music that raylib cannot decode.
std::string MusicFailureLine(std::string_view fileType);

// An off-screen target of `size` that the driver could not make whole.
std::string RenderTargetFailureLine(PixelSize size);
