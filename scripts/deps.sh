#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, only those that are missing.
# With --tests first, also the tools the package checks of the tests run
# (they skip themselves where a tool is missing). Further arguments are more
# packages. Runs apt-get as root, or through sudo for an ordinary user.
set -euo pipefail

packages=(cmake g++ ninja-build pkg-config ccache qt6-base-dev qt6-serialport-dev qt6-svg-dev
          qt6-websockets-dev liblo-dev fonts-dejavu-core)
if [ "${1:-}" = --tests ]; then
    shift
    packages+=(desktop-file-utils appstream lintian dpkg-dev file man-db)
fi
packages+=("$@")
missing=()
for pkg in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
