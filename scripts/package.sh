#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/package/tavrel_<version>_<arch>.deb: a
# release build with Debian's hardening flags, installed and packed by CPack,
# whose dependencies dpkg-shlibdeps computes from the binaries. Install it
# with: sudo apt install ./build/package/tavrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev file
dir=build/package

# Debian's flags with every hardening feature; -fno-ident leaves out the
# compiler's note that strip would keep. They count only when the build
# folder is configured, the first time.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS) -fno-ident"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF
rm -f "$dir"/tavrel_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/tavrel_*.deb
