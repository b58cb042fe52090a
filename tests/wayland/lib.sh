# Shared steps of the Wayland tests: a headless sway desktop with PipeWire and the desktop portal on
# a private session bus. sway refuses to run as root, so when started by root (as in CI) the test
# makes a user of its own, runs itself again as that user and removes the user afterwards.
set -euo pipefail
# The bus starts only these portal services. The document portal is left out: without FUSE it
# accepts calls it never answers, which holds up the desktop portal's start for 25 s.
services=(org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.wlr
          org.freedesktop.impl.portal.desktop.gtk org.freedesktop.impl.portal.PermissionStore)
# Only sway's own portal backends: the portal offers GlobalShortcuts where KDE's is installed,
# which cannot start here.
portals=(wlr gtk)
session_work=/tmp/tivway.XXXXXX session_user=tivway session_inner=TIV_WAYLAND_INNER
session_seconds=${TIV_WAYLAND_SECONDS:-150}
session_env=()
if [ -z "${TIV_WAYLAND_INNER:-}" ]; then
  # xdg-desktop-portal-wlr writes every screenshot to /tmp/out.png; one left by an earlier test's
  # user, gone now, would block this one.
  case $(stat -c %U /tmp/out.png 2>/dev/null) in UNKNOWN|tivway*) rm -f /tmp/out.png ;; esac
  session_finish_more() {
    if [ -n "${uid:-}" ] && [ -e /tmp/out.png ] && [ "$(stat -c %u /tmp/out.png)" = "$uid" ]; then rm -f /tmp/out.png; fi
  }
fi
source "$(dirname "${BASH_SOURCE[0]}")/../support/private_session.sh"

prog=$1
home=$HOME
pictures=$home/TIVSoft/ZevazoRUV/IMG
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
fail() { echo "$*"; echo "--- program log"; cat "$home/program.log" 2>/dev/null || true; exit 1; }

# Every capture is saved as PNG, so the pictures compare pixel for pixel.
printf '[default]\nPicFormat=6\n' > "$home/bin/defualt.ini"

export WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland
# A desktop with something on it: a black one would hide a black capture.
convert -seed 7 -size 1024x768 plasma:fractal "$home/desktop.png" 2>/dev/null \
  || convert -size 1024x768 gradient:red-blue "$home/desktop.png"
cat > "$home/sway.conf" <<CONF
output HEADLESS-1 resolution 1024x768 position 0 0 bg $home/desktop.png fill
xwayland ${TIV_XWAYLAND:-disable}
focus_on_window_activation focus
CONF
sway -c "$home/sway.conf" > "$home/sway.log" 2>&1 & pids+=($!)
for _ in $(seq 100); do ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock >/dev/null 2>&1 && ls "$XDG_RUNTIME_DIR"/wayland-? >/dev/null 2>&1 && break; sleep 0.1; done
WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -1)")
SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -1)
export WAYLAND_DISPLAY SWAYSOCK
export NO_AT_BRIDGE=1 GTK_A11Y=none
dbus-update-activation-environment WAYLAND_DISPLAY SWAYSOCK XDG_CURRENT_DESKTOP XDG_RUNTIME_DIR NO_AT_BRIDGE GTK_A11Y 2>/dev/null
# xdg-desktop-portal-wlr aborts without PipeWire.
pipewire > "$home/pipewire.log" 2>&1 & pids+=($!)
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.1; done
portal_ready() {
  gdbus introspect --session --dest org.freedesktop.portal.Desktop --object-path /org/freedesktop/portal/desktop 2>/dev/null \
    | grep -q 'interface org.freedesktop.portal.Screenshot'
}
# Started by hand: activated by the desktop portal, it takes 25 s to appear on the bus.
/usr/libexec/xdg-desktop-portal-wlr > "$home/portal-wlr.log" 2>&1 & pids+=($!)
for _ in $(seq 50); do
  gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner \
    org.freedesktop.impl.portal.desktop.wlr 2>/dev/null | grep -q true && break
  sleep 0.1
done
for _ in $(seq 60); do portal_ready && break; sleep 0.5; done
portal_ready || fail "the desktop portal did not offer its Screenshot interface"
[[ $(gdbus introspect --session --dest org.freedesktop.portal.Desktop --object-path /org/freedesktop/portal/desktop) != *GlobalShortcuts* ]] \
  || fail "the desktop portal offers another desktop's GlobalShortcuts"
# Let the background be drawn before anything is compared with it.
for _ in $(seq 50); do grim "$home/probe.png" && [ "$(convert "$home/probe.png" -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" != 0 ] && break; sleep 0.1; done

start_program() {
  "$prog" "$@" 2>>"$home/program.log" & app=$!
  pids+=("$app")
}

# How many of our windows are full-screen: the frozen desktop covers one screen each.
covering_windows() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []): yield from walk(c)
print(sum(1 for n in walk(json.load(sys.stdin)) if n.get("app_id") == "TIVrevudu" and n.get("fullscreen_mode") == 1))'
}

wait_for_file() {
  for _ in $(seq 150); do [ -f "$1" ] && return 0; sleep 0.1; done
  fail "no file $1"
}

# The window sway says has the focus: "x y width height" of its content, then of its whole frame.
focused_rects() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def find(n):
    if n.get("focused"): return n
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        f = find(c)
        if f: return f
n = find(json.load(sys.stdin)); r = n["rect"]; w = n["window_rect"]; d = n["deco_rect"]
print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"], r["x"], r["y"] - d["height"], r["width"], r["height"] + d["height"])'
}

# Pixel for pixel; a third argument lets each channel be that far off (an enlarged screen, whose
# pixels depend on the enlarging filter), which a shift by a single pixel still exceeds.
same_pixels() {
  local diff
  diff=$(compare -metric AE -fuzz "${3:-0}" "$1" "$2" null: 2>&1) || true
  [ "$diff" = 0 ] || fail "$1 and $2 differ in $diff pixels ($(identify -format '%wx%h' "$1") against $(identify -format '%wx%h' "$2"))"
}

# The workspace of our window and whether it has the focus, e.g. "2 False".
ours_place() {
  swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n, ws):
    ws = n["name"] if n.get("type") == "workspace" else ws
    if n.get("app_id") == "TIVrevudu": print(ws, n.get("focused"))
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c, ws)
walk(json.load(sys.stdin), "")'
}

wait_for_window() {
  for _ in $(seq 100); do swaymsg -t get_tree | grep -q "\"app_id\": \"$1\"" && return 0; sleep 0.1; done
  fail "no window of $1"
}

# The focused window and its content, captured as the next two pictures (numbered on from $n),
# against grim's picture cut at sway's rectangles times the screen's scale ($1); $2 lets each
# channel be that far off, $3 runs between the two captures.
window_and_client() {
  sleep 1
  grim "$home/shot.png"
  read -r cx cy cw ch fx fy fw fh < <(focused_rects)
  local s=$1
  convert "$home/shot.png" -crop "$((fw * s))x$((fh * s))+$((fx * s))+$((fy * s))" +repage "$home/frame.png"
  convert "$home/shot.png" -crop "$((cw * s))x$((ch * s))+$((cx * s))+$((cy * s))" +repage "$home/content.png"
  timeout 10 "$prog" --capture window
  wait_for_file "$pictures/$((n += 1)).png"
  same_pixels "$pictures/$n.png" "$home/frame.png" "$2"
  ${3:-true}
  timeout 10 "$prog" --capture client
  wait_for_file "$pictures/$((n += 1)).png"
  same_pixels "$pictures/$n.png" "$home/content.png" "$2"
}
