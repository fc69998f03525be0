#!/usr/bin/env bash
# quorl-capture renders the demo's frame at the clock reading $1 into a PNG and
# exits 0. In the sanitizer build this runs the whole render path, from the
# tracks to the read-back and the PNG writer, under ASan and UBSan.
set -uo pipefail

CAPTURE=${QUORL_CAPTURE:?QUORL_CAPTURE must name the capture executable}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$CAPTURE" --at "$1" --out "$out/frame.png"
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: quorl-capture --at $1 exited with status $status" >&2; exit 1; }
[ "$(head -c 8 "$out/frame.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  { echo "FAIL: quorl-capture --at $1 wrote no PNG" >&2; exit 1; }
echo "PASS"
