#!/usr/bin/env bash
# The release archive as a viewer unpacks it: exactly its files, each with the
# sha256 that quorl.txt gives; quorl.exe a Windows GUI program, quorl a Linux
# x86-64 program that needs neither the C++ nor the GCC runtime and no newer
# glibc than quorl.txt says, nor than 2.35, quorl.html one page with the program inside; the
# entries in order of name, with the commit's time and fixed permissions. And
# packing again, under another umask and temporary folder, gives the same bytes.
#
#   release_archive_test.sh    (after scripts/package-release.sh)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

version=$("$root/scripts/version.sh")
archive="$root/dist/quorl-$version.zip"
[ -f "$archive" ] || fail "no $archive: run scripts/package-release.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Names, times, permissions and contents, read with Python's zipfile.
python3 - "$archive" "$work/unpacked" "$(git -C "$root" log -1 --format=%ct)" <<'PY' || exit 1
import os
import sys
import time
import zipfile

archive, folder, stamp = sys.argv[1], sys.argv[2], int(sys.argv[3])
expected = ["city.jpg", "quorl", "quorl.exe", "quorl.html", "quorl.txt", "stream.jpg", "tower.jpg"]
with zipfile.ZipFile(archive) as zip_file:
    entries = zip_file.infolist()
    names = [entry.filename for entry in entries]
    if names != expected:
        sys.exit(f"FAIL: the archive holds {names}, not {expected}")
    for entry in entries:
        mode = entry.external_attr >> 16
        wanted = 0o100755 if entry.filename in ("quorl", "quorl.exe") else 0o100644
        # The commit's time, to the two seconds a zip entry's time can hold.
        if mode != wanted or entry.date_time != time.gmtime(stamp - stamp % 2)[:6]:
            sys.exit(f"FAIL: {entry.filename} has mode {mode:o} and time {entry.date_time}")
    zip_file.extractall(folder)
PY

cd "$work/unpacked" || fail "nothing unpacked"
listed=$(sed -n 's/^  \([0-9a-f]\{64\}  [^ ]*\)$/\1/p' quorl.txt)
[ "$(wc -l <<<"$listed")" -eq 6 ] || fail "quorl.txt lists $(wc -l <<<"$listed") sha256 sums, not 6: $listed"
sha256sum --quiet --check <<<"$listed" || fail "a file differs from its sha256 in quorl.txt"
grep -q -F "version $version" quorl.txt || fail "quorl.txt does not name version $version"

headers=$(x86_64-w64-mingw32-objdump -p quorl.exe) || fail "quorl.exe is no Windows program"
grep -q -E "^Subsystem[[:space:]]+00000002" <<<"$headers" || fail "quorl.exe is not a GUI program"
file_header=$(od -An -tx1 -N 20 quorl | tr -d ' \n')
[ "${file_header:0:8}" = 7f454c46 ] && [ "${file_header:36:4}" = 3e00 ] || fail "quorl is no x86-64 ELF program"
needed=$(objdump -p quorl | awk '/NEEDED/ { print $2 }')
grep -q -E "libstdc\+\+|libgcc_s" <<<"$needed" && fail "quorl needs the shared runtimes: $needed"
glibc=$(objdump -T quorl | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' | sort -V | tail -n 1)
# Ubuntu 22.04 and Linux Mint 21, the Linux parties' and many viewers'
# machines, have glibc 2.35.
[ "$(printf '%s\n' "$glibc" 2.35 | sort -V | tail -n 1)" = 2.35 ] || fail "quorl needs glibc $glibc, newer than 2.35"
grep -q -F "glibc $glibc or newer" quorl.txt || fail "quorl.txt does not say that quorl needs glibc $glibc"
grep -q -F 'id="quorl-program"' quorl.html || fail "quorl.html does not hold the program"

# Packed again: the same bytes.
cp "$archive" "$work/first.zip"
mkdir "$work/tmp"
(umask 077 && TMPDIR="$work/tmp" "$root/scripts/package-release.sh" --no-build >/dev/null) ||
  fail "packing again failed"
cmp -s "$work/first.zip" "$archive" || fail "packing again gave other bytes"
echo "PASS: $(stat -c %s "$archive") bytes, $(tr '\n' ' ' <<<"$needed")needed by quorl, glibc $glibc"
