#!/bin/sh
# Adds Vrel2 and Pendra, from the folder this script lies in, to the desktop's application menu
# of the current user. With --remove it takes them out again. The folder can lie anywhere, but
# after moving it, run this script again.
set -eu
folder=$(cd "$(dirname "$0")" && pwd)
data="${XDG_DATA_HOME:-$HOME/.local/share}"
apps="$data/applications"
icons="$data/icons/hicolor/scalable/apps"

if [ "${1:-}" = "--remove" ]; then
    rm -f "$apps/vrel-vrel2.desktop" "$apps/vrel-pendra.desktop" "$icons/vrel2.svg" "$icons/pendra.svg"
    echo "Removed Vrel2 and Pendra from the menu."
    exit 0
fi

mkdir -p "$apps" "$icons"
for program in Vrel2 Pendra; do
    icon=$(echo "$program" | tr 'A-Z' 'a-z')
    cp "$folder/$icon.svg" "$icons/$icon.svg"
    # Desktop entries need an absolute program path, quoted for folders with spaces: first the
    # quoting escapes, then the string escapes double every backslash, and % doubles.
    exec=$(printf '%s' "$folder/$program" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
    {
        grep -v -e '^Exec=' -e '^Icon=' "$folder/$program.desktop"
        printf 'Exec="%s"\nPath=%s\nIcon=%s\n' "$exec" "$folder" "$icons/$icon.svg"
    } > "$apps/vrel-$icon.desktop"
    chmod +x "$apps/vrel-$icon.desktop"
done
command -v update-desktop-database >/dev/null 2>&1 && update-desktop-database "$apps" 2>/dev/null || true
echo "Added Vrel2 and Pendra from $folder to the menu."
