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
# A 32-bit tree configured with another compiler (the posix thread model of earlier builds)
# starts afresh: CMake keeps a tree's first compiler.
if [ -f "$build-i686/CMakeCache.txt" ] && ! grep -qs 'g++-win32"' "$build-i686"/CMakeFiles/*/CMakeCXXCompiler.cmake; then
  rm -rf "$build-i686/CMakeCache.txt" "$build-i686/CMakeFiles"
fi
cmake -S "$root" -B "$build-i686" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOLV_TESTS=OFF -DZOLV_WERROR="$werror" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
cmake --build "$build-i686"
bash "$root/scripts/dist.sh" "$build" "${ZOLV_DIST:-$root/dist}"
