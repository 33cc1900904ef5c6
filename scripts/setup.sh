#!/bin/bash
# Installs what building and testing need, from Debian's packages, when it is
# missing: the mingw-w64 cross compilers, Wine, a virtual X display,
# GoogleTest's sources, clang-tidy and ImageMagick (for screenshots); for the
# inventory on Linux, hivex (library and tools), clang with its sanitizer and
# fuzzer runtimes, and the tools to unpack compressed hives.
set -euo pipefail

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 fonts-wine xvfb x11-apps imagemagick googletest clang-tidy python3
          g++ pkg-config libhivex-dev libhivex-bin clang libclang-rt-14-dev xz-utils unzip)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
