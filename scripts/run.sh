#!/usr/bin/env bash
# Installs what is missing, builds the programme and starts it. Arguments go to the programme.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh release
exec ./build/release/app/zyn "$@"
