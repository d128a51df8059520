#!/usr/bin/env bash
# Checks the Debian package as a distribution would, and starts the program from it:
#     ./scripts/check-package.sh [quorvane_<version>_<arch>.deb]
# lintian must report no error (its warnings are listed), desktop-file-validate and
# appstreamcli validate nothing at all. Not part of ./test.sh: CI has none of these tools.
set -euo pipefail
cd "$(dirname "$0")/.."

deb="${1:-$(ls "${BUILD_DIR:-build}"/quorvane_*.deb 2>/dev/null | head -n 1)}"
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
    echo "No package found; build it first with ./scripts/package.sh" >&2
    exit 2
fi

missing=()
for p in lintian desktop-file-utils appstream; do
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

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root/install"
failed=0

echo "== lintian $deb"
# lintian refuses to run as root without this; it only reads the package.
if ! lintian --allow-root --fail-on error --display-info "$deb"; then
    echo "lintian: errors" >&2
    failed=1
fi

echo "== desktop-file-validate"
for f in "$root"/install/usr/share/applications/*.desktop; do
    out=$(desktop-file-validate "$f" 2>&1) || true
    if [ -n "$out" ]; then
        echo "$out"
        failed=1
    else
        echo "$(basename "$f"): clean"
    fi
done

echo "== appstreamcli validate"
# --no-net: the checker would otherwise try to reach the home page, which says nothing about the file.
for f in "$root"/install/usr/share/metainfo/*.metainfo.xml; do
    if ! appstreamcli validate --no-net --pedantic "$f"; then
        failed=1
    fi
done

echo "== the program from the package, offscreen"
program="$root/install/usr/bin/quorvane"
"$program" --version
if ! "$program" --show-folders --data-dir "$root/data"; then
    failed=1
fi
export QT_QPA_PLATFORM=offscreen
"$program" --data-dir "$root/data" &
pid=$!
sleep 5
if kill -0 "$pid" 2>/dev/null; then
    echo "started and running (process $pid)"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
else
    wait "$pid" || true
    echo "the program ended on its own at start" >&2
    failed=1
fi

if [ "$failed" -ne 0 ]; then
    echo "check-package: FAILED" >&2
    exit 1
fi
echo "check-package: all clean"
