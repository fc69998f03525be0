#!/usr/bin/env bash
# What quorl-studio costs paused with nothing to do: its processor time (all
# its threads, the software renderer's included) as a share of one core, and
# the frames it drew, over SECONDS (default 10) once it has settled. Under
# scripts/headless.sh this is software rendering.
#
#   scripts/headless.sh bench/studio-idle.sh [SECONDS]
#
# Needs a build in build/ (or QUORL_BUILD) with the studio and its test helpers.
set -uo pipefail
. "$(dirname "$0")/../tests/studio/lib.sh"

seconds=${1:-10}
ticks_per_second=$(getconf CLK_TCK)
# User and system time of the studio so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$studio_pid/stat"; }

echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
start_studio --at 40 --scale 0.25 --paused
wait_for 60 "tracks and shader read" field_is shader 1
sleep 2
mark=$(log_lines)
before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
drawn=$(frames_after "$mark" | wc -l)
awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" -v n="$drawn" \
  'BEGIN { printf "paused, %d s: %.1f%% of a core, %d frames drawn\n", s, 100 * t / hz / s, n }'
stop_studio
