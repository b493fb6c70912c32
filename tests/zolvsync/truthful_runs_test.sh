#!/usr/bin/env bash
# End to end through zolvsync.exe: what a run says is what it does.
#   2. a dry run stops where the --force run stops, with the same rows, messages and exit
#      code: an empty source, a deletion limit passed, a missing destination (asked about;
#      its parent missing, a file in its place);
#   3. the figures count what happened: a removal that would stop (a name it cannot use, deep
#      inside) deletes none of it, nor anything at all with --max-delete; a folder link never
#      counts what it leads to; a removal the platform stops part-way counts what went;
#   6. every byte is copied, whatever size a file is listed with (/proc files list 0 bytes);
#   7. with --dostime, times within two seconds are the same (FAT rounds a copy up), and so are
#      times an hour apart with equal sizes (a daylight-saving change) unless
#      --no-ignore-hour-shift; a source time more than a day ahead is copied and said.
source "$(dirname "$0")/e2e_common.sh"
passed=0
ok() { passed=$((passed + 1)); }
masked() { sed 's/dry run, nothing changed: //; s/, [0-9.]* s$/, S s/' "$work/err"; }
# both ANSWERS ARGS...: the dry run, then the --force run, with the same answers on standard
# input; their rows, messages (the summary's time aside) and exit codes are the same. Sets
# `said` to what they wrote (standard output, standard error, exit code).
both() {
  local answers=$1 dry real
  shift
  dry=$(printf "$answers" | wine "$exe" --lang en --dry-run "$@" 2>"$work/err"; echo "exit $?")
  dry+=$'\n'$(masked)
  real=$(printf "$answers" | wine "$exe" --lang en --force "$@" 2>"$work/err"; echo "exit $?")
  real+=$'\n'$(masked)
  [ "$dry" = "$real" ] || fail "the dry run and the run differ for $*:"$'\n'"$dry"$'\n'"---"$'\n'"$real"
  said=$real
}

# 2. Every check before writing or deleting, in the dry run too.
mkdir -p "$work/2/src" "$work/2/dst/old"
echo a >"$work/2/dst/a.txt" && echo b >"$work/2/dst/old/b.txt"
src=$(winpath "$work/2/src") dst=$(winpath "$work/2/dst")
both "" --delete "$src" "$dst"
grep -q "^exit 1$" <<<"$said" && grep -qF "'$src' is empty. Delete everything in '$dst'?" <<<"$said" ||
  fail "an empty source: $said"
echo s >"$work/2/src/s.txt"
both "" --delete --max-delete 2 "$src" "$dst"
grep -q "^exit 1$" <<<"$said" && grep -q "would delete 3 entries, more than the 2 allowed" <<<"$said" ||
  fail "a deletion limit passed: $said"
[ -f "$work/2/dst/a.txt" ] && [ -f "$work/2/dst/old/b.txt" ] || fail "deleted after a check stopped the run"
both "n\n" "$src" "$dst\\new"
grep -q "^exit 1$" <<<"$said" && grep -qF "Destination folder '$dst\\new' is not exist." <<<"$said" ||
  fail "a missing destination, No: $said"
both "y\n" "$src" "$dst\\none\\new"
grep -q "^exit 1$" <<<"$said" && grep -qF "Error: Can't find the path specified. '$dst\\none\\new'" <<<"$said" ||
  fail "a missing destination without its parent: $said"
both "y\n" "$src" "$dst\\a.txt"
grep -q "^exit 1$" <<<"$said" && grep -q "Error: Error CreateDirectory 183$" <<<"$said" ||
  fail "a file where the destination is to be made: $said"
[ ! -e "$work/2/dst/new" ] && [ ! -e "$work/2/dst/none" ] || fail "a folder was made after No"
both "y\n" "$src" "$dst\\new"
grep -q "^exit 0$" <<<"$said" && [ "$(cat "$work/2/dst/new/s.txt")" = s ] || fail "a missing destination, Yes: $said"
ok

# 3. What a removal takes away.
mkdir -p "$work/3/src" "$work/3/dst/old/deep" "$work/3/many"
for i in 1 2 3; do echo $i >"$work/3/dst/old/f$i"; done
touch "$work/3/dst/old/deep/x." "$work/3/src/s"
src=$(winpath "$work/3/src") dst=$(winpath "$work/3/dst")
both "" --delete "$src" "$dst"
grep -q "^exit 1$" <<<"$said" && grep -qF "'$dst\\old\\deep' holds 'x.'" <<<"$said" || fail "a name the removal cannot use: $said"
echo z >"$work/3/dst/z.txt"
out=$(wine "$exe" --lang en --delete --force --max-delete 9 "$src" "$dst" 2>&1)
grep -qF "'$dst\\old\\deep' holds 'x.'" <<<"$out" && [ "$(find "$work/3/dst" | wc -l)" -eq 9 ] ||
  fail "part of a removal that stops was deleted: $out $(find "$work/3/dst")"
rm "$work/3/dst/old/deep/x." "$work/3/dst/z.txt"
for i in $(seq 1 100); do : >"$work/3/many/$i"; done
ln -s "$work/3/many" "$work/3/dst/link"
# Wine cannot remove a link as itself: the link stays (a skip row) and counts nothing; never
# the 100 files it leads to.
out=$(wine "$exe" --lang en --delete --force --max-delete 4 "$src" "$dst" 2>&1)
grep -q "would delete 5 entries, more than the 4 allowed" <<<"$out" && [ "$(ls "$work/3/many" | wc -l)" -eq 100 ] ||
  fail "a folder link's count: $out"
rm "$work/3/dst/link"
if chattr +i "$work/3/dst/old/f2" 2>/dev/null; then
  # Wine reports the delete of an immutable file as done; the folder then cannot go.
  out=$(wine "$exe" --lang en --delete --force "$src" "$dst" 2>&1)
  chattr -i "$work/3/dst/old/f2"
  grep -q "^Error: Folder not empty$" <<<"$out" && grep -q ": 0 files copied (0 bytes), 2 files deleted, 1 folders removed" <<<"$out" ||
    fail "a removal stopped part-way: $out"
else
  echo "no immutable flag here: the removal stopped part-way is skipped"
fi
ok

# 6. Files that hold more than they list.
proc=/proc/sys/kernel/random
if [ "$(cat "$proc/poolsize" 2>/dev/null)" -gt 0 ] 2>/dev/null; then
  mkdir -p "$work/6"
  out=$(wine "$exe" --lang en --force "$(winpath "$proc")" "$(winpath "$work/6")" 2>&1)
  code=$?
  bytes=$(cat "$work/6"/* | wc -c)
  [ "$code" -eq 0 ] && [ "$(cat "$work/6/poolsize")" = "$(cat "$proc/poolsize")" ] &&
    grep -q "files copied ($bytes bytes)" <<<"$out" || fail "a /proc source: exit $code, $bytes bytes ($out)"
  ok
else
  echo "no readable $proc/poolsize here: the source listing 0 bytes is skipped"
fi

# 7. Which times are the same.
mkdir -p "$work/7/src" "$work/7/dst"
stamp() { echo "$3" >"$work/7/$1" && touch -d "$2" "$work/7/$1"; }
stamp src/rounded '2024-03-10 10:00:01.5' a && stamp dst/rounded '2024-03-10 10:00:02' a
stamp src/shifted '2024-03-10 11:00:01' abc && stamp dst/shifted '2024-03-10 10:00:00' xyz
stamp src/edited '2024-03-10 11:00:00' abcd && stamp dst/edited '2024-03-10 10:00:00' xyz
src=$(winpath "$work/7/src") dst=$(winpath "$work/7/dst")
# copied ARGS...: the names the dry run with these options would copy, either way, sorted.
copied() {
  { wine "$exe" --dry-run "$@" "$src" "$dst"; wine "$exe" --dry-run --backward "$@" "$src" "$dst"; } 2>/dev/null |
    awk -F'\t' '$1 == "copy" { n = split($2, p, "\\"); print p[n] }' | sort | tr '\n' ' '
}
for pair in "--dostime|edited " "--dostime --no-ignore-hour-shift|edited shifted " "--ignore-hour-shift|edited rounded " \
  "|edited rounded shifted "; do
  options=${pair%|*}
  [ "$(copied $options)" = "${pair#*|}" ] || fail "copied with '$options': '$(copied $options)', not '${pair#*|}'"
done
rm "$work/7/src/"*
stamp src/ahead "$(date -d '+2 days' '+%F %T')" x
out=$(wine "$exe" --lang en --force "$src" "$dst" 2>/dev/null)
code=$?
[ "$code" -eq 0 ] && [ "$out" = "note	$src\\ahead	its time is more than a day ahead of this clock; it is copied as newer all the same
copy	$src\\ahead	$dst\\ahead" ] && [ -f "$work/7/dst/ahead" ] || fail "a source time ahead: exit $code ($out)"
ok

echo "$passed passed, 0 failed"
