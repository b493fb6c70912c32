#!/usr/bin/env bash
# Runs a command on a virtual display of its own, 240 × 320 pixels: a handheld's screen
# (ZOLV_SCREEN=320x240 for one turned).
#   run_small_screen.sh COMMAND [ARGUMENTS...]
set -euo pipefail
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${ZOLV_SCREEN:-240x320}x24" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" >/dev/null 2>&1 || true; rm -f "$fdfile"' EXIT
for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
[ -s "$fdfile" ] || { echo "run_small_screen: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n1 "$fdfile")" "$@"
