#!/usr/bin/env bash
# quorl.exe runs on a Windows with nothing installed: it imports only
# Windows' own DLLs (no C or C++ runtime of MinGW's beside it), opens no
# console window (the GUI subsystem), and carries its icon, its version
# information (the name, a description and the version of the checkout it was
# built from) and its application manifest: per-monitor (v2) DPI awareness,
# so that Windows gives it a high-DPI monitor's own pixels, and Windows 10
# and 11 compatibility.
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
# The manifest, as windres prints it: lines of quoted text.
manifest=$(awk '/RT_MANIFEST/ { inside = 1; next } inside && /^END/ { exit } inside && /^ *"/' <<<"$resources" |
  sed -e 's/^ *"//' -e 's/\\n"$//' -e 's/"$//' -e 's/""/"/g')
[ -n "$manifest" ] || fail "no application manifest"
grep -q -E '<dpiAwareness [^>]*>PerMonitorV2' <<<"$manifest" ||
  fail "the manifest does not declare per-monitor v2 DPI awareness"
grep -q -F '>true/pm</dpiAware>' <<<"$manifest" ||
  fail "the manifest does not declare per-monitor DPI awareness for Windows before 10 (1607)"
grep -q -F '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' <<<"$manifest" ||
  fail "the manifest does not declare Windows 10 and 11"
grep -q -F '<requestedExecutionLevel level="asInvoker"' <<<"$manifest" ||
  fail "the manifest asks for other rights than the user's"
echo "PASS: version $version, imports $(tr '\n' ' ' <<<"$imports"), a manifest aware of monitors' DPI"
