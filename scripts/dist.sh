#!/usr/bin/env bash
# Gathers the release binaries from the two build trees into dist/, stripped of debug
# information (the trees keep theirs for the tests and debuggers).
#   dist.sh BUILD_DIR DIST_DIR       (BUILD_DIR-i686 is the 32-bit tree)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
dist=$2
rm -rf "$dist"
mkdir -p "$dist/x64" "$dist/x86" "$dist/pc"
strip_into() {  # strip_into STRIP PROGRAM FOLDER
  "$1" --strip-all -o "$3/$(basename "$2")" "$2"
}
strip_into x86_64-w64-mingw32-strip "$build/device/app/Zolv.exe" "$dist/x64"
strip_into x86_64-w64-mingw32-strip "$build/device/zolvsync/zolvsync.exe" "$dist/x64"
strip_into i686-w64-mingw32-strip "$build-i686/device/app/Zolv.exe" "$dist/x86"
strip_into i686-w64-mingw32-strip "$build-i686/device/zolvsync/zolvsync.exe" "$dist/x86"
strip_into i686-w64-mingw32-strip "$build-i686/desktop/setup.exe" "$dist/pc"
cp "$root/desktop/setup.ini" "$dist/pc/"
cat > "$dist/README.txt" <<'TEXT'
Zolv release files

x64\Zolv.exe       the folder synchronizer (desktop Win32 build, 64-bit Windows)
x64\zolvsync.exe   the same sync engine as a console program, for scripts
x86\Zolv.exe       the folder synchronizer, 32-bit Windows
x86\zolvsync.exe   the console program, 32-bit Windows
pc\setup.exe       the PC launcher (32-bit, Windows XP and later): checks for the desktop
                   sync manager and starts its application manager with setup.ini
pc\setup.ini       the install description setup.exe hands to the application manager;
                   it names the device cabinet, Zolv.cab

Every program is linked statically and needs no other files.

Zolv.cab is not among these files. It is the device program's cabinet: a Windows CE
install archive holding Zolv.exe built for the handheld's processor, which the application
manager copies to the connected device. The device build makes it, with a Windows CE
toolchain; this build has none, and makes the program for desktop Windows only (x64, x86).
To install Zolv on a handheld, put Zolv.cab from the device build in one folder with
setup.exe and setup.ini and start setup.exe from that folder. setup.exe does not look for
the cabinet itself: without it, it still starts the application manager, which then has
nothing to install.
TEXT
# Text files for Windows people: CR LF line ends.
sed -i 's/$/\r/' "$dist/README.txt"
echo "dist: $(cd "$dist" && find . -type f | sort | tr '\n' ' ')"
