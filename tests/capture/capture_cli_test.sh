#!/usr/bin/env bash
# quorl-capture as a user runs it, under the headless harness:
#   capture_cli_test.sh CASE   (the cases are listed at the bottom)
# QUORL_CAPTURE names the executable under test.
set -uo pipefail

capture=${QUORL_CAPTURE:?QUORL_CAPTURE must name quorl-capture}
work=$(mktemp -d)
# Where the outputs go; the tool's messages stay outside it.
place="$work/place"
mkdir "$place"
running=
trap '[ -n "$running" ] && kill -KILL "$running" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Every path under $place with its type, permissions and size.
snapshot() {
  find "$place" -printf '%p %y %m %s\n' | sort
}

# Runs COMMAND, quorl-capture; expects exit status STATUS with exactly one
# line on standard error that contains TEXT, and $place as it was.
expect_refusal() {
  local status=$1 text=$2
  shift 2
  local before
  before=$(snapshot)
  "$@" >"$work/stdout" 2>"$work/stderr"
  local got=$?
  [ "$got" -eq "$status" ] || fail "exit status $got, not $status, for '$*': $(cat "$work/stderr")"
  [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "not one line of error for '$*': $(cat "$work/stderr")"
  grep -q '^quorl-capture: ' "$work/stderr" || fail "error for '$*' does not name the tool: $(cat "$work/stderr")"
  grep -qF -- "$text" "$work/stderr" || fail "error for '$*' does not say '$text': $(cat "$work/stderr")"
  [ "$(snapshot)" = "$before" ] || fail "'$*' changed $place: $(snapshot)"
  echo "refused '$*': $(cat "$work/stderr")"
}

is_full_frame_png() {
  file "$1" | grep -q 'PNG image data, 1920 x 1080, 8-bit/color RGBA'
}

# Starts quorl-capture with ARGUMENTS in the background, with the stop signals
# at their defaults (a script's background jobs ignore Ctrl-C otherwise).
start_capture() {
  env --default-signal=INT,QUIT "$capture" "$@" 2>"$work/stderr" &
  running=$!
}

# Waits up to a minute for COMMAND to succeed.
wait_for() {
  for _ in $(seq 600); do
    "$@" && return 0
    sleep 0.1
  done
  fail "waited in vain for: $* ($(cat "$work/stderr"))"
}

has_partial_file() {
  compgen -G "$1.partial*" >/dev/null
}

# Sends SIGNAL to the running capture; expects it to end with STATUS and its
# last line to say so.
expect_stop() {
  local signal=$1 status=$2
  kill "-$signal" "$running"
  wait "$running"
  local got=$?
  running=
  [ "$got" -eq "$status" ] || fail "exit status $got, not $status, after SIG$signal: $(cat "$work/stderr")"
  [ "$(tail -n 1 "$work/stderr")" = "quorl-capture: stopped by SIG$signal; no unfinished file is left" ] ||
    fail "last words after SIG$signal: $(tail -n 1 "$work/stderr")"
}

case "${1:-}" in
  writes_one_frame)
    "$capture" --at 40 --out "$place/out.png" || fail "exit status $?"
    is_full_frame_png "$place/out.png" || fail "not a 1920x1080 PNG: $(file "$place/out.png")"
    [ "$(ls "$place")" = "out.png" ] || fail "left more than the frame: $(ls "$place")"
    ;;
  writes_a_sequence)
    "$capture" --from 40 --to 40.05 --fps 20 --out "$place/out" 2>"$work/progress" || fail "exit status $?"
    [ "$(ls "$place/out" | tr '\n' ' ')" = "frame_00000.png frame_00001.png " ] ||
      fail "wrong frames: $(ls "$place/out")"
    for frame in "$place"/out/*; do is_full_frame_png "$frame" || fail "not a 1920x1080 PNG: $frame"; done
    cmp -s "$place/out/frame_00000.png" "$place/out/frame_00001.png" && fail "both frames show the same picture"
    grep -Eq '^frame 2 of 2, [0-9.]+ frames/s, 0s left$' "$work/progress" ||
      fail "no progress line: $(cat "$work/progress")"
    ;;
  rejects_bad_requests)
    expect_refusal 2 "--at 'nan' is not a finite number" "$capture" --at nan --out "$place/out.png"
    expect_refusal 2 "--at needs a value" "$capture" --at --out "$place/out.png"
    expect_refusal 2 "--size is for --video only" "$capture" --at 1 --out "$place/out.png" --size 640x360
    expect_refusal 1 "the demo shows nothing at 68.58 s" "$capture" --at 68.58 --out "$place/out.png"
    expect_refusal 1 "the demo shows nothing at 69 s" "$capture" --from 68 --to 69 --fps 2 --out "$place/out"
    ;;
  refuses_unusable_outputs_before_rendering)
    # No display: any of these that got as far as rendering would fail otherwise.
    mkdir "$place/directory.png"
    mkfifo "$place/fifo.png"
    echo target >"$place/target.png"
    ln -s target.png "$place/link.png"
    for name in directory.png fifo.png link.png; do
      expect_refusal 1 "cannot write '$place/$name': it is not a regular file" "$capture" --at 1 --out "$place/$name"
    done
    expect_refusal 1 "cannot write '/dev/full': it is not a regular file" "$capture" --at 1 --out /dev/full
    [ -c /dev/full ] || fail "/dev/full is no longer a device"
    expect_refusal 1 "cannot write '$place/missing/out.png': No such file or directory" \
      "$capture" --at 1 --out "$place/missing/out.png"
    expect_refusal 1 "cannot write '$place/new\\nline/out.png'" "$capture" --at 1 --out "$place/new
line/out.png"
    ;;
  stops_on_signals_and_leaves_nothing)
    # The file's place is taken before the frame is rendered: the signal
    # comes while the frame is made.
    start_capture --at 40 --out "$place/out.png"
    wait_for has_partial_file "$place/out.png"
    expect_stop TERM 143
    [ -z "$(ls -A "$place")" ] || fail "left $(ls -A "$place") after SIGTERM"

    start_capture --from 40 --to 45 --fps 10 --out "$place/frames"
    wait_for grep -q '^frame 1 of' "$work/stderr"
    expect_stop QUIT 131
    for frame in "$place"/frames/*; do
      [[ "$frame" == */frame_[0-9][0-9][0-9][0-9][0-9].png ]] || fail "left $frame after SIGQUIT"
      is_full_frame_png "$frame" || fail "left an unfinished $frame after SIGQUIT"
    done
    ;;
  refuses_a_shader_that_does_not_compile)
    # Mesa hands its compiler a broken shader in place of the demo's.
    expect_refusal 1 "the demo's shader does not compile: 0:3(28): error: \`undeclared' undeclared" \
      "$(dirname "$0")/../e2e/with_broken_shader.sh" "$(dirname "$0")/../../assets/city.frag" \
      "$capture" --at 40 --out "$place/out.png"
    ;;
  refuses_frames_the_driver_did_not_draw)
    # Mesa's no-op driver takes every call and draws nothing.
    expect_refusal 1 "the graphics driver drew nothing into the frame at 40 s" \
      env GALLIUM_NOOP=1 "$capture" --at 40 --out "$place/out.png"
    ;;
  fails_cleanly_past_the_file_size_limit)
    # The limit covers the capture alone; its messages go through a pipe, which no limit covers.
    message=$( (ulimit -f 1 && exec "$capture" --at 0 --out "$place/out.png") 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 1 ] || fail "exit status $status past the file-size limit: $message"
    [ "$message" = "quorl-capture: cannot write '$place/out.png': File too large" ] ||
      fail "unclear error past the file-size limit: $message"
    [ -z "$(ls -A "$place")" ] || fail "left $(ls -A "$place")"
    ;;
  fails_without_display)
    expect_refusal 1 "" "$capture" --at 1 --out "$place/out.png"
    ;;
  *)
    fail "unknown case '${1:-}'"
    ;;
esac
echo PASS
