# What the vrel-dat benchmarks share; sourced from the checkout's top folder.

# Installs the Debian packages named, when any are.
install_missing() {
    [ $# -gt 0 ] || return 0
    local sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "$@"
}

# Prints the full path of the vrel-dat to time: the one given, else build/bin/vrel-dat, built
# when missing.
vrel_dat_tool() {
    local tool="${1:-$(pwd)/build/bin/vrel-dat}"
    if [ ! -x "$tool" ]; then
        cmake --preset default >/dev/null
        cmake --build --preset default --target vrel-dat >&2
    fi
    realpath "$tool"
}

# Prints a new folder for the data: under VREL_BENCH_DIR, else on the RAM disk /dev/shm when
# there is one, else under ${TMPDIR:-/tmp}.
bench_folder() {
    local base=${VREL_BENCH_DIR:-}
    if [ -z "$base" ]; then
        base=${TMPDIR:-/tmp}
        [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ] && [ -w /dev/shm ] && base=/dev/shm
    fi
    mktemp -d "$base/vrel-bench.XXXXXX"
}

# One timed run after a sync: wall seconds, peak resident KB, user and system seconds, appended
# as one line to the log named first.
timed() {
    local log=$1
    shift
    sync
    /usr/bin/time -f "%e %M %U %S" -o "$log.one" "$@" >/dev/null
    cat "$log.one" >>"$log"
}
