#!/usr/bin/env bash
# A destination volume that fills up during a copy: the run stops with "The disk is full",
# keeps the old destination whole (and read-only, as it was) and leaves no partial file behind. Needs root to mount a
# small volume; skipped (77) where that is not possible.
set -u
exe=$1
work=$2
rm -rf "$work"
mkdir -p "$work/src" "$work/volume"
volume="$work/volume"
if ! mount -t tmpfs -o size=1m tmpfs "$volume" 2>/dev/null; then
  echo "cannot mount a small volume here: skipped"
  exit 77
fi
trap 'umount "$volume"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
winpath() { echo "Z:${1//\//\\}"; }

head -c 3000000 /dev/zero | tr '\0' 'x' >"$work/src/big.bin"
echo "previous" >"$volume/big.bin"
touch -d 2001-01-01 "$volume/big.bin"
chmod 444 "$volume/big.bin"

err=$(wine "$exe" --lang en --force "$(winpath "$work/src")" "$(winpath "$volume")" 2>&1 >/dev/null)
code=$?
[ "$code" -eq 1 ] || fail "exit code $code, expected 1 ($err)"
grep -q "The disk is full" <<<"$err" || fail "no disk-full message: $err"
[ "$(cat "$volume/big.bin")" = "previous" ] || fail "the failed copy damaged the old destination"
[ "$(stat -c %a "$volume/big.bin")" = 444 ] || fail "the failed copy left the old destination writable"
[ -z "$(ls "$volume" | grep -v '^big.bin$')" ] || fail "the failed copy left $(ls "$volume") behind"

err=$(wine "$exe" --lang ja --force "$(winpath "$work/src")" "$(winpath "$volume")" 2>&1 >/dev/null)
grep -q "ﾃﾞｨｽｸがいっぱいです" <<<"$err" || fail "no Japanese disk-full message: $err"
[ "$(ls "$volume")" = "big.bin" ] || fail "the second failed copy left $(ls "$volume") behind"
echo "1 passed, 0 failed"
