#!/bin/bash
# Builds both programs: build/win32 (the 32-bit program we ship, and the
# scan driver; nothing runs 32-bit code here, so its tests and benchmarks
# are not built) and build/win64 (the one the tests run under wine64, with
# the tests and the benchmarks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=$(nproc)
for arch in win32 win64; do
  case $arch in
    win32) toolchain=cmake/mingw-i686.cmake; options=(-DQUILLMARK_TESTS=OFF -DQUILLMARK_BENCH=OFF) ;;
    win64) toolchain=cmake/mingw-x86_64.cmake; options=(-DQUILLMARK_TESTS=ON -DQUILLMARK_BENCH=ON) ;;
  esac
  # Configured every time, so that a build folder made before takes the options.
  cmake -S . -B "build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${options[@]}" >/dev/null
  cmake --build "build/$arch" -j "$jobs"
done
