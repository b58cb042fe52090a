#!/usr/bin/env bash
# Redraws docs/main-window.png: the program maximised under openbox on a private 1280x800 Xvfb
# display, after a full-screen capture (Ctrl+F) of a desktop-like background picture.
# usage: docs/screenshot.sh [PROGRAM]   (default build/TIVrevudu)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$repo/build/TIVrevudu}
shared=${TIV_SHARED:-$repo/../shared}
work=$(mktemp -d)
display=:$((400 + RANDOM % 100))
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display HOME=$work
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$shared/bench/make-desktop.sh" "$work/desk.png" 1280x800 >/dev/null
convert "$work/desk.png" "$work/desk.xwd"
# The background picture plays the desktop: no frame, always below the program.
rule='<application name="xwud"><decor>no</decor><layer>below</layer><position force="yes"><x>0</x><y>0</y></position></application>'
sed "s#<applications>#<applications>$rule#" /etc/xdg/openbox/rc.xml > "$work/rc.xml"
openbox --config-file "$work/rc.xml" >/dev/null 2>&1 & pids+=($!)
sleep 1
xwud -in "$work/desk.xwd" -noclick >/dev/null 2>&1 & pids+=($!)
sleep 1
mkdir -p "$work/bin"
cp "$program" "$work/bin/TIVrevudu"
ASAN_OPTIONS=detect_leaks=0 "$work/bin/TIVrevudu" >/dev/null 2>&1 & pids+=($!)
win=""
for _ in $(seq 100); do
  win=$(xdotool search --onlyvisible --name TIVrevudu 2>/dev/null | head -1) || true
  [[ -n $win ]] && break
  sleep 0.2
done
sleep 2
xdotool windowfocus --sync "$win" keydown ctrl key f keyup ctrl
sleep 3
import -window root "$repo/docs/main-window.png"
echo "wrote docs/main-window.png"
