#!/usr/bin/env bash
# Run without a display: a command line the studio cannot use is refused with
# one line and status 2 before any window is tried (trying would fail with
# status 1 here). --help prints the usage and succeeds.
. "$(dirname "$0")/lib.sh"

refused() {
  local out=$work/out err=$work/err status
  "$STUDIO" "$@" >"$out" 2>"$err"
  status=$?
  [ "$status" -eq 2 ] || fail "status $status for: $*"
  [ ! -s "$out" ] || fail "output on standard output for: $*"
  [ "$(wc -l < "$err")" -eq 1 ] || fail "not one line for: $* -- $(cat "$err")"
  grep -q "^quorl-studio: " "$err" || fail "the line does not say who speaks: $(cat "$err")"
}

refused --fullscreen
refused --at
refused --at soon
refused --at -2
refused --scale 0
refused --scale 1.5
refused --window 1280
refused --monitor -1
refused --project "$work/no-such-folder"
refused --paused --paused

"$STUDIO" --help >"$work/out" 2>&1 || fail "--help failed"
grep -q "^usage: quorl-studio" "$work/out" || fail "--help printed no usage"
echo "PASS"
