#!/usr/bin/env bash
# Installs what is missing, checks the format, builds everything and runs every test; then proves
# that the core and vrel-dat build and pass their tests without Qt, and that the Windows build
# (MinGW-w64: Vrel2.exe, Pendra.exe, vrel-dat.exe and the tests, windows included) passes its tests
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
# Each stage's wall time is printed as it ends, so a slow stage shows in the CI log.
stage() {
    local start=$SECONDS
    "$@"
    echo "== stage '$*' took $((SECONDS - start)) s (total $SECONDS s)"
}
# Tests run side by side, one per core: each is a process of its own with folders of its own.
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"
stage scripts/install-deps.sh
stage scripts/lint.sh
stage scripts/build.sh default
stage ctest --preset default
stage scripts/build.sh core
stage ctest --preset core
stage scripts/build.sh mingw
stage ctest --preset mingw
# Reliability: the suite under AddressSanitizer and UBSan, then a short run of every fuzz target.
stage scripts/sanitize.sh
stage scripts/fuzz.sh "${VREL_CI_FUZZ_SECONDS:-30}"
