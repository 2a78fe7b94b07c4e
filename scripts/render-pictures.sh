#!/usr/bin/env bash
# Redraws the PNG and ICO pictures under resources/ from their SVG sources. Run it after changing an
# SVG (or draw_skins.py) and commit the pictures with the sources.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target render_pictures
QT_QPA_PLATFORM=offscreen build/tools/render_pictures resources
git status --short resources
