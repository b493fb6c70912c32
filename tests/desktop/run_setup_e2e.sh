#!/usr/bin/env bash
# Runs the launcher's end-to-end tests in a Wine prefix of their own: every case with an
# English system, then the language cases again with a Japanese one.
#   run_setup_e2e.sh DRIVER_EXE WORK_DIR
set -euo pipefail
driver=$1
work=$(cd "$2" && pwd)
: "${DISPLAY:?needs a display: run through scripts/test.sh}"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset LC_ALL LC_CTYPE LC_MESSAGES

# Wine takes the system's default language from the Unix locale; compile a Japanese one into
# the build tree when it is not there yet.
locales="$work/locale"
if [ ! -f "$locales/ja_JP.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$locales"
  localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" >/dev/null 2>&1 || true
fi

mkdir -p "$WINEPREFIX"
wineserver -k >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
LANG=C.UTF-8 wine wineboot >/dev/null 2>&1 </dev/null || true
# Japanese texts render as on a Japanese system (a font linked to the UI fonts).
source "$(dirname "$0")/../../scripts/wine-session.sh"
wine_link_japanese_font
# Without a window manager on the virtual display, Wine waits two seconds for every managed
# window it hides; unmanaged windows close at once.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
fi

status=0
LANG=C.UTF-8 ZOLV_EXPECT_SYSTEM_LANGUAGE=en wine "$driver" || status=1
LOCPATH="$locales" LANG=ja_JP.UTF-8 ZOLV_EXPECT_SYSTEM_LANGUAGE=ja wine "$driver" --gtest_filter='Language.*' || status=1
exit $status
