#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the installed program through its desktop
# entry (as a desktop menu does), captures with Ctrl+F and finds the picture; the settings land in
# the user's configuration folder, never beside the installed program.
# usage: installed_program.sh PROGRAM BUILD_DIR
source "$(dirname "$0")/lib.sh"
prefix=$work/prefix
cmake --install "$2" --prefix "$prefix" >/dev/null
export XDG_DATA_DIRS=$prefix/share:/usr/share XDG_CONFIG_HOME=$work/config

gtk-launch example.tivsoft.tivrevudu 2>>"$work/program.log"
win=""
for _ in $(seq 150); do
  win=$(xdotool search --onlyvisible --name TIVrevudu 2>/dev/null | head -1) || true
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || { echo "the installed program did not appear"; cat "$work/program.log"; exit 1; }
app=$(xdotool getwindowpid "$win")
pids+=("$app")
[[ $(readlink "/proc/$app/exe") == "$prefix/bin/TIVrevudu" ]] || { echo "another program started"; exit 1; }
sleep 0.8

xdotool windowfocus --sync "$win" keydown ctrl key f keyup ctrl
wait_for_file "$HOME/TIVSoft/ZevazoRUV/IMG/1.jpg"
exit_program
[[ -f $XDG_CONFIG_HOME/TIVrevudu/defualt.ini ]] || { echo "no settings file in the configuration folder"; exit 1; }
[[ ! -e $prefix/bin/defualt.ini ]] || { echo "settings written beside the installed program"; exit 1; }
echo "installed program captured and saved"
