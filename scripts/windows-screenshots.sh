#!/usr/bin/env bash
# Checks the Windows ZIP as a user meets it and takes its pictures: builds the mingw preset, packs
# the ZIP, unpacks it into a folder named "Vrel Über" with sample mods in Patches, and runs
# Vrel2.exe under Wine in Xvfb (openbox as window manager). The game's registry entry points at a
# stand-in game, so the first-run window opens with the game folder filled in; Continue writes
# vrel.cfg and opens the main window, whose Exit ends the program. Started again, it opens the
# main window at once, onto which a mod that came as a .zip is dropped, as from a file manager.
# Usage: windows-screenshots.sh [OUTPUT_FOLDER] (default docs/screenshots). Prints vrel.cfg as
# Continue wrote it and the archives in Patches after the drop.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
out="$(realpath -m "${1:-docs/screenshots}")"
scripts/install-deps.sh
for tool in openbox xdotool; do
    command -v "$tool" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "$tool" >/dev/null
done
scripts/build.sh mingw >/dev/null
(cd build-mingw && cpack -G ZIP >/dev/null)
zip="$(ls build-mingw/package/Vrel-*-windows-*.zip)"

work="$(mktemp -d)"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
display=":$((70 + RANDOM % 9))"
Xvfb "$display" -screen 0 800x640x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY="$display"
sleep 1
openbox >/dev/null 2>&1 &

# The program folder, as unzipped by a German user; mods from the demo set-up.
program="$work/Vrel Über"
unzip -q "$zip" -d "$work/zip"
mv "$work/zip"/Vrel-*/ "$program"
wineboot -i >/dev/null 2>&1
wine "$root/build-mingw/test-bin/make_demo.exe" "$root/resources/vrel.cfg" "$work/demo" >/dev/null
cp -r "$work/demo/program/Patches" "$program/"

# The game as its installer leaves it: a folder and the registry entry (32-bit view).
game='C:\Games\Fallout 2'
mkdir -p "$WINEPREFIX/drive_c/Games/Fallout 2"
cp build-mingw/test-bin/standin_game.exe "$WINEPREFIX/drive_c/Games/Fallout 2/Fallout2.exe"
wine reg add 'HKLM\SOFTWARE\Interplay\Fallout2\1.0' /v DestPath /d "$game" /f /reg:32 >/dev/null

# Waits for a window with this title and prints its id.
window() {
    for _ in $(seq 60); do
        if id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)" && [ -n "$id" ]; then
            echo "$id"
            return
        fi
        sleep 1
    done
    echo "windows-screenshots.sh: no window \"$1\" appeared" >&2
    exit 1
}

mkdir -p "$out"
(cd "$program" && wine ./Vrel2.exe) &
vrel2=$!
first="$(window '^Vrel v')"
sleep 2
import -window root "$out/windows-first-run.png"
# Continue, at its place in the first-run window.
xdotool mousemove --window "$first" 177 233 click 1
main="$(window '^Fallout 2: Vrel')"
sleep 3
import -window root "$out/windows-main.png"
echo "vrel.cfg as Continue wrote it:"
iconv -f WINDOWS-1252 -t UTF-8 "$program/vrel.cfg" | tr -d '\r'

# Exit, at its place in the main window, ends the program.
xdotool mousemove --window "$main" 336 176 click 1
for _ in $(seq 20); do
    kill -0 "$vrel2" 2>/dev/null || break
    sleep 1
done
if kill -0 "$vrel2" 2>/dev/null; then
    echo "Exit did not end Vrel2.exe"
else
    echo "Exit ended Vrel2.exe"
fi

# Started again, Vrel2.exe opens the main window at once.
(cd "$program" && wine ./Vrel2.exe) &
disown
main="$(window '^Fallout 2: Vrel')"
sleep 3

# A mod as players download it: a .zip with its data folder, a read-me and files for the game
# folder, as in the Linux pictures.
mod="$work/Downloads/Vault City Nights"
mkdir -p "$mod/data/art/intrface" "$mod/data/maps" "$mod/data/text/english/dialog" "$mod/sfall"
printf frame >"$mod/data/art/intrface/vcnight.frm"
printf map >"$mod/data/maps/vctycocl.map"
printf '{100}{}{Halt.}' >"$mod/data/text/english/dialog/vcguard.msg"
printf '[Main]' >"$mod/ddraw.ini"
printf MZ >"$mod/sfall/ddraw.dll"
printf 'Night-time lighting for Vault City.' >"$mod/readme.txt"
printf png >"$mod/screenshot.png"
(cd "$work/Downloads" && zip -qr "Vault City Nights.zip" "Vault City Nights")
# Dropped by a small Qt program of this machine, which drags it over X's drag-and-drop protocol
# as a file manager does; Wine hands the drop to the window as Windows would.
# shellcheck disable=SC2046
g++ -std=c++17 -fPIC -O1 scripts/drag-files.cpp $(pkg-config --cflags --libs Qt6Widgets) \
    -o "$work/drag-files"
"$work/drag-files" "$work/Downloads/Vault City Nights.zip" >/dev/null 2>&1 &
dragger="$(window '^drag-files$')"
xdotool windowmove "$dragger" 0 560
sleep 1
xdotool mousemove --window "$dragger" 30 30 mousedown 1
sleep 1
# Onto the title panel of the main window, away from the mod list (which takes only its own rows).
xdotool mousemove --window "$main" 140 40
sleep 1
xdotool mousemove --window "$main" 150 45
sleep 1
xdotool mouseup 1
window '^Adding mods$' >/dev/null
sleep 2
import -window root "$out/windows-drop-message.png"
echo "Patches after the drop:"
ls "$program/Patches"
ls "$out"/windows-*.png
