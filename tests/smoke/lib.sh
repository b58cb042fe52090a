# Shared steps of the smoke tests: a copy of the program in a private home folder (its settings
# file lands beside the copy), started on the current X display without a window manager, where
# the main window keeps its design place at (31,19), 786x643.
set -euo pipefail
work=$(mktemp -d)
export HOME=$work
# Pages the program opens at exit stay on this machine, where nothing answers on the discard port.
export TIVREVUDU_SERVER=http://127.0.0.1:9/
mkdir -p "$work/bin"
cp "$1" "$work/bin/TIVrevudu"
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

start_program() {
  "$work/bin/TIVrevudu" 2>>"$work/program.log" & app=$!
  pids+=("$app")
  win=""
  for _ in $(seq 150); do
    win=$(xdotool search --onlyvisible --pid "$app" --name TIVrevudu 2>/dev/null | head -1) || true
    [ -n "$win" ] && break
    sleep 0.2
  done
  [ -n "$win" ] || { echo "the main window did not appear"; cat "$work/program.log"; exit 1; }
  sleep 0.8
}

click() { xdotool mousemove "$1" "$2" click 1; sleep "${3:-0.4}"; }

# Screen positions of the controls in the window at its design place.
EXIT_BUTTON="113 339"
CONTINUOUS_BUTTON="113 189"
REGION_BUTTON="113 219"
OTHER_BUTTON="113 249"
PATH_FIELD="550 113"
FORMAT_FIELD="290 113"

exit_program() {
  click $EXIT_BUTTON 0
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.1; done
  echo "the program did not exit"; exit 1
}

wait_for_file() {
  for _ in $(seq 150); do [ -f "$1" ] && return 0; sleep 0.1; done
  echo "no file $1"; exit 1
}
