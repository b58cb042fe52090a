#!/usr/bin/env bash
# Region captures on a desktop of two monitors side by side (run by desktop.sh). The desktop
# picture encodes each pixel's place, so a saved region shows exactly where it came from: a drag
# on the right monitor and one across the border must save the pixels that lay under them.
gradient=$2
source "$(dirname "$0")/lib.sh"
printf '[default]\nPicFormat=1\n' > "$work/bin/defualt.ini"

"$gradient" "$work/desk.ppm"
start_program

region() {
  local x0=$1 y0=$2 x1=$3 y1=$4 n=$5
  win=$(xdotool search --onlyvisible --pid "$app" --name TIVrevudu | head -1)
  xdotool mousemove --window "$win" 82 200 click 1
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --pid "$app" --name TIVrevudu | head -1)")"
  echo "frozen desktop at $X,$Y size ${WIDTH}x$HEIGHT"
  xdotool mousemove "$x0" "$y0" mousedown 1
  for step in 1 2 3 4; do xdotool mousemove $((x0 + (x1 - x0) * step / 4)) $((y0 + (y1 - y0) * step / 4)); sleep 0.1; done
  xdotool mouseup 1
  local saved=$HOME/TIVSoft/ZevazoRUV/IMG/$n.bmp
  wait_for_file "$saved"
  sleep 0.5
  convert "$work/desk.ppm" -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$work/expected.png"
  local size differ
  size=$(identify -format '%wx%h' "$saved")
  differ=$(compare -metric AE "$saved" "$work/expected.png" null: 2>&1 || true)
  echo "drag $x0,$y0 to $x1,$y1 saved $size, $differ pixels differ"
  [ "$size" = "$((x1 - x0))x$((y1 - y0))" ] && [ "$differ" = 0 ] ||
    { convert "$saved" -format 'saved picture starts with %[pixel:p{0,0}]\n' info:; exit 1; }
}

region 2300 300 2700 600 1
region 1700 500 2100 700 2
exit_program
echo "both regions hold exactly the pixels under the drag"
