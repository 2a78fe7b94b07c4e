#!/usr/bin/env bash
# Renders every window of the programs with demo data to PNG files, headless.
# Each windows subsystem has a program build/test-bin/screenshots_<subsystem> that takes the output
# folder and writes its windows there. Usage: screenshots.sh [OUTPUT_FOLDER] (default docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-docs/screenshots}")"
scripts/install-deps.sh
scripts/build.sh default >/dev/null
mkdir -p "$out"
shopt -s nullglob
for renderer in build/test-bin/screenshots_*; do
    QT_QPA_PLATFORM=offscreen "$renderer" "$out"
done
ls "$out"/*.png
