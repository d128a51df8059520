#!/usr/bin/env bash
# Installs what is missing, builds and starts Quorvane. Arguments go to the program
# (for example: ./run.sh --data-dir ~/acme-workbook).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh >&2
exec ./"${BUILD_DIR:-build}"/bin/quorvane "$@"
