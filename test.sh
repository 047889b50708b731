#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test: once as a plain build with warnings as errors,
# once with AddressSanitizer and UndefinedBehaviorSanitizer. The test programs
# keep to loopback addresses of their own, so CTest runs them side by side.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh --tests
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build/test -DTAVREL_WERROR=ON -DTAVREL_SANITIZE=OFF
ctest --test-dir build/test --output-on-failure --timeout 600 --parallel "$(nproc)"

scripts/build.sh build/sanitize -DTAVREL_WERROR=ON -DTAVREL_SANITIZE=ON -DTAVREL_BUILD_BENCH=OFF
ctest --test-dir build/sanitize --output-on-failure --timeout 900 --parallel "$(nproc)"
