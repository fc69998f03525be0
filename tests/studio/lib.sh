# Shared by the studio's end-to-end tests and benchmarks. Each is started by
# scripts/headless.sh and runs build/quorl-studio as a user runs it, on a
# project of its own (a copy of assets/), and reads what the studio shows:
# its frame log (QUORL_STUDIO_FRAME_LOG, one line per frame) and its F12
# screenshots. Keys and clicks go to the window through xdotool.
#
# ctest names the executables in QUORL_STUDIO and QUORL_PNG_PROBE; without
# them they are taken from build/ (or QUORL_BUILD). The harness's sound device
# takes samples in real time, as a sound card does, so the music plays at its
# pace.
set -uo pipefail

source_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${QUORL_BUILD:-$source_root/build}
STUDIO=${QUORL_STUDIO:-$build/quorl-studio}
PNG_PROBE=${QUORL_PNG_PROBE:-$build/tests/studio/png_probe}
work=$(mktemp -d)
project=$work/project
frames=$work/frames.log
log=$work/studio.log
studio_pid=
mkdir -p "$project"
cp -r "$source_root/assets" "$project/assets"

cleanup() {
  [ -n "$studio_pid" ] && kill "$studio_pid" 2>/dev/null && wait "$studio_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- studio output (last 20 lines) ---" >&2
  tail -n 20 "$log" >&2
  echo "--- frame log (last 10 lines) ---" >&2
  grep -v '^frame' "$frames" 2>/dev/null | tail -n 5 >&2
  tail -n 5 "$frames" >&2
  exit 1
}

# Starts the studio on the project with the given options and waits for its
# first frame.
start_studio() {
  (cd "$work" && QUORL_STUDIO_FRAME_LOG=$frames exec "$STUDIO" --project "$project" "$@") >"$log" 2>&1 &
  studio_pid=$!
  wait_for 60 "the first frame" has_frames
}

has_frames() { grep -q '^frame=' "$frames" 2>/dev/null; }

# Waits up to $1 seconds for the command after $2 (a description) to succeed.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    kill -0 "$studio_pid" 2>/dev/null || fail "the studio ended while waiting for $what"
    [ $SECONDS -lt $deadline ] || fail "waited $seconds s in vain for $what"
    sleep 0.1
  done
}

# A field of the last frame line: field clock, field tracks, ...
field() { grep '^frame=' "$frames" | tail -n 1 | tr ' ' '\n' | sed -n "s/^$1=//p"; }

# The frames logged after the first $1 lines of the log.
frames_after() { tail -n +"$(($1 + 1))" "$frames" | grep '^frame='; }
log_lines() { wc -l < "$frames"; }
# Succeeds once $2 frames are logged after the first $1 lines.
frames_since() { [ "$(frames_after "$1" | wc -l)" -ge "$2" ]; }

# Succeeds once the last frame's field $1 reads $2.
field_is() { [ "$(field "$1")" = "$2" ]; }

# Succeeds once the last messages line holds $1 (fixed string); "" waits for
# the messages to clear.
messages_hold() {
  local last
  last=$(grep '^messages' "$frames" | tail -n 1)
  if [ -z "$1" ]; then [ "$last" = "messages " ] || [ -z "$last" ]; else [[ $last == *"$1"* ]]; fi
}

# The frame's place in the window, as X Y W H.
frame_rect() { grep '^layout' "$frames" | tail -n 1 | sed -n 's/.*frame=\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p'; }
view_rows() { grep '^view' "$frames" | tail -n 1 | sed -n 's/^view first=\([0-9.]*\) rows=\([0-9.]*\)$/\1 \2/p'; }
timeline_rect() { grep '^layout' "$frames" | tail -n 1 | sed -n 's/.*timeline=\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p'; }

# The timeline as last logged: its panel (tx ty tw th), the rows in view
# (first, rows) and the plot right of the labels (plot_left, plot_width).
read_timeline() {
  read -r tx ty tw th < <(timeline_rect)
  read -r first rows < <(view_rows)
  plot_left=$((tx + 190))
  plot_width=$((tw - 190))
}
# The pixel column of row $1, the top of lane $1 of $2 track lanes (the
# music's lane is under them) and their height, in the timeline read last:
# a ruler of 34 pixels (the row numbers, then the markers' strip from 16 on).
row_x() {
  awk -v r="$1" -v l="$plot_left" -v w="$plot_width" -v f="$first" -v n="$rows" \
    'BEGIN { printf "%d", l + (r - f) / n * w + 0.5 }'
}
lane_top() { echo $((ty + 34 + $1 * (th - 34) / ($2 + 1))); }
lane_height() { echo $(((th - 34) / ($1 + 1))); }
marker_strip_y() { echo $((ty + 25)); }

# Saves what the window shows as $work/$1.png: F12 is held until raylib has
# written its screenshot (a frame can take long under software rendering).
# raylib numbers its screenshots; each is moved away as it comes.
screenshot() {
  local shot=
  xdotool keydown F12
  local deadline=$((SECONDS + 30))
  until [ -n "$shot" ] || [ $SECONDS -ge $deadline ]; do
    sleep 0.1
    shot=$(find "$work" -maxdepth 1 -name 'screenshot*.png' -size +0 | head -n 1)
  done
  xdotool keyup F12
  [ -n "$shot" ] || fail "F12 saved no screenshot"
  # raylib writes the file in one go from a frame's end; give it a moment.
  sleep 0.3
  mv "$shot" "$work/$1.png"
}

# Regions of the frame in a screenshot, as X Y W H: `lower`, its bottom-right
# quarter (clear of the message band and the overlay), and `band_edge`, the
# red edge of the message band at its top left.
frame_regions() {
  local fx fy fw fh
  read -r fx fy fw fh < <(frame_rect)
  lower=($((fx + fw / 2)) $((fy + fh / 2)) $((fw / 2 - 2)) $((fh / 2 - 2)))
  band_edge=($((fx + 1)) $((fy + 2)) 2 10)
}

# Mean absolute difference (0 to 255) of two screenshots over a region X Y W H.
difference() { "$PNG_PROBE" difference "$work/$1.png" "$work/$2.png" $3 $4 $5 $6; }
mean_colour() { "$PNG_PROBE" mean "$work/$1.png" $2 $3 $4 $5; }

# Screenshot $2, taken after $1, shows the same frame under a message band:
# the last good version kept, the error on screen.
expect_kept_under_error_band() {
  local kept red green blue
  kept=$(difference "$1" "$2" "${lower[@]}")
  within "$kept" 0 1 || fail "the last good frame was not kept (difference $kept)"
  read -r red green blue < <(mean_colour "$2" "${band_edge[@]}")
  above "$red" 200 && ! above "$green" 100 || fail "no error band on screen (colour $red $green $blue)"
}

# Writes $2 as the project's file $1 the way many editors save: a temporary
# file renamed over the old one.
save_by_rename() {
  local target=$project/assets/$1
  printf '%s' "$2" > "$target.tmp-save"
  mv "$target.tmp-save" "$target"
}

# Ends the studio with Escape and checks that it closed cleanly.
stop_studio() {
  xdotool key Escape
  local deadline=$((SECONDS + 30))
  while kill -0 "$studio_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "still running 30 s after Escape"
    sleep 0.1
  done
  wait "$studio_pid"
  local status=$?
  studio_pid=
  [ "$status" -eq 0 ] || fail "exit status $status after Escape"
}

# Succeeds once the clipboard holds $1 (without its last newline).
clipboard_holds() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }

# Milliseconds from the wall-clock time $1 (date +%s.%N) to the frame that
# showed the $2-th edit the studio logged.
edit_latency() {
  local at
  at=$(grep '^edit-on-screen' "$frames" | sed -n "$2s/.*at=//p")
  awk -v a="$1" -v b="$at" 'BEGIN { printf "%.0f", (b - a) * 1000 }'
}
# One line on the times (ms, one a line on standard input): "$1: median M ms,
# LEAST to MOST ms over N $2".
latency_summary() {
  sort -n | awk -v what="$1" -v unit="$2" '{ t[NR] = $1 } END {
    printf "%s: median %d ms, %d to %d ms over %d %s\n", what, t[int((NR + 1) / 2)], t[1], t[NR], NR, unit }'
}

# True when |$1 - $2| < $3.
within() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { x = a - b; if (x < 0) x = -x; exit !(x < d) }'; }
# True when $1 > $2.
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
