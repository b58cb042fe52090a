#!/usr/bin/env bash
# On headless sway the captures hold exactly the screen's pixels: a first start with
# --capture full, Ctrl+F in the window, and a window and client capture of another program.
source "$(dirname "$0")/lib.sh"

grim "$home/desktop-shot.png"
start_program --capture full
wait_for_file "$pictures/1.png"
same_pixels "$pictures/1.png" "$home/desktop-shot.png"

# The window is back and has the focus; Ctrl+F captures again.
sleep 1
wtype -M ctrl -s 100 f -s 100 -m ctrl
wait_for_file "$pictures/2.png"
same_pixels "$pictures/2.png" "$home/desktop-shot.png"

# Another program's window, alone on the first workspace, with ours out of its way.
swaymsg '[app_id="TIVrevudu"] move to workspace 2' >/dev/null
foot -o colors.background=204060 sh -c 'echo the window to capture; sleep 100' & pids+=($!)
for _ in $(seq 50); do swaymsg -t get_tree | grep -q '"app_id": "foot"' && break; sleep 0.1; done
sleep 1
grim "$home/window-shot.png"
read -r cx cy cw ch fx fy fw fh < <(focused_rects)
convert "$home/window-shot.png" -crop "${fw}x${fh}+${fx}+${fy}" +repage "$home/frame.png"
convert "$home/window-shot.png" -crop "${cw}x${ch}+${cx}+${cy}" +repage "$home/content.png"
timeout 10 "$prog" --capture window
wait_for_file "$pictures/3.png"
same_pixels "$pictures/3.png" "$home/frame.png"
timeout 10 "$prog" --capture client
wait_for_file "$pictures/4.png"
same_pixels "$pictures/4.png" "$home/content.png"
echo "window frame ${fw}x${fh}+${fx}+${fy}, content ${cw}x${ch}+${cx}+${cy}"

# A capture asked for while another program has the focus still reaches the clipboard.
timeout 10 "$prog" --capture full
wait_for_file "$pictures/5.png"
sleep 0.5
timeout 5 wl-paste --no-newline --type image/png > "$home/clipboard.png" || fail "nothing on the clipboard: $(wl-paste --list-types 2>&1)"
same_pixels "$home/clipboard.png" "$pictures/5.png"
