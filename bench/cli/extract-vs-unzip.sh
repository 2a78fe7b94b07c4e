#!/usr/bin/env bash
# vrel-dat against Info-ZIP on the same files and the same disk: `extract` of a generated archive
# of 20,000 members (about 200 MB, mostly compressed members of a few KB, as mods are) against
# `unzip -q` of a zip of the same files, and `pack` against `zip -q -r` of the same folder at the
# same compression level. Targets: extract faster than unzip, pack no slower than zip. Each run
# starts after a sync, so that the previous run's write-back does not land on the next one.
#
# Usage: bench/cli/extract-vs-unzip.sh [VREL_DAT]   (default: build/bin/vrel-dat, built if missing)
# The data goes to a temporary folder under ${TMPDIR:-/tmp} and is deleted afterwards.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)

missing=()
for tool in zip unzip hyperfine; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
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

work=$(mktemp -d "${TMPDIR:-/tmp}/vrel-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# 20 folders of 1,000 files with 8.3 names. Sizes 2 to 30 KB; content drawn from 32 byte values,
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
        size = random.randint(2048, 30720)
        data = os.urandom(size)
        if random.random() >= 0.05:
            data = data.translate(table)
        with open(os.path.join("src", folder, "f%07d.frm" % i), "wb") as out:
            out.write(data)
PY

"$tool" pack src data.dat --level 6
(cd src && zip -q -r -6 ../data.zip .)
echo "source: $(du -sh --apparent-size src | cut -f1) in $(find src -type f | wc -l) files;" \
    "data.dat $(du -h --apparent-size data.dat | cut -f1), data.zip $(du -h --apparent-size data.zip | cut -f1)"

hyperfine --warmup 1 --runs 5 --prepare 'rm -rf out && sync' \
    --command-name "vrel-dat extract" "$tool extract -q data.dat out" \
    --command-name "unzip -q" "unzip -q data.zip -d out"
hyperfine --warmup 1 --runs 5 --prepare 'rm -f packed.dat packed.zip && sync' \
    --command-name "vrel-dat pack --level 6" "$tool pack src packed.dat --level 6" \
    --command-name "zip -q -r -6" "cd src && zip -q -r -6 ../packed.zip ."
