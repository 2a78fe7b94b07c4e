#!/usr/bin/env bash
# Installs what is missing, checks the format, builds everything and runs every test; then proves
# that the core and vrel-dat build and pass their tests without Qt, and that the Windows build
# (MinGW-w64: Vrel2.exe, Pendra.exe, vrel-dat.exe and the tests, windows included) passes its tests
# under Wine. Every stage runs even when one before it failed, so one red stage does not hide the
# state of the others; the summary at the end lists each, and the status is non-zero if any failed.
set -uo pipefail
cd "$(dirname "$0")/.."
summary=()
failed=0
# Each stage's wall time is printed as it ends, so a slow stage shows in the CI log.
stage() {
    local start=$SECONDS status
    "$@"
    status=$?
    local result="passed"
    if [ "$status" -ne 0 ]; then
        result="FAILED (exit $status)"
        failed=$((failed + 1))
    fi
    echo "== stage '$*' $result, took $((SECONDS - start)) s (total $SECONDS s)"
    summary+=("$(printf '%-28s %-18s %5d s' "$*" "$result" $((SECONDS - start)))")
}
# Tests run side by side, one per core: each is a process of its own with folders of its own.
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"
# Without its packages nothing after can run.
stage scripts/install-deps.sh
if [ "$failed" -ne 0 ]; then
    exit 1
fi
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

echo "== summary"
printf '%s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
    echo "== $failed of ${#summary[@]} stages failed"
    exit 1
fi
echo "== every stage passed"
