#!/usr/bin/env bash
# quorl-capture as a user runs it, under the headless harness:
#   capture_cli_test.sh writes_one_frame|writes_a_sequence|rejects_bad_requests|fails_without_display
# QUORL_CAPTURE names the executable under test.
set -uo pipefail

capture=${QUORL_CAPTURE:?QUORL_CAPTURE must name quorl-capture}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs quorl-capture; expects failure with exactly one line on standard error
# and nothing left under $work/out*.
expect_refusal() {
  "$capture" "$@" >"$work/stdout" 2>"$work/stderr" && fail "accepted: $*"
  [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "not one line of error for '$*': $(cat "$work/stderr")"
  grep -q '^quorl-capture: ' "$work/stderr" || fail "error for '$*' does not name the tool: $(cat "$work/stderr")"
  compgen -G "$work/out*" >/dev/null && fail "'$*' left $(ls "$work")"
  echo "refused '$*': $(cat "$work/stderr")"
}

is_full_frame_png() {
  file "$1" | grep -q 'PNG image data, 1920 x 1080, 8-bit/color RGBA'
}

case "${1:-}" in
  writes_one_frame)
    "$capture" --at 40 --out "$work/out.png" || fail "exit status $?"
    is_full_frame_png "$work/out.png" || fail "not a 1920x1080 PNG: $(file "$work/out.png")"
    [ "$(ls "$work")" = "out.png" ] || fail "left more than the frame: $(ls "$work")"
    ;;
  writes_a_sequence)
    "$capture" --from 40 --to 40.05 --fps 20 --out "$work/out" 2>"$work/progress" || fail "exit status $?"
    [ "$(ls "$work/out" | tr '\n' ' ')" = "frame_00000.png frame_00001.png " ] ||
      fail "wrong frames: $(ls "$work/out")"
    for frame in "$work"/out/*; do is_full_frame_png "$frame" || fail "not a 1920x1080 PNG: $frame"; done
    cmp -s "$work/out/frame_00000.png" "$work/out/frame_00001.png" && fail "both frames show the same picture"
    grep -Eq '^frame 2 of 2, [0-9.]+ frames/s, 0s left$' "$work/progress" ||
      fail "no progress line: $(cat "$work/progress")"
    ;;
  rejects_bad_requests)
    expect_refusal --at nan --out "$work/out.png"
    expect_refusal --at --out "$work/out.png"
    expect_refusal --at 1 --out "$work/out.png" --size 640x360
    expect_refusal --at 1 --out "$work/missing/out.png"
    expect_refusal --at 68.58 --out "$work/out.png"
    expect_refusal --from 68 --to 69 --fps 2 --out "$work/out"
    ;;
  fails_without_display)
    expect_refusal --at 1 --out "$work/out.png"
    ;;
  *)
    fail "unknown case '${1:-}'"
    ;;
esac
echo PASS
