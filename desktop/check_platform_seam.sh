#!/usr/bin/env bash
# Fails when the device program's code makes a desktop-only Win32 call outside its platform
# layer: only device/platform/ may know which platform it runs on.
#   check_platform_seam.sh DEVICE_DIR CALL_LIST
# The list holds one name a line ('#' starts a comment). The console runner
# (device/zolvsync/) runs on the PC only and is not checked. Comments in the code are.
set -euo pipefail
device=$1 list=$2

names=$(sed 's/#.*//' "$list" | awk 'NF == 1 { print $1 }' | sort -u)
if [ -z "$names" ]; then
  echo "check_platform_seam: no names read from $list" >&2
  exit 1
fi
pattern=$(printf '%s\n' "$names" | paste -sd'|')
files=$(find "$device" -path "$device/platform" -prune -o -path "$device/zolvsync" -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
# Line comments are left out, so a comment may name a call.
found=$(printf '%s\n' "$files" | while read -r file; do
  sed 's|//.*||' "$file" | grep -nwE "$pattern" | sed "s|^|${file#"$device"/}:|" || true
done)
if [ -n "$found" ]; then
  echo "check_platform_seam: desktop-only calls outside device/platform/ (put them behind the platform layer):" >&2
  printf '%s\n' "$found" | sed 's/^/  /' >&2
  exit 1
fi
echo "check_platform_seam: $(printf '%s\n' "$files" | wc -l) files outside device/platform/, none calls any of $(printf '%s\n' "$names" | wc -l) desktop-only functions"
