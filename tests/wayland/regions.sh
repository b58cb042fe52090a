#!/usr/bin/env bash
# On headless sway with two screens of other sizes, places and scales, a region dragged on either
# screen of the frozen desktop holds exactly the desktop's pixels under it. The picture has every
# screen at the highest scale, so the lower-scale screen's pixels come enlarged, by a filter of
# our own rather than grim's.
source "$(dirname "$0")/lib.sh"

mkfifo "$home/pointer"
python3 "$(dirname "$0")/virtual_pointer.py" < "$home/pointer" > "$home/pointer.log" 2>&1 & pids+=($!)
exec 3> "$home/pointer"
convert -seed 11 -size 1024x768 plasma:fractal "$home/desktop2.png"
swaymsg create_output >/dev/null
swaymsg output HEADLESS-1 resolution 1600x1200 scale 2 position 0 0 >/dev/null
swaymsg output HEADLESS-2 resolution 1024x768 scale 1 position 800 200 bg "$home/desktop2.png" fill >/dev/null
for _ in $(seq 50); do grep -q ready "$home/pointer.log" && break; sleep 0.1; done
grep -q ready "$home/pointer.log" || fail "no virtual pointer: $(cat "$home/pointer.log")"
# Both backgrounds drawn: the middle of either screen is no longer of one colour.
drawn() { [ "$(convert "$home/desktop-shot.png" -crop "20x20+$1+$2" -format '%[fx:standard_deviation>0]' info:)" = 1 ]; }
for _ in $(seq 50); do
  grim "$home/desktop-shot.png"
  drawn 800 600 && drawn 2624 1168 && break
  sleep 0.1
done
[ "$(identify -format '%wx%h' "$home/desktop-shot.png")" = 3648x1936 ] || fail "the desktop is $(identify -format '%wx%h' "$home/desktop-shot.png")"

# Drags from x0,y0 by dx,dy in the desktop's logical units and checks the picture saved as file.
drag_region() {
  local x0=$1 y0=$2 dx=$3 dy=$4 file=$5 fuzz=${6:-0}
  timeout 10 "$prog" --capture region
  for _ in $(seq 100); do [ "$(covering_windows)" = 2 ] && break; sleep 0.1; done
  [ "$(covering_windows)" = 2 ] || fail "the frozen desktop does not cover both screens: $(swaymsg -t get_tree)"
  sleep 0.5
  printf 'move %d %d 1824 968\npress\n' "$x0" "$y0" >&3
  sleep 0.2
  printf 'move %d %d 1824 968\n' $((x0 + dx / 2)) $((y0 + dy / 2)) $((x0 + dx)) $((y0 + dy)) >&3
  sleep 0.2
  printf 'release\n' >&3
  wait_for_file "$file"
  convert "$home/desktop-shot.png" -crop "$((dx * 2))x$((dy * 2))+$((x0 * 2))+$((y0 * 2))" +repage "$home/expected.png"
  same_pixels "$file" "$home/expected.png" "$fuzz"
}

start_program
wait_for_window TIVrevudu
drag_region 100 150 300 200 "$pictures/1.png"
drag_region 1300 500 250 120 "$pictures/2.png" 2%

# Esc uncovers every screen and gives the window back as it was, not full-screen: the cover keeps
# the window's native window from one capture to the next, and with it the state it set.
timeout 10 "$prog" --capture region
for _ in $(seq 100); do [ "$(covering_windows)" = 2 ] && break; sleep 0.1; done
sleep 0.5
wtype -s 200 -k Escape
for _ in $(seq 50); do [ "$(covering_windows)" = 0 ] && break; sleep 0.1; done
sleep 0.5
[ "$(covering_windows)" = 0 ] || fail "Esc left the frozen desktop up: $(swaymsg -t get_tree)"
wait_for_window TIVrevudu
