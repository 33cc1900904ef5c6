#!/bin/bash
# Builds both programs: build/win32 (the 32-bit program we ship) and
# build/win64 (the one the tests run under wine64), with their tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=$(nproc)
for arch in win32 win64; do
  case $arch in
    win32) toolchain=cmake/mingw-i686.cmake ;;
    win64) toolchain=cmake/mingw-x86_64.cmake ;;
  esac
  if [ ! -f "build/$arch/build.ninja" ]; then
    cmake -S . -B "build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
  fi
  cmake --build "build/$arch" -j "$jobs"
done
