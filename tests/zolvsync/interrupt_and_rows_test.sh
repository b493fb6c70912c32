#!/usr/bin/env bash
# zolvsync for scripts: a name holding a line feed or a tab cannot break or forge a row, nor
# pass for one holding the escape as it stands; Ctrl+C while a question waits answers it with
# Cancel at once.
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
echo "2 passed, 0 failed"
