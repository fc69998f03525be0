// The one line the studio prints when it cannot start, from the error that
// stopped it and what raylib logged meanwhile: GLFW's description of why no
// window opened (no display, no OpenGL 3.3), or the sound device's failure.
#pragma once

#include <span>
#include <string>
#include <string_view>

std::string StartupFailureLine(std::string_view failure, std::span<const std::string> logged);
