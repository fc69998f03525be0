#!/usr/bin/env bash
# tracks.txt edited while the studio runs: a change shows at once, keeping the
# playhead; a mistake keeps the last good tracks with the line's error on
# screen until the file is fixed; saves by rename and a file that disappears
# are seen too. Paused with nothing to do, the studio draws nothing until a
# key or a saved file wakes it.
. "$(dirname "$0")/lib.sh"

tracks=$project/assets/tracks.txt
# The key of camera_rotation:z at row 448, which holds at 40 s (row 466.67).
line=$(awk '/^track camera_rotation:z/ { inside = 1 } inside && $1 == "448" { print NR; exit }' "$tracks")
[ -n "$line" ] || fail "no key at row 448 in camera_rotation:z"
with_key() { sed "${line}s/.*/  448 $1 step/" "$tracks"; }

start_studio --at 40 --scale 0.25 --paused
wait_for 30 "tracks and shader read" field_is tracks 1
# A second of frames after the start, then none.
sleep 1.5
mark=$(log_lines)
sleep 1
[ "$(frames_after "$mark" | wc -l)" -eq 0 ] || fail "paused with nothing to do, the studio went on drawing"
frame_regions
screenshot before

# Saved in place: the camera rolls by 25 degrees.
with_key 25 > "$tracks.new" && cat "$tracks.new" > "$tracks" && rm "$tracks.new"
wait_for 30 "the edited tracks" field_is tracks 2
[ "$(field clock)" = "40.000000" ] || fail "the playhead moved to $(field clock) on reloading"
screenshot rolled
change=$(difference before rolled "${lower[@]}")
above "$change" 10 || fail "the frame did not change with the tracks (difference $change)"

# A mistake, saved by rename: the last good tracks stay and the error, with
# its line, is on screen.
save_by_rename tracks.txt "$(with_key 2S)"
wait_for 30 "the error on screen" messages_hold "assets/tracks.txt, line $line: value '2S' is not a number"
field_is tracks 2 || fail "tracks with a mistake were applied"
screenshot mistaken
expect_kept_under_error_band rolled mistaken

# Fixed, by rename again: applied, and the error gone.
save_by_rename tracks.txt "$(with_key -25)"
wait_for 30 "the fixed tracks" field_is tracks 3
wait_for 10 "the error to clear" messages_hold ""
screenshot fixed
change=$(difference rolled fixed "${lower[@]}")
above "$change" 10 || fail "the fixed tracks did not show (difference $change)"

# A file that disappears is an error like any other; its return is read.
mv "$tracks" "$work/tracks.away"
wait_for 30 "the missing file reported" messages_hold "assets/tracks.txt is missing"
mv "$work/tracks.away" "$tracks"
wait_for 30 "the file read again" field_is tracks 4
wait_for 10 "the error to clear" messages_hold ""

stop_studio
echo "PASS"
