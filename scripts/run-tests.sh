#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite:
#   1. build/: every test of the demo, its tools and its assets, the end-to-end
#      runs under the headless harness, and the sync layer under valgrind;
#   2. build-check/ (clang): the sync layer's tests under AddressSanitizer and
#      UBSan, and a bounded run of the track-file fuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

"$root/scripts/setup.sh"

"$root/scripts/build.sh" -DQUORL_WERROR=ON
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

cmake -S "$root" -B "$root/build-check" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORL_SYNC_ONLY=ON -DQUORL_SANITIZE=ON -DQUORL_FUZZ=ON -DQUORL_WERROR=ON >/dev/null
cmake --build "$root/build-check"
ctest --test-dir "$root/build-check" --output-on-failure
