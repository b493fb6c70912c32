#!/usr/bin/env bash
# Runs the program's end-to-end tests in a Wine prefix of their own, so that its registry
# settings and set files never meet those of other tests.
#   run_app_e2e.sh DRIVER_EXE WORK_DIR
set -euo pipefail
driver=$1
work=$(mkdir -p "$2" && cd "$2" && pwd)
: "${DISPLAY:?needs a display: run through scripts/test.sh}"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
unset LC_ALL LC_CTYPE LC_MESSAGES
mkdir -p "$WINEPREFIX"
wineserver -k >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine wineboot >/dev/null 2>&1 </dev/null || true
# Japanese texts render as on a Japanese system (a font linked to the UI fonts).
source "$(dirname "$0")/../../scripts/wine-session.sh"
wine_link_japanese_font
# Without a window manager on the virtual display, Wine waits two seconds for every managed
# window it hides; unmanaged windows close at once.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
fi
wine "$driver"
