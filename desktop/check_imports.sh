#!/usr/bin/env bash
# Fails when a Windows program imports a function outside an allow list, or needs a
# subsystem newer than Windows XP's.
#   check_imports.sh OBJDUMP PROGRAM ALLOW_LIST
# The list holds "DLL function" pairs (DLL names compared without case; '#' starts a comment).
set -euo pipefail
objdump=$1 program=$2 list=$3

allowed=$(grep -v '^\s*#' "$list" | awk 'NF == 2 { print toupper($1) " " $2 }' | sort -u)
# objdump -p prints each import table as "DLL Name: X" followed by "hint-rva ordinal name" rows.
imports=$("$objdump" -p "$program" | awk '
  /^\tDLL Name: / { dll = toupper($3); next }
  dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll " " $3; next }
  /^\s*$/ { dll = "" }' | sort -u)
if [ -z "$imports" ]; then
  echo "check_imports: no imports read from $program" >&2
  exit 1
fi
# XP's loader also refuses a program that asks for a newer subsystem version than 5.1.
subsystem=$("$objdump" -p "$program" | awk '/^MajorSubsystemVersion/ { major = $2 } /^MinorSubsystemVersion/ { minor = $2 }
  END { print major * 100 + minor }')
if [ "$subsystem" -gt 501 ]; then
  echo "check_imports: $program needs subsystem version $((subsystem / 100)).$((subsystem % 100)), newer than XP's 5.1" >&2
  exit 1
fi
unknown=$(comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed"))
if [ -n "$unknown" ]; then
  echo "check_imports: $program imports functions outside $list:" >&2
  printf '%s\n' "$unknown" | sed 's/^/  /' >&2
  exit 1
fi
echo "check_imports: $(printf '%s\n' "$imports" | wc -l) imports of $(basename "$program"), all allowed"
