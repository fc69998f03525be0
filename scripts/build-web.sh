#!/usr/bin/env bash
# Sets up and builds Quorl for the browser into build-web/: quorl.html with
# quorl.js and quorl.wasm, the music, the track table and the shader inside
# the .wasm. Installs Debian's emscripten, builds the asset tools natively in
# build/ (a browser build cannot run what it compiles), then raylib and the
# demo with emscripten. Arguments go to the browser build's cmake, e.g.
# -DQUORL_WERROR=ON. scripts/serve-web.sh serves the result.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/install-packages.sh" emscripten node-acorn

# Debian's emscripten: its JavaScript optimiser finds acorn through NODE_PATH,
# and its Python scripts are meant for the system's Python.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}" EMSDK_PYTHON=/usr/bin/python3

# The native build that makes the assets, configured if there is none yet.
[ -f "$root/build/build.ninja" ] || "$root/scripts/build.sh" --configure-only

emcmake cmake -S "$root" -B "$root/build-web" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$root/build-web"
echo "build-web: the page is $root/build-web/quorl.html; scripts/serve-web.sh serves it"
