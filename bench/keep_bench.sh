#!/usr/bin/env bash
# What Keep costs, measured alternately with and without it, ROUNDS rounds each (medians):
#   (a) a mirror run with nothing to do on NOOP_FILES files,
#   (b) a full replace of REPLACE_FILES files (every destination file older than its source),
#       where Keep moves each old file into the run folder;
#   (c) with BEFORE_EXE (an older build of zolvsync), the full replace with Keep by that build
#       and by this one, alternately: what a change to Keep costs.
# Usage: bash bench/keep_bench.sh [NOOP_FILES] [REPLACE_FILES] [ROUNDS] [BEFORE_EXE]   (build first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
noop_files=${1:-100000}
replace_files=${2:-10000}
rounds=${3:-5}
before_exe=${4:-}
source "$root/bench/bench_common.sh"
need_build
bench_start bench-keep
run() { wine "$exe" --force --delete "$@"; }
run_before() { wine "$before_exe" --force --delete "$@"; }
# A fresh copy of the small tree, every file older than its source.
stale_copy() {
  rm -rf "$work/$1"
  rsync -a "$work/small-src/" "$work/$1/"
  find "$work/$1" -type f -exec touch -d 2000-01-01 {} +
}

echo "Building trees ($noop_files and $replace_files files)..."
python3 "$root/bench/make_tree.py" "$work/big-src" "$noop_files"
rsync -a "$work/big-src/" "$work/big-dst/"
python3 "$root/bench/make_tree.py" "$work/small-src" "$replace_files"
run "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")" >/dev/null 2>&1  # warm caches

plain_a=() keep_a=() plain_b=() keep_b=() before_c=()
for round in $(seq 1 "$rounds"); do
  plain_a+=("$(seconds run "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")")")
  keep_a+=("$(seconds run --keep "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")")")
  # Every tree is made afresh just before its run, so that none meets a warmer disk cache.
  stale_copy replace-plain
  plain_b+=("$(seconds run "$(winpath "$work/small-src")" "$(winpath "$work/replace-plain")")")
  if [ -n "$before_exe" ]; then
    stale_copy replace-before
    before_c+=("$(seconds run_before --keep "$(winpath "$work/small-src")" "$(winpath "$work/replace-before")")")
  fi
  stale_copy replace-keep
  keep_b+=("$(seconds run --keep "$(winpath "$work/small-src")" "$(winpath "$work/replace-keep")")")
done
[ -n "$(ls -A "$work/replace-keep/.zolvkept")" ] || { echo "Keep kept nothing: the figures are void"; exit 1; }
pa=$(printf '%s\n' "${plain_a[@]}" | median) ka=$(printf '%s\n' "${keep_a[@]}" | median)
pb=$(printf '%s\n' "${plain_b[@]}" | median) kb=$(printf '%s\n' "${keep_b[@]}" | median)
printf '(a) nothing to do, %d files:  without Keep %.3f s, with Keep %.3f s  (%+.1f%%)\n' \
  "$noop_files" "$pa" "$ka" "$(echo "($ka - $pa) * 100 / $pa" | bc -l)"
printf '(b) full replace, %d files:   without Keep %.3f s, with Keep %.3f s  (%+.1f%%)\n' \
  "$replace_files" "$pb" "$kb" "$(echo "($kb - $pb) * 100 / $pb" | bc -l)"
echo "rounds: a ${plain_a[*]} / ${keep_a[*]}; b ${plain_b[*]} / ${keep_b[*]}"
if [ -n "$before_exe" ]; then
  bc_=$(printf '%s\n' "${before_c[@]}" | median)
  printf '(c) full replace with Keep, %d files: before %.3f s, after %.3f s  (%+.1f%%)\n' \
    "$replace_files" "$bc_" "$kb" "$(echo "($kb - $bc_) * 100 / $bc_" | bc -l)"
  echo "rounds: c ${before_c[*]}"
fi
