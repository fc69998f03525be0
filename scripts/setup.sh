#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Quorl needs,
# and fetches the raylib and GLFW sources into .deps/ (unless QUORL_RAYLIB_SOURCE
# names another raylib tree). Safe to run again: it only touches apt when a
# package is missing and only downloads what is not there yet.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"

packages=(
  build-essential cmake ninja-build pkg-config
  # raylib's desktop platform (GLFW on X11, OpenGL) and its audio backend
  libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxi-dev libxext-dev
  libgl1-mesa-dev libgl1-mesa-dri libasound2
  # the soundtrack encoder
  libvorbis-dev libogg-dev
  # the headless harness (its sound card is a Perl script), window inspection,
  # a window manager to minimise a window, the clipboard and video capture
  xvfb xauth x11-utils xdotool xclip perl openbox ffmpeg
  # tests, benchmarks, sanitizers and the fuzzer (clang's runtimes below), the
  # GLSL reference compiler, Vulkan's software driver for the shader on zink
  googletest libgtest-dev libbenchmark-dev valgrind clang glslang-tools mesa-vulkan-drivers
)

"$root/scripts/install-packages.sh" "${packages[@]}"
# The sanitizer and fuzzer runtimes of the clang that is installed.
"$root/scripts/install-packages.sh" "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"

if [ -z "${QUORL_RAYLIB_SOURCE:-}" ]; then
  "$root/scripts/fetch-raylib.sh" "$deps"
fi
