#!/usr/bin/env bash
# Two builds of zolvsync side by side, measured alternately, ROUNDS rounds each (medians):
#   (a) a mirror run with nothing to do on NOOP_FILES files,
#   (b) the first full copy of COPY_FILES files.
# Usage: bash bench/compare_bench.sh BEFORE_EXE AFTER_EXE [NOOP_FILES] [COPY_FILES] [ROUNDS]
# (build the older tree first, e.g. in a worktree of the older commit: cmake --build B --target zolvsync)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
before=$1 after=$2
noop_files=${3:-100000}
copy_files=${4:-10000}
rounds=${5:-5}
source "$root/bench/bench_common.sh"
for program in "$before" "$after"; do [ -f "$program" ] || { echo "no such program: $program"; exit 1; }; done
bench_start bench-compare

echo "Building trees ($noop_files and $copy_files files)..."
python3 "$root/bench/make_tree.py" "$work/big-src" "$noop_files"
rsync -a "$work/big-src/" "$work/big-dst/"
python3 "$root/bench/make_tree.py" "$work/small-src" "$copy_files"
wine "$after" --force --delete "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")" >/dev/null 2>&1  # warm caches

old_a=() new_a=() old_b=() new_b=()
for round in $(seq 1 "$rounds"); do
  old_a+=("$(seconds wine "$before" --force --delete "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")")")
  new_a+=("$(seconds wine "$after" --force --delete "$(winpath "$work/big-src")" "$(winpath "$work/big-dst")")")
  rm -rf "$work/copy-old" "$work/copy-new"
  mkdir "$work/copy-old" "$work/copy-new"
  old_b+=("$(seconds wine "$before" --force "$(winpath "$work/small-src")" "$(winpath "$work/copy-old")")")
  new_b+=("$(seconds wine "$after" --force "$(winpath "$work/small-src")" "$(winpath "$work/copy-new")")")
done
[ "$(find "$work/copy-new" -type f | wc -l)" -eq "$copy_files" ] || { echo "the full copy copied too little: void"; exit 1; }
oa=$(printf '%s\n' "${old_a[@]}" | median) na=$(printf '%s\n' "${new_a[@]}" | median)
ob=$(printf '%s\n' "${old_b[@]}" | median) nb=$(printf '%s\n' "${new_b[@]}" | median)
printf '(a) nothing to do, %d files:  before %.3f s, after %.3f s  (%+.1f%%)\n' \
  "$noop_files" "$oa" "$na" "$(echo "($na - $oa) * 100 / $oa" | bc -l)"
printf '(b) full copy, %d files:      before %.3f s, after %.3f s  (%+.1f%%)\n' \
  "$copy_files" "$ob" "$nb" "$(echo "($nb - $ob) * 100 / $ob" | bc -l)"
echo "rounds: a ${old_a[*]} / ${new_a[*]}; b ${old_b[*]} / ${new_b[*]}"
