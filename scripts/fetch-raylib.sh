#!/usr/bin/env bash
# Fetches raylib 6.0 (Debian's sid source package) and GLFW 3.4 (trixie) from the
# Debian archive this machine already uses, and assembles them into one source
# tree: DEST/raylib with GLFW in src/external/glfw, as upstream raylib ships it.
#
#   fetch-raylib.sh DEST
#
# Each source is pinned below: its package, upstream version, suite, tarball
# and the tarball's sha256 (any Debian revision of the package that carries
# that very tarball will do). The tarballs are kept in QUORL_DEPS_CACHE (the
# repository's .deps/ by default), so that a machine without the archive builds
# from tarballs fetched earlier. The archive address comes from the machine's
# apt configuration. Anything amiss stops it with one line.
set -euo pipefail

#        package upstream suite  tarball                     sha256
pins=(
  "raylib  6.0+ds   sid    raylib_6.0+ds.orig.tar.gz   48063be6305afd417a7f44fc588b2f266354cb30c0073ba8fb503d5a0429688e"
  "glfw3   3.4      trixie glfw3_3.4.orig.tar.gz       c038d34200234d071fae9345bc455e4a8f2f544ab60150765d7704e08f3dac01"
)

root=$(cd "$(dirname "$0")/.." && pwd)
dest=${1:?usage: fetch-raylib.sh DEST}
cache=${QUORL_DEPS_CACHE:-$root/.deps}
tree="$dest/raylib"

# The tree records the pins it was assembled from.
stamp=$(printf '%s\n' "${pins[@]}")
[ -f "$tree/.complete" ] && [ "$(cat "$tree/.complete")" = "$stamp" ] && exit 0

stop() {
  echo "fetch-raylib: $*; to build from another raylib tree: scripts/build.sh -DQUORL_RAYLIB_SOURCE=/path/to/raylib" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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

# The source indices of the pinned suites, read once into a place of our own.
uri=
apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/none"
          -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o "APT::Sandbox::User=root")
read_archive() {
  [ -n "$uri" ] && return 0
  uri=$(archive_uri | head -n 1)
  [ -n "$uri" ] || stop "no Debian archive in the apt configuration, and $1 is not in $cache"
  mkdir -p "$work/lists/partial" "$work/cache"
  local pin suite
  for pin in "${pins[@]}"; do
    read -r _ _ suite _ _ <<<"$pin"
    echo "deb-src $uri $suite main"
  done | sort -u > "$work/sources.list"
  echo "fetch-raylib: reading the source packages at $uri"
  apt-get "${apt_opts[@]}" -qq update >"$work/apt.log" 2>&1 || true
  ls "$work/lists/"*_Sources* >/dev/null 2>&1 || stop "the archive at $uri cannot be read, and $1 is not in $cache"
}

# Downloads one pinned tarball into the cache, complete or not at all.
fetch() {
  local package=$1 upstream=$2 suite=$3 tarball=$4 sha256=$5 listed version
  read_archive "$tarball"
  # "VERSION SHA256" of each source package version that lists the tarball.
  listed=$({ apt-cache "${apt_opts[@]}" showsrc "$package" 2>/dev/null || true; } | awk -v t="$tarball" '
    /^Package:/ { version = "" } /^Version:/ { version = $2 }
    /^Checksums-Sha256:/ { sums = 1; next } /^[^ ]/ { sums = 0 }
    sums && $3 == t { print version, $1 }' | sort -u)
  [ -n "$listed" ] || stop "the archive at $uri offers no $package $upstream ($suite) with $tarball"
  version=$(awk -v s="$sha256" '$2 == s { print $1; exit }' <<<"$listed")
  [ -n "$version" ] || stop "the archive at $uri has $tarball with sha256 $(head -n 1 <<<"$listed" | cut -d' ' -f2), not the pinned $sha256"
  echo "fetch-raylib: downloading $package $version"
  mkdir -p "$work/download"
  (cd "$work/download" && apt-get "${apt_opts[@]}" -qq source --download-only "$package=$version") >>"$work/apt.log" 2>&1 ||
    stop "the archive at $uri did not deliver $package $version"
  check "$work/download/$tarball" "$sha256" "$tarball from $uri" ""
  mkdir -p "$cache"
  cp "$work/download/$tarball" "$cache/.$tarball.partial"
  mv "$cache/.$tarball.partial" "$cache/$tarball"
}

# check FILE SHA256 NAME REMEDY
check() {
  local actual
  actual=$(sha256sum "$1" | cut -d' ' -f1)
  [ "$actual" = "$2" ] || stop "$3 has sha256 $actual, not the pinned $2$4"
}

for pin in "${pins[@]}"; do
  read -r package upstream suite tarball sha256 <<<"$pin"
  if [ -f "$cache/$tarball" ]; then
    check "$cache/$tarball" "$sha256" "$cache/$tarball" " (delete it to fetch it again)"
  else
    fetch "$package" "$upstream" "$suite" "$tarball" "$sha256"
  fi
done

read -r _ _ _ raylib_tar _ <<<"${pins[0]}"
read -r _ _ _ glfw_tar _ <<<"${pins[1]}"
mkdir -p "$work/raylib" "$work/glfw"
tar -xf "$cache/$raylib_tar" -C "$work/raylib" --strip-components=1
tar -xf "$cache/$glfw_tar" -C "$work/glfw" --strip-components=1
rm -rf "$work/raylib/src/external/glfw"
mv "$work/glfw" "$work/raylib/src/external/glfw"
printf '%s\n' "$stamp" > "$work/raylib/.complete"

mkdir -p "$dest"
rm -rf "$tree"
mv "$work/raylib" "$tree"
echo "fetch-raylib: sources ready in $tree"
