#!/usr/bin/env bash
# vrel-dat against Info-ZIP on the same files and the same disk, in one run: `extract` of an
# archive of 20,000 generated files (about 200 MB, mostly compressed members of a few KB, as mods
# are) against `unzip -q` of a zip of the same files, and `pack` against `zip -q -r -6` of the same
# folder. Targets on a 2-core machine: extract at most 0.7 times unzip's time, pack at most 0.5
# times zip's, and the archive no larger than zip's.
#
# The two tools take turns, run by run, so that load from elsewhere falls on both alike; each run
# starts after a sync, so the previous run's write-back does not land on the next one. Printed:
# the median wall time of each (and its spread), the ratio of the medians, the median processor
# time (user and system, all threads), the sizes, the peak memory (maximum resident set) of each
# tool, and the machine's load before and after. On a machine that others load, a tool with more
# threads gets a larger share of it; the processor times show the work apart from that.
#
# Usage: bench/cli/vrel-dat-vs-zip.sh [VREL_DAT]   (default: build/bin/vrel-dat, built if missing)
# Environment: RUNS (default 7); VREL_BENCH_DIR, where the data goes (default: a RAM disk,
# /dev/shm, when there is one, else ${TMPDIR:-/tmp}); THREADS, passed to vrel-dat as --threads
# (default: not passed, so every core). The data is deleted afterwards.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
runs=${RUNS:-7}

missing=()
for tool in zip unzip; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/bin/time ] || missing+=(time)
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

tool="${1:-$root/build/bin/vrel-dat}"
if [ ! -x "$tool" ]; then
    cmake --preset default >/dev/null
    cmake --build --preset default --target vrel-dat
fi
tool=$(realpath "$tool")
threads=()
[ -n "${THREADS:-}" ] && threads=(--threads "$THREADS")

base=${VREL_BENCH_DIR:-}
if [ -z "$base" ]; then
    base=${TMPDIR:-/tmp}
    [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ] && [ -w /dev/shm ] && base=/dev/shm
fi
work=$(mktemp -d "$base/vrel-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
echo "disk: $work ($(stat -f -c %T .)); $(nproc) cores; load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# 20 folders of 1,000 files with 8.3 names. Sizes 1 to 19 KB; content drawn from 32 byte values,
# which deflate packs to about two thirds, like game art; one file in twenty is incompressible.
python3 - <<'PY'
import os, random
random.seed(2)
table = bytes((i % 32) * 7 for i in range(256))
folders = ["art/critters", "art/tiles", "art/items", "art/scenery", "art/walls", "art/intrface",
           "art/inven", "art/misc", "art/skilldex", "art/heads", "proto/items", "proto/critters",
           "proto/scenery", "sound/sfx", "sound/speech", "maps", "scripts", "text/english/dialog",
           "text/english/game", "data"]
for folder in folders:
    os.makedirs(os.path.join("src", folder))
    for i in range(1000):
        size = random.randint(1024, 19456)
        data = os.urandom(size)
        if random.random() >= 0.05:
            data = data.translate(table)
        with open(os.path.join("src", folder, "f%07d.frm" % i), "wb") as out:
            out.write(data)
PY

"$tool" pack src data.dat "${threads[@]}"
(cd src && zip -q -r -6 ../data.zip .)
size() { stat -c %s "$1"; }
echo "source: $(du -s --apparent-size --block-size=1M src | cut -f1) MB in" \
    "$(find src -type f | wc -l) files; data.dat $(size data.dat) bytes, data.zip $(size data.zip) bytes"

# One timed run: wall seconds, peak resident KB and processor seconds, appended to the named log.
timed() {
    local log=$1
    shift
    sync
    /usr/bin/time -f "%e %M %U %S" -o "$log.one" "$@" >/dev/null
    cat "$log.one" >>"$log"
}
for ((run = 1; run <= runs; run++)); do
    rm -rf out && sync
    timed extract.vrel "$tool" extract -q "${threads[@]}" data.dat out
    rm -rf out && sync
    timed extract.zip unzip -q data.zip -d out
    rm -f packed.dat packed.zip
    timed pack.vrel "$tool" pack src packed.dat "${threads[@]}"
    timed pack.zip sh -c 'cd src && zip -q -r -6 ../packed.zip .'
done
cmp -s data.dat packed.dat || echo "warning: the two packs of the same folder differ"

python3 - "$runs" "$(size packed.dat)" "$(size packed.zip)" <<'PY'
import statistics, sys
runs, dat, zipped = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
def load(name):
    rows = [line.split() for line in open(name)]
    return ([float(r[0]) for r in rows], [int(r[1]) for r in rows],
            [float(r[2]) + float(r[3]) for r in rows])
print(f"medians of {runs} runs each (wall seconds; min..max; processor seconds; peak memory)")
for task, ours, theirs, target in (("extract", "vrel-dat extract", "unzip -q", 0.7),
                                   ("pack", "vrel-dat pack", "zip -q -r -6", 0.5)):
    a, am, ac = load(f"{task}.vrel")
    b, bm, bc = load(f"{task}.zip")
    ma, mb = statistics.median(a), statistics.median(b)
    ca, cb = statistics.median(ac), statistics.median(bc)
    print(f"  {ours:17s} {ma:6.2f} s  ({min(a):.2f}..{max(a):.2f})  cpu {ca:5.2f} s  {max(am)/1024:6.1f} MB")
    print(f"  {theirs:17s} {mb:6.2f} s  ({min(b):.2f}..{max(b):.2f})  cpu {cb:5.2f} s  {max(bm)/1024:6.1f} MB")
    print(f"  {task}: {ma/mb:.2f} x (target at most {target}); processor time {ca/cb:.2f} x")
print(f"  archive: {dat} bytes, zip {zipped} bytes: {dat/zipped:.3f} x (target at most 1)")
PY
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
