#!/usr/bin/env bash
# Regenerates every skin picture and the program's icon (resources/skin/, resources/icons/) with the
# generator in resources/generator/, drawn in the CJK font that set-up installs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${TIV_GENERATOR_BUILD:-$here/../build-generator}
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
[[ -f $build/build.ninja ]] || cmake -S "$here/generator" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build"
QT_QPA_PLATFORM=offscreen "$build/skin_generator" "$here" "$font"
