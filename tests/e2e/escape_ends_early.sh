#!/usr/bin/env bash
# Escape ends the demo at once, with status 0 and the usual shutdown. On a
# screen of another shape than 16:9 (the harness's is 1280x1024 here) the
# picture keeps its shape: full width, black bars above and below.
. "$(dirname "$0")/lib.sh"

"$QUORL" >"$log" 2>&1 &
pid=$!
wait_for_picture 90 || fail "no window titled Quorl showed a picture"
size=$(screen_size)
width=${size%x*} height=${size#*x}
picture=$((width * 9 / 16))
bar=$(((height - picture) / 2))
xwininfo -name Quorl | grep -q -F "Width: $width" || fail "the window does not cover the $size screen"
if [ "$bar" -gt 0 ]; then
  ! lit "${width}x${bar}+0+0" && ! lit "${width}x${bar}+0+$((height - bar))" || fail "the bars are not black"
  lit "${width}x${picture}+0+${bar}" || fail "no picture between the bars"
  echo "the picture is ${width}x${picture} between bars of $bar pixels"
fi
ends_on_escape 20
