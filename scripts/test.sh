#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine with a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLV_BUILD:-$root/build}
bash "$root/scripts/install-deps.sh"
ZOLV_BUILD=$build bash "$root/scripts/build.sh"
source "$root/scripts/wine-session.sh"
wine_session_start "$build"
trap wine_session_stop EXIT
ctest --test-dir "$build" --output-on-failure -j2
