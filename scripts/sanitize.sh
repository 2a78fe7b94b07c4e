#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer (preset asan)
# and runs it. Any report fails the run; only what scripts/lsan.supp names (leaks inside Qt and
# system libraries) is let through.
set -euo pipefail
cd "$(dirname "$0")/.."

# The same options as the asan test preset, also for the build: it runs every test program once
# to list its tests.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

scripts/build.sh asan
ctest --preset asan "$@"
