#!/usr/bin/env bash
# Installs what is missing, builds, lays out a demo (program folder with sample mods, stand-in game)
# and runs Vrel2 on it. Without a display it runs under Xvfb and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
scripts/build.sh default

demo="$root/build/demo"
rm -rf "$demo"
"$root/build/test-bin/make_demo" "$root/resources/vrel.cfg" "$demo" >/dev/null
cp "$root/build/bin/Vrel2" "$demo/program/"
for extra in butin3.wav butin4.wav qrd.nfo README.md LICENSE Pendra vrel-dat; do
    [ -e "$root/build/bin/$extra" ] && cp "$root/build/bin/$extra" "$demo/program/"
done

if [ -n "${DISPLAY:-}" ]; then
    exec "$demo/program/Vrel2"
fi

shot="$root/build/demo-vrel2.png"
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 640x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" "$demo/program/Vrel2" &
app=$!
sleep 3
DISPLAY="$display" import -window root "$shot"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "Vrel2 ran on the demo in $demo; screenshot: $shot"
