#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite:
#   1. build/ (gcc): the whole project, warnings as errors; every test of the
#      demo, its tools and its assets, the end-to-end runs under the headless
#      harness, and the sync layer under valgrind;
#   2. build-check/ (clang): its own code with AddressSanitizer and UBSan,
#      built as far as the tests labelled "sanitized" need: those that need no
#      display (the sync layer, the track-table compiler, the file writer, the
#      capture's command line, the studio's logic, the web page's quality
#      stepping), bounded runs of the fuzzers, and the demo (ended by Escape),
#      a frame capture and the studio reloading its shader run as a user runs
#      them (sanitized_*);
#   3. build-web/ (emscripten): the page, built with the assets of build/,
#      tested in headless Chromium against build/'s frame capture, and the
#      release's one-file page opened from disk;
#   4. build-win/ (MinGW-w64): quorl.exe and the sync layer's tests, built with
#      the assets of build/ and run under Wine on the headless harness;
#   5. dist/: the release archive, packed from the builds and checked.
# Prints the wall time of each phase at the end. QUORL_RAYLIB_SOURCE names
# another raylib tree than .deps/raylib.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
source_tree=()
[ -n "${QUORL_RAYLIB_SOURCE:-}" ] && source_tree=(-DQUORL_RAYLIB_SOURCE="$QUORL_RAYLIB_SOURCE")

times=()
report() {
  echo "run-tests: wall time of each phase"
  printf '  %s\n' "${times[@]}" "$(printf '%-28s %5d s' total "$SECONDS")"
}
trap report EXIT
phase() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  times+=("$(printf '%-28s %5d s' "$name" $((SECONDS - start)))")
}

gcc_build() { CC=gcc CXX=g++ "$root/scripts/build.sh" -DQUORL_WERROR=ON; }
# Only what the sanitized checks run, with the music that build/ composed.
clang_build() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-check" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORL_SANITIZE=ON -DQUORL_FUZZ=ON -DQUORL_WERROR=ON \
    -DQUORL_COMPOSED_MUSIC="$root/build/assets/music.ogg" "${source_tree[@]}" >/dev/null
  cmake --build "$root/build-check" --target quorl-sanitized-checks
}
web_build() { "$root/scripts/build-web.sh" -DQUORL_WERROR=ON; }
web_tests() {
  "$root/scripts/install-packages.sh" chromium libegl-mesa0
  ctest --test-dir "$root/build-web" --output-on-failure -j "$jobs"
}
release_archive() {
  "$root/scripts/package-release.sh" -DQUORL_WERROR=ON
  "$root/tests/release/release_archive_test.sh"
}

phase "set-up" "$root/scripts/setup.sh"
phase "gcc: build" gcc_build
phase "gcc: tests" ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
phase "clang: build, sanitizers" clang_build
phase "clang: sanitized tests" ctest --test-dir "$root/build-check" --output-on-failure -j "$jobs" -L sanitized
phase "web: build" web_build
phase "web: tests in Chromium" web_tests
phase "windows: build" "$root/scripts/build-windows.sh" -DQUORL_WERROR=ON
phase "windows: tests under Wine" ctest --test-dir "$root/build-win" --output-on-failure -j "$jobs"
phase "release: archive" release_archive
