#!/usr/bin/env bash
# Under a window manager, the first announcement page (loaded by the first web view of the run) must
# leave the main window alone: after a capture the window is minimised and another program has the
# focus; when the page has come, the main window is the same X window in the same state (still
# minimised, still maximised), and the other program still has the focus. Then the page shows in the strip.
# The help window is maximised by the window manager with its title bar on the screen, and restored
# it keeps its frame on the screen too.
# Runs on a display of its own with openbox, and serves the pages itself.
source "$(dirname "$0")/lib.sh"

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 & pids+=($!)
# xdotool asks the manager's list of what it supports, which openbox may set after its check window.
for _ in $(seq 100); do xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break; sleep 0.1; done

page='<html><body style="background:#00ff00">tivrollaver_A,http://a.example/,B,http://b.example/_tivrollaver</body></html>'
for kind in now next demo; do mkdir -p "$work/www/gg/sp/$kind"; echo "$page" > "$work/www/gg/sp/$kind/index.html"; done
python3 -u -m http.server --bind 127.0.0.1 0 --directory "$work/www" >"$work/http.log" 2>&1 & pids+=($!)
port=""
for _ in $(seq 100); do
  port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$work/http.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the page server did not start"; cat "$work/http.log"; exit 1; }
export TIVREVUDU_SERVER=http://127.0.0.1:$port/
# Long enough to capture and minimise before the first rotation, short enough to wait for.
export TIVREVUDU_ROTATION_MS=8000
# The engine's own code frees some objects through pointers of another size.
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:new_delete_type_mismatch=0:detect_leaks=0

# Another program for the user to be in.
convert -size 300x200 xc:magenta "$work/other.xwd"
xwud -in "$work/other.xwd" -noclick 2>/dev/null & pids+=($!)
start_program
for _ in $(seq 50); do xprop -id "$win" _NET_WM_STATE | grep -q MAXIMIZED_VERT && break; sleep 0.1; done

xdotool windowactivate --sync "$win"
xdotool keydown ctrl key f keyup ctrl
wait_for_file "$HOME/TIVSoft/ZevazoRUV/IMG/1.jpg"
xdotool windowminimize --sync "$win"
other=$(xdotool search --class xwud | head -1)
xdotool windowactivate --sync "$other"
if grep -q 'GET /gg' "$work/http.log"; then
  echo "the first page came before the window was minimised; the test could not run as meant"; exit 1
fi
state() { { xprop -id "$win" WM_STATE _NET_WM_STATE 2>&1 || true; } | tr -s ' \t\n' ' '; }
before=$(state)
echo "before the page: $before"
case $before in *Iconic*) ;; *) echo "the window was not minimised"; exit 1 ;; esac

for _ in $(seq 600); do grep -q 'GET /gg' "$work/http.log" && break; sleep 0.1; done
grep -q 'GET /gg' "$work/http.log" || { echo "no page was asked for"; exit 1; }
# Loaded, then examined a second later and moved into the strip.
for _ in $(seq 100); do grep -q 'GET /favicon' "$work/http.log" && break; sleep 0.1; done
sleep 3

after=$(state)
echo "after the page: $after"
now=$(xdotool search --all --pid "$app" --name TIVrevudu | sort -n | tr '\n' ' ') || true
echo "main window $win, windows named so now: $now"
fail=0
[ "$after" = "$before" ] || { echo "the window's state changed"; fail=1; }
case " $now " in *" $win "*) ;; *) echo "the main window is no longer there"; fail=1 ;; esac
[ "$(xdotool getactivewindow || true)" = "$other" ] || { echo "the other program lost the focus"; fail=1; }
((fail == 0)) || exit 1

xdotool windowactivate --sync "$win"
sleep 1
import -window root "$work/shot.png"
green=$(convert "$work/shot.png" -fill black +opaque '#00ff00' -fill white -opaque '#00ff00' -format '%[fx:int(mean*w*h)]' info:)
echo "page pixels in the strip: $green"
[ "$green" -gt 20000 ]

# The help button, fourth on the side toolbar, in the maximised window.
xdotool mousemove --window "$win" 80 258 click 1
help=""
for _ in $(seq 100); do
  help=$(xdotool search --all --onlyvisible --pid "$app" --name '^关于 TIVrevudu$' 2>/dev/null | head -1) || true
  [ -n "$help" ] && break
  sleep 0.1
done
[ -n "$help" ] || { echo "the help window did not appear"; exit 1; }
frame_top() {
  local top y
  top=$(xprop -id "$help" _NET_FRAME_EXTENTS | sed -n 's/.*= *[0-9]*, *[0-9]*, *\([0-9]*\),.*/\1/p')
  y=$(xwininfo -id "$help" | sed -n 's/.*Absolute upper-left Y: *//p')
  echo $((y - top))
}
sleep 1
echo "help window: $(xprop -id "$help" _NET_WM_STATE), frame top at $(frame_top)"
xprop -id "$help" _NET_WM_STATE | grep -q MAXIMIZED_VERT || { echo "the help window is not maximised"; exit 1; }
[ "$(frame_top)" -ge 0 ] || { echo "the help window's title bar is above the screen"; exit 1; }
# A double click on the title bar restores it.
xdotool mousemove 640 $(( $(xwininfo -id "$help" | sed -n "s/.*Absolute upper-left Y: *//p") / 2 )) sleep 0.3 mousedown 1 mouseup 1 sleep 0.1 mousedown 1 mouseup 1
sleep 1
echo "restored: $(xprop -id "$help" _NET_WM_STATE), frame top at $(frame_top)"
! xprop -id "$help" _NET_WM_STATE | grep -q MAXIMIZED_VERT || { echo "the help window stayed maximised"; exit 1; }
[ "$(frame_top)" -ge 0 ] || { echo "the restored help window's title bar is above the screen"; exit 1; }
