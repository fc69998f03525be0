#!/usr/bin/env bash
# The demo's frames on another OpenGL driver agree with llvmpipe's, the
# driver every other test draws with: both render the frame at one reading of
# each section at SIZE, and the driver's are compared with llvmpipe's.
#
#   drivers_agree.sh DRIVER_NAME SIZE MEAN_LIMIT FAR_SHARE SETTING...
#
# DRIVER_NAME is what the driver must call itself (GL_RENDERER); the settings
# (variable=value) choose it. Run under scripts/headless.sh, which sets
# llvmpipe. QUORL_DRIVER_FRAMES names quorl_driver_frames.
set -uo pipefail
name=$1 size=$2 mean=$3 share=$4
shift 4
frames=${QUORL_DRIVER_FRAMES:?QUORL_DRIVER_FRAMES must name quorl_driver_frames}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/llvmpipe" "$work/other" "$work/runtime"
chmod 700 "$work/runtime"

"$frames" "$size" "$work/llvmpipe" >"$work/reference.log" || { cat "$work/reference.log"; exit 1; }
grep -q "driver: llvmpipe" "$work/reference.log" || { echo "FAIL: the reference is not llvmpipe's" >&2; exit 1; }
env XDG_RUNTIME_DIR="$work/runtime" "$@" "$frames" "$size" "$work/other" "$work/llvmpipe" "$mean" "$share" \
  >"$work/other.log" 2>&1
status=$?
cat "$work/other.log"
grep -q "driver: .*$name" "$work/other.log" || { echo "FAIL: the driver is not $name" >&2; exit 1; }
[ "$status" -eq 0 ] || { echo "FAIL: $name's frames differ from llvmpipe's by more than a mean of $mean" \
  "or $share of pixels far off" >&2; exit 1; }
echo PASS
