#!/usr/bin/env bash
# Configures and builds the demo, its tools and its tests into build/. The
# raylib tree is .deps/raylib unless QUORL_RAYLIB_SOURCE names another one (or
# -DQUORL_RAYLIB_SOURCE=/path/to/raylib is given).
#
#   build.sh [--configure-only] [CMAKE_ARGUMENT...]
#
# --configure-only leaves the building to whoever needs part of it: the cross
# builds take their assets from build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
configure_only=no
if [ "${1:-}" = --configure-only ]; then
  configure_only=yes
  shift
fi
source_tree=()
[ -n "${QUORL_RAYLIB_SOURCE:-}" ] && source_tree=(-DQUORL_RAYLIB_SOURCE="$QUORL_RAYLIB_SOURCE")
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${source_tree[@]}" "$@" >/dev/null
[ "$configure_only" = yes ] || cmake --build "$root/build"
