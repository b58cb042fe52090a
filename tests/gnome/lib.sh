# A headless GNOME Shell 43 desktop with its portal, on a private session bus (see session.sh).
# GNOME's own portal backends are started by the test, not by the bus (see below).
services=(org.freedesktop.portal.Desktop org.freedesktop.impl.portal.PermissionStore ca.desrt.dconf)
portals=(gnome gnome-shell gtk)
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
here=$(dirname "${BASH_SOURCE[0]}")

export XDG_CURRENT_DESKTOP=GNOME
gsettings set org.gnome.desktop.interface enable-animations false
# A test pointer passing the top-left corner would open the overview.
gsettings set org.gnome.desktop.interface enable-hot-corners false
for key in picture-uri picture-uri-dark; do gsettings set org.gnome.desktop.background "$key" "file://$home/desktop.png"; done
gsettings set org.gnome.desktop.background picture-options stretched
# Without a display manager the shell would say in a banner that it cannot lock the screen.
gsettings set org.gnome.desktop.screensaver lock-enabled false
gsettings set org.gnome.desktop.notifications show-banners false
gnome-shell --headless --wayland --no-x11 --virtual-monitor 1024x768 --wayland-display tivgnome \
  > "$home/shell.log" 2>&1 & pids+=($!)
export WAYLAND_DISPLAY=tivgnome
for _ in $(seq 100); do name_owned org.gnome.Shell.Screenshot && break; sleep 0.1; done
name_owned org.gnome.Shell.Screenshot || fail "GNOME Shell did not start: $(tail -5 "$home/shell.log")"
dbus-update-activation-environment --all 2>/dev/null
# A backend (a GTK program) that connects to the shell early in the shell's start now and then
# waits forever for the shell's answer to its first Wayland round trip, never takes its bus name,
# and holds the portal's start and the test for minutes. Started here, one that has not taken its
# name in time is ended and started again. Their output stays in the home folder.
start_backend() {
  local log=$home/${2##*/}.log backend
  for _ in 1 2 3; do
    "$2" >> "$log" 2>&1 & backend=$!
    for _ in $(seq 60); do name_owned "$1" && { pids+=("$backend"); return 0; }; sleep 0.25; done
    echo "--- not on the bus in time, started again" >> "$log"
    kill "$backend" 2>/dev/null || true
  done
  fail "$1 did not start: $(tail -5 "$log")"
}
start_backend org.freedesktop.impl.portal.desktop.gnome /usr/libexec/xdg-desktop-portal-gnome
start_backend org.freedesktop.impl.portal.desktop.gtk /usr/libexec/xdg-desktop-portal-gtk
wait_for_portal

start_input_driver python3 "$here/desktop.py" input
keys() { input key "$@"; }
# The shell starts in the overview.
keys Escape
sleep 1

reference_shot() { python3 "$here/desktop.py" shot "$1" || fail "no reference picture"; }
# The see-through shadow laid over white, as the program lays it.
reference_window() { python3 "$here/desktop.py" window "$1.a.png" && convert "$1.a.png" -background white -flatten "$1" || fail "no reference picture"; }

# The screenshot permission of programs outside a sandbox, as GNOME's portal stores it.
permission_store() {
  gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
    --object-path /org/freedesktop/impl/portal/PermissionStore --method "org.freedesktop.impl.portal.PermissionStore.$1" "${@:2}"
}
allow_screenshots() { permission_store SetPermission screenshot true screenshot '' "['yes']" >/dev/null; }
