#!/usr/bin/env bash
# When quorl.exe cannot start it shows why in a message box titled "Quorl",
# the line TEXT ($1) that the Linux demo prints, and ends with status 1 once
# the box is closed; standard error has the line too. Wine's trace of the
# message box gives its text. The rest of the arguments go before the
# program (settings that take a driver's abilities away).
. "$(dirname "$0")/lib.sh"

text=${1:?what the message must say}
shift
WINEDEBUG=-all,err+module,+msgbox env "$@" "$WINE" "$QUORL" >"$log" 2>&1 &
pid=$!
# The box, not the demo's window of the same title, which closes before it.
box_shown() {
  grep -q 'MSGBOX_OnInit' "$log" &&
    xwininfo -name Quorl 2>/dev/null | grep -q "Map State: IsViewable" &&
    ! xwininfo -name Quorl | grep -q "Width: 1920"
}
deadline=$((SECONDS + 60))
until box_shown; do
  kill -0 "$pid" 2>/dev/null || fail "ended without a message box"
  [ $SECONDS -lt $deadline ] || fail "no message box titled Quorl appeared"
  sleep 0.2
done
shown=$(grep -o 'MSGBOX_OnInit L".*"' "$log" | head -n 1)
[[ "$shown" == "MSGBOX_OnInit L\"$text"* ]] || fail "the message box says $shown"
kill -0 "$pid" 2>/dev/null || fail "ended before the message box was closed"
xdotool key Return
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "still running after the message box was closed"; }
wait "$pid"
status=$?
[ "$status" -eq 1 ] || fail "exit status $status instead of 1"
grep -q -F "quorl: $text" "$log" || fail "standard error does not say 'quorl: $text'"
echo "PASS: the message box said ${shown#MSGBOX_OnInit }"
