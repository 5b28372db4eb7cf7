#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit and GUI tests, then
# the fuzz targets for a fixed number of runs under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs="$(nproc)"

./scripts/build.sh dev
ctest --preset dev -j "$jobs"

./scripts/build.sh fuzz
ctest --preset fuzz -j "$jobs"
