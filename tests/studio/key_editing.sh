#!/usr/bin/env bash
# The timeline edits tracks.txt: a click on a key's mark selects it, a drag
# moves it a bar later, I inserts a key at the playhead, Enter retypes its
# value, Delete removes it and Ctrl+Z undoes twice. After each step the file
# holds exactly the text expected (every other line as it was), the studio
# has not read its own write back as a new version, the frame changed where
# the curve did, and the lane shows the change. A save from elsewhere is a
# step that Ctrl+Z takes back; a save with a mistake holds editing, saying
# so. Escape first clears the selection, then quits. At the end the
# track-table compiler makes of the edited file the table the studio shows.
. "$(dirname "$0")/lib.sh"

TRACK_TABLE=${QUORL_TRACK_TABLE:-$build/tools/track-table/quorl-track-table}
tracks=$project/assets/tracks.txt
cp "$tracks" "$work/original.txt"
# camera_rotation:z rolls the camera by 40 degrees from row 384 until its key
# at row 448; the playhead stands at row 456, where the roll is 0.
line=$(awk '/^track camera_rotation:z/ { inside = 1 } inside && $1 == "448" { print NR; exit }' "$tracks")
[ "$(sed -n "${line}p" "$tracks")" = "  448   0   step" ] || fail "no key '448 0 step' in camera_rotation:z"
lane=$(grep '^track ' "$tracks" | grep -n '^track camera_rotation:z$' | cut -d: -f1)
lane=$((lane - 1))
lanes=$(grep -c '^track ' "$tracks")
# The file expected after a step, $work/$1.txt: the original with line
# $line replaced by $2 (lines joined by \n).
expected() { awk -v n="$line" -v t="$2" 'NR == n { print t; next } { print }' "$work/original.txt" > "$work/$1.txt"; }
expected moved "  464   0   step"
expected inserted $'  456  40   step\n  464   0   step'
expected retyped $'  456 -30   step\n  464   0   step'
expected saved $'  456  20   step\n  464   0   step'
expected mistaken $'  456  2S   step\n  464   0   step'

# A hair after row 456 in seconds, so that a key at 456 shows.
start_studio --at 39.0858 --scale 0.25 --paused
wait_for 30 "tracks and shader read" field_is tracks 1
window=$(xdotool search --name '^quorl-studio$' | head -n 1)
frame_regions
read_timeline
lane_y=$(lane_top "$lane" "$lanes")
lane_height=$(($(lane_top $((lane + 1)) "$lanes") - lane_y))
lane_region=($plot_left "$lane_y" "$plot_width" "$lane_height")
# A key of value 0 in a lane ranging from 0 to 40: at the bottom of the
# curve's span, 15% of the lane above the lane's bottom.
key_y=$(awk -v t="$lane_y" -v h="$lane_height" 'BEGIN { printf "%d", t + h * 0.85 }')
# The pointer is kept over the picture's top left while screenshots are taken.
park() { xdotool mousemove --window "$window" 20 20; }

park
screenshot start

# Waits for the file to hold the bytes of $work/$2.txt and the studio to show
# tracks generation $3.
file_holds() { cmp -s "$tracks" "$work/$1.txt"; }
expect_text() {
  wait_for 20 "tracks.txt after $1" file_holds "$2"
  wait_for 20 "the tracks after $1 on screen" field_is tracks "$3"
}
# After a screenshot, which takes frames enough for the file watch to have
# seen the studio's write, the tracks are still those of the edit.
own_write_ignored() {
  field_is tracks "$1" || fail "the studio read its own write back as new tracks (generation $(field tracks))"
}
# The picture differs from screenshot $1 (changed) or not (kept), and the
# lane from screenshot $1 in any case.
expect_picture() {
  local shot=$1 how=$2 current=$3 change lane_change
  change=$(difference "$shot" "$current" "${lower[@]}")
  lane_change=$(difference "$shot" "$current" "${lane_region[@]}")
  if [ "$how" = changed ]; then
    above "$change" 10 || fail "$current: the frame did not change with the curve (difference $change)"
  else
    within "$change" 0 1 || fail "$current: the frame changed although the curve did not there (difference $change)"
  fi
  above "$lane_change" 0.05 || fail "$current: the lane did not change (difference $lane_change)"
}

# A click on the mark selects the key, a drag of it by a bar moves it there:
# one edit, written on release.
key_x=$(row_x 448)
xdotool mousemove --window "$window" "$key_x" "$key_y" click 1
xdotool mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove --window "$window" $((key_x + step * ($(row_x 464) - key_x) / 4)) "$key_y"
  sleep 0.1
done
released=$(date +%s.%N)
xdotool mouseup 1
expect_text "the drag" moved 2
wait_for 20 "the edit's latency" grep -q '^edit-on-screen' "$frames"
latency=$(grep '^edit-on-screen' "$frames" | head -n 1)
shown=${latency##*at=}
echo "release to the first frame with the moved key:" \
  "$(awk -v a="$released" -v b="$shown" 'BEGIN { printf "%.0f", (b - a) * 1000 }') ms (${latency% at=*})"
park
screenshot moved
own_write_ignored 2
expect_picture start changed moved

# I inserts a key at the playhead's row with the value there (40) and the
# type of the key before: nothing jumps.
xdotool key i
expect_text "I" inserted 3
screenshot inserted
expect_picture moved kept inserted

# Enter opens the new key's value; typed and applied.
xdotool key Return minus 3 0 Return
expect_text "the typed value" retyped 4
screenshot retyped
own_write_ignored 4
expect_picture inserted changed retyped

xdotool key Delete
expect_text "Delete" moved 5
screenshot deleted
expect_picture retyped changed deleted

xdotool key ctrl+z
expect_text "the first undo" retyped 6
xdotool key ctrl+z
expect_text "the second undo" inserted 7
screenshot undone
expect_picture retyped changed undone

# Another program saves $work/$1.txt as tracks.txt, by rename.
save_as() { cp "$work/$1.txt" "$tracks.saving" && mv "$tracks.saving" "$tracks"; }

# Saved from elsewhere: applied, and a step that Ctrl+Z takes back.
save_as saved
wait_for 20 "the saved tracks on screen" field_is tracks 8
xdotool key ctrl+z
expect_text "undoing the save" inserted 9

# A mistake holds editing until it is fixed, and says so.
save_as mistaken
wait_for 20 "the held editing on screen" messages_hold "Editing waits until line $line of assets/tracks.txt is fixed."
xdotool key Delete
wait_for 20 "the refused edit on screen" messages_hold "Edit: editing waits until line $line"
file_holds mistaken || fail "an edit was written over a file with a mistake"
save_as inserted
wait_for 20 "the fixed file read" field_is tracks 10

# The compiler makes of the edited file the table the studio shows.
"$TRACK_TABLE" "$tracks" "$work/edited.bin" || fail "the edited tracks.txt does not compile"
compiled=$(od -An -v -tx1 "$work/edited.bin" | tr -d ' \n')
shown=$(grep '^tracks-table ' "$frames" | tail -n 1 | cut -d' ' -f2)
[ "$compiled" = "$shown" ] || fail "the compiled table differs from the one the studio shows"

# Escape clears the selection (the inserted key is selected again), then quits.
xdotool key Escape
sent=$(log_lines)
wait_for 20 "frames after Escape" frames_since "$sent" 2
kill -0 "$studio_pid" || fail "Escape quit with a key selected"
stop_studio
echo "PASS"
