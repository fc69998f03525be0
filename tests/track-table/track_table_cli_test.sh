#!/usr/bin/env bash
# quorl-track-table as the build and a user run it:
#   track_table_cli_test.sh compiles_the_choreography|reports_mistakes_by_line|leaves_the_output_alone_on_failure|
#                           fails_cleanly_past_the_file_size_limit
# QUORL_TRACK_TABLE names the executable, QUORL_TRACK_TEXT the choreography
# text and QUORL_BUILT_TABLE the table the build made of it.
set -uo pipefail

compiler=${QUORL_TRACK_TABLE:?QUORL_TRACK_TABLE must name quorl-track-table}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs the compiler on text $1 into $work/out.bin; expects status 1 and the
# one line $2 on standard error.
expect_mistake() {
  printf '%s' "$1" >"$work/in.txt"
  "$compiler" "$work/in.txt" "$work/out.bin" 2>"$work/stderr"
  status=$?
  [ "$status" -eq 1 ] || fail "status $status for a text with a mistake"
  [ "$(cat "$work/stderr")" = "$work/in.txt:$2" ] || fail "reported '$(cat "$work/stderr")', not '$work/in.txt:$2'"
}

# Nothing but the listed files in $work.
expect_only() {
  [ "$(cd "$work" && ls -A | tr '\n' ' ')" = "$* " ] || fail "left $(cd "$work" && ls -A)"
}

case "${1:-}" in
  compiles_the_choreography)
    "$compiler" "${QUORL_TRACK_TEXT:?}" "$work/tracks.bin" || fail "status $?"
    cmp "$work/tracks.bin" "${QUORL_BUILT_TABLE:?}" || fail "not the table the build embeds"
    expect_only tracks.bin
    printf 'track a\n0 -0 step\n' >"$work/zero.txt"
    "$compiler" "$work/zero.txt" "$work/zero.bin" || fail "status $?"
    # count 1, name size 2, "a", NUL, key count 1; row 0, value +0, type step: 12 zero bytes
    [ "$(od -An -tx1 "$work/zero.bin" | tr -d ' \n')" = "010261000100$(printf '00%.0s' {1..12})" ] ||
      fail "-0 is not written as +0: $(od -An -tx1 "$work/zero.bin")"
    ;;
  reports_mistakes_by_line)
    expect_mistake $'track a\n0 1 step\n0 2 step\n' "3: row 0 does not come after row 0"
    expect_mistake $'# c\ntrack a\n0 1 slide\n' "3: unknown key type 'slide' (step, linear, smooth or ramp)"
    expect_mistake $'\n\n\n\n0 1 step\n' "5: key before the first 'track NAME'"
    expect_mistake '' "1: no 'track NAME' in the text"
    expect_only in.txt stderr
    "$compiler" "$work/in.txt" 2>"$work/stderr"
    [ $? -eq 2 ] || fail "a missing argument is not a usage error"
    grep -qx 'usage: quorl-track-table INPUT.txt OUTPUT.bin' "$work/stderr" || fail "no usage: $(cat "$work/stderr")"
    ;;
  leaves_the_output_alone_on_failure)
    printf 'the table before\n' >"$work/out.bin"
    expect_mistake $'track a\n0 nan step\n' "2: value 'nan' is not a number"
    [ "$(cat "$work/out.bin")" = "the table before" ] || fail "a text with a mistake changed the output"
    "$compiler" "$work/missing.txt" "$work/out.bin" 2>"$work/stderr" && fail "a missing input was accepted"
    grep -qx "quorl-track-table: cannot read '$work/missing.txt': No such file or directory" "$work/stderr" ||
      fail "unclear error for a missing input: $(cat "$work/stderr")"
    [ "$(cat "$work/out.bin")" = "the table before" ] || fail "a missing input changed the output"
    printf 'track a\n0 1 step\n' >"$work/in.txt"
    # A folder that cannot hold the output, even for root: a file stands in its place.
    "$compiler" "$work/in.txt" "$work/in.txt/out.bin" 2>"$work/stderr" && fail "wrote below a file"
    grep -q "^quorl-track-table: cannot write" "$work/stderr" || fail "unclear error: $(cat "$work/stderr")"
    "$compiler" "$work/in.txt" "$work/out.bin" || fail "status $?"
    [ "$(stat -c %s "$work/out.bin")" -eq 18 ] || fail "the good table did not replace the old output"
    expect_only in.txt out.bin stderr
    ;;
  fails_cleanly_past_the_file_size_limit)
    printf 'track a\n0 1 step\n' >"$work/in.txt"
    # The limit covers the compiler alone; its messages go through a pipe, which no limit covers.
    message=$( (ulimit -f 0 && exec "$compiler" "$work/in.txt" "$work/out.bin") 2>&1)
    status=$?
    [ "$status" -eq 1 ] || fail "status $status past the file-size limit: $message"
    [ "$message" = "quorl-track-table: cannot write '$work/out.bin': File too large" ] ||
      fail "unclear error past the file-size limit: $message"
    expect_only in.txt
    ;;
  *)
    fail "unknown case '${1:-}'"
    ;;
esac
echo PASS
