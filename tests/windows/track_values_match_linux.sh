#!/usr/bin/env bash
# The embedded tracks' values over the whole demo, listed by the native build
# and by the Windows build under Wine, are the same to the bit.
#
#   track_values_match_linux.sh NATIVE_LISTING WINDOWS_LISTING.exe
set -uo pipefail
native=$1 windows=$2
linux_values=$(mktemp) windows_values=$(mktemp)
trap 'rm -f "$linux_values" "$windows_values"' EXIT

"$native" >"$linux_values" || { echo "FAIL: $native failed" >&2; exit 1; }
# Windows ends its lines with CR LF.
"$QUORL_WINE" "$windows" | tr -d '\r' >"$windows_values" || { echo "FAIL: $windows failed under Wine" >&2; exit 1; }
lines=$(wc -l <"$linux_values")
[ "$lines" -gt 8000 ] || { echo "FAIL: the native listing has $lines lines" >&2; exit 1; }
if ! cmp -s "$linux_values" "$windows_values"; then
  echo "FAIL: Windows evaluates the tracks differently; first differences (Linux <, Windows >):" >&2
  diff "$linux_values" "$windows_values" | head -n 8 >&2
  exit 1
fi
echo "PASS: $lines lines alike"
