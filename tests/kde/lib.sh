# A headless KDE Plasma 5.27 desktop (KWin) with its portal, on a private session bus (see
# ../gnome/session.sh).
services=(org.freedesktop.portal.Desktop org.freedesktop.impl.portal.PermissionStore
          org.freedesktop.impl.portal.desktop.kde)
portals=(kde)
source "$(dirname "${BASH_SOURCE[0]}")/../gnome/session.sh"
here=$(dirname "${BASH_SOURCE[0]}")

export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true
# The portal opens the desktop's shortcut settings through xdg-open; this one only counts.
mkdir -p "$home/fakebin"
printf '#!/bin/sh\necho "$@" >> %s/xdg-open.log\n' "$home" > "$home/fakebin/xdg-open"
chmod +x "$home/fakebin/xdg-open"
export PATH=$home/fakebin:$PATH
# The program's installed desktop entry, which asks KWin for the active window's pixels.
mkdir -p "$home/.local/share/applications"
sed "s|@BINDIR@/TIVrevudu|$prog|" "$here/../../resources/desktop/example.tivsoft.tivrevudu.desktop.in" \
  > "$home/.local/share/applications/example.tivsoft.tivrevudu.desktop"
# The packaged compositor carries a file capability that exec refuses where the capability
# bounding set lacks it; a plain copy runs.
cp /usr/bin/kwin_wayland "$home/bin/kwin_wayland"
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES='kwin_scripting.debug=true' \
  "$home/bin/kwin_wayland" --virtual --width 1024 --height 768 --no-lockscreen --socket tivkde \
  > "$home/kwin.log" 2>&1 & pids+=($!)
export WAYLAND_DISPLAY=tivkde
for _ in $(seq 100); do name_owned org.kde.KWin && [ -S "$XDG_RUNTIME_DIR/tivkde" ] && break; sleep 0.1; done
name_owned org.kde.KWin || fail "KWin did not start: $(tail -5 "$home/kwin.log")"
dbus-update-activation-environment --all 2>/dev/null
# KWin draws no wallpaper.
swaybg -i "$home/desktop.png" -m fill > "$home/swaybg.log" 2>&1 & pids+=($!)
wait_for_portal

start_input_driver python3 "$here/fake_input.py"
# Out of the pictures' way: KDE's portal draws the pointer into its pictures.
input move 1023 767

reference_shot() { spectacle -b -n -p -f -o "$1" >/dev/null 2>&1 || fail "no reference picture"; }
# The active window as KDE's own tool takes it (-e without its frame), see-through parts laid
# over white as the program lays them.
reference_window() {
  spectacle -b -n -a "${@:2}" -o "$1.alpha.png" >/dev/null 2>&1 || fail "no reference picture"
  convert "$1.alpha.png" -background white -flatten "$1"
}

# What KWin's scripting says of the program's window `w`, e.g. `program_window 'w.fullScreen'`.
program_window() {
  local script=$home/ask$RANDOM.js mark=TIV$RANDOM
  echo "var w = workspace.clientList().filter(function (c) { return String(c.resourceClass).toLowerCase().indexOf('tivrevudu') >= 0; })[0];
print('$mark ' + ($1));" > "$script"
  gdbus call --session --dest org.kde.KWin --object-path /Scripting --method org.kde.kwin.Scripting.loadScript "$script" "$(basename "$script")" >/dev/null
  gdbus call --session --dest org.kde.KWin --object-path /Scripting --method org.kde.kwin.Scripting.start >/dev/null
  for _ in $(seq 20); do grep -q "$mark" "$home/kwin.log" && break; sleep 0.1; done
  grep "$mark" "$home/kwin.log" | tail -1 | sed "s/.*$mark //; s/\"//g"
}
wait_for_frozen_desktop() {
  for _ in $(seq 60); do [ "$(program_window 'w.fullScreen')" = true ] && { sleep 0.5; return 0; }; sleep 0.5; done
  fail "the frozen desktop did not come"
}

