#!/usr/bin/env bash
# Adding a mod that comes as a .7z or .zip against packing the same files unpacked: `vrel-dat
# import` of a .7z and of a .zip of 20,000 generated files (about 200 MB, as a large mod is, under
# its data folder) against `vrel-dat pack` of that data folder, both at the default level and on
# every core. Target: the import at most 1.5 times the pack's time. Unpacking LZMA2 on one core
# is slower than packing with deflate on all of them, so `7z t` (7-Zip itself unpacking the same
# .7z and writing nothing) is timed too: the least any reader of that .7z can take.
#
# The two take turns, run by run, so that load from elsewhere falls on both alike; each run starts
# after a sync. Printed: the median wall time of each (and its spread), the ratio of the medians,
# the peak memory (maximum resident set) of each, and the machine's load before and after.
#
# Usage: bench/cli/import-vs-pack.sh [VREL_DAT [BASELINE]]
#   VREL_DAT: the tool to time (default: build/bin/vrel-dat, built if missing). BASELINE: an
#   earlier build's vrel-dat, timed in the same runs, turn about, to show a change kept the speed.
# Environment: RUNS (default 5); VREL_BENCH_DIR, where the data goes (default: a RAM disk,
# /dev/shm, when there is one, else ${TMPDIR:-/tmp}). The data is deleted afterwards.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
runs=${RUNS:-5}

source bench/cli/bench-common.sh
missing=()
command -v 7z >/dev/null || missing+=(p7zip-full)
[ -x /usr/bin/time ] || missing+=(time)
install_missing "${missing[@]}"

tool=$(vrel_dat_tool "${1:-}")
baseline=${2:+$(realpath "$2")}
work=$(bench_folder)
trap 'rm -rf "$work"' EXIT
cd "$work"
echo "disk: $work ($(stat -f -c %T .)); $(nproc) cores; load before: $(cut -d' ' -f1-3 /proc/loadavg)"

python3 "$root/bench/cli/mod-files.py" mod/data
# A solid LZMA2 archive, as 7-Zip makes by default; the fastest level keeps the making short, and
# unpacking LZMA2 costs about the same at every level.
(cd mod && 7z a -bd -bso0 -mx=1 ../mod.7z data && 7z a -bd -bso0 -tzip -mx=5 ../mod.zip data)
mkdir patches
echo "source: $(du -s --apparent-size --block-size=1M mod | cut -f1) MB in" \
    "$(find mod -type f | wc -l) files; mod.7z $(stat -c %s mod.7z) bytes," \
    "mod.zip $(stat -c %s mod.zip) bytes"

for ((run = 1; run <= runs; run++)); do
    rm -f patches/* packed.dat
    timed import7z.log "$tool" import mod.7z patches
    timed importzip.log "$tool" import mod.zip patches --name zipped
    timed pack.log "$tool" pack mod/data packed.dat
    timed test7z.log 7z t -bd mod.7z
    if [ -n "$baseline" ]; then
        rm -f patches/* packed.dat
        timed base-import7z.log "$baseline" import mod.7z patches
        timed base-importzip.log "$baseline" import mod.zip patches --name zipped
        timed base-pack.log "$baseline" pack mod/data packed.dat
    fi
done

python3 - "$runs" <<'PY'
import os, statistics, sys
runs = int(sys.argv[1])
def load(name):
    rows = [line.split() for line in open(name)]
    return [float(r[0]) for r in rows], [int(r[1]) for r in rows]
pack, _ = load("pack.log")
base = statistics.median(pack)
print(f"medians of {runs} runs each (wall seconds; min..max; peak memory; against the pack)")
for log, label in (("import7z.log", "vrel-dat import .7z"), ("importzip.log", "vrel-dat import .zip"),
                   ("pack.log", "vrel-dat pack"), ("test7z.log", "7z t (the .7z alone)")):
    times, memory = load(log)
    m = statistics.median(times)
    print(f"  {label:21s} {m:6.2f} s  ({min(times):.2f}..{max(times):.2f})  "
          f"{max(memory)/1024:6.1f} MB  {m/base:5.2f} x")
print("  target: an import at most 1.5 x the pack")
if os.path.exists("base-pack.log"):
    print("the baseline build in the same runs (against the same command of the tool timed)")
    for log, label in (("import7z.log", "import .7z"), ("importzip.log", "import .zip"),
                       ("pack.log", "pack")):
        ours, _ = load(log)
        times, memory = load("base-" + log)
        m = statistics.median(times)
        print(f"  baseline {label:12s} {m:6.2f} s  ({min(times):.2f}..{max(times):.2f})  "
              f"{max(memory)/1024:6.1f} MB  tool/baseline {statistics.median(ours)/m:5.2f} x")
PY
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
