#!/usr/bin/env bash
# The headless harness: runs a command under a virtual X display (Xvfb, drawn by
# Mesa's software renderer) and an ALSA setup of its own, and stops what it
# started when the command ends. The command's exit status is passed on.
#
#   headless.sh [--audio null|none|record:FILE] [--screen WxH] [--no-display] [--] COMMAND...
#
#   --audio null         a sound device that plays into nothing (default)
#   --audio none         no usable sound device
#   --audio record:FILE  a sound device that writes what it plays to FILE: raw
#                        signed 16-bit little-endian samples, 48000 Hz, stereo;
#                        and to FILE.taken when it took each period of 10 ms
#                        (the wall-clock time, its first and last frame)
#   --screen WxH         the virtual screen's size in pixels (default 1920x1080)
#   --no-display         no display at all
#
# The sound device takes samples at the pace of a real one (sound-sink.pl),
# so a program's audio thread waits as it would on a sound card.
set -uo pipefail
sink=$(cd "$(dirname "$0")" && pwd)/sound-sink.pl

audio=null
screen=1920x1080
display=virtual
while [ $# -gt 0 ]; do
  case "$1" in
    --audio) audio=${2:?--audio needs a value}; shift 2 ;;
    --screen) screen=${2:?--screen needs a value}; shift 2 ;;
    --no-display) display=none; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
usage="usage: headless.sh [--audio null|none|record:FILE] [--screen WxH] [--no-display] [--] COMMAND..."
[ $# -gt 0 ] || { echo "$usage" >&2; exit 2; }
[[ "$screen" =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] ||
  { echo "headless.sh: --screen '$screen' is not WIDTHxHEIGHT" >&2; exit 2; }

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
# pointed nowhere so that ALSA is the only way out. The played samples are
# converted to one fixed format and piped to the harness's sound card,
# sound-sink.pl, which takes them 10 ms at a time at the pace a card plays
# them and writes them to HEADLESS_AUDIO_OUT, and when recording notes when it
# took each period in HEADLESS_AUDIO_TAKEN.
paced_device() {
  export HEADLESS_AUDIO_OUT=$1 HEADLESS_AUDIO_TAKEN=$2
  cat <<EOF
pcm.!default { type plug slave { pcm "paced" format S16_LE rate 48000 channels 2 } }
pcm.paced {
  type file
  slave.pcm null
  format raw
  file '|exec perl "$sink" "\$HEADLESS_AUDIO_OUT" \${HEADLESS_AUDIO_TAKEN:+"\$HEADLESS_AUDIO_TAKEN"}'
}
EOF
}
case "$audio" in
  null) paced_device /dev/null "" > "$work/.asoundrc" ;;
  none) echo 'pcm.!default { type hw card 99 }' > "$work/.asoundrc" ;;
  record:?*) paced_device "${audio#record:}" "${audio#record:}.taken" > "$work/.asoundrc" ;;
  *) echo "headless.sh: unknown audio setup '$audio'" >&2; exit 2 ;;
esac
export HOME="$work" PULSE_SERVER="unix:$work/no-pulse"

if [ "$display" = virtual ]; then
  # -noreset: the server must not restart (and refuse clients) whenever the last one leaves.
  # -br: a black root window, so that a window shows nothing until it draws.
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset -br 3>"$work/display" 2>"$work/xvfb.log" &
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
  deadline=$((SECONDS + 10))
  until xdpyinfo >/dev/null 2>&1; do
    if [ $SECONDS -ge $deadline ]; then
      echo "headless.sh: the virtual display $DISPLAY did not answer within 10 s" >&2
      exit 1
    fi
    sleep 0.1
  done
else
  unset DISPLAY WAYLAND_DISPLAY
fi

"$@"
