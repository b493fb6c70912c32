#!/usr/bin/env bash
# Links (Unix symbolic links: Wine shows a folder link as a reparse point and a file link as
# a plain file, and deletes through either into its target) are never followed and never
# have their target changed; a mount point is walked like any folder.
source "$(dirname "$0")/e2e_common.sh"
run() { wine "$exe" --lang en "$@" "$(winpath "$work/src")" "$(winpath "$work/dst")" 2>&1; }
mkdir -p "$work/src" "$work/dst" "$work/outside/empty"

echo a >"$work/src/a.txt"
ln -s "$work/src" "$work/src/loop"
out=$(run --force)
[ $? -eq 0 ] || fail "copy with a looping link: $out"
[ -f "$work/dst/a.txt" ] || fail "a.txt not copied"
[ ! -e "$work/dst/loop" ] || fail "the link was followed"

# Destination-only links, one per run: to a file outside, to a source file, to an empty
# folder (which Wine's folder removal would remove), to a full folder. Where the link cannot
# be removed as itself it stays with a row, and the run goes on (zz.txt after it is deleted).
echo precious >"$work/outside/precious.txt"
for target in "$work/outside/precious.txt" "$work/src/a.txt" "$work/outside/empty" "$work/outside"; do
  ln -s "$target" "$work/dst/link"
  echo z >"$work/dst/zz.txt"
  out=$(run --delete --force)
  code=$?
  [ -e "$target" ] || fail "the deletion pass deleted $target through a link"
  [ ! -e "$work/dst/zz.txt" ] || fail "the run did not go on past the link to $target: $out"
  if [ -L "$work/dst/link" ]; then
    [ "$code" -eq 1 ] && grep -q "^Error: 1 entry could not be synced" <<<"$out" &&
      grep -qxF "skip	$(winpath "$work/dst/link")	a link that cannot be removed without what it points to; it stays" <<<"$out" ||
      fail "a link that stays has no row: exit $code ($out)"
    [ "$(run --delete --dry-run | grep -v "^Error\|^zolvsync")" = "$(grep "^skip" <<<"$out")" ] || fail "the dry run's rows differ for $target"
    rm "$work/dst/link"
  fi
done

# The copy pass: a destination folder that links elsewhere is not written through; a file
# link older than its source is replaced as itself, its target untouched.
mkdir -p "$work/src/sub"
echo new >"$work/src/sub/new.txt"
ln -s "$work/outside" "$work/dst/sub"
out=$(run --force)
[ $? -eq 1 ] && grep -q "'$(winpath "$work/dst/sub" | sed 's/\\/\\\\/g')' is a link" <<<"$out" ||
  fail "a destination link to a folder was not refused by name: $out"
[ ! -e "$work/outside/new.txt" ] || fail "the copy pass wrote through a link"
rm "$work/dst/sub" && rm -r "$work/src/sub"
echo old >"$work/outside/w.txt" && chmod 444 "$work/outside/w.txt"
echo new >"$work/src/w.txt"
touch -d 2001-01-01 "$work/outside/w.txt"
ln -s "$work/outside/w.txt" "$work/dst/w.txt"
out=$(run --force)
[ $? -eq 0 ] || fail "the copy over a file link: $out"
[ ! -L "$work/dst/w.txt" ] && [ "$(cat "$work/dst/w.txt")" = new ] || fail "the file link was not replaced by the copy"
[ "$(cat "$work/outside/w.txt")" = old ] && [ "$(stat -c %a "$work/outside/w.txt")" = 444 ] ||
  fail "the copy changed what the link pointed to"

# A mount point in the source (root only) is copied like any folder.
mkdir -p "$work/src/mnt"
if mount -t tmpfs -o size=1m tmpfs "$work/src/mnt" 2>/dev/null; then
  echo m >"$work/src/mnt/m.txt"
  out=$(run --force)
  code=$?
  umount "$work/src/mnt"
  [ "$code" -eq 0 ] && [ -f "$work/dst/mnt/m.txt" ] || fail "the mount point's contents were not copied: $out"
else
  echo "cannot mount here: the mount point case is skipped"
fi
echo "4 passed, 0 failed"
