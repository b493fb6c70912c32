#!/usr/bin/env bash
# The layers are kept by two parts of the build: the compiler, which sees only a layer's own
# include folder (layer_roots.cmake), and check_layers.sh. On the device code as it is both
# pass; on a made-up tree every upward include, in each spelling below, fails one of them
# naming the file, and a folder the order does not list fails the check.
#   check_layers_test.sh CHECK LAYER_ROOTS_CMAKE CXX DEVICE_DIR
set -euo pipefail
check=$1 roots_script=$2 cxx=$3 device=$4
bash "$check" "$device"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
d=$tree/device
mkdir -p "$d"/{base,platform/bands,framework,sync/dialogs,app,extra}
printf 'base\nplatform  framework\nsync\nplatform/bands  sync/dialogs\napp\n' >"$d/layers.txt"
for header in base/low.h platform/calls.h framework/window.h app/main_window.h sync/dialogs/box.h \
              platform/bands/bar.h; do
  printf '#pragma once\n' >"$d/$header"
done
printf '#include "base/low.h"\n#include <platform/calls.h>\n#include "framework/window.h"\n' >"$d/sync/fine.cpp"
printf '#include <app/main_window.h>\n' >"$d/sync/angle.cpp"
printf '#include "sync/../app/main_window.h"\n' >"$d/sync/dotdot.cpp"
printf '#include "dialogs/box.h"\n' >"$d/sync/sub_layer.cpp"
printf '#include "bands/bar.h"\n' >"$d/platform/bands_from_below.cpp"
printf '#include /*x*/ "app/main_window.h"\n' >"$d/sync/comment.cpp"
printf '#define UP "app/main_window.h"\n#include UP\n' >"$d/sync/macro.cpp"
printf '#include "app/main_window.h"\n' >"$d/sync/inline.inl"
printf '#include "sync/inline.inl"\n' >"$d/sync/uses_inline.cpp"
printf '#include <windows.h>\n' >"$d/extra/any.cpp"

fail() { printf '%s\n' "$@" >&2; exit 1; }

# The compiler, given each file's layer folder as the build gives it.
cmake -DDEVICE_DIR="$d" -DROOTS_DIR="$tree/roots" -P "$roots_script"
compile() { "$cxx" -fsyntax-only -x c++ -I"$tree/roots/$1" "$d/$2" 2>&1; }
out=$(compile sync sync/fine.cpp) || fail "a lawful include failed to compile:" "$out"
for file in sync/angle.cpp sync/dotdot.cpp sync/comment.cpp sync/macro.cpp sync/uses_inline.cpp; do
  if out=$(compile sync $file); then fail "the compiler let $file through"; fi
  grep -q "app/main_window.h" <<<"$out" || fail "no include named for $file:" "$out"
done
grep -qF "sync/inline.inl:1" <<<"$(compile sync sync/uses_inline.cpp)" || fail "the .inl file is not named"

# The check, which also sees what the compiler finds beside the including file.
if out=$(bash "$check" "$d" 2>&1); then fail "the check passed a tree that breaks the layers"; fi
expected=("device/sync/angle.cpp:1: sync includes app/main_window.h, of app"
          "device/sync/dotdot.cpp:1: names a folder with ..: sync/../app/main_window.h"
          "device/sync/sub_layer.cpp:1: sync includes dialogs/box.h (sync/dialogs/box.h), of sync/dialogs"
          "device/platform/bands_from_below.cpp:1: platform includes bands/bar.h (platform/bands/bar.h), of platform/bands"
          "device/sync/comment.cpp:1: sync includes app/main_window.h, of app"
          "device/sync/macro.cpp:2: includes through a macro: UP"
          "device/sync/inline.inl:1: sync includes app/main_window.h, of app"
          "a folder missing from $d/layers.txt: device/extra")
for line in "${expected[@]}"; do
  grep -qF "$line" <<<"$out" || fail "missing \"$line\" in:" "$out"
done
[ "$(grep -c '^device/\|^a folder' <<<"$out")" -eq 8 ] || fail "unexpected report:" "$out"
echo "check_layers_test: passed"
