#!/usr/bin/env bash
# Fetches raylib 6.0 (Debian's sid source package) and GLFW 3.4 (trixie) from the
# Debian archive this machine already uses, and assembles them into one source
# tree: DEST/raylib with GLFW in src/external/glfw, as upstream raylib ships it.
# The archive address comes from the machine's apt configuration.
set -euo pipefail

dest=${1:?usage: fetch-raylib.sh DEST}
tree="$dest/raylib"
[ -f "$tree/.complete" ] && exit 0

# The first archive address that serves this release's main suite.
archive_uri() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  {
    [ -f /etc/apt/sources.list ] && cat /etc/apt/sources.list
    cat /etc/apt/sources.list.d/*.list 2>/dev/null || true
  } | awk -v c="$codename" '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++; if ($(i+1) == c) { print $i; exit } }'
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v c="$codename" '
      function flush() { if (uri != "" && (" " suites " ") ~ (" " c " ")) { print uri; found = 1; exit } uri = ""; suites = "" }
      /^[ \t]*$/ { flush(); next }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { suites = $0; sub(/^Suites:[ \t]*/, "", suites) }
      END { if (!found) flush() }' "$f"
  done
}

uri=$(archive_uri | head -n 1)
if [ -z "$uri" ]; then
  echo "fetch-raylib: no Debian archive found in the apt configuration" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial"
printf 'deb-src %s sid main\ndeb-src %s trixie main\n' "$uri" "$uri" > "$work/sources.list"
apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/none"
          -o "Dir::State::Lists=$work/lists" -o "APT::Sandbox::User=root")

echo "fetch-raylib: downloading raylib 6.0 and GLFW 3.4 sources from $uri"
apt-get "${apt_opts[@]}" -qq update
(cd "$work" && apt-get "${apt_opts[@]}" -qq source --download-only raylib/sid glfw3/trixie)

raylib_tar=$(ls "$work"/raylib_6.0*.orig.tar.* 2>/dev/null | head -n 1)
glfw_tar=$(ls "$work"/glfw3_3.4*.orig.tar.* 2>/dev/null | head -n 1)
if [ -z "$raylib_tar" ] || [ -z "$glfw_tar" ]; then
  echo "fetch-raylib: the archive no longer offers raylib 6.0 and GLFW 3.4 sources" >&2
  exit 1
fi

mkdir -p "$work/raylib" "$work/glfw"
tar -xf "$raylib_tar" -C "$work/raylib" --strip-components=1
tar -xf "$glfw_tar" -C "$work/glfw" --strip-components=1
rm -rf "$work/raylib/src/external/glfw"
mv "$work/glfw" "$work/raylib/src/external/glfw"
touch "$work/raylib/.complete"

mkdir -p "$dest"
rm -rf "$tree"
mv "$work/raylib" "$tree"
echo "fetch-raylib: sources ready in $tree"
