#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop reads from it: the desktop
# entry and the AppStream file pass Debian's validators, the entry starts the installed program
# and names an icon that exists in every usual size.
# usage: validate_install.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
id=example.tivsoft.tivrevudu
entry=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
fail() { echo "$*"; exit 1; }

desktop-file-validate "$entry"
appstreamcli validate --no-net "$metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the AppStream file names another entry"

program=$(sed -n 's/^Exec=//p' "$entry")
[[ $program == "$prefix/bin/TIVrevudu" && -x $program ]] || fail "Exec= is not the installed program: $program"
# A start that only hands a command to the running copy loads none of the toolkit's libraries.
! readelf -d "$program" | grep -E 'NEEDED.*(Qt6|tesseract)' || fail "the program itself links the toolkit"

icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [[ -f $png && $(identify -format '%wx%h' "$png") == "${size}x${size}" ]] || fail "no ${size}x${size} icon $png"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$icon.svg
[[ $(identify -format '%wx%h' "$svg" 2>/dev/null) == 256x256 ]] || fail "the scalable icon $svg does not draw"

# The modules (the program proper, the web views, text recognition) are where the installed
# program looks for them.
for pair in tivprogram:tivRunProgram tivweb:tivNewWebView tivocr:tivNewTextRecognizer; do
  module=$(cd "$prefix" && find . -path "*/tivrevudu/${pair%:*}.so")
  [[ -n $module && $(dirname "$(dirname "$module")") == ./lib* ]] || fail "no module ${pair%:*} under lib/: $module"
  nm -D --defined-only "$prefix/$module" | grep -q "${pair#*:}" || fail "the module $module has no ${pair#*:}"
done

# Everything installed is one of the files above or the package's documentation.
unexpected=$(cd "$prefix" && find . -type f | grep -v -e '^./bin/TIVrevudu$' -e '^./share/icons/hicolor/' \
  -e "^./share/applications/$id.desktop\$" -e "^./share/metainfo/$id.metainfo.xml\$" -e '^./share/doc/tivrevudu/' -e '^./share/man/man1/TIVrevudu.1.gz$' -e '/tivrevudu/tiv\(program\|web\|ocr\).so$' || true)
[[ -z $unexpected ]] || fail "unexpected installed files: $unexpected"
echo "installed files are valid"
