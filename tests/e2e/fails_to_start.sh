#!/usr/bin/env bash
# When the demo cannot start it says why in one line on standard error, the
# line named TEXT ($1), and ends with status 1 within 10 s, without a crash
# and without playing any music: the harness's sound device, where there is
# one, records only silence. The rest of the arguments go before the demo
# (environment settings that take a driver's abilities away). Only ALSA's
# library, which reports on its own, may add lines of its own.
. "$(dirname "$0")/lib.sh"

text=${1:?what the line must say}
shift
recording=${QUORL_RECORDING:-}
[ -n "$recording" ] && rm -f "$recording"

started=$EPOCHREALTIME
env "$@" "$QUORL" >"$log" 2>"$log.err"
status=$?
took=$(seconds_since "$started")
cat "$log.err" >>"$log"
ours=$(grep -v '^ALSA lib ' "$log.err")
rm -f "$log.err"
[ "$status" -eq 1 ] || fail "exit status $status instead of 1"
[ "$(wc -l <<<"$ours")" -eq 1 ] || fail "not one line on standard error: $ours"
grep -q -F "quorl: $text" <<<"$ours" || fail "the line does not say 'quorl: $text': $ours"
! grep -q -F "terminate" "$log" || fail "it crashed"
awk -v t="$took" 'BEGIN { exit !(t < 10) }' || fail "it took $took s to give up"
if [ -n "$recording" ] && [ -e "$recording" ]; then
  wait_until_quiet "$recording"
  cmp -s -n "$(stat -c %s "$recording")" "$recording" /dev/zero || fail "music was played"
fi
echo "PASS: in $took s: $ours"
