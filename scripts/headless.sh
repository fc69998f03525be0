#!/usr/bin/env bash
# The headless harness: runs a command under a virtual X display (Xvfb, drawn by
# Mesa's software renderer) and an ALSA setup of its own, and stops what it
# started when the command ends. The command's exit status is passed on.
#
#   headless.sh [--audio null|none|record:FILE] [--no-display] [--] COMMAND...
#
#   --audio null         a sound device that plays into nothing (default)
#   --audio none         no usable sound device
#   --audio record:FILE  a sound device that writes what it plays to FILE (raw)
#   --no-display         no display at all
set -uo pipefail

audio=null
display=virtual
while [ $# -gt 0 ]; do
  case "$1" in
    --audio) audio=${2:?--audio needs a value}; shift 2 ;;
    --no-display) display=none; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: headless.sh [--audio null|none|record:FILE] [--no-display] [--] COMMAND..." >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# ALSA reads ~/.asoundrc, so the command gets a home of its own. PulseAudio is
# pointed nowhere so that ALSA is the only way out.
case "$audio" in
  null) pcm='type null' ;;
  none) pcm='type hw card 99' ;;
  record:*) pcm="type file slave.pcm null file \"${audio#record:}\" format raw" ;;
  *) echo "headless.sh: unknown audio setup '$audio'" >&2; exit 2 ;;
esac
printf 'pcm.!default { %s }\n' "$pcm" > "$work/.asoundrc"
export HOME="$work" PULSE_SERVER="unix:$work/no-pulse"

if [ "$display" = virtual ]; then
  # -noreset: the server must not restart (and refuse clients) whenever the last one leaves.
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$work/display" ]; then
    echo "headless.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  export DISPLAY=":$(cat "$work/display")" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
  done
else
  unset DISPLAY WAYLAND_DISPLAY
fi

"$@"
