#!/usr/bin/env bash
# quorl.exe runs on a Windows with nothing installed: it imports only
# Windows' own DLLs (no C or C++ runtime of MinGW's beside it), opens no
# console window (the GUI subsystem), and carries its icon and its version
# information: the name, a description and the version of the checkout it was
# built from.
#
#   exe_is_self_contained.sh QUORL_EXE
set -uo pipefail
exe=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

headers=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump cannot read $exe"
imports=$(awk '/DLL Name:/ { print $3 }' <<<"$headers" | sort -u)
[ -n "$imports" ] || fail "no imports listed"
# Every Windows 10 has these; a DLL of MinGW's (libstdc++-6.dll, libgcc_s_seh-1.dll,
# libwinpthread-1.dll) or of anyone else would have to be shipped beside it.
windows_dlls='^(kernel32|user32|gdi32|shell32|msvcrt|opengl32|winmm|ole32|advapi32|imm32|shlwapi|version)\.dll$'
others=$(grep -v -i -E "$windows_dlls" <<<"$imports")
[ -z "$others" ] || fail "imports DLLs that Windows does not have: $(tr '\n' ' ' <<<"$others")"
grep -q -E "^Subsystem[[:space:]]+00000002" <<<"$headers" ||
  fail "not a GUI program: $(grep '^Subsystem' <<<"$headers")"

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc) || fail "windres cannot read the resources of $exe"
grep -q "RT_GROUP_ICON" <<<"$resources" || fail "no icon"
for value in '"ProductName", "Quorl"' '"FileDescription", "Quorl: '; do
  grep -q -F "VALUE $value" <<<"$resources" || fail "no VALUE $value in the version information"
done
# The version names a commit of this repository, as git describe does.
version=$(sed -n 's/^ *VALUE "ProductVersion", "\(.*\)"$/\1/p' <<<"$resources")
grep -q -F "VALUE \"FileVersion\", \"$version\"" <<<"$resources" || fail "FileVersion is not ProductVersion $version"
git -C "$(dirname "$0")" rev-parse --verify --quiet "${version%-dirty}^{commit}" >/dev/null ||
  fail "the version '$version' names no commit of this repository"
echo "PASS: version $version, imports $(tr '\n' ' ' <<<"$imports")"
