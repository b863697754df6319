#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building and testing need, if any
# is missing: one line says what, and apt's and dpkg's own output goes to a
# log file (its last lines are shown if apt fails). Wine needs the i386
# architecture for 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ libgtest-dev libbenchmark-dev python3
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 wixl msitools icoutils zip unzip osslsigncode openssl
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

add_i386=false
dpkg --print-foreign-architectures | grep -qx i386 || add_i386=true

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    steps="apt-get update && apt-get install -y ${missing[*]}"
    $add_i386 && steps="dpkg --add-architecture i386 && $steps"
    echo "Missing packages, and no sudo to install them with; as root, run: $steps" >&2
    exit 1
  fi
  sudo=(sudo)
fi

install() {
  if $add_i386; then "${sudo[@]}" dpkg --add-architecture i386 || return; fi
  "${sudo[@]}" apt-get update || return
  # Through env, since sudo does not pass the caller's environment on.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y "${missing[@]}"
}

mkdir -p build
log="$PWD/build/install-deps.log"
echo "Installing with apt: ${missing[*]} (log: $log)"
if ! install >"$log" 2>&1; then
  echo "Installing failed; the end of $log:" >&2
  tail -n 20 "$log" >&2
  exit 1
fi
