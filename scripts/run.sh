#!/usr/bin/env bash
# Sets up, builds and runs the program's main job: the console runner on a small demo tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLV_BUILD:-$root/build}
bash "$root/scripts/install-deps.sh"
ZOLV_BUILD=$build bash "$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-session.sh"
wine_session_start "$build"
trap wine_session_stop EXIT

demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo/source/docs" "$demo/source/photos/2026" "$demo/destination"
echo "meeting notes" >"$demo/source/docs/notes.txt"
echo "shopping list" >"$demo/source/list.txt"
echo "raw picture" >"$demo/source/photos/2026/beach.raw"
echo "compiled" >"$demo/source/docs/build.obj"
echo "left over" >"$demo/destination/stale.txt"

exe="$build/device/zolvsync/zolvsync.exe"
echo "== First run: copy everything, mirror-delete without asking, skip .obj files"
wine "$exe" --delete --force --exclude-obj "Z:${demo//\//\\}\\source" "Z:${demo//\//\\}\\destination"
echo "== Second run: nothing is newer, so nothing is copied"
wine "$exe" --delete --force --exclude-obj "Z:${demo//\//\\}\\source" "Z:${demo//\//\\}\\destination"
echo "== Destination now holds:"
(cd "$demo/destination" && find . -type f | sort)
