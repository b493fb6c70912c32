#!/usr/bin/env bash
# What a set's exclude patterns cost: the mirror run with nothing to do on FILES files, with
# five patterns that match nothing in the tree (so both runs do the same work) against none,
# measured alternately, ROUNDS rounds each (medians). The run's own time is the one its
# summary line gives (the Wine process's start left out); the wall time is beside it.
# Usage: bash bench/exclude_bench.sh [FILES] [ROUNDS]   (build first: scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLV_BUILD:-$root/build}
files=${1:-50000}
rounds=${2:-5}
exe="$build/device/zolvsync/zolvsync.exe"
[ -f "$exe" ] || { echo "build first: bash scripts/build.sh"; exit 1; }
source "$root/bench/bench_common.sh"
bench_start bench-exclude

echo "Building a tree of $files files..."
python3 "$root/bench/make_tree.py" "$work/src" "$files"
rsync -a "$work/src/" "$work/dst/"
patterns=(--exclude '*.tmp' --exclude 'Thumbs.db' --exclude '~*' --exclude 'Cache\' --exclude 'g001\f00?\*.bak')
mirror() { wine "$exe" --force --delete "$@" "$(winpath "$work/src")" "$(winpath "$work/dst")" 2>&1 >/dev/null </dev/null; }
# The run's seconds, from the summary line ("..., 1.23 s").
run_seconds() { mirror "$@" | tr -d '\r' | sed -n 's/.*, \([0-9.]*\) s$/\1/p' | tail -n1; }
mirror >/dev/null  # warm caches

plain=() excluding=() plain_wall=() excluding_wall=()
for round in $(seq 1 "$rounds"); do
  plain+=("$(run_seconds)")
  excluding+=("$(run_seconds "${patterns[@]}")")
  plain_wall+=("$(seconds mirror)")
  excluding_wall+=("$(seconds mirror "${patterns[@]}")")
done
med() { printf '%s\n' "$@" | median; }
p=$(med "${plain[@]}") e=$(med "${excluding[@]}")
pw=$(med "${plain_wall[@]}") ew=$(med "${excluding_wall[@]}")
echo
printf 'mirror, nothing to do, %d files: no patterns %.3f s, five patterns %.3f s: %+.1f%% (wall %.3f s / %.3f s: %+.1f%%)\n' \
  "$files" "$p" "$e" "$(echo "($e / $p - 1) * 100" | bc -l)" "$pw" "$ew" "$(echo "($ew / $pw - 1) * 100" | bc -l)"
echo "Target: five patterns cost at most 3% more."
