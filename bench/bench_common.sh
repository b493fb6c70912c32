# What the benchmark scripts share; sourced with $root set.
#   $build: the build tree (ZOLV_BUILD, or build/); $exe: its zolvsync.
#   need_build: stops with a word when that zolvsync is not built.
#   bench_start NAME: rsync at hand, a Wine session (stopped at exit), an empty $work
#   under the build tree.
build=${ZOLV_BUILD:-$root/build}
exe="$build/device/zolvsync/zolvsync.exe"
need_build() { [ -f "$exe" ] || { echo "build first: bash scripts/build.sh"; exit 1; }; }
bench_start() {
  command -v rsync >/dev/null || bash "$root/scripts/install-deps.sh"
  source "$root/scripts/wine-session.sh"
  wine_session_start "$build"
  trap wine_session_stop EXIT
  work="$build/$1"
  rm -rf "$work"
  mkdir -p "$work"
}
winpath() { echo "Z:${1//\//\\}"; }
now() { date +%s.%N; }
# seconds COMMAND...: runs the command quietly and prints the seconds it took.
seconds() { local t0 t1; t0=$(now); "$@" >/dev/null 2>&1 </dev/null || true; t1=$(now); echo "$t1 - $t0" | bc -l; }
# median: of the numbers on standard input, one a line.
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
