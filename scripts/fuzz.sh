#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz, clang) and runs each for SECONDS, two at a time, on a
# working corpus in build-fuzz/corpus seeded from the committed fuzz/corpus (never written to).
# Fails when a target finds a crash, a leak, undefined behaviour, an allocation beyond
# VREL_FUZZ_MALLOC_MB or a hang; the input that did it is kept in build-fuzz/artifacts.
# Usage: fuzz.sh SECONDS [TARGET...]   (targets: scan_dat dat_walk decompress vrel_cfg wine_reg nfo
# mod_import steam_vdf mod_order play_record)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:?usage: fuzz.sh SECONDS [TARGET...]}"
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(scan_dat dat_walk decompress vrel_cfg wine_reg nfo mod_import steam_vdf mod_order
        play_record)
fi
jobs="${VREL_FUZZ_JOBS:-2}"
# An input is at most a few kilobytes, so no reader should ever ask for more than this at once.
malloc_mb="${VREL_FUZZ_MALLOC_MB:-256}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"

build=build-fuzz
# The readers that take a path get the input as a file; on a memory file system that costs little.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
mkdir -p "$build/logs" "$build/artifacts"

run_one() {
    local name="$1"
    local corpus="$build/corpus/$name"
    mkdir -p "$corpus" "$build/artifacts/$name"
    if "$build/fuzz/fuzz_$name" "$corpus" "fuzz/corpus/$name" \
        -max_total_time="$seconds" -timeout=25 -malloc_limit_mb="$malloc_mb" \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$name/" \
        >"$build/logs/$name.log" 2>&1; then
        local runs
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/logs/$name.log" |
            grep -o '[0-9]*$' || echo "?")
        echo "fuzz_$name: clean, $runs runs in ${seconds}s"
    else
        echo "fuzz_$name: FAILED, see $build/logs/$name.log; the input is in $build/artifacts/$name/"
        grep -m 3 -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$build/logs/$name.log" || true
        return 1
    fi
}

failed=0
running=0
for name in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    run_one "$name" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit "$failed"
