#!/bin/bash
# Builds every program:
#   build/win32        the 32-bit Windows programs we ship (programs only:
#                      this machine cannot run 32-bit code, so no tests)
#   build/win64        the same for x86_64, with the tests run under wine64
#   build/linux        the inventory for Linux (GCC), with its tests
#   build/linux-check  the inventory's tests and fuzz targets under clang's
#                      AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=$(nproc)
# A toolchain file counts only when a build folder is first configured; given
# again, CMake warns that it went unused.
configure() {
  local folder=$1
  shift
  if [ -f "build/$folder/CMakeCache.txt" ]; then
    local arguments=()
    for argument in "$@"; do
      [[ $argument == -DCMAKE_TOOLCHAIN_FILE=* ]] || arguments+=("$argument")
    done
    set -- "${arguments[@]}"
  fi
  cmake -S . -B "build/$folder" -G Ninja "$@" >/dev/null
}
# What ships is stripped of its debugging information (21 MB to 0.7 MB for the inventory).
configure win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUILLMARK_TESTS=OFF -DQUILLMARK_BENCH=OFF \
  -DCMAKE_EXE_LINKER_FLAGS=-s
configure win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
configure linux
configure linux-check -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUILLMARK_SANITIZE=ON -DQUILLMARK_FUZZ=ON -DQUILLMARK_BENCH=OFF
for folder in win32 win64 linux linux-check; do
  cmake --build "build/$folder" -j "$jobs"
done
