# Sourced: starts one Wine session (with a virtual display) for a build tree, and stops it.
#   wine_session_start BUILD_DIR   exports WINEPREFIX, WINEDEBUG, DISPLAY
#   wine_session_stop
# Wine's background services must not inherit the caller's pipes, or every later
# process waits for them: all their output goes to /dev/null.

wine_session_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  if [ -z "${ZOLV_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    ZOLV_XVFB_PID=$!
    for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
  fi
  wineserver -k >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 </dev/null
  wine wineboot >/dev/null 2>&1 </dev/null || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${ZOLV_XVFB_PID:-}" ]; then
    kill "$ZOLV_XVFB_PID" >/dev/null 2>&1 || true
    wait "$ZOLV_XVFB_PID" 2>/dev/null || true
    ZOLV_XVFB_PID=
  fi
}
