#!/usr/bin/env bash
# The headless harness stops with one line, without running its command, when
# its virtual display starts but never answers: here a stand-in for Xvfb names
# a display that nothing serves (its number is beyond X's TCP ports, so no
# other server can answer for it either).
set -uo pipefail

HEADLESS=${QUORL_HEADLESS:?QUORL_HEADLESS must name scripts/headless.sh}
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
cat >"$fake/Xvfb" <<'XVFB'
#!/bin/sh
echo 65123 >&3
exec sleep 60
XVFB
chmod +x "$fake/Xvfb"

output=$(PATH="$fake:$PATH" "$HEADLESS" touch "$fake/ran" 2>&1)
status=$?
[ "$status" -ne 0 ] || { echo "FAIL: exit status 0 although the display never answered" >&2; exit 1; }
[ ! -e "$fake/ran" ] || { echo "FAIL: the command ran without a display" >&2; exit 1; }
[ "$(wc -l <<<"$output")" -eq 1 ] && grep -q "did not answer" <<<"$output" ||
  { echo "FAIL: the harness did not say in one line that the display did not answer: $output" >&2; exit 1; }
echo "PASS: $output"
