# Sourced: starts one Wine session (with a virtual display) for a build tree, and stops it.
#   wine_session_start BUILD_DIR   exports WINEPREFIX, WINEDEBUG, DISPLAY (a virtual screen of
#                                  ZOLV_SCREEN pixels, 1024x768 when unset)
#   wine_session_stop
#   wine_link_japanese_font        for a prefix whose session is running
# Wine's background services must not inherit the caller's pipes, or every later
# process waits for them: all their output goes to /dev/null.

wine_session_start() {
  local build
  build=$(realpath -m "$1")  # ctest runs each test in its own folder: the prefix must not be relative
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  if [ -z "${ZOLV_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${ZOLV_SCREEN:-1024x768}x24" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    ZOLV_XVFB_PID=$!
    for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
  fi
  wineserver -k >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 </dev/null
  wine wineboot >/dev/null 2>&1 </dev/null || true
  wine_link_japanese_font
}

# A stock prefix on an English system links no Japanese font to the system fonts, so menus,
# list headers, tool tips, message boxes and Tahoma dialogs show Japanese as empty boxes.
# Links the distribution's VL Gothic (scripts/install-deps.sh) as a Japanese system does
# with its own UI font: the UI faces fall back to it (FontLink\SystemLink) and the
# Japanese UI faces' names stand for it (Replacements). Once per prefix: one regedit run.
# The main window's edits and set list ask in English for a font of no face in the ANSI
# character set, which Wine draws in DejaVu Sans (the first face it finds where Arial,
# Liberation Sans and Bitstream Vera Sans are missing); an edit lays its text out by script,
# and takes the characters DejaVu Sans lacks (kanji and kana) from SimSun, which VL Gothic
# stands for too. A link from DejaVu Sans would not do: edits ignore it, and Wine would then
# take DejaVu Sans for Japanese fonts of no face as well.
wine_link_japanese_font() {
  local face="VL PGothic" file="VL-PGothic-Regular.ttf"
  grep -qs "\"MS UI Gothic\"=\"$face\"" "$WINEPREFIX/user.reg" &&
    grep -qs "\"SimSun\"=\"$face\"" "$WINEPREFIX/user.reg" && return 0
  # REG_MULTI_SZ of one "file,face" string: in a .reg file read as ANSI, the string's bytes
  # and two NULs.
  local link
  link=$(printf '%s,%s' "$file" "$face" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//')",00,00"
  local reg ui
  reg=$(mktemp --suffix=.reg)
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    for ui in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS Sans Serif" "Segoe UI" \
              "Lucida Sans Unicode" "Arial"; do
      printf '"%s"=hex(7):%s\r\n' "$ui" "$link"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for ui in "MS UI Gothic" "MS PGothic" "MS Gothic" "MS Mincho" "MS PMincho" "SimSun"; do
      printf '"%s"="%s"\r\n' "$ui" "$face"
    done
  } >"$reg"
  wine regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1 </dev/null || true
  rm -f "$reg"
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${ZOLV_XVFB_PID:-}" ]; then
    kill "$ZOLV_XVFB_PID" >/dev/null 2>&1 || true
    wait "$ZOLV_XVFB_PID" 2>/dev/null || true
    ZOLV_XVFB_PID=
  fi
}
