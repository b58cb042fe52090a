#!/usr/bin/env bash
# Redraws the pictures of docs/: the program maximised under openbox on a private 1280x800 Xvfb
# display after a full-screen capture (Ctrl+F) of a desktop-like background picture
# (main-window.png), then its About window (about.png) and its hotkey dialog (hotkey-dialog.png),
# each cut from the screen with its frame.
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

# The screen position of a window's top-left corner, inside its frame (xdotool's own is off by the
# frame under a reparenting window manager).
window_corner() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}
# Cuts the window titled $1 out of the whole screen, frame included, into docs/$2.
shoot() {
  local id=""
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || true
    [[ -n $id ]] && break
    sleep 0.2
  done
  [[ -n $id ]] || { echo "no window named $1" >&2; return 1; }
  sleep 1
  local left top right bottom X Y WIDTH HEIGHT
  read -r X Y < <(window_corner "$id")
  read -r WIDTH HEIGHT < <(xwininfo -id "$id" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w, h}')
  read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
  import -window root -crop "$((WIDTH + left + right))x$((HEIGHT + top + bottom))+$((X - left))+$((Y - top))" \
    +repage "$repo/docs/$2"
  echo "wrote docs/$2"
  xdotool key Escape
  sleep 1
}
# Clicks a point of the maximised main window, given from its top-left corner.
click_side_button() {
  local x y
  read -r x y < <(window_corner "$win")
  xdotool mousemove --sync "$((x + $1))" "$((y + $2))" click 1
}
click_side_button 80 288  # 关于...
shoot "关于 TIVrevudu" about.png
click_side_button 80 226  # 其他功能: its menu ends with the hotkey settings
sleep 1
xdotool key Up Return
shoot "热键设置" hotkey-dialog.png
