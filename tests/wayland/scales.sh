#!/usr/bin/env bash
# Captures on headless sway hold exactly grim's pixels at every scale: full and region captures
# at scale 1.5, window and client captures on a scale-2 screen and on a scale-1 screen beside it,
# and a turned screen, taken through screencopy with the portal gone.
TIV_WAYLAND_SECONDS=230
source "$(dirname "$0")/lib.sh"
echo ContinueCut=1 >> "$home/bin/defualt.ini"
mkfifo "$home/pointer"
python3 "$(dirname "$0")/virtual_pointer.py" < "$home/pointer" > "$home/pointer.log" 2>&1 & pids+=($!)
exec 3> "$home/pointer"
for _ in $(seq 50); do grep -q ready "$home/pointer.log" && break; sleep 0.1; done
swaymsg 'focus_follows_mouse no; mouse_warping none' >/dev/null

# Scale 1.5: 1920x1080 pixels for 1280x720 logical units.
swaymsg output HEADLESS-1 resolution 1920x1080 scale 1.5 >/dev/null
start_program
wait_for_window TIVrevudu
swaymsg '[app_id="TIVrevudu"] move to workspace 2' >/dev/null
sleep 1
grim "$home/shot.png"
timeout 10 "$prog" --capture full
wait_for_file "$pictures/1.png"
same_pixels "$pictures/1.png" "$home/shot.png"
timeout 10 "$prog" --capture region
for _ in $(seq 100); do [ "$(covering_windows)" = 1 ] && break; sleep 0.1; done
sleep 0.5
printf 'move 100 150 1280 720\npress\n' >&3
sleep 0.2
printf 'move 250 250 1280 720\nmove 400 350 1280 720\n' >&3
sleep 0.2
printf 'release\n' >&3
wait_for_file "$pictures/2.png"
convert "$home/shot.png" -crop 450x300+150+225 +repage "$home/expected.png"
same_pixels "$pictures/2.png" "$home/expected.png"

# Our window, where it comes back after a capture, is put away again, so that no capture waits
# for the others to be laid out anew without it.
park_ours() {
  for _ in $(seq 20); do
    swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []): yield from walk(c)
sys.exit(not any(n.get("app_id") == "TIVrevudu" and n.get("visible") for n in walk(json.load(sys.stdin))))' && break
    sleep 0.1
  done
  swaymsg '[app_id="TIVrevudu"] move to workspace 9' >/dev/null
  sleep 1
}

# Scale 2, a window of another program alone on the first workspace. The pointer, which sway
# draws in and each enlarging filter its own way, hides while it rests.
swaymsg 'output HEADLESS-1 resolution 2048x1536 scale 2; seat * hide_cursor 100' >/dev/null
park_ours
foot -o colors.background=204060 sh -c 'echo the window to capture; sleep 100' & pids+=($!)
wait_for_window foot
n=2
window_and_client 2 0 park_ours

# A scale-1 screen right of it: the picture has it enlarged, by a filter of our own.
swaymsg create_output >/dev/null
swaymsg output HEADLESS-2 resolution 1024x768 scale 1 position 1024 0 bg "$home/desktop.png" fill >/dev/null
park_ours
swaymsg '[app_id="foot"] move to output HEADLESS-2, focus' >/dev/null
window_and_client 2 2% park_ours

# A turned screen comes through screencopy: with the portal gone nothing else could serve.
rm "$TIV_BUS_SERVICES/org.freedesktop.impl.portal.desktop.wlr.service"
gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
  --method org.freedesktop.DBus.ReloadConfig >/dev/null
kill "$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method \
  org.freedesktop.DBus.GetConnectionUnixProcessID org.freedesktop.impl.portal.desktop.wlr | sed 's/.* \([0-9]*\),.*/\1/')"
for transform in 90 flipped-270; do
  swaymsg output HEADLESS-1 resolution 1024x768 scale 1 transform $transform >/dev/null
  park_ours
  for _ in $(seq 20); do  # the turned screen drawn and at rest
    grim "$home/shot.png"; sleep 0.3; grim "$home/again.png"
    [ "$(compare -metric AE "$home/shot.png" "$home/again.png" null: 2>&1)" = 0 ] && break
  done
  timeout 10 "$prog" --capture full
  wait_for_file "$pictures/$((n += 1)).png"
  # The turned screen only: the other one's workspace may change as our window comes and goes.
  convert "$pictures/$n.png" -crop 768x1024+0+0 +repage "$home/ours.png"
  convert "$home/shot.png" -crop 768x1024+0+0 +repage "$home/expected.png"
  same_pixels "$home/ours.png" "$home/expected.png"
done
