#!/usr/bin/env bash
# The speed of vrel-dat and of Play against the tools a user would pick instead, on the same files
# and the same disk, in one run: 20,000 generated files (about 200 MB, mostly members of a few KB
# that deflate packs to two thirds, as mods are).
#   - `vrel-dat extract` of their archive against `unzip -q` of a zip of them (target: 0.25 x);
#   - `vrel-dat pack` against `zip -q -r -6` (target: 0.3 x, the archive no larger than zip's);
#   - Play's unpacking of the archive into a game folder (with its record, as the Play button
#     does it) against `vrel-dat extract` of it (target: 1 x) and `cp -r` of the files; Play's
#     clean-up against `rm -r` of the same tree (target: 1.5 x).
# With a second tool, an earlier build's vrel-dat, its extract and pack are timed in the same
# runs, turn about, to show a change kept or gained speed.
#
# The tools take turns, run by run, so that load from elsewhere falls on all alike; each run starts
# after a sync. Printed: the median wall time of each (and its spread), the ratios of the medians,
# the median processor time, the sizes, the peak memory, and the machine's load before and after.
#
# Usage: bench/cli/speed.sh [VREL_DAT [BASELINE]]
#   VREL_DAT: default build/bin/vrel-dat, built if missing; Play is timed by play_timing beside it
#   in build/bench-bin when that is there (built with the default preset).
# Environment: RUNS (default 7); VREL_BENCH_DIR, where the data goes (default: a RAM disk,
# /dev/shm, when there is one, else ${TMPDIR:-/tmp}); THREADS, passed to vrel-dat as --threads
# (default: not passed, so every core). The data is deleted afterwards.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
runs=${RUNS:-7}

source bench/cli/bench-common.sh
missing=()
for tool in zip unzip; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/bin/time ] || missing+=(time)
install_missing "${missing[@]}"

tool=$(vrel_dat_tool "${1:-}")
baseline=${2:+$(realpath "$2")}
play="$root/build/bench-bin/play_timing"
[ -x "$play" ] || play=""
threads=()
[ -n "${THREADS:-}" ] && threads=(--threads "$THREADS")

work=$(bench_folder)
trap 'rm -rf "$work"' EXIT
cd "$work"
echo "disk: $work ($(stat -f -c %T .)); $(nproc) cores; load before: $(cut -d' ' -f1-3 /proc/loadavg)"

python3 "$root/bench/cli/mod-files.py" src
"$tool" pack src data.dat "${threads[@]}"
(cd src && zip -q -r -6 ../data.zip .)
size() { stat -c %s "$1"; }
echo "source: $(du -s --apparent-size --block-size=1M src | cut -f1) MB in" \
    "$(find src -type f | wc -l) files; data.dat $(size data.dat) bytes, data.zip $(size data.zip) bytes"

for ((run = 1; run <= runs; run++)); do
    rm -rf out && sync
    timed extract.vrel "$tool" extract -q "${threads[@]}" data.dat out
    rm -rf out && sync
    timed extract.zip unzip -q data.zip -d out
    rm -f packed.dat packed.zip
    timed pack.vrel "$tool" pack src packed.dat "${threads[@]}"
    timed pack.zip sh -c 'cd src && zip -q -r -6 ../packed.zip .'
    if [ -n "$baseline" ]; then
        rm -rf out && sync
        timed extract.base "$baseline" extract -q "${threads[@]}" data.dat out
        rm -f packed.dat
        timed pack.base "$baseline" pack src packed.dat "${threads[@]}"
    fi
    if [ -n "$play" ]; then
        rm -rf out game program && sync
        "$play" program game data.dat >play.one
        sed -n 's/^unpack //p' play.one >>play.unpack
        sed -n 's/^cleanup //p' play.one >>play.cleanup
        rm -rf copy && sync
        timed copy.cp cp -r src copy
        timed copy.rm rm -r copy
    fi
done
cmp -s data.dat packed.dat || echo "warning: the two packs of the same folder differ"

python3 - "$runs" "$(size packed.dat)" "$(size packed.zip)" <<'PY'
import os, statistics, sys
runs, dat, zipped = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
def load(name):
    rows = [line.split() for line in open(name)]
    return ([float(r[0]) for r in rows], [int(r[1]) for r in rows],
            [float(r[2]) + float(r[3]) for r in rows])
def median(name):
    return statistics.median(load(name)[0])
print(f"medians of {runs} runs each (wall seconds; min..max; processor seconds; peak memory)")
for task, ours, theirs, target in (("extract", "vrel-dat extract", "unzip -q", 0.25),
                                   ("pack", "vrel-dat pack", "zip -q -r -6", 0.3)):
    a, am, ac = load(f"{task}.vrel")
    b, bm, bc = load(f"{task}.zip")
    ma, mb = statistics.median(a), statistics.median(b)
    ca, cb = statistics.median(ac), statistics.median(bc)
    print(f"  {ours:17s} {ma:6.2f} s  ({min(a):.2f}..{max(a):.2f})  cpu {ca:5.2f} s  {max(am)/1024:6.1f} MB")
    print(f"  {theirs:17s} {mb:6.2f} s  ({min(b):.2f}..{max(b):.2f})  cpu {cb:5.2f} s  {max(bm)/1024:6.1f} MB")
    print(f"  {task}: {ma/mb:.2f} x (target at most {target}); processor time {ca/cb:.2f} x")
    if os.path.exists(f"{task}.base"):
        c, cm, cc = load(f"{task}.base")
        mc = statistics.median(c)
        print(f"  baseline {task:8s} {mc:6.2f} s  ({min(c):.2f}..{max(c):.2f})  cpu {statistics.median(cc):5.2f} s"
              f"  {max(cm)/1024:6.1f} MB  tool/baseline {ma/mc:.2f} x")
print(f"  archive: {dat} bytes, zip {zipped} bytes: {dat/zipped:.3f} x (target at most 1)")
if os.path.exists("play.unpack"):
    unpack = statistics.median(float(x) for x in open("play.unpack"))
    cleanup = statistics.median(float(x) for x in open("play.cleanup"))
    extract, cp, rm = median("extract.vrel"), median("copy.cp"), median("copy.rm")
    print(f"  Play's unpack     {unpack:6.2f} s: {unpack/extract:.2f} x vrel-dat extract (target at most 1),"
          f" {unpack/cp:.2f} x cp -r ({cp:.2f} s)")
    print(f"  Play's clean-up   {cleanup:6.2f} s: {cleanup/rm:.2f} x rm -r ({rm:.2f} s; target at most 1.5)")
else:
    print("  Play: not timed (build play_timing with the default preset)")
PY
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
