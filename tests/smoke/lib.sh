# Shared steps of the smoke tests: a copy of the program in a private home folder (its settings
# file lands beside the copy), started on the current X display. Without a window manager the
# main window keeps its design place at (31,19), 786x643; with one it starts maximised.
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

# The main window is the program's visible window other than the capture toolbar, the one 332
# pixels wide. A region capture re-creates its native window, so it is looked up each time.
main_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$app" --name TIVrevudu 2>/dev/null); do
    [ "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | sed -n 's/^WIDTH=//p')" != 332 ] && { echo "$w"; return; }
  done
  return 0
}

# Drags with the left button from one place on the screen to another in four steps.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  for i in 1 2 3 4; do xdotool mousemove $(($1 + ($3 - $1) * i / 4)) $(($2 + ($4 - $2) * i / 4)); sleep 0.1; done
  xdotool mouseup 1
}

# Sets X, Y, WIDTH and HEIGHT to where a window's own area is on the screen. xdotool's report of
# the place counts a window manager's frame twice.
geometry() {
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X:/ {print "X=" $NF} /Absolute upper-left Y:/ {print "Y=" $NF}
                                   /Width:/ {print "WIDTH=" $NF} /Height:/ {print "HEIGHT=" $NF}')"
}

# A settings [hotkey] section with Ctrl+Shift+F, W, C and A, and Ctrl+Shift+Q (not Esc) to leave.
ctrl_shift_hotkeys() {
  echo "[hotkey]"
  local i=1
  for key in F W C A Q; do printf 'hotkey%d_1=Ctrl\nhotkey%d_2=Shift\nhotkey%d_3=%s\n' $i $i $i $key; i=$((i + 1)); done
}

# Clicks at a place in the main window, counted from its top-left corner. After a capture the
# window comes back only once the picture is saved, so it is waited for.
click() {
  local w=""
  for _ in $(seq 50); do w=$(main_window); [ -n "$w" ] && break; sleep 0.1; done
  [ -n "$w" ] || { echo "the main window is not shown"; exit 1; }
  xdotool mousemove --window "$w" "$1" "$2" click 1; sleep "${3:-0.4}"
}

# Places of the controls in the main window; the maximised window has them there too.
EXIT_BUTTON="82 320"
CONTINUOUS_BUTTON="82 170"
REGION_BUTTON="82 200"
OTHER_BUTTON="82 230"
PATH_FIELD="519 94"
FORMAT_FIELD="259 94"

exit_program() {
  click $EXIT_BUTTON 0
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.1; done
  echo "the program did not exit"; exit 1
}

wait_for_file() {
  for _ in $(seq 150); do [ -f "$1" ] && return 0; sleep 0.1; done
  echo "no file $1"; exit 1
}
