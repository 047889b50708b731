#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# build.sh <build dir> [cmake options...] [-- targets...]: configures (once)
# and builds everything, or only the targets given after "--".
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    options+=("$1"); shift
done
[ $# -gt 0 ] && shift
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$here # lets clones in other folders share the cache
    export CCACHE_NOHASHDIR=1   # with -g, ccache would otherwise key every object on its build folder
fi
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${options[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
