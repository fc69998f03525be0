#!/usr/bin/env bash
# Sets up and builds Quorl for 64-bit Windows into build-win/: quorl.exe, the
# same demo from the same sources, raylib and assets, and the sync layer's
# tests. Installs Debian's MinGW-w64 (gcc with POSIX threads) and Wine (to run
# the tests here), makes the assets in the native build build/ (nothing is
# built twice), then cross-compiles raylib with GLFW's Windows backend and the
# demo. Arguments go to the Windows build's cmake, e.g. -DQUORL_WERROR=ON.
# Under Wine: scripts/headless.sh scripts/wine.sh build-win/quorl.exe
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
# Wine only recommends the X11 and OpenGL libraries it loads.
"$root/scripts/install-packages.sh" g++-mingw-w64-x86-64-posix wine wine64 python3 \
  libgl1 libgl1-mesa-dri libxrandr2 libxrender1 libxi6 libxcursor1 libxinerama1

# The native build that makes the assets, configured if there is none yet.
[ -f "$root/build/build.ninja" ] || "$root/scripts/build.sh" --configure-only

cmake -S "$root" -B "$root/build-win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake" "$@" >/dev/null
cmake --build "$root/build-win"
echo "build-win: the demo is $root/build-win/quorl.exe"
