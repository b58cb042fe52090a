#!/usr/bin/env bash
# On headless sway the captures hold exactly the screen's pixels: two first starts with
# --capture full at once, Ctrl+F in the window, and a window and client capture of another
# program, all in continuous capture, where the window stays away after a capture from outside.
source "$(dirname "$0")/lib.sh"
echo ContinueCut=1 >> "$home/bin/defualt.ini"

# Started together with no copy running: one serves both, one after the other.
grim "$home/desktop-shot.png"
start_program --capture full
"$prog" --capture full 2>>"$home/program.log" & pids+=($!)
wait_for_file "$pictures/2.png"
same_pixels "$pictures/1.png" "$home/desktop-shot.png"
same_pixels "$pictures/2.png" "$home/desktop-shot.png"
sleep 1
[ "$(pgrep -c -x -u "$(id -u)" TIVrevudu)" = 1 ] || fail "copies running: $(pgrep -a -u "$(id -u)" TIVrevudu)"
[ ! -e "$pictures/3.png" ] || fail "a request was served twice"

# The window is back and has the focus; Ctrl+F captures again.
wtype -M ctrl -s 100 f -s 100 -m ctrl
wait_for_file "$pictures/3.png"
same_pixels "$pictures/3.png" "$home/desktop-shot.png"

# Another program's window, alone on the first workspace, with ours out of its way.
swaymsg '[app_id="TIVrevudu"] move to workspace 2' >/dev/null
foot -o colors.background=204060 sh -c 'echo the window to capture; sleep 100' & pids+=($!)
for _ in $(seq 50); do swaymsg -t get_tree | grep -q '"app_id": "foot"' && break; sleep 0.1; done
n=3
window_and_client 1 0
echo "window frame ${fw}x${fh}+${fx}+${fy}, content ${cw}x${ch}+${cx}+${cy}"
# Shown again after each capture, ours went back to its own workspace, not beside the other one.
for _ in $(seq 30); do [ "$(ours_place)" = "2 False" ] && break; sleep 0.1; done
[ "$(ours_place)" = "2 False" ] || fail "our window is at $(ours_place), not back on workspace 2"

# A capture asked for while another program has the focus still reaches the clipboard, though
# in continuous capture the window does not come back to take the focus.
timeout 10 "$prog" --capture full
wait_for_file "$pictures/6.png"
sleep 0.5
timeout 5 wl-paste --no-newline --type image/png > "$home/clipboard.png" || fail "nothing on the clipboard: $(wl-paste --list-types 2>&1)"
same_pixels "$home/clipboard.png" "$pictures/6.png"

# A second plain start brings the running window forward, to its own workspace.
"$prog" 2>>"$home/program.log"
for _ in $(seq 30); do [ "$(ours_place)" = "2 True" ] && break; sleep 0.1; done
[ "$(ours_place)" = "2 True" ] || fail "a second start left our window at $(ours_place)"

# "鼠标局部截屏" in continuous capture: the capture toolbar is above the frozen desktop, usable.
mkfifo "$home/pointer"
python3 "$(dirname "$0")/virtual_pointer.py" < "$home/pointer" > "$home/pointer.log" 2>&1 & pids+=($!)
exec 3> "$home/pointer"
for _ in $(seq 50); do grep -q ready "$home/pointer.log" && break; sleep 0.1; done
"$prog" --leave 2>>"$home/program.log"  # the window as it was before capture mode
sleep 1
read -r cx cy _ < <(focused_rects)
printf 'move %d %d 1024 768\n' $((cx + 80)) $((cy + 195)) >&3
sleep 0.3
echo press >&3; sleep 0.1; echo release >&3
for _ in $(seq 100); do [ "$(covering_windows)" = 1 ] && break; sleep 0.1; done
sleep 1
grim "$home/toolbar.png"
read -r tx ty < <(swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n):
    if n.get("app_id") == "TIVrevudu" and n["type"] == "floating_con": print(n["rect"]["x"], n["rect"]["y"])
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))')
[ "$(convert "$home/toolbar.png" -format "%[pixel:p{$((tx + 3)),$((ty + 100))}]" info:)" = "srgb(245,250,254)" ] \
  || fail "no toolbar at $tx,$ty over the frozen desktop ($(covering_windows) covering)"
