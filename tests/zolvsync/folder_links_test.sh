#!/usr/bin/env bash
# Folder links (Unix symbolic links, which Wine shows as reparse points): the copy pass does
# not follow a link back into its own tree, and the deletion pass never deletes through a
# link into what it points to.
set -u
exe=$1
work=$2
rm -rf "$work"
mkdir -p "$work/src" "$work/dst" "$work/outside"
fail() { echo "FAIL: $*"; exit 1; }
winpath() { echo "Z:${1//\//\\}"; }

echo a >"$work/src/a.txt"
ln -s "$work/src" "$work/src/loop"
out=$(wine "$exe" --force "$(winpath "$work/src")" "$(winpath "$work/dst")" 2>&1)
code=$?
[ "$code" -eq 0 ] || fail "copy with a looping link: exit $code ($out)"
[ -f "$work/dst/a.txt" ] || fail "a.txt not copied"
[ ! -e "$work/dst/loop" ] || fail "the link was followed"

echo precious >"$work/outside/precious.txt"
ln -s "$work/outside" "$work/dst/link"
wine "$exe" --delete --force "$(winpath "$work/src")" "$(winpath "$work/dst")" >/dev/null 2>&1
[ -f "$work/outside/precious.txt" ] || fail "the deletion pass deleted through a link"
echo "2 passed, 0 failed"
