#!/usr/bin/env bash
# zolvsync for scripts: a name holding a line feed or a tab cannot break or forge a row, nor
# pass for one holding the escape as it stands; Ctrl+C while a question waits answers it with
# Cancel at once, and Ctrl+C during the copy of a large file stops it mid-file; each row reaches
# standard output (a file here) as it is made: the copy row while that file is still copying.
source "$(dirname "$0")/e2e_common.sh"

mkdir -p "$work/rows/src" "$work/rows/dst"
touch "$work/rows/src/a"$'\n'"copy"$'\t'"forged"
out=$(wine "$exe" --lang en --force "$(winpath "$work/rows/src")" "$(winpath "$work/rows/dst")" 2>/dev/null)
from="$(winpath "$work/rows/src")\\a<0A>copy<09>forged"
[ "$out" = "skip"$'\t'"$from"$'\t'"the name holds a character Windows names cannot hold" ] ||
  fail "the row was not one escaped line: $(od -c <<<"$out" | head -5)"
rm "$work/rows/src/"*
touch "$work/rows/src/x<0A>y"
out=$(wine "$exe" --force "$(winpath "$work/rows/src")" "$(winpath "$work/rows/dst")" 2>/dev/null)
grep -qF 'x<3C>0A>y' <<<"$out" || fail "a name holding the escape as it stands: $out"

# Standard input that stays open: without Ctrl+C the question would wait for ever.
mkdir -p "$work/ctrl-c/src" "$work/ctrl-c/dst"
echo x >"$work/ctrl-c/dst/extra.txt"
echo s >"$work/ctrl-c/src/kept.txt"  # not empty: the question is the file's, not the empty source's
mkfifo "$work/ctrl-c/in"
exec 4<>"$work/ctrl-c/in"
wine "$exe" --delete --lang en "$(winpath "$work/ctrl-c/src")" "$(winpath "$work/ctrl-c/dst")" \
  <"$work/ctrl-c/in" >/dev/null 2>"$work/ctrl-c/err" &
pid=$!
for _ in $(seq 1 200); do grep -qs "\[c\]ancel?" "$work/ctrl-c/err" && break; sleep 0.05; done
grep -q "\[c\]ancel?" "$work/ctrl-c/err" || fail "no question asked: $(cat "$work/ctrl-c/err")"
kill -INT "$pid"
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then
  kill -9 "$pid"
  fail "Ctrl+C did not answer the question"
fi
wait "$pid"
code=$?
exec 4>&-
[ "$code" -eq 1 ] || fail "exit $code after Ctrl+C, expected 1"
[ -f "$work/ctrl-c/dst/extra.txt" ] || fail "the file was deleted after Ctrl+C"
grep -q "successed" "$work/ctrl-c/err" && fail "success reported after Ctrl+C"

# A sparse file of several gigabytes over an older, read-only copy; Ctrl+C once its temporary
# copy has data: the old copy stays as it was, read-only too, and the copy row is out before the
# stop. What the stop leaves is checked here; how soon it comes, by bench/sync_bench.sh.
mkdir -p "$work/big/src" "$work/big/dst"
truncate -s 6G "$work/big/src/video.bin"
echo old >"$work/big/dst/video.bin"
touch -d 2020-01-01 "$work/big/dst/video.bin"
chmod 444 "$work/big/dst/video.bin"
wine "$exe" --force --lang en "$(winpath "$work/big/src")" "$(winpath "$work/big/dst")" \
  </dev/null >"$work/big/out" 2>"$work/big/err" &
pid=$!
temp="$work/big/dst/video.bin.zolvtmp"
for _ in $(seq 1 1000); do [ -s "$temp" ] && break; sleep 0.02; done
[ -s "$temp" ] || fail "the copy did not start: $(cat "$work/big/err")"
[ "$(tr -d '\r' <"$work/big/out")" = "copy	$(winpath "$work/big/src/video.bin")	$(winpath "$work/big/dst/video.bin")" ] ||
  { kill -9 "$pid"; fail "the copy row is not out while the file copies: '$(cat "$work/big/out")'"; }
kill -INT "$pid"
# A hang guard, not a time limit: the stop is awaited for a minute at most.
for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { kill -9 "$pid"; fail "Ctrl+C did not stop the copy: $(cat "$work/big/err")"; }
wait "$pid"
code=$?
[ "$code" -eq 1 ] || fail "exit $code after Ctrl+C, expected 1"
[ "$(cat "$work/big/dst/video.bin")" = old ] || fail "the destination lost its old content"
[ "$(stat -c %a "$work/big/dst/video.bin")" = 444 ] || fail "the stopped copy left the old file writable"
[ "$(ls -A "$work/big/dst")" = video.bin ] || fail "left behind: $(ls -A "$work/big/dst")"
[ "$(tr -d '\r' <"$work/big/out")" = "copy	$(winpath "$work/big/src/video.bin")	$(winpath "$work/big/dst/video.bin")" ] ||
  fail "not the one row of the stopped copy: $(cat "$work/big/out")"
grep -q "successed\|Error" "$work/big/err" && fail "not the texts of an abort: $(cat "$work/big/err")"
grep -q "0 files copied (0 bytes)" "$work/big/err" || fail "wrong summary: $(tail -1 "$work/big/err")"
rm -rf "$work/big"
echo "3 passed, 0 failed"
