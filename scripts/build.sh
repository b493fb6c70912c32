#!/usr/bin/env bash
# Configures and builds the 64-bit tree (programs and tests) and the 32-bit one (the PC
# launcher ships from it), then gathers the stripped release files into dist/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZOLV_BUILD:-$root/build}
werror=${ZOLV_WERROR:-OFF}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOLV_WERROR="$werror" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" >/dev/null
cmake --build "$build"
cmake -S "$root" -B "$build-i686" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOLV_TESTS=OFF -DZOLV_WERROR="$werror" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
cmake --build "$build-i686"
bash "$root/scripts/dist.sh" "$build" "${ZOLV_DIST:-$root/dist}"
