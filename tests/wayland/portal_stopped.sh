#!/usr/bin/env bash
# With the desktop portal stopped no capture has pixels to save: nothing lands in the picture
# folder, and the program keeps running with its window shown. Started again, the portal serves
# the same running copy at once. sway's own screencopy would serve without the portal, so the
# program is told to pass over it.
source "$(dirname "$0")/lib.sh"

TIVREVUDU_GRAB=portal start_program
wait_for_window TIVrevudu
rm "$TIV_BUS_SERVICES/org.freedesktop.portal.Desktop.service"
gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
  --method org.freedesktop.DBus.ReloadConfig >/dev/null
portal=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
  --method org.freedesktop.DBus.GetConnectionUnixProcessID org.freedesktop.portal.Desktop | sed 's/.* \([0-9]*\),.*/\1/')
kill "$portal"
for _ in $(seq 50); do kill -0 "$portal" 2>/dev/null || break; sleep 0.1; done

for kind in full region window; do timeout 10 "$prog" --capture "$kind"; done
wtype -M ctrl -s 100 f -s 100 -m ctrl
sleep 2
kill -0 "$app" || fail "the program ended"
[ -z "$(ls -A "$pictures" 2>/dev/null)" ] || fail "saved without a picture: $(ls "$pictures")"
# The window is back on the screen, in its normal layout, to say why.
swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []): yield from walk(c)
ours = [n for n in walk(json.load(sys.stdin)) if n.get("app_id") == "TIVrevudu"]
sys.exit(0 if ours and ours[0]["visible"] and ours[0]["fullscreen_mode"] == 0 else 1)' \
  || fail "the window is not shown in its normal layout"

ln -s /usr/share/dbus-1/services/org.freedesktop.portal.Desktop.service "$TIV_BUS_SERVICES/"
gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
  --method org.freedesktop.DBus.ReloadConfig >/dev/null
timeout 10 "$prog" --capture full
wait_for_file "$pictures/1.png"
