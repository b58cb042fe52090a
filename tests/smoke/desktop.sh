#!/usr/bin/env bash
# Runs a smoke script on a private X server laid out like a user's desktop:
#   desktop.sh WM MONITORS SCRIPT ARGS...
# WM is none, openbox, xfwm4, xfwm4-composited or icewm; MONITORS is one (1280x800) or two (one 3200x1080 screen split
# into a 1920x1080 monitor and a 1280x1024 one on its right, as RandR reports them to programs).
set -euo pipefail
wm=$1 monitors=$2 script=$3
shift 3
size=1280x800
[ "$monitors" = two ] && size=3200x1080

dir=$(mktemp -d)
exec 3>"$dir/display"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 2>"$dir/xvfb.log" & server=$!
helpers=("$server")
finish() { kill -- "${helpers[@]}" 2>/dev/null || true; rm -rf "$dir"; }
trap finish EXIT
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$dir/display")
unset WAYLAND_DISPLAY

if [ "$monitors" = two ]; then
  xrandr --setmonitor LEFT 1920/508x1080/286+0+0 screen >/dev/null
  xrandr --setmonitor RIGHT 1280/338x1024/270+1920+0 none >/dev/null
fi

case "$wm" in
  none) ;;
  openbox) setsid openbox --sm-disable 2>"$dir/wm.log" & helpers+=(-$!) ;;
  # It reads its settings over a private session bus; compositing off as on older cards.
  xfwm4) NO_AT_BRIDGE=1 setsid dbus-run-session -- xfwm4 --compositor=off --sm-client-disable \
           >"$dir/wm.log" 2>&1 & helpers+=(-$!) ;;
  # The same with its compositor, which draws every window itself into the picture on the screen.
  xfwm4-composited) NO_AT_BRIDGE=1 setsid dbus-run-session -- xfwm4 --compositor=on --vblank=off --sm-client-disable \
           >"$dir/wm.log" 2>&1 & helpers+=(-$!) ;;
  icewm) setsid icewm >"$dir/wm.log" 2>&1 & helpers+=(-$!) ;;
  *) echo "unknown window manager $wm"; exit 2 ;;
esac
if [ "$wm" != none ]; then
  # The manager is ready once it names its check window on the root.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "$wm did not start"; cat "$dir/wm.log"; exit 1; }
  sleep 0.5
fi
export TIV_WINDOW_MANAGER=$wm
"$script" "$@"
