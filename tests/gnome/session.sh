# The steps GNOME's and KDE's headless test desktops share. Sourced by their lib.sh after it has
# set `services` and `portals` (see ../support/private_session.sh). HOME lies outside /tmp, as a
# desktop user's does: the tests look for pictures left where users keep theirs.
set -euo pipefail
# The document portal, which without FUSE holds up the desktop portal's start for 25 s, is not
# among the services.
session_work=/var/tmp/tivdesk.XXXXXX session_user=tivdesk session_inner=TIV_DESKTOP_INNER
session_seconds=${TIV_DESKTOP_TIMEOUT:-240}
session_env=(TIV_DESKTOP_KEEP="${TIV_DESKTOP_KEEP:-}")
source "$(dirname "${BASH_SOURCE[0]}")/../support/private_session.sh"

prog=$1
home=$HOME
pictures=$home/TIVSoft/ZevazoRUV/IMG
# The desktop's own picture folder, where its portal writes.
desktop_pictures=$home/Pictures
mkdir -p "$desktop_pictures"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
# TIV_DESKTOP_KEEP=folder keeps the pictures of a failed run there.
fail() {
  echo "$*"; echo "--- program log"; cat "$home/program.log" 2>/dev/null || true
  [ -z "${TIV_DESKTOP_KEEP:-}" ] || cp -r "$home"/*.png "$pictures" "$TIV_DESKTOP_KEEP/" 2>/dev/null || true
  exit 1
}
export XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland NO_AT_BRIDGE=1 GTK_A11Y=none

# Every capture is saved as PNG, so the pictures compare pixel for pixel.
printf '[default]\nPicFormat=6\n' > "$home/bin/defualt.ini"

# Both compositors ask the system bus for logind, accounts and polkit; an empty one will do.
printf '<busconfig><type>session</type><listen>unix:dir=%s</listen><auth>EXTERNAL</auth><policy context="default"><allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/></policy></busconfig>' \
  "$XDG_RUNTIME_DIR" > "$home/system-bus.conf"
dbus-daemon --config-file="$home/system-bus.conf" --nofork --print-address=3 3>"$home/system-bus.address" & pids+=($!)
for _ in $(seq 50); do [ -s "$home/system-bus.address" ] && break; sleep 0.1; done
DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$home/system-bus.address")
export DBUS_SYSTEM_BUS_ADDRESS

# A desktop with something on it: a black one would hide a black capture.
convert -seed 7 -size 1024x768 plasma:fractal "$home/desktop.png" 2>/dev/null \
  || convert -size 1024x768 gradient:red-blue "$home/desktop.png"

name_owned() {
  gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}
portal_ready() {
  gdbus introspect --session --dest org.freedesktop.portal.Desktop --object-path /org/freedesktop/portal/desktop 2>/dev/null \
    | grep -q 'interface org.freedesktop.portal.Screenshot'
}
wait_for_portal() {
  for _ in $(seq 80); do portal_ready && return 0; sleep 0.25; done
  fail "the desktop portal did not offer its Screenshot interface"
}

start_program() {
  "$prog" "$@" 2>>"$home/program.log" & app=$!
  pids+=("$app")
}

wait_for_file() {
  for _ in $(seq "${2:-150}"); do [ -f "$1" ] && return 0; sleep 0.1; done
  fail "no file $1"
}

# Pixel for pixel; a third argument leaves out that many rows at the top (a clock there), a fourth
# lets each channel be that far off.
same_pixels() {
  local diff
  convert "$1" -crop "+0+${3:-0}" +repage "$home/compared-1.png"
  convert "$2" -crop "+0+${3:-0}" +repage "$home/compared-2.png"
  diff=$(compare -metric AE -fuzz "${4:-0}" "$home/compared-1.png" "$home/compared-2.png" null: 2>&1) || true
  [ "$diff" = 0 ] || fail "$1 and $2 differ in $diff pixels ($(identify -format '%wx%h' "$1") against $(identify -format '%wx%h' "$2"))"
}

# Nothing the program asked the desktop for is left where the user keeps pictures.
no_stray_pictures() {
  local left
  # A capture that never asked the portal leaves the folder as it was, also when there was none.
  left=$(find "$desktop_pictures" -type f 2>/dev/null || true)
  [ -z "$left" ] || fail "pictures left in the Pictures folder: $left"
}

# The program's hint line, as its log keeps it.
hint_said() { grep -q "$1" "$home/program.log"; }

# Starts the desktop's input driver (the command given), which reads one line an action and says
# "done" once the compositor has it; input() sends it a line, e.g. `input key Control_L f`.
start_input_driver() {
  mkfifo "$home/input"
  "$@" < "$home/input" > "$home/input.log" 2>&1 & pids+=($!)
  exec 4> "$home/input"
  for _ in $(seq 50); do grep -q ready "$home/input.log" && break; sleep 0.1; done
  grep -q ready "$home/input.log" || fail "no input: $(cat "$home/input.log")"
}
input() {
  local before
  before=$(grep -c done "$home/input.log" || true)
  echo "$*" >&4
  for _ in $(seq 50); do [ "$(grep -c done "$home/input.log")" -gt "$before" ] && return 0; sleep 0.1; done
  fail "the desktop took no input"
}

# A window of another program, grey on a frame of the desktop's, which takes the focus.
other_window() {
  GSK_RENDERER=cairo python3 -c 'import gi; gi.require_version("Gtk", "4.0"); from gi.repository import Gtk
a = Gtk.Application(application_id="example.tiv.other")
a.connect("activate", lambda a: Gtk.ApplicationWindow(application=a, title="the window to capture", default_width=400, default_height=300).present())
a.run()' > "$home/other.log" 2>&1 & pids+=($!)
  sleep 3
}
