#!/usr/bin/env bash
# Times zolvsync under Wine beside Wine's own xcopy and native rsync on the same trees:
#   (a) a run with nothing to do on 100,000 files,
#   (b) the first full copy of 10,000 files,
#   (c) a run after touching 1% of those 10,000;
# then the same engine in the real main window (list, status bar, throttled message pump):
#   (d) the run with nothing to do, (e) a full copy, each beside the console runner,
#   (f) how long a run takes to stop after an Abort click;
#   (g) a preview with nothing to do beside the run with nothing to do (window and console),
#   (h) what --max-delete's dry deletion pass costs a mirror run with nothing to do,
#   (i) how long a run takes to stop after an Abort click in the middle of the copy of a
#   4 GB (sparse) file, (j) how long zolvsync takes to stop after Ctrl+C in the middle of it;
#   (k) what writing each row through to standard output costs: a dry run listing a copy row
#   for each of the 10,000 files (output to a file) beside one that lists none.
# Usage: bash bench/sync_bench.sh [NOOP_FILES] [COPY_FILES]   (build first: scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
noop_files=${1:-100000}
copy_files=${2:-10000}
source "$root/bench/bench_common.sh"
need_build
gui="$build/bench/zolv_gui_bench.exe"
bench_start bench-trees
# Without a window manager on the virtual display, Wine waits two seconds for every managed
# window it hides (the result dialog): unmanaged windows close at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null

per() { echo "scale=1; $1 * 1000000 / $2" | bc -l; }
ratio() { echo "scale=2; $1 / $2" | bc -l; }
zolvsync() { wine "$exe" --force "$(winpath "$1")" "$(winpath "$2")"; }
xcopy_d() { wine xcopy /E /D /I /Y /Q "$(winpath "$1")" "$(winpath "$2")"; }
report() {  # name files zolvsync xcopy rsync
  printf '%-34s %8d files  zolvsync %7.2f s (%6s us/file)  xcopy %7.2f s (%6s us/file)  rsync %6.2f s (%5s us/file)\n' \
    "$1" "$2" "$3" "$(per "$3" "$2")" "$4" "$(per "$4" "$2")" "$5" "$(per "$5" "$2")"
  printf '%-34s zolvsync/rsync %5sx   xcopy/zolvsync %6sx\n' "" "$(ratio "$3" "$5")" "$(ratio "$4" "$3")"
}

echo "Building trees ($noop_files and $copy_files files)..."
python3 "$root/bench/make_tree.py" "$work/big-src" "$noop_files"
rsync -a "$work/big-src/" "$work/big-dst/"
python3 "$root/bench/make_tree.py" "$work/small-src" "$copy_files"

# (a) nothing to do
wine "$exe" --force "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")" >/dev/null 2>&1  # warm caches
a_z=$(seconds zolvsync "$work/big-src" "$work/big-dst")
a_x=$(seconds xcopy_d "$work/big-src" "$work/big-dst")
a_r=$(seconds rsync -a "$work/big-src/" "$work/big-dst/")

# (b) first full copy
mkdir -p "$work/copy-z"  # zolvsync would ask before creating it
b_z=$(seconds zolvsync "$work/small-src" "$work/copy-z")
b_x=$(seconds xcopy_d "$work/small-src" "$work/copy-x")
b_r=$(seconds rsync -a "$work/small-src/" "$work/copy-r/")

# (c) 1% touched
touch_count=$((copy_files / 100))
find "$work/small-src" -type f | sort | awk -v n="$touch_count" 'NR <= n' | xargs touch -d '+1 hour'
c_z=$(seconds zolvsync "$work/small-src" "$work/copy-z")
c_x=$(seconds xcopy_d "$work/small-src" "$work/copy-x")
c_r=$(seconds rsync -a "$work/small-src/" "$work/copy-r/")

# (d) to (f): the main window
gui_seconds() { wine "$gui" "$@" 2>/dev/null </dev/null | tr -d '\r' | tail -n1; }
d_g=$(gui_seconds "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")")
d_z=$(seconds zolvsync "$work/big-src" "$work/big-dst")
mkdir -p "$work/copy-g"
e_g=$(gui_seconds "$(winpath "$work/small-src")" "$(winpath "$work/copy-g")")
rm -rf "$work/copy-z2"; mkdir -p "$work/copy-z2"
e_z=$(seconds zolvsync "$work/small-src" "$work/copy-z2")
f_abort=$(gui_seconds "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")" --abort)
mkdir -p "$work/video-src" "$work/video-dst"
truncate -s 4G "$work/video-src/video.bin"
i_abort=$(gui_seconds "$(winpath "$work/video-src")" "$(winpath "$work/video-dst")" --abort)
# (j) Ctrl+C once the copy's temporary file has data, until the summary (the run's last word;
# the Wine process takes a while longer to go), polled every 5 ms.
wine "$exe" --force "$(winpath "$work/video-src")" "$(winpath "$work/video-dst")" \
  </dev/null >/dev/null 2>"$work/ctrl-c.err" &
pid=$!
for _ in $(seq 1 1000); do [ -s "$work/video-dst/video.bin.zolvtmp" ] && break; sleep 0.02; done
kill -INT "$pid"
t0=$(now)
for _ in $(seq 1 6000); do grep -qs "files copied" "$work/ctrl-c.err" && break; sleep 0.005; done
t1=$(now)
wait "$pid" || true
j_stop=$(echo "$t1 - $t0" | bc -l)

# (g) preview against run, nothing to do; (h) the mirror run with and without a deletion limit
g_g=$(gui_seconds "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")" --preview)
dry_run() { wine "$exe" --dry-run "$(winpath "$1")" "$(winpath "$2")"; }
g_z=$(seconds dry_run "$work/big-src" "$work/big-dst")
mirror() { wine "$exe" --force --delete "$@"; }
h_d=$(seconds mirror "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")")
h_m=$(seconds mirror --max-delete 1000 "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")")

# (k) rows: every file a copy row (into an empty folder) against none (into the full copy)
mkdir -p "$work/empty"
rows_to_file() { wine "$exe" --dry-run "$(winpath "$1")" "$(winpath "$2")" >"$work/rows.txt"; }
k_rows=$(seconds rows_to_file "$work/small-src" "$work/empty")
k_none=$(seconds rows_to_file "$work/small-src" "$work/copy-z")

echo
report "(a) nothing to do" "$noop_files" "$a_z" "$a_x" "$a_r"
report "(b) first full copy" "$copy_files" "$b_z" "$b_x" "$b_r"
report "(c) after touching 1%" "$copy_files" "$c_z" "$c_x" "$c_r"
printf '%-34s %8d files  window   %7.2f s (%6s us/file)  zolvsync %7.2f s   window/zolvsync %5sx\n' \
  "(d) window, nothing to do" "$noop_files" "$d_g" "$(per "$d_g" "$noop_files")" "$d_z" "$(ratio "$d_g" "$d_z")"
printf '%-34s %8d files  window   %7.2f s (%6s us/file)  zolvsync %7.2f s   window/zolvsync %5sx\n' \
  "(e) window, first full copy" "$copy_files" "$e_g" "$(per "$e_g" "$copy_files")" "$e_z" "$(ratio "$e_g" "$e_z")"
printf '%-34s %.3f s from the Abort click to the end of the run\n' "(f) window, abort" "$f_abort"
printf '%-34s %8d files  preview  %7.2f s (window; run (d) %.2f s, preview/run %5sx)  zolvsync --dry-run %.2f s (run (a) %.2f s, %sx)\n' \
  "(g) preview, nothing to do" "$noop_files" "$g_g" "$d_g" "$(ratio "$g_g" "$d_g")" "$g_z" "$a_z" "$(ratio "$g_z" "$a_z")"
printf '%-34s %8d files  --delete %7.2f s  with --max-delete %7.2f s   extra %5sx\n' \
  "(h) mirror, nothing to do" "$noop_files" "$h_d" "$h_m" "$(ratio "$h_m" "$h_d")"
printf '%-34s %8d rows   %7.2f s, without rows %7.2f s: %s us a row written through\n' \
  "(k) rows, --dry-run to a file" "$copy_files" "$k_rows" "$k_none" "$(per "$(echo "$k_rows - $k_none" | bc -l)" "$copy_files")"
echo
printf '%-34s %.3f s from the Abort click to the end of the run\n' "(i) window, abort mid-file" "$i_abort"
printf '%-34s %.3f s from Ctrl+C to the summary line\n' "(j) zolvsync, Ctrl+C mid-file" "$j_stop"
echo
echo "Targets: (a) zolvsync/rsync <= 3 and xcopy/zolvsync >= 10; (b) xcopy/zolvsync >= 1;"
echo "         (d), (e) window/zolvsync <= 1.5; (f), (i), (j) under 0.1 s; (g) preview/run <= 1."
echo "Console times include starting the Wine process (a persistent wineserver is running);"
echo "window times are the run alone, measured inside the program."
rm -rf "$work"
