#!/usr/bin/env bash
# Keep and Undo end to end through zolvsync.exe:
#   1. Keep: a replaced file, a deleted file and a removed folder are moved into the run's
#      folder with a row each; a dry run writes the same rows and changes nothing; the
#      store is never copied, compared or deleted, in either direction; a move that cannot
#      be made (onto another file system) stops the run before anything is replaced;
#   2. Undo: a mirror run undone to the byte and the time; a file changed since is left
#      with a row and exit 1, and the next undo goes one run further back; a run killed in
#      the middle of a large copy is undone as far as it went; the oldest runs beyond
#      --keep-runs go, and only folders named as run stamps; nothing to undo is exit 1.
source "$(dirname "$0")/e2e_common.sh"
sync() { wine "$exe" --lang en "$@" 2>&1; }
w() { winpath "$work/$1"; }
# Every entry below a folder with its size, time and contents, the store left out.
snapshot() {
  (cd "$1" && find . -path ./.zolvkept -prune -o -print | sort | while read -r p; do
    if [ -f "$p" ]; then echo "$p $(stat -c '%s %Y' "$p") $(md5sum <"$p" | cut -c1-8)"; else echo "$p/"; fi
  done)
}
runs() { find "$work/$1/.zolvkept" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' 2>/dev/null | sort; }

# 1. Keep
mkdir -p "$work/src/sub" "$work/dst/old"
echo new >"$work/src/a.txt"
echo s >"$work/src/sub/b.txt"
echo old >"$work/dst/a.txt" && touch -d 2020-01-01 "$work/dst/a.txt" && chmod 444 "$work/dst/a.txt"
echo gone >"$work/dst/only.txt"
echo y >"$work/dst/old/y.txt"
mkdir -p "$work/dst/.zolvkept/notarun" "$work/src/.zolvkept/other"
echo theirs >"$work/src/.zolvkept/other/f.txt"
before=$(snapshot "$work/dst")
dry=$(sync --delete --force --keep --dry-run "$(w src)" "$(w dst)")
[ "$(snapshot "$work/dst")" = "$before" ] && [ "$(runs dst)" = notarun ] || fail "the dry run changed something: $dry"
out=$(sync --delete --force --keep "$(w src)" "$(w dst)")
[ $? -eq 0 ] || fail "the run with Keep: $out"
run=$(runs dst | grep -v notarun)
[ "$(echo "$run" | wc -l)" -eq 1 ] || fail "not one run folder: $run"
kept="$work/dst/.zolvkept/$run"
[ "$(cat "$kept/a.txt")" = old ] && [ "$(stat -c %a "$kept/a.txt")" = 444 ] && [ "$(cat "$kept/only.txt")" = gone ] &&
  [ "$(cat "$kept/old/y.txt")" = y ] || fail "what was replaced or deleted is not in $kept: $(find "$kept")"
[ "$(cat "$work/dst/a.txt")" = new ] && [ ! -e "$work/dst/only.txt" ] && [ ! -e "$work/dst/old" ] || fail "the mirror did not happen"
[ ! -e "$work/dst/.zolvkept/other" ] && [ -d "$work/dst/.zolvkept/notarun" ] || fail "a store was copied or deleted"
rows=$(grep -P '^(copy|del|rmdir|keep)\t' <<<"$out" | sed "s|$run|RUN|")
[ "$(grep -P '^(copy|del|rmdir|keep)\t' <<<"$dry" | sed "s|[0-9]*-[0-9]\{8\}-[0-9]\{6\}|RUN|")" = "$(sed "s|[0-9]*-[0-9]\{8\}-[0-9]\{6\}|RUN|" <<<"$rows")" ] ||
  fail "the dry run's rows differ from the run's: $dry // $out"
grep -qP "^keep\t$(w dst | sed 's/\\/\\\\/g')\\\\only.txt\t.*\\\\RUN\\\\only.txt$" <<<"$rows" || fail "no keep row for only.txt: $rows"
grep -q '3 entries kept' <<<"$out" || fail "the summary does not count what was kept: $out"
# Backward writes into the source: its store is the source's, the destination's stays out.
echo back >"$work/dst/back.txt"
out=$(sync --backward --delete --force --keep "$(w src)" "$(w dst)")
[ $? -eq 0 ] && [ "$(cat "$work/src/back.txt")" = back ] || fail "the backward run: $out"
[ -f "$work/src/.zolvkept/other/f.txt" ] && [ "$(runs src | grep -vc other)" -eq 1 ] &&
  [ -z "$(find "$work/src/.zolvkept" -name only.txt)" ] || fail "the backward run mixed the stores: $(find "$work/src/.zolvkept")"
# A move onto another file system is refused before the file is replaced.
mkdir -p "$work/dst/mnt" "$work/src/mnt"
if mount -t tmpfs -o size=1m tmpfs "$work/dst/mnt" 2>/dev/null; then
  echo old >"$work/dst/mnt/m.txt" && touch -d 2020-01-01 "$work/dst/mnt/m.txt"
  echo new >"$work/src/mnt/m.txt"
  out=$(sync --force --keep "$(w src)" "$(w dst)")
  code=$?
  content=$(cat "$work/dst/mnt/m.txt")
  umount "$work/dst/mnt"
  [ "$code" -eq 1 ] && [ "$content" = old ] && grep -q "Can't keep" <<<"$out" || fail "a move that fails: exit $code, '$content' ($out)"
else
  echo "skipped the failing move: no tmpfs mount here"
fi
rm -rf "$work/src/mnt" "$work/dst/mnt"

# 2. Undo
rm -rf "$work/src" "$work/dst" && mkdir -p "$work/src/new" "$work/dst/gone"
for f in a b c; do echo "$f 1" >"$work/dst/$f.txt"; touch -d "2020-01-0${#f} 10:00:0$((RANDOM % 10))" "$work/dst/$f.txt"; done
echo "a 2" >"$work/src/a.txt" && echo "b 2" >"$work/src/b.txt" && echo n >"$work/src/new/n.txt"
echo g >"$work/dst/gone/g.txt"
before=$(snapshot "$work/dst")
out=$(sync --delete --force --keep "$(w src)" "$(w dst)") || fail "the mirror run: $out"
[ "$(snapshot "$work/dst")" != "$before" ] || fail "the mirror changed nothing"
out=$(echo n | sync --undo "$(w src)" "$(w dst)")
[ $? -eq 1 ] && [ "$(snapshot "$work/dst")" != "$before" ] || fail "No to the undo question changed something: $out"
grep -q "Undo the run of .*: 4 entries put back, 4 entries removed?" <<<"$out" || fail "the question: $out"
out=$(echo y | sync --undo "$(w src)" "$(w dst)")
[ $? -eq 0 ] && [ "$(snapshot "$work/dst")" = "$before" ] || fail "not undone to the byte and the time: $out"
[ ! -e "$work/dst/.zolvkept" ] || fail "the undone run's folder stayed: $(find "$work/dst/.zolvkept")"
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 1 ] && grep -q "no kept run to undo" <<<"$out" && [ "$(snapshot "$work/dst")" = "$before" ] ||
  fail "nothing to undo: $out"
# A file changed since the run is left, the rest goes back, and the next undo goes further.
sync --delete --force --keep "$(w src)" "$(w dst)" >/dev/null || fail "first run"
sleep 1.1  # the next run's folder is named after another second
echo "b 3" >"$work/src/b.txt"
sync --delete --force --keep "$(w src)" "$(w dst)" >/dev/null || fail "second run"
echo "user" >"$work/dst/b.txt"
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 1 ] && grep -qP "^skip\t.*b\.txt\tchanged since the run" <<<"$out" && [ "$(cat "$work/dst/b.txt")" = user ] ||
  fail "a file changed since the run: $out"
# The first run's copy of b.txt is the user's file now: it stays too, the rest goes back.
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 1 ] && [ "$(snapshot "$work/dst" | grep -v b.txt)" = "$(grep -v b.txt <<<"$before")" ] &&
  [ "$(cat "$work/dst/b.txt")" = user ] || fail "the second undo did not go one run further back: $out"
[ "$(runs dst | wc -l)" -eq 2 ] || fail "the runs with what was left are not kept: $(runs dst)"
rm -rf "$work/dst/.zolvkept"
# A run killed in the middle of a large copy: the old file is in its place, the copies made
# before it are undone.
echo "old big" >"$work/dst/big.bin" && touch -d 2001-01-01 "$work/dst/big.bin"
truncate -s 4G "$work/src/big.bin"
before=$(snapshot "$work/dst")
wine "$exe" --force --keep "$(w src)" "$(w dst)" >/dev/null 2>&1 &
pid=$!
deadline=$((SECONDS + 60))
until [ -s "$work/dst/big.bin.zolvtmp" ] || ! kill -0 "$pid" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.02; done
kill -9 "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -s "$work/dst/big.bin.zolvtmp" ] && [ "$(cat "$work/dst/big.bin")" = "old big" ] || fail "the kill was not part-way: $(ls -l "$work/dst")"
rm "$work/dst/big.bin.zolvtmp" "$work/src/big.bin"
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 0 ] && [ "$(snapshot "$work/dst")" = "$before" ] || fail "the killed run was not undone: $out"
# Pruning: three runs with --keep-runs 2 leave the newest two; a folder of another name stays.
mkdir -p "$work/dst/.zolvkept/mine"
for i in 1 2 3; do
  echo "$i" >"$work/src/a.txt"
  touch -d "2030-01-0$i" "$work/src/a.txt"
  sync --force --keep --keep-runs 2 "$(w src)" "$(w dst)" >/dev/null || fail "run $i with --keep-runs 2"
  [ "$i" -lt 3 ] && sleep 1.1
done
[ "$(runs dst | grep -vc mine)" -eq 2 ] && [ -d "$work/dst/.zolvkept/mine" ] || fail "pruning left: $(runs dst)"
[ "$(cat "$work/dst/.zolvkept/$(runs dst | grep -v mine | tail -n 1)/a.txt")" = 2 ] || fail "the newest run is not the one kept"
# A source holding only its store is empty to the empty-source question; a store is no
# deletion to --max-delete.
mkdir -p "$work/e/src/.zolvkept/x" "$work/e/dst/.zolvkept/y" && echo x >"$work/e/dst/x.txt"
out=$(sync --delete --force "$(w e/src)" "$(w e/dst)")
[ $? -eq 1 ] && grep -q "is empty" <<<"$out" && [ -f "$work/e/dst/x.txt" ] || fail "a source with only its store: $out"
out=$(sync --delete --force --max-delete 1 --allow-empty-source "$(w e/src)" "$(w e/dst)")
[ $? -eq 0 ] && [ ! -e "$work/e/dst/x.txt" ] && [ -d "$work/e/dst/.zolvkept/y" ] || fail "the store counted or deleted: $out"
echo "keep and undo: all cases passed"
