#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# fuzz.sh [seconds] [target...]: builds the fuzz targets with clang's
# libFuzzer (ASan and UBSan on) in build/fuzz and runs each target for the
# given time (default 60 s), starting from its seed corpus in fuzz/<target>/corpus
# and its dictionary. Prints executions, coverage and findings per target and
# exits non-zero when any target found something; each finding's input is kept
# under fuzz/findings/. FUZZ_JOBS (default 1) targets run side by side.
# New inputs that add coverage stay in build/fuzz/corpus/<target>; add one to
# the seed corpus only with the fix it proves.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/deps.sh clang-14 libclang-rt-14-dev

build=build/fuzz
# The image generator runs during the build, under the sanitizers too.
CXX=clang++-14 ASAN_OPTIONS=detect_leaks=0 \
    scripts/build.sh "$build" -DTAVREL_FUZZ=ON -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF \
    -- fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for dir in fuzz/*/corpus; do
        targets+=("$(basename "$(dirname "$dir")")")
    done
fi

mkdir -p fuzz/findings "$build/logs"
export QT_QPA_PLATFORM=offscreen
# The leak check at a fuzzer's exit skips what the toolkit's libraries keep to
# the end of the process, as the corpus replays of the test suite do.
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp

run_target() {
    local name=$1
    local work="$build/corpus/$name"
    local dict=()
    mkdir -p "$work"
    [ -f "fuzz/$name/$name.dict" ] && dict=(-dict="fuzz/$name/$name.dict")
    "$build/fuzz/fuzz_$name" "$work" "fuzz/$name/corpus" "${dict[@]}" \
        -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="fuzz/findings/$name-" >"$build/logs/$name.log" 2>&1 || true
}

report_target() {
    local name=$1 log="$build/logs/$1.log"
    local runs cov ft found
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    found=$(find fuzz/findings -maxdepth 1 -name "$name-*" -newer "$build/logs/started" | wc -l)
    printf '%-14s executions %12s   cov %6s   ft %7s   findings %s\n' \
        "$name" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$found"
    [ "$found" -eq 0 ]
}

touch "$build/logs/started"
jobs_max=${FUZZ_JOBS:-1}
for name in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do
        wait -n || true
    done
    run_target "$name" &
done
wait

status=0
for name in "${targets[@]}"; do
    report_target "$name" || status=1
done
[ $status -eq 0 ] || echo "findings kept in fuzz/findings/ (logs in $build/logs/)"
exit $status
