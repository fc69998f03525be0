#!/usr/bin/env bash
# city.frag edited while the studio runs: a frame says it compiles before it
# does; a version that does not compile leaves the last good shader drawing,
# with the compiler's messages and their line numbers on screen; a good
# version is applied; a file that is empty, binary, huge or gone is an error
# like any other, never a crash.
. "$(dirname "$0")/lib.sh"

shader=$project/assets/city.frag
start_studio --at 40 --scale 0.25 --paused
wait_for 30 "tracks and shader read" field_is shader 1
frame_regions
screenshot good
good=$(cat "$shader")

# A line that is not GLSL, at the end of the file.
bad_line=$(($(wc -l < "$shader") + 1))
save_by_rename city.frag "$good
this is not glsl
"
wait_for 60 "the compiler's messages" messages_hold "assets/city.frag does not compile"
# Mesa, the harness's driver, writes a message as 0:LINE(COLUMN): ...
messages_hold ":$bad_line(" || fail "the messages do not name line $bad_line: $(grep '^messages' "$frames" | tail -n 1)"
field_is shader 1 || fail "a shader that does not compile was applied"
screenshot broken
expect_kept_under_error_band good broken

# Fixed, with a visible difference: the colours inverted.
lines_before=$(log_lines)
save_by_rename city.frag "$(sed 's/^\(    color = color \* (1.0 - fadeToBlack).*\)$/\1\n    color.rgb = vec3(1.0) - color.rgb;/' <<<"$good")
"
wait_for 60 "the new shader" field_is shader 2
wait_for 10 "the messages to clear" messages_hold ""
tail -n +"$lines_before" "$frames" | grep -q '^shader-on-screen ms=' || fail "no time from saving to screen logged"
notice=$(tail -n +"$lines_before" "$frames" | grep -n -m 1 '^messages .*Compiling assets/city\.frag\.\.\.' | cut -d: -f1)
applied=$(tail -n +"$lines_before" "$frames" | grep -n -m 1 ' shader=2 ' | cut -d: -f1)
[ -n "$notice" ] && [ "$notice" -lt "$applied" ] || fail "no frame said that the shader was compiling before it was applied"
screenshot inverted
change=$(difference good inverted "${lower[@]}")
above "$change" 40 || fail "the new shader is not what the frame shows (difference $change)"

# Files that are not shaders at all: each reported, the studio running on.
check_refused() {
  wait_for 30 "'$1' reported" messages_hold "assets/city.frag $1"
  field_is shader 2 || fail "a shader was applied from a file that $1"
}
: > "$shader"
check_refused "is empty"
printf '#version 330\nvoid main() {}\0\n' > "$shader"
check_refused "is not text: a zero byte on line 2"
head -c 2000000 /dev/zero | tr '\0' '/' > "$shader"
check_refused "is larger than the 1048576 bytes the studio reads"
rm "$shader"
check_refused "is missing"
printf '%s\n' "$good" > "$shader"
wait_for 60 "the good shader again" field_is shader 3
wait_for 10 "the messages to clear" messages_hold ""

stop_studio
echo "PASS"
