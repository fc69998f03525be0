# Shared by the end-to-end tests: each runs build/quorl under the headless
# harness (the test itself is started by scripts/headless.sh) and checks what
# a user would see. QUORL is the executable under test.
set -uo pipefail

QUORL=${QUORL:?QUORL must name the demo executable}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- demo output (last 30 lines) ---" >&2
  tail -n 30 "$log" >&2
  exit 1
}

# True when the log has line $1 before line $2 (fixed strings).
in_order() {
  local first second
  first=$(grep -n -F -m1 -- "$1" "$log" | cut -d: -f1)
  second=$(grep -n -F -- "$2" "$log" | tail -n 1 | cut -d: -f1)
  [ -n "$first" ] && [ -n "$second" ] && [ "$first" -lt "$second" ]
}

# Waits up to $1 seconds for the demo's window to be mapped.
wait_for_window() {
  local deadline=$((SECONDS + $1))
  while [ $SECONDS -lt $deadline ]; do
    xwininfo -name Quorl 2>/dev/null | grep -q "Map State: IsViewable" && return 0
    sleep 0.2
  done
  return 1
}

# The screen's size, WIDTHxHEIGHT.
screen_size() {
  xdpyinfo | awk '/dimensions:/ { print $2; exit }'
}

# Whether any pixel of the screen's part WIDTHxHEIGHT+X+Y is lit.
lit() {
  local size=${1%%+*} offset=${1#*+}
  ffmpeg -nostdin -loglevel error -f x11grab -draw_mouse 0 -video_size "$size" -i "$DISPLAY+${offset/+/,}" \
      -frames:v 1 -pix_fmt rgb24 -f rawvideo - 2>/dev/null |
    od -An -v -tu1 | awk '{ for (i = 1; i <= NF; i++) if ($i > 4) lit = 1 } END { exit !lit }'
}

# Waits up to $1 seconds for the demo's window to be mapped and to show a
# picture: the frame loop runs. The harness's screen is black until then, and
# the demo fades in from black.
wait_for_picture() {
  local deadline=$((SECONDS + $1))
  wait_for_window "$1" || return 1
  while [ $SECONDS -lt $deadline ]; do
    lit "$(screen_size)+0+0" && return 0
    sleep 0.5
  done
  return 1
}

# Waits until a recording stops growing: the harness's sound device plays out
# what it was given after the program has ended.
wait_until_quiet() {
  local size=-1
  until [ "$size" = "$(stat -c %s "$1" 2>/dev/null)" ]; do
    size=$(stat -c %s "$1" 2>/dev/null)
    sleep 0.5
  done
}

# Seconds since the given time, as $EPOCHREALTIME gives it, to a hundredth.
seconds_since() {
  awk -v start="$1" -v now="$EPOCHREALTIME" 'BEGIN { printf "%.2f", now - start }'
}

# Presses Escape and expects the demo ($pid) to end within $1 seconds, with
# status 0 and the usual shutdown.
ends_on_escape() {
  local limit=$1 pressed=$EPOCHREALTIME status
  xdotool key Escape
  for _ in $(seq $((limit * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "still running $limit s after Escape"
  fi
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || fail "exit status $status after Escape"
  grep -q -F "AUDIO: Device closed successfully" "$log" || fail "the audio device was not closed"
  grep -q -F "Window closed successfully" "$log" || fail "the window was not closed"
  echo "PASS: ended $(seconds_since "$pressed") s after Escape"
}
