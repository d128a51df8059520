#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test offscreen through CTest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="/tmp/quorvane-runtime-$(id -u)"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --parallel "$(nproc)" "$@"
