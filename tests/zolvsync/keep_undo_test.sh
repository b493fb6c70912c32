#!/usr/bin/env bash
# Keep and Undo end to end through zolvsync.exe:
#   1. Keep: a replaced file, a deleted file and a removed folder are moved into the run's
#      folder with a row each; a dry run writes the same rows and changes nothing; the
#      store is never copied, compared or deleted, in either direction; a move that cannot
#      be made (onto another file system) stops the run before anything is replaced;
#   2. Undo: a mirror run undone to the byte and the time; a file changed since is left
#      with a row and exit 1, and the next undo goes one run further back; a run killed in
#      the middle of a large copy is undone as far as it went; the oldest runs beyond
#      --keep-runs go, and only folders named as run stamps; nothing to undo is exit 1; a
#      verified copy's checksum in the record tells a file changed within its size and time;
#   3. Undo trusts nothing it reads: hostile record lines never reach outside (a sentinel stays
#      byte-identical), a made folder swapped for a link is not gone through, a record cut
#      short names what it no longer lists; a run killed at any row is undone to the byte,
#      its temporary copy too; an undo killed part-way and run again finishes without a
#      word about what it had put back; Keep changes nothing a plain run would not (a
#      case-only name, Data over Data\Data); runs that fail before a change never prune.
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
  dry=$(sync --force --keep --dry-run "$(w src)" "$(w dst)")
  drycode=$?
  out=$(sync --force --keep "$(w src)" "$(w dst)")
  code=$?
  content=$(cat "$work/dst/mnt/m.txt")
  umount "$work/dst/mnt"
  [ "$code" -eq 1 ] && [ "$content" = old ] && grep -q "Can't keep" <<<"$out" || fail "a move that fails: exit $code, '$content' ($out)"
  [ "$drycode" -eq 1 ] && grep -q "Can't keep" <<<"$dry" || fail "the dry run does not stop where the run stops: $dry"
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
# Verify with Keep: the record holds each verified copy's checksum, by which Undo tells a file
# changed within its size and time from the run's copy.
echo "b 4" >"$work/src/b.txt" && touch -d 2030-02-01 "$work/src/b.txt"
out=$(sync --force --keep --verify "$(w src)" "$(w dst)")
[ $? -eq 0 ] && grep -q "files verified" <<<"$out" || fail "the verified run: $out"
grep -qP '^copied\tb\.txt\t\d+\t\d+\t[0-9a-f]{16}\r?$' "$work"/dst/.zolvkept/*/.zolvkept ||
  fail "no checksum in the record: $(cat "$work"/dst/.zolvkept/*/.zolvkept)"
touch -r "$work/dst/b.txt" "$work/stamp" && echo "B 4" >"$work/dst/b.txt" && touch -r "$work/stamp" "$work/dst/b.txt"
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 1 ] && grep -qP "^skip\t.*b\.txt\tchanged since the run" <<<"$out" && [ "$(cat "$work/dst/b.txt")" = "B 4" ] ||
  fail "a verified copy changed within its size and time: $out"
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

# 3. Undo trusts nothing it reads
rm -rf "$work/src" "$work/dst" "$work/outside" && mkdir -p "$work/src" "$work/dst/made" "$work/outside/emptydir"
echo sentinel >"$work/outside/victim.txt" && echo x >"$work/outside/f.txt"
sentinel=$(snapshot "$work/outside")
echo old >"$work/dst/a.txt" && touch -d 2020-01-01 "$work/dst/a.txt" && echo new >"$work/src/a.txt"
sync --force --keep "$(w src)" "$(w dst)" >/dev/null || fail "the run before the hostile record"
run=$(runs dst) && record="$work/dst/.zolvkept/$run/.zolvkept"
size=$(stat -c %s "$work/outside/victim.txt") && ticks=$(( ($(stat -c %Y "$work/outside/victim.txt") + 11644473600) * 10000000 ))
printf 'copied\t..\\outside\\victim.txt\t%s\t%s\r\nmade\t..\\outside\\emptydir\nkept\t..\\..\\outside\\f.txt\nkept\tZ:\\tmp\\x\ncopied\t../outside/victim.txt\t1\t1\n%s\n' \
  "$size" "$ticks" "$(head -c 400 /dev/zero | tr '\0' x)" >>"$record"
unix2dos -q "$record" 2>/dev/null || sed -i 's/$/\r/' "$record"
lines=$(wc -l <"$record")
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 1 ] && [ "$(snapshot "$work/outside")" = "$sentinel" ] && [ "$(cat "$work/dst/a.txt")" = old ] ||
  fail "a hostile record reached outside or stopped the undo: $out"
[ "$(grep -cP "^skip\t.*\\.zolvkept:[0-9]+\t" <<<"$out")" -eq 6 ] && [ "$(grep -c . "$record")" -gt "$lines" ] ||
  fail "each hostile line is not named, or the record lost lines: $out // $(cat "$record")"
rm -rf "$work/dst/.zolvkept"
# A folder the run made, swapped for a link into the source after the run: nothing goes through it.
mkdir -p "$work/src/made" && echo n >"$work/src/made/n.txt" && rmdir "$work/dst/made"
sync --force --keep "$(w src)" "$(w dst)" >/dev/null || fail "the run that makes a folder"
rm -rf "$work/dst/made" && ln -s "$work/src/made" "$work/dst/made"
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 1 ] && [ "$(cat "$work/src/made/n.txt")" = n ] && grep -qP "^skip\t.*made.*link" <<<"$out" ||
  fail "the undo went through a link: $out"
rm -rf "$work/dst" "$work/src/made" && mkdir -p "$work/dst"
# A record cut short: what it no longer names stays, each with a row, and the record keeps its lines.
for f in 1 2 3; do echo "old $f" >"$work/dst/$f.txt"; touch -d 2020-01-01 "$work/dst/$f.txt"; echo "new $f" >"$work/src/$f.txt"; done
sync --force --keep "$(w src)" "$(w dst)" >/dev/null || fail "the run before the cut"
record="$work/dst/.zolvkept/$(runs dst)/.zolvkept" && head -n 2 "$record" >"$record.cut" && mv "$record.cut" "$record"
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 1 ] && [ "$(grep -cP "^skip\t.*\t.*record does not name it" <<<"$out")" -ge 2 ] && [ "$(head -n 2 "$record" | wc -l)" -eq 2 ] &&
  [ "$(tail -n 1 "$record")" = undone ] || fail "a cut record: $out // $(cat "$record")"
rm -rf "$work/src" "$work/dst" && mkdir -p "$work/src" "$work/dst"
# A run killed at different rows: every change it made is undone, its temporary copies too.
for i in $(seq 1 40); do echo "old $i" >"$work/dst/f$i.txt"; head -c 300000 /dev/urandom >"$work/src/f$i.txt"; done
touch -d 2020-01-01 "$work/dst"/*.txt
echo only >"$work/dst/only.txt"
before=$(snapshot "$work/dst")
for rows in 1 9 30 55; do
  : >"$work/rows"
  wine "$exe" --force --delete --keep "$(w src)" "$(w dst)" >>"$work/rows" 2>&1 &
  pid=$!
  until [ "$(wc -l <"$work/rows")" -ge "$rows" ] || ! kill -0 "$pid" 2>/dev/null; do sleep 0.005; done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  out=$(sync --undo --force "$(w src)" "$(w dst)")
  [ "$(snapshot "$work/dst")" = "$before" ] && [ -z "$(find "$work/dst" -name '*.zolvtmp' -o -name '~zolv*')" ] ||
    fail "killed after $rows rows, not undone: $out // $(diff <(echo "$before") <(snapshot "$work/dst"))"
  rm -rf "$work/dst/.zolvkept"
done
# An undo killed part-way, then run again, finishes; what was back already is no change.
sync --force --delete --keep "$(w src)" "$(w dst)" >/dev/null || fail "the run before the killed undo"
: >"$work/rows"
wine "$exe" --undo --force "$(w src)" "$(w dst)" >>"$work/rows" 2>&1 &
pid=$!
until grep -q '^back' "$work/rows" || ! kill -0 "$pid" 2>/dev/null; do sleep 0.002; done
kill -9 "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
# (A kill after the run folder went but before its empty store did leaves nothing to undo.)
if [ -n "$(runs dst)" ]; then
  out=$(sync --undo --force "$(w src)" "$(w dst)")
  [ $? -eq 0 ] && [ "$(snapshot "$work/dst")" = "$before" ] && ! grep -q '^skip' <<<"$out" && [ ! -e "$work/dst/.zolvkept" ] ||
    fail "the undo run again: $out"
else
  echo "the undo ended before the kill: its resumption is not tried this time"
fi
# Keep changes nothing a plain run would not: a case-only name, a file over a folder holding its namesake.
rm -rf "$work/src" "$work/dst" && mkdir -p "$work/src" "$work/dst/Data"
echo old >"$work/dst/readme.txt" && touch -d 2020-01-01 "$work/dst/readme.txt" && echo new >"$work/src/Readme.TXT"
echo inner >"$work/dst/Data/Data" && touch -d 2020-01-01 "$work/dst/Data/Data" && echo file >"$work/src/Data"
before=$(snapshot "$work/dst")
out=$(sync --force --delete --keep "$(w src)" "$(w dst)")
[ $? -eq 0 ] && [ "$(ls "$work/dst")" = readme.txt ] && [ "$(cat "$work/dst/readme.txt")" = new ] ||
  fail "Keep changed what a plain run does: $out // $(ls "$work/dst")"
out=$(sync --undo --force "$(w src)" "$(w dst)")
[ $? -eq 0 ] && [ "$(snapshot "$work/dst")" = "$before" ] || fail "the case-only and Data runs undone: $out"
# Two runs that stop before any change (a file where the source has a folder) make no run folder
# and prune nothing.
sync --force --keep "$(w src)" "$(w dst)" >/dev/null || fail "the run that is kept"
kept=$(runs dst)
rm -r "$work/src/Data" "$work/dst/Data" && mkdir -p "$work/src/Data/x" && echo y >"$work/dst/Data"
for i in 1 2; do
  out=$(sync --force --keep --keep-runs 1 "$(w src)" "$(w dst)")
  [ $? -eq 1 ] && [ "$(runs dst)" = "$kept" ] || fail "failing run $i pruned or made a run folder: $out // $(runs dst)"
done
echo "keep and undo: all cases passed"
