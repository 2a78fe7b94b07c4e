#!/usr/bin/env bash
# Configures and builds one preset (default: all programs and tests). Usage: build.sh [PRESET]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
# Through ccache where it is installed, unless a launcher is already chosen: the core build
# compiles the same files as the default one, and a machine that keeps its cache builds again only
# what changed. The build folder is kept out of the cache's key, so one preset reuses another's.
if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
