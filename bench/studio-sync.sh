#!/usr/bin/env bash
# How closely quorl-studio's clock keeps to the music's position: over a long
# play, after seeks, after pauses and around a loop. The studio plays into the
# harness's sound device, which takes samples in real time as a sound card
# does, and logs each frame's clock and music position; this reads the log.
#
#   scripts/headless.sh bench/studio-sync.sh [SECONDS [SCALE]]
#
# SECONDS of uninterrupted play (default 60, at most 65); SCALE (default 0.1)
# sets how long a frame takes under software rendering. Needs a build in
# build/ (or QUORL_BUILD) with the studio and its test helpers.
set -uo pipefail
. "$(dirname "$0")/../tests/studio/lib.sh"

play_seconds=${1:-60}
scale=${2:-0.1}

# |clock - music| over the frame lines of file $1 that satisfy the awk
# condition $2 on v["field"].
gaps() {
  awk "/^frame=/ {
      for (i = 1; i <= NF; i++) { split(\$i, kv, \"=\"); v[kv[1]] = kv[2] }
      if (${2:-1}) { g = (v[\"clock\"] - v[\"music\"]) * 1000; if (g < 0) g = -g; print g }
    }" "$1" | sort -n | awk '{ a[NR] = $1; s += $1 } END {
      if (NR == 0) { print "no frames"; exit }
      p = int(NR * 0.95); if (p < 1) p = 1
      printf "%d frames, mean %.3f ms, 95th percentile %.3f ms, max %.3f ms\n", NR, s / NR, a[p], a[NR] }'
}
# The frame lines logged since line $1, into file $2 (appended).
collect_since() { tail -n +"$(($1 + 1))" "$frames" | grep '^frame=' >> "$2"; }
frames_per_second() {
  awk '{ split($2, w, "="); if (first == "") first = w[2]; last = w[2]; n++ }
    END { if (n > 1) printf "%.1f", (n - 1) / (last - first); else print "?" }' "$1"
}
press() {
  xdotool key "$@"
  local sent
  sent=$(log_lines)
  wait_for 20 "frames after '$*'" frames_since "$sent" 3
}

start_studio --at 0.5 --scale "$scale"
wait_for 60 "playing frames" field_is playing 1
sleep 1
echo "quorl-studio at --scale $scale; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

played=$work/played
mark=$(log_lines)
sleep "$play_seconds"
collect_since "$mark" "$played"
echo "play, $play_seconds s ($(frames_per_second "$played") fps): $(gaps "$played")"

# Seeks while playing: the frames that handle each, and the second after it.
handled=$work/seek-handled
after=$work/seek-after
for keys in Home Right shift+Right ctrl+Left shift+Left Right Left shift+Right ctrl+Right; do
  mark=$(log_lines)
  press "$keys"
  tail -n +"$((mark + 1))" "$frames" | grep '^frame=' | head -n 3 >> "$handled"
  sleep 1
  collect_since "$mark" "$after"
done
echo "seeks while playing, the frames that handle them: $(gaps "$handled")"
echo "seeks while playing, the second after each: $(gaps "$after")"

# Pauses: the paused frames, and the second after resuming.
paused=$work/paused
resumed=$work/resumed
for _ in 1 2 3 4 5; do
  mark=$(log_lines)
  press space
  sleep 0.5
  collect_since "$mark" "$paused"
  mark=$(log_lines)
  press space
  sleep 1
  collect_since "$mark" "$resumed"
done
echo "paused: $(gaps "$paused" 'v["playing"] == 0')"
echo "the second after resuming: $(gaps "$resumed" 'v["playing"] == 1')"

# A loop of two beats played round for ten seconds: all its frames, and the
# frames that jump back.
looped=$work/looped
press space
press bracketleft
press Right Right bracketright l Left Left space
mark=$(log_lines)
sleep 10
collect_since "$mark" "$looped"
awk '{ split($3, c, "="); if (p != "" && c[2] < p) print; p = c[2] }' "$looped" > "$work/jumps"
echo "loop, 10 s with $(wc -l < "$work/jumps") jumps back: $(gaps "$looped")"
echo "loop, the frames that jump back: $(gaps "$work/jumps")"
stop_studio
