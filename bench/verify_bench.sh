#!/usr/bin/env bash
# What Verify costs, measured alternately with and without it, ROUNDS rounds each (medians):
#   (a) a full copy of SMALL_FILES small files into an empty folder,
#   (b) a full copy of one file of LARGE_MB MiB into an empty folder.
# Each destination is removed just before its run, so that no run meets a warmer folder.
# Under Wine the read-back may come from the host's page cache (see docs/options.md).
# Usage: bash bench/verify_bench.sh [SMALL_FILES] [LARGE_MB] [ROUNDS]   (build first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
small_files=${1:-10000}
large_mb=${2:-1024}
rounds=${3:-3}
source "$root/bench/bench_common.sh"
need_build
bench_start bench-verify
# full_copy FROM [--verify]: a forced copy of FROM into a destination made afresh.
full_copy() {
  rm -rf "$work/dst"
  mkdir "$work/dst"
  wine "$exe" --force "${@:2}" "$(winpath "$work/$1")" "$(winpath "$work/dst")"
}

echo "Building trees ($small_files files; one file of $large_mb MiB)..."
python3 "$root/bench/make_tree.py" "$work/small" "$small_files"
mkdir -p "$work/large"
head -c "$((large_mb * 1024 * 1024))" /dev/urandom >"$work/large/large.bin"
full_copy small >/dev/null 2>&1  # warm caches
out=$(full_copy large --verify 2>&1)
grep -q "1 files verified" <<<"$out" || { echo "the verified run verified nothing: $out"; exit 1; }

plain_a=() verify_a=() plain_b=() verify_b=()
for round in $(seq 1 "$rounds"); do
  plain_a+=("$(seconds full_copy small)")
  verify_a+=("$(seconds full_copy small --verify)")
  plain_b+=("$(seconds full_copy large)")
  verify_b+=("$(seconds full_copy large --verify)")
done
rm -rf "$work/dst"
pa=$(printf '%s\n' "${plain_a[@]}" | median) va=$(printf '%s\n' "${verify_a[@]}" | median)
pb=$(printf '%s\n' "${plain_b[@]}" | median) vb=$(printf '%s\n' "${verify_b[@]}" | median)
printf '(a) full copy, %d files:    without Verify %.3f s, with Verify %.3f s  (%.2fx)\n' \
  "$small_files" "$pa" "$va" "$(echo "$va / $pa" | bc -l)"
printf '(b) full copy, one %d MiB file: without Verify %.3f s, with Verify %.3f s  (%.2fx)\n' \
  "$large_mb" "$pb" "$vb" "$(echo "$vb / $pb" | bc -l)"
echo "rounds: a ${plain_a[*]} / ${verify_a[*]}; b ${plain_b[*]} / ${verify_b[*]}"
