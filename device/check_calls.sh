#!/usr/bin/env bash
# Fails, naming each object and function, when the shared device code imports or calls a
# function outside the device's list (device_calls.txt). It reads the objects' undefined
# symbols: a system call is an import ("__imp_" prefix), a C runtime call a plain C name.
# Symbols another library of the program defines, C++ names (the standard library) and the
# compiler's own helpers (libgcc's arithmetic included) are not calls to the device.
#   check_calls.sh NM LIST SYMBOL_PREFIX CHECKED... -- OTHERS...
# CHECKED are the archives or objects whose calls are checked; OTHERS only define symbols.
# SYMBOL_PREFIX is what the target puts before a C name ("_" on 32-bit x86, else empty).
set -euo pipefail
nm=$1 list=$2 prefix=$3
shift 3
checked=() others=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do checked+=("$1"); shift; done
[ $# -gt 0 ] && shift
others=("$@")
[ "${#checked[@]}" -gt 0 ] || { echo "check_calls: nothing to check" >&2; exit 2; }

allowed=$(grep -v '^\s*#' "$list" | sed 's/#.*//' | awk 'NF == 2 { print $2 }' | sort -u)
defined=$("$nm" --defined-only "${checked[@]}" "${others[@]}" 2>/dev/null | awk 'NF == 3 { print $3 }' | sort -u)
# "archive:member:    U name" rows; names without the target's prefix and stdcall suffix.
calls=$("$nm" -A -u "${checked[@]}" 2>/dev/null | awk -v prefix="$prefix" '
  NF < 2 || $(NF - 1) != "U" { next }
  { name = $NF; where = $1; sub(/:$/, "", where) }
  name ~ /^_?_Z/ || name ~ /^\./ { next }                        # C++: the standard library
  {
    imported = sub("^__imp_", "", name)
    if (prefix != "" && index(name, prefix) == 1) name = substr(name, length(prefix) + 1)
    else if (prefix != "" && !imported) next                     # not a C name of this target
    sub(/@[0-9]+$/, "", name)
    if (name ~ /^(__cxa_|_Unwind_|__gxx_|__mingw_|__chkstk|___chkstk|__stack_chk)/) next
    if (name ~ /^__[a-z]+(di|si|ti|sf|df|xf|tf)[0-9]?$/) next   # libgcc: __udivdi3 on x86
    print name "\t" where "\t" imported
  }' | sort -u)
if [ -z "$calls" ]; then
  echo "check_calls: no calls read from ${checked[*]}" >&2
  exit 1
fi
bad=$(awk -F'\t' 'FILENAME == ARGV[1] { ok[$1] = 1; next } FILENAME == ARGV[2] { ours[$1] = 1; next }
  !($1 in ok) && ($3 == 1 || !(("'"$prefix"'" $1) in ours)) { print "  " $2 ": " $1 }' \
  <(printf '%s\n' "$allowed") <(printf '%s\n' "$defined") <(printf '%s\n' "$calls"))
if [ -n "$bad" ]; then
  echo "check_calls: the device code calls functions the device does not offer (not in $list):" >&2
  printf '%s\n' "$bad" >&2
  exit 1
fi
echo "check_calls: $(comm -12 <(cut -f1 <<<"$calls" | sort -u) <(printf '%s\n' "$allowed") | wc -l) device functions called, all offered"
