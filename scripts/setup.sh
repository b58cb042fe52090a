#!/usr/bin/env bash
# Installs everything the program, its tests and benchmarks need on Debian 12. Quick when all is present.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-private-dev qt6-webengine-dev libgl-dev qt6-translations-l10n
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libisal-dev
  libxcb1-dev libxcb-shm0-dev libxcb-xfixes0-dev libxcb-damage0-dev libxcb-xtest0-dev
  libwayland-dev libwayland-bin wayland-protocols
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool xclip x11-apps x11-utils openbox xfwm4 icewm dbus x11-xserver-utils
  imagemagick libjpeg-turbo-progs fonts-wqy-microhei
  desktop-file-utils appstream dpkg-dev lintian
  clang libclang-rt-14-dev
  python3
  # Text recognition: the engine linked in, its Chinese and English models, and the plain program
  # the benchmark compares with
  libtesseract-dev tesseract-ocr tesseract-ocr-chi-sim tesseract-ocr-eng
  # Wayland: the program's platform plugin, and the headless desktop its tests run on
  qt6-wayland sway swaybg foot grim wtype wl-clipboard xwayland pipewire
  xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk
  # The capture tool the region selector is timed beside (bench/run-capture.sh), and the
  # notification service it waits for between captures
  flameshot dunst
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
# The GNOME Shell and KDE Plasma test desktops, without the hundreds of packages their
# recommendations would add.
desktop_packages=(
  gnome-shell xdg-desktop-portal-gnome python3-gi
  kwin-wayland xdg-desktop-portal-kde qtwayland5 breeze kde-spectacle plasma-workspace
  qml-module-org-kde-kirigami2 qml-module-qtquick-layouts
)
desktop_missing=()
for p in "${desktop_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || desktop_missing+=("$p")
done
if ((${#missing[@]} + ${#desktop_missing[@]})); then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  ((${#missing[@]} == 0)) || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
  ((${#desktop_missing[@]} == 0)) \
    || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${desktop_missing[@]}"
fi
