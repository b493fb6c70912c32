#!/usr/bin/env bash
# Sets up, builds and starts Zolv under Wine. On a desktop (DISPLAY set) the program opens
# there for you to use. Without a display it plays a short demonstration on a virtual one:
# a set with a small demo tree, a Forward run, and a screenshot of the window saved as PNG.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLV_BUILD:-$root/build}
bash "$root/scripts/install-deps.sh"
ZOLV_BUILD=$build bash "$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-session.sh"
exe="$build/device/app/Zolv.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  ZOLV_KEEP_DISPLAY=1 wine_session_start "$build"
  trap wine_session_stop EXIT
  echo "Zolv is running on $DISPLAY; close its window (or press Ctrl+Q) to end."
  wine "$exe" >/dev/null 2>&1
  exit 0
fi

wine_session_start "$build"
trap wine_session_stop EXIT
winpath() { echo "Z:${1//\//\\}"; }

demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo/source/docs" "$demo/source/photos/2026" "$demo/destination"
echo "meeting notes" >"$demo/source/docs/notes.txt"
echo "shopping list" >"$demo/source/list.txt"
echo "raw picture" >"$demo/source/photos/2026/beach.raw"
echo "compiled" >"$demo/source/docs/build.obj"
echo "left over" >"$demo/destination/stale.txt"
printf '[Demo]\r\nSRC="%s"\r\nDST="%s"\r\nDELETE=Y\r\nDOSTIME=N\r\nFORCE=Y\r\nEXCLUDEOBJ=Y\r\n\r\n' \
  "$(winpath "$demo/source")" "$(winpath "$demo/destination")" >"$demo/demo.ini"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Quenbrook\Zolv' /v 'Ini file' /d "$(winpath "$demo/demo.ini")" /f >/dev/null 2>&1

wine "$exe" >/dev/null 2>&1 &
zolv_pid=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Zolv$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "Zolv did not open its window"; exit 1; }
sleep 1
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus "$window" >/dev/null 2>&1 || true
xdotool key --window "$window" ctrl+f  # Forward
for _ in $(seq 1 100); do
  xdotool search --name '^Result of fodler sync$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
shot="$build/zolv-demo.png"
import -window root "$shot"
xdotool key Return ctrl+q
wait "$zolv_pid" || true
echo "== The demo set ran Forward: the destination now holds"
(cd "$demo/destination" && find . -type f | sort)
echo "== A screenshot of the window is at $shot"
