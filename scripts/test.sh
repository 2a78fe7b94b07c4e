#!/usr/bin/env bash
# Installs what is missing, checks the format, builds everything and runs every test; then proves
# that the core and vrel-dat build and pass their tests without Qt, and that the Windows build
# (MinGW-w64: Vrel2.exe, Pendra.exe, vrel-dat.exe and the tests, windows included) passes its tests
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/lint.sh
scripts/build.sh default
ctest --preset default
scripts/build.sh core
ctest --preset core
scripts/build.sh mingw
ctest --preset mingw
# Reliability: the suite under AddressSanitizer and UBSan, then a short run of every fuzz target.
scripts/sanitize.sh
scripts/fuzz.sh "${VREL_CI_FUZZ_SECONDS:-30}"
