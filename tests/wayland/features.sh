#!/usr/bin/env bash
# On headless sway: `--capture text` reads a region of the frozen desktop into the clipboard, and
# `--capture pin` pins one as a floating window (sway keeps no window above others at a program's
# wish, but floats one of fixed size above its tiled ones), showing the region's pixels: neither
# the pointer, over the region as the desktop froze, nor the main window and the text window
# tiled side by side, hidden just before.
source "$(dirname "$0")/lib.sh"

mkfifo "$home/pointer"
python3 "$(dirname "$0")/virtual_pointer.py" < "$home/pointer" > "$home/pointer.log" 2>&1 & pids+=($!)
exec 3> "$home/pointer"
convert -size 1024x768 xc:'#f5fafe' -font /usr/share/fonts/truetype/wqy/wqy-microhei.ttc -pointsize 16 -fill '#141414' \
  -annotate +100+130 '请选择一个合法的文件夹名称' -annotate +100+160 'Save the picture as PNG' "$home/text.png"
swaymsg output HEADLESS-1 bg "$home/text.png" fill >/dev/null
for _ in $(seq 50); do grep -q ready "$home/pointer.log" && break; sleep 0.1; done
printf 'move 1000 700 1024 768\n' >&3 && sleep 0.5 && grim "$home/desktop-shot.png"

# Drags the region 80,105 - 420,175 out of the desktop frozen by `--capture $1` while the pointer
# was over it, from its bottom-right corner.
drag() {
  printf 'move 200 125 1024 768\n' >&3
  timeout 10 "$prog" --capture "$1"
  for _ in $(seq 100); do [ "$(covering_windows)" = 1 ] && break; sleep 0.1; done
  sleep 0.5
  for step in 'move 420 175 1024 768' press 'move 250 140 1024 768' 'move 80 105 1024 768' release; do
    printf '%s\n' "$step" >&3
    sleep 0.2
  done
}

start_program
wait_for_window TIVrevudu
drag text
want=$'请选择一个合法的文件夹名称\nSave the picture as PNG'
for _ in $(seq 300); do [ "$(wl-paste -n 2>/dev/null)" = "$want" ] && break; sleep 0.2; done
[ "$(wl-paste -n)" = "$want" ] || fail "the clipboard holds '$(wl-paste -n)'"

drag pin
pinned() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def floating(n, inside=False):
    if inside and n.get("app_id") == "TIVrevudu": yield n
    for c in n.get("nodes", []): yield from floating(c, inside)
    for c in n.get("floating_nodes", []): yield from floating(c, True)
for n in floating(json.load(sys.stdin)):
    print("%dx%d+%d+%d" % (n["rect"]["width"], n["rect"]["height"], n["rect"]["x"], n["rect"]["y"]))'
}
for _ in $(seq 100); do [[ $(pinned) == 340x70+* ]] && break; sleep 0.1; done
IFS=+ read -r size x y <<< "$(pinned)"
[ "$size" = 340x70 ] || fail "floating windows: '$(pinned)'"
sleep 0.5 && grim "$home/pinned.png"
convert "$home/pinned.png" -crop "338x68+$((x + 1))+$((y + 1))" +repage "$home/shown.png"
convert "$home/desktop-shot.png" -crop 338x68+81+106 +repage "$home/region.png"
same_pixels "$home/shown.png" "$home/region.png" 1%  # the frame corner tints one pixel
