#!/usr/bin/env bash
# Writes the link graph of the project's own targets (no tests, benchmarks or outside libraries) as
# Graphviz text, and its edges one per line beside it (.txt). Usage: target-graph.sh OUTPUT.dot
# [BUILD_DIR], the build folder being one configured already (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "$1")"
binary="${2:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat >"$work/options.cmake" <<'OPTIONS'
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS ".*_tests$" ".*_bench$" "^screenshots_" "^test_support" "^dat_image$" "^make_"
    "^play_child$" "^standin_game$" "^project_options$" "^RenderSplash$" "_resources_")
OPTIONS
cp "$work/options.cmake" "$binary/CMakeGraphVizOptions.cmake"
cmake "$binary" --graphviz="$work/graph.dot" >/dev/null
rm -f "$binary/CMakeGraphVizOptions.cmake"
cp "$work/graph.dot" "$out"
# Edges as "from -> to" with the targets' names.
awk '/\[ label = /{match($0, /"node[0-9]+"/); id=substr($0, RSTART, RLENGTH);
     match($0, /label = "[^"]+"/); name[id]=substr($0, RSTART+9, RLENGTH-10)}
     / -> /{split($0, p, " -> "); a=p[1]; gsub(/[ \t]/, "", a); match(p[2], /"node[0-9]+"/);
     b=substr(p[2], RSTART, RLENGTH); edges[++n]=a SUBSEP b}
     END{for (i=1;i<=n;i++){split(edges[i], e, SUBSEP); print name[e[1]] " -> " name[e[2]]}}' \
    "$out" | grep -v -e "^ ->" -e "-> $" | sort -u >"${out%.dot}.txt"
