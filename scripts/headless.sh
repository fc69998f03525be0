#!/usr/bin/env bash
# The headless harness: runs a command under a virtual X display (Xvfb, drawn by
# Mesa's software renderer) and an ALSA setup of its own, and stops what it
# started when the command ends. The command's exit status is passed on.
#
#   headless.sh [--audio null|none|record:FILE] [--no-display] [--] COMMAND...
#
#   --audio null         a sound device that plays into nothing (default)
#   --audio none         no usable sound device
#   --audio record:FILE  a sound device that writes what it plays to FILE: raw
#                        signed 16-bit little-endian samples, 48000 Hz, stereo
#   --no-display         no display at all
#
# The sound device takes samples at the pace of a real one (ffmpeg reads them in
# real time), so a program's audio thread waits as it would on a sound card.
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
# pointed nowhere so that ALSA is the only way out. The played samples are
# converted to one fixed format and piped through ffmpeg, which takes them in
# real time and writes them to HEADLESS_AUDIO_OUT. It reads the pipe 10 ms at
# a time, as a sound card takes its periods: reading its default 32 KiB at
# once, it would let the player's position jump by 170 ms.
paced_device() {
  command -v ffmpeg >/dev/null || { echo "headless.sh: --audio $audio needs ffmpeg" >&2; exit 2; }
  export HEADLESS_AUDIO_OUT=$1
  cat <<'EOF'
pcm.!default { type plug slave { pcm "paced" format S16_LE rate 48000 channels 2 } }
pcm.paced {
  type file
  slave.pcm null
  format raw
  file '|exec ffmpeg -nostdin -loglevel error -re -blocksize 1920 -f s16le -ar 48000 -ac 2 -i pipe:0 -c:a copy -f s16le -y "$HEADLESS_AUDIO_OUT"'
}
EOF
}
case "$audio" in
  null) paced_device /dev/null > "$work/.asoundrc" ;;
  none) echo 'pcm.!default { type hw card 99 }' > "$work/.asoundrc" ;;
  record:?*) paced_device "${audio#record:}" > "$work/.asoundrc" ;;
  *) echo "headless.sh: unknown audio setup '$audio'" >&2; exit 2 ;;
esac
export HOME="$work" PULSE_SERVER="unix:$work/no-pulse"

if [ "$display" = virtual ]; then
  # -noreset: the server must not restart (and refuse clients) whenever the last one leaves.
  # -br: a black root window, so that a window shows nothing until it draws.
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset -br 3>"$work/display" 2>"$work/xvfb.log" &
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
