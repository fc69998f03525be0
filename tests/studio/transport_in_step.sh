#!/usr/bin/env bash
# The transport with the music in step, on a sound device that plays in real
# time: while playing the clock follows the music's position; every seek,
# pause and loop moves both together; the timeline scrubs; past the end the
# last frame holds and the studio goes on running.
. "$(dirname "$0")/lib.sh"

# A small picture keeps frames short on a busy machine; the music is
# buffered for half a second at a time.
start_studio --at 40 --scale 0.1
wait_for 30 "playing frames" field_is playing 1

# Playing: after a second to settle, the clock is within 0.1 s of the music
# on every frame: past that the clock would have jumped to the music. (How
# close it keeps, under a frame, is measured by bench/studio-sync.sh; this
# bound catches a clock that does not follow.)
sleep 1
mark=$(log_lines)
sleep 3
gaps=$(frames_after "$mark" | awk '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] } if (v["playing"] == 1) { g = v["clock"] - v["music"]; if (g < 0) g = -g; if (g > worst) worst = g; n++ } } END { printf "%d %.4f\n", n, worst }')
read -r played worst <<<"$gaps"
[ "$played" -ge 3 ] || fail "only $played frames in 3 s of play"
within "$worst" 0 0.1 || fail "clock and music $worst s apart while playing"
advanced=$(field clock)
above "$advanced" 43 || fail "the clock stood still at $advanced"

# Each move, paused or playing, puts both in the same place.
in_step() { within "$(field clock)" "$(field music)" "$1"; }
clock_near() { within "$(field clock)" "$1" "$2"; }
# Sends keys, then waits for the frames that handle them: a key sent during a
# frame's poll is handled by the next frame, logged once that one is drawn.
after_key() {
  xdotool key "$@"
  local sent
  sent=$(log_lines)
  wait_for 20 "frames after '$*'" frames_since "$sent" 3
}

after_key space
field_is playing 0 || fail "Space did not pause"
in_step 0.001 || fail "paused with clock $(field clock) and music $(field music)"
after_key Home
clock_near 0 1e-6 && in_step 0.001 || fail "Home: clock $(field clock), music $(field music)"
after_key End
clock_near "$(awk 'BEGIN { printf "%.9f", 799 * 3 / 35 }')" 1e-6 && in_step 0.001 || fail "End: clock $(field clock), music $(field music)"
after_key shift+Left
clock_near "$(awk 'BEGIN { printf "%.9f", 784 * 3 / 35 }')" 1e-6 && in_step 0.001 || fail "Shift+Left: clock $(field clock)"
after_key ctrl+Right
clock_near "$(awk 'BEGIN { printf "%.9f", 785 * 3 / 35 }')" 1e-6 && in_step 0.001 || fail "Ctrl+Right: clock $(field clock)"

# Past the end: the last frame holds, the music stops, the studio runs on.
after_key space
wait_for 30 "the stop at the end" field_is playing 0
clock_near 68.5714 0.001 || fail "stopped at $(field clock), not at the end"
in_step 0.001 || fail "at the end: clock $(field clock), music $(field music)"
kill -0 "$studio_pid" || fail "the studio ended with the demo"

# A loop of two beats from row 400: played round, each jump back takes the
# music along.
after_key Home
for _ in $(seq 25); do xdotool key shift+Right; done
after_key bracketleft
start=$(field clock)
after_key Right Right bracketright l Left Left space
mark=$(log_lines)
sleep 4
jumps=$(frames_after "$mark" | awk -v s="$start" '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] } if (p != "" && v["clock"] < p) { n++; g = v["clock"] - v["music"]; if (g < 0) g = -g; if (g > worst) worst = g; d = v["clock"] - s; if (d < 0) d = -d; if (d > far) far = d } p = v["clock"] } END { printf "%d %.4f %.4f\n", n, worst, far }')
read -r count worst far <<<"$jumps"
[ "$count" -ge 2 ] || fail "the loop jumped back $count times in 4 s"
# The mixer may take its next periods of the music between the jump and the
# reading; a jump that left the music behind would be a loop's length off.
within "$worst" 0 0.1 || fail "clock and music $worst s apart on jumping back"
within "$far" 0 0.15 || fail "a jump back landed $far s from the loop's start"

# A click on the timeline scrubs there, the music too.
after_key space
read -r tx ty tw th < <(timeline_rect)
plot_left=$((tx + 190))
x=$((plot_left + (tw - 190) / 2))
window=$(xdotool search --name '^quorl-studio$' | head -n 1)
xdotool mousemove --window "$window" "$x" $((ty + th / 2)) click 1
sent=$(log_lines)
wait_for 20 "frames after the click" frames_since "$sent" 3
read -r first rows < <(view_rows)
expected=$(awk -v x="$x" -v l="$plot_left" -v w="$((tw - 190))" -v f="$first" -v r="$rows" 'BEGIN { print (f + (x - l) / w * r) * 3 / 35 }')
clock_near "$expected" 0.2 || fail "the click went to $(field clock), not near $expected"
in_step 0.001 || fail "after the click: clock $(field clock), music $(field music)"

# Dragging scrubs along.
row_at() { awk -v x="$1" -v l="$plot_left" -v w="$((tw - 190))" -v f="$first" -v r="$rows" 'BEGIN { printf "%.9f", (f + (x - l) / w * r) * 3 / 35 }'; }
xdotool mousedown 1
xdotool mousemove --window "$window" $((x + 200)) $((ty + th / 2))
sent=$(log_lines)
wait_for 20 "frames while dragging" frames_since "$sent" 3
clock_near "$(row_at $((x + 200)))" 0.2 || fail "dragging went to $(field clock), not near $(row_at $((x + 200)))"
xdotool mouseup 1
in_step 0.001 || fail "after dragging: clock $(field clock), music $(field music)"

# The wheel zooms in about the pointer.
under=$(row_at "$x")
xdotool mousemove --window "$window" "$x" $((ty + th / 2)) click 4 click 4
sent=$(log_lines)
wait_for 20 "frames after the wheel" frames_since "$sent" 3
read -r first rows < <(view_rows)
above 832 "$rows" || fail "the wheel did not zoom in: $rows rows in view"
within "$(row_at "$x")" "$under" 0.1 || fail "the row under the pointer moved from $under s to $(row_at "$x") s"

stop_studio
echo "PASS"
