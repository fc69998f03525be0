#!/usr/bin/env bash
# When the studio cannot start (no display, no sound device, no frame log it
# was asked for) it says why in one line and ends with status 1. $1: what the
# line must say. Only ALSA's library, which reports on its own, may add lines
# of its own.
. "$(dirname "$0")/lib.sh"

"$STUDIO" --project "$project" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "status $status"
ours=$(grep -v '^ALSA lib ' "$work/err")
[ "$(wc -l <<<"$ours")" -eq 1 ] || fail "not one line: $ours"
grep -q -F "quorl-studio: ${1:?what the line must say}" <<<"$ours" || fail "the line does not say '$1': $ours"
[ ! -s "$work/out" ] || fail "output on standard output: $(head -n 3 "$work/out")"
echo "PASS: $ours"
