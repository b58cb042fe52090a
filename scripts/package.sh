#!/usr/bin/env bash
# Builds the Debian package of the program (build-package/tivrevudu_*.deb) in a release tree of its
# own, then checks it with lintian. Install it with: sudo apt-get install ./build-package/tivrevudu_*.deb
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
cd "$here/.."
dir=build-package
# Debian's hardening flags (fortified functions, stack protector, read-only relocations).
if [[ ! -f $dir/build.ninja ]]; then
  CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIV_BUILD_TESTS=OFF
fi
cmake --build "$dir" -j "$(nproc)" --target TIVrevudu tiv_package_docs
rm -f "$dir"/tivrevudu_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/tivrevudu_*.deb)
echo "package: $deb ($(du -k "$deb" | cut -f1) kB)"
dpkg-deb --field "$deb" Depends Recommends
lintian --fail-on error "$deb"
