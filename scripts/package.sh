#!/usr/bin/env bash
# Builds the program and its Debian package in one command:
#     ./scripts/package.sh [cmake options]
# and leaves quorvane_<version>_<arch>.deb in the build folder (BUILD_DIR, build by default).
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-shlibdeps (dpkg-dev) names the libraries' packages; CPack finds the programs with file(1).
missing=()
for p in dpkg-dev file; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

./scripts/setup.sh "$@"
build_dir="${BUILD_DIR:-build}"
rm -f "$build_dir"/quorvane_*.deb
(cd "$build_dir" && cpack -G DEB)
deb=$(ls "$build_dir"/quorvane_*.deb)
echo "Package: $deb"
echo "Install it with: sudo apt-get install ./$deb"
