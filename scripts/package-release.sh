#!/usr/bin/env bash
# Builds every way to watch Quorl and packs them into one release archive,
# dist/quorl-VERSION.zip (VERSION as scripts/version.sh names the checkout):
#
#   quorl.exe    Windows 10/11, 64-bit (scripts/build-windows.sh)
#   quorl        Linux x86-64, with the C++ and GCC runtimes inside (build/release/)
#   quorl.html   the browser's page as one file that plays from disk (scripts/build-web.sh)
#   quorl.txt    what it is, how to run each, requirements, keys, credits and
#                the sha256 of every other file
#   city.jpg, tower.jpg, stream.jpg    screenshots (docs/)
#
#   package-release.sh [--no-build] [CMAKE_ARGUMENT...]
#
# Arguments go to each build's cmake, e.g. -DQUORL_WERROR=ON; --no-build packs
# what the builds hold. The same commit gives the same bytes: the entries in
# order of name, each with the commit's time and fixed permissions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build=yes
if [ "${1:-}" = --no-build ]; then
  build=no
  shift
fi

if [ "$build" = yes ]; then
  "$root/scripts/build.sh" "$@"
  cmake --build "$root/build" --target quorl-release
  "$root/scripts/build-windows.sh" "$@"
  "$root/scripts/build-web.sh" "$@"
fi

version=$("$root/scripts/version.sh")
# The commit's time; a checkout without git history takes SOURCE_DATE_EPOCH,
# or the earliest time a zip file can hold.
stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo "${SOURCE_DATE_EPOCH:-315532800}")

declare -A files=(
  [quorl.exe]="$root/build-win/quorl.exe"
  [quorl]="$root/build/release/quorl"
  [quorl.html]="$root/build-web/one-file/quorl.html"
  [city.jpg]="$root/docs/city-flock.jpg"
  [tower.jpg]="$root/docs/tower.jpg"
  [stream.jpg]="$root/docs/stream.jpg"
)
for name in "${!files[@]}"; do
  [ -f "${files[$name]}" ] || { echo "package-release: no ${files[$name]} for $name: build it first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for name in "${!files[@]}"; do cp "${files[$name]}" "$work/$name"; done

# The C library the Linux build needs: the newest version its symbols ask for.
glibc=$(objdump -T "$work/quorl" | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' | sort -V | tail -n 1)
[ -n "$glibc" ] || { echo "package-release: no glibc version in the symbols of $work/quorl" >&2; exit 1; }

{
  cat <<EOF
                                   Q U O R L
                                   =========

  A real-time demo, version $version

  An endless city of towers and a flock of seagulls, raymarched in a single
  fragment shader, cut to its own drum & bass soundtrack (175 BPM, F minor).
  68.6 seconds, 1920x1080, then it ends by itself. The music, the
  choreography and the shader are inside each program; nothing else is read.

  RUNNING IT
  ----------
  Windows   Double-click quorl.exe. Nothing to install; it runs from
            read-only media too.
  Linux     ./quorl   (chmod +x quorl first if the archive tool dropped the
            permission).
  Browser   Open quorl.html straight from disk (no server needed) and click
            Play: browsers start sound only after a click.

  The demo opens full screen, plays its music and ends after 68.6 s. Every
  frame is rendered at 1920x1080 and scaled to the screen, keeping 16:9 with
  black bars on screens of other shapes. city.jpg, tower.jpg and stream.jpg
  show its three sections.

  OPTIONS (Windows and Linux)
  ---------------------------
  Without options it is the party version: full screen on the primary monitor.
  --windowed    in a window of 1280x720 that can be resized
  --monitor N   on monitor N, 0 being the primary one
  --help        these options

  WHEN IT CANNOT START
  --------------------
  Without a window with OpenGL 3.3 or a sound device, or with a graphics
  driver that refuses its shader, it says why in one line (on Windows in a
  message box titled "Quorl", on Linux on standard error) and ends with exit
  status 1; a bad option ends it with 2.

  REQUIREMENTS
  ------------
  Windows   Windows 10 or 11, 64-bit; a GPU with OpenGL 3.3; a sound device.
  Linux     x86-64 with glibc $glibc or newer, X11 (or XWayland), OpenGL 3.3
            drivers (Mesa or the GPU vendor's), ALSA or PulseAudio.
  Browser   A browser with WebGL 2: a recent Firefox, Chrome, Edge or Safari
            with hardware acceleration on.

  KEYS
  ----
  Escape    ends the demo (Alt-F4 or closing the window does too)
  F12       saves a screenshot in the working folder (Windows, Linux)
  F         full screen in the browser; Escape leaves it

  CREDITS
  -------
  Code, shader, music and choreography: the Quorl authors; the soundtrack is
  synthesised in code by Quorl's own composer and encoded with libvorbis.
  Built on raylib 6.0 (zlib licence) with GLFW 3.4 (zlib licence),
  miniaudio and stb_vorbis (public domain); the browser build with
  Emscripten; the Windows build with MinGW-w64.

  FILES (sha256)
  --------------
EOF
  (cd "$work" && sha256sum $(printf '%s\n' "${!files[@]}" | LC_ALL=C sort) | sed 's/^/  /')
} >"$work/quorl.txt"

mkdir -p "$root/dist"
archive="$root/dist/quorl-$version.zip"
python3 - "$work" "$archive.partial" "$stamp" <<'PY'
import os
import sys
import time
import zipfile

folder, archive, stamp = sys.argv[1], sys.argv[2], int(sys.argv[3])
# A zip entry's time counts in steps of two seconds.
when = time.gmtime(stamp - stamp % 2)[:6]
executables = {"quorl", "quorl.exe"}
with zipfile.ZipFile(archive, "w") as zip_file:
    for name in sorted(os.listdir(folder)):
        entry = zipfile.ZipInfo(name, date_time=when)
        entry.create_system = 3  # Unix, so that the permissions below count
        entry.external_attr = (0o100755 if name in executables else 0o100644) << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(folder, name), "rb") as data:
            zip_file.writestr(entry, data.read(), compresslevel=9)
PY
mv "$archive.partial" "$archive"
echo "package-release: $archive ($(stat -c %s "$archive") bytes)"
