#!/usr/bin/env bash
# Sets everything up, builds the demo and plays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run-demo: no display here, so the demo plays on a virtual display (Xvfb) into a silent sound device."
  exec "$root/scripts/headless.sh" "$root/build/quorl"
fi
exec "$root/build/quorl"
