# The outer half of the Wayland desktop tests: a copy of the program in a work folder, a user of
# its own when started by root (the compositors refuse root), and the test run again as that user
# on a private session bus that starts only the services linked in (in TIV_BUS_SERVICES). Sourced
# by a desktop's lib.sh after it set: services, portals (what its desktop portal needs);
# session_work (mktemp template), session_user (name start), session_inner (the variable that is
# 1 on the bus), session_seconds, session_env (array of VAR=value); session_finish_more may follow
# the user's removal.
if [ -z "${!session_inner:-}" ]; then
  work=$(mktemp -d "$session_work")
  chmod 755 "$work"
  mkdir -p "$work/home/bin" "$work/run" "$work/services" "$work/portals"
  cp "$1" "$work/home/bin/TIVrevudu"
  runner=(env)
  if [ "$(id -u)" -eq 0 ]; then
    user=$session_user$$
    useradd -M -d "$work/home" -s /usr/sbin/nologin "$user"
    chown -R "$user:" "$work/home" "$work/run"
    uid=$(id -u "$user")
    runner=(setpriv --reuid="$uid" --regid="$(id -g "$user")" --clear-groups env)
  fi
  chmod 700 "$work/run"
  for name in "${services[@]}"; do ln -s "/usr/share/dbus-1/services/$name.service" "$work/services/"; done
  # Only the desktop's own portal backends: the portal otherwise falls back to any installed one.
  for name in "${portals[@]}"; do ln -s "/usr/share/xdg-desktop-portal/portals/$name.portal" "$work/portals/"; done
  [ -z "${uid:-}" ] || chown "$user:" "$work/services"
  sed "s|<standard_session_servicedirs */>|<servicedir>$work/services</servicedir>|" /usr/share/dbus-1/session.conf > "$work/bus.conf"
  finish() {
    if [ -n "${uid:-}" ]; then
      # userdel refuses a user whose processes have not yet ended.
      for _ in 1 2 3 4 5; do
        for pid in $(ps -o pid= -u "$uid"); do kill -KILL "$pid" 2>/dev/null || true; done
        userdel "$user" 2>/dev/null && break
        sleep 0.5
      done
    fi
    if declare -F session_finish_more >/dev/null; then session_finish_more; fi
    rm -rf "$work"
  }
  trap finish EXIT
  rc=0
  "${runner[@]}" -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" "$session_inner=1" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
    TIVREVUDU_SERVER=http://127.0.0.1:9/ LANG=C.UTF-8 TIV_BUS_SERVICES="$work/services" XDG_DESKTOP_PORTAL_DIR="$work/portals" "${session_env[@]}" \
    timeout "$session_seconds" dbus-run-session --config-file="$work/bus.conf" -- bash "$0" "$work/home/bin/TIVrevudu" "${@:2}" 2>"$work/session.log" || rc=$?
  [ "$rc" -eq 0 ] || { echo "--- session log"; tail -40 "$work/session.log"; }
  exit $rc
fi
