#!/usr/bin/env bash
# Compiles device sources for their syntax only, each with a header forced in front of it
# (precompiled once, into WORK_DIR), two at a time; fails when the compiler refuses any.
#   check_syntax.sh COMPILER HEADER WORK_DIR +DIR... [-DIR...] -- FLAG...
# +DIR takes the .cpp files under DIR, -DIR leaves those under DIR out.
set -euo pipefail
cxx=$1 header=$2 work=$3
shift 3
find_args=() prune=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  case $1 in
    +*) find_args+=("${1#+}") ;;
    -*) prune+=(-path "${1#-}" -prune -o) ;;
  esac
  shift
done
shift
flags=("$@")
mkdir -p "$work"
forced="$work/$(basename "$header")"
cp "$header" "$forced"
"$cxx" "${flags[@]}" -w -x c++-header "$forced" -o "$forced.gch"
mapfile -t sources < <(find "${find_args[@]}" "${prune[@]}" -name '*.cpp' -print | sort)
if [ "${#sources[@]}" -eq 0 ]; then
  echo "check_syntax: no sources found" >&2
  exit 1
fi
if ! printf '%s\0' "${sources[@]}" |
  xargs -0 -P2 -n1 "$cxx" -include "$forced" -Winvalid-pch "${flags[@]}" -Wall -Wextra -Werror -fsyntax-only; then
  echo "check_syntax: ${cxx##*/} refused the code above (of ${#sources[@]} files)" >&2
  exit 1
fi
echo "check_syntax: ${#sources[@]} files compile with $(basename "$header") forced in front"
