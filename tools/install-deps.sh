#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building and testing need, if any
# is missing. Wine needs the i386 architecture for 32-bit programs.
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev libbenchmark-dev python3
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 wixl msitools icoutils zip unzip
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
