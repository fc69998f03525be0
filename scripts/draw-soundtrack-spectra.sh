#!/usr/bin/env bash
# Draws the README's pictures of the soundtrack's spectral balance with
# quorl-spectrum: docs/soundtrack-spectrum.svg from the music this checkout
# composes, and docs/soundtrack-spectrum-before.svg from the music as composed
# at commit e4e9d4f, before its mix was rebalanced (that commit's composer is
# built from its sources in a scratch folder). The same commits give the same
# pictures.
#
#   draw-soundtrack-spectra.sh
#
# The raylib tree is .deps/raylib unless QUORL_RAYLIB_SOURCE names another one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
before=e4e9d4f
raylib=${QUORL_RAYLIB_SOURCE:-$root/.deps/raylib}

"$root/scripts/build.sh" --configure-only
cmake --build "$root/build" --target quorl-spectrum quorl-music-data

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/source"
git -C "$root" archive "$before" | tar -x -C "$scratch/source"
cmake -S "$scratch/source" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUORL_RAYLIB_SOURCE="$raylib" >/dev/null
cmake --build "$scratch/build" --target quorl-composer
"$scratch/build/tools/composer/quorl-composer" --ogg "$scratch/before.ogg"

spectrum="$root/build/tools/composer/quorl-spectrum"
"$spectrum" "$scratch/before.ogg" "$root/docs/soundtrack-spectrum-before.svg" \
  --title "The soundtrack before its mix was rebalanced (commit $before)"
"$spectrum" "$root/build/assets/music.ogg" "$root/docs/soundtrack-spectrum.svg" --title "The soundtrack now"
