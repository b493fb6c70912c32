#!/usr/bin/env bash
# The layer check passes the device code as it is, and fails on a made-up tree naming each
# include that runs back up (file and line), one that names a folder with "../", and a
# folder the order does not list.
set -euo pipefail
check=$1 device=$2
bash "$check" "$device"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/device/base" "$tree/device/framework" "$tree/device/extra"
printf 'base  # lowest\nframework\n' >"$tree/device/layers.txt"
printf '#pragma once\n\n#include "framework/window.h"\n' >"$tree/device/base/low.h"
printf '#include "base/low.h"\n#include "../base/low.h"\n#include "low.h"\n' >"$tree/device/framework/window.h"
printf '#include <windows.h>\n' >"$tree/device/extra/any.cpp"
if out=$(bash "$check" "$tree/device" 2>&1); then
  echo "the check passed a tree that breaks the layers" >&2
  exit 1
fi
expected=("device/base/low.h:3: base includes framework/window.h"
          "device/framework/window.h:2: names a folder with ../: ../base/low.h"
          "a folder missing from $tree/device/layers.txt: device/extra")
for line in "${expected[@]}"; do
  grep -qF "$line" <<<"$out" || { printf 'missing "%s" in:\n%s\n' "$line" "$out" >&2; exit 1; }
done
[ "$(grep -c ':' <<<"$out")" -eq 4 ] || { printf 'unexpected report:\n%s\n' "$out" >&2; exit 1; }
echo "check_layers_test: passed"
