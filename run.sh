#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Tavrel and the simulated recorder, starts the recorder on 127.0.0.1
# and the application connected to it. The application keeps its xr.cfg in
# run/ (ignored by git); add a real recorder there or with "Add XR...".
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build/app -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF

mkdir -p run
[ -s run/xr.cfg ] || printf '127.0.0.1\r\n' > run/xr.cfg

# --remote switches the application's remote control on, on loopback at port
# 9180; every other option given to run.sh goes to the simulated recorder and
# wins over the scenario file.
app_options=()
sim_options=()
for option in "$@"; do
    if [ "$option" = --remote ]; then
        app_options+=(--remote-port 9180)
    else
        sim_options+=("$option")
    fi
done

# A recorder with files, segments and disks, already playing.
build/app/sim/tavrel-sim --address 127.0.0.1 --port 32896 \
    --scenario sim/scenarios/demo.scn --transport play "${sim_options[@]}" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.3

cd run
../build/app/src/app/tavrel "${app_options[@]}"
