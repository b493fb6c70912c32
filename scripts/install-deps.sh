#!/usr/bin/env bash
# Installs what building and testing need on Debian; does nothing when all is there.
set -euo pipefail
packages=(cmake ninja-build g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64
          binutils-mingw-w64-i686 mingw-w64-tools wine wine64 xvfb xauth googletest rsync
          xdotool x11-utils imagemagick python3 bc locales fonts-vlgothic python3-fuse)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
