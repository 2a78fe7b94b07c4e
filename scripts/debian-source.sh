# Sourced by the scripts that build a library from Debian's own source package.
# debian_source_entries PACKAGE: makes `apt-get source PACKAGE` work, adding deb-src entries for the
# same places and suites the machine installs from where there are none. Sets sudo_cmd.
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

debian_source_entries() {
    if apt-get source --print-uris "$1" >/dev/null 2>&1; then
        return 0
    fi
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && [[ "$(basename "$file")" != vrel-src-* ]] || continue
        sed 's/^Types:.*/Types: deb-src/' "$file" |
            "${sudo_cmd[@]}" tee "/etc/apt/sources.list.d/vrel-src-$(basename "$file")" >/dev/null
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/vrel-src.list >/dev/null
    fi
    "${sudo_cmd[@]}" apt-get update -q
}
