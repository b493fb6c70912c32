#!/usr/bin/env bash
# What a set's exclude patterns cost: the mirror run with nothing to do on FILES files, with
# five patterns that match nothing in the tree (so both runs do the same work) against none,
# measured alternately, ROUNDS rounds each (medians). The run's own time is the one its
# summary line gives (the Wine process's start left out); beside it the processor time the
# Wine process took (user and system, which other work on the machine disturbs least).
# Usage: bash bench/exclude_bench.sh [FILES] [ROUNDS]   (build first: scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=${1:-50000}
rounds=${2:-5}
source "$root/bench/bench_common.sh"
need_build
bench_start bench-exclude

echo "Building a tree of $files files..."
python3 "$root/bench/make_tree.py" "$work/src" "$files"
rsync -a "$work/src/" "$work/dst/"
patterns=(--exclude '*.tmp' --exclude 'Thumbs.db' --exclude '~*' --exclude 'Cache\' --exclude 'g001\f00?\*.bak')
mirror() { wine "$exe" --force --delete "$@" "$(winpath "$work/src")" "$(winpath "$work/dst")" 2>&1 >/dev/null </dev/null; }
# The run's seconds, from the summary line ("..., 1.23 s").
run_seconds() { mirror "$@" | tr -d '\r' | sed -n 's/.*, \([0-9.]*\) s$/\1/p' | tail -n1; }
mirror >/dev/null  # warm caches

# Processor seconds of the run's process (user and system).
cpu_seconds() { local TIMEFORMAT='%U %S'; { time mirror "$@" >/dev/null; } 2>&1 | tail -n1 | awk '{print $1 + $2}'; }
plain=() excluding=() plain_cpu=() excluding_cpu=()
# Each round one of each, the first of the pair taking turns: the second run of a pair tends
# to differ from the first.
measure() {
  plain+=("$(run_seconds)")
  plain_cpu+=("$(cpu_seconds)")
}
measure_excluding() {
  excluding+=("$(run_seconds "${patterns[@]}")")
  excluding_cpu+=("$(cpu_seconds "${patterns[@]}")")
}
for round in $(seq 1 "$rounds"); do
  if ((round % 2)); then measure; measure_excluding; else measure_excluding; measure; fi
done
med() { printf '%s\n' "$@" | median; }
p=$(med "${plain[@]}") e=$(med "${excluding[@]}")
pc=$(med "${plain_cpu[@]}") ec=$(med "${excluding_cpu[@]}")
echo
printf 'mirror, nothing to do, %d files: no patterns %.3f s, five patterns %.3f s: %+.1f%% (processor %.3f s / %.3f s: %+.1f%%)\n' \
  "$files" "$p" "$e" "$(echo "($e / $p - 1) * 100" | bc -l)" "$pc" "$ec" "$(echo "($ec / $pc - 1) * 100" | bc -l)"
echo "Target: five patterns cost at most 3% more."
