#!/bin/bash
# The benchmark command: builds the 64-bit benchmark programs and runs them
# under wine64 on a virtual display wide enough for the 2000-pixel bar, in the
# build folder's own Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/setup.sh
if [ ! -f build/win64/build.ninja ]; then
  cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
fi
cmake --build build/win64 --target progress_bench

display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 2100x400x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
bench_xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

source scripts/wine-session.sh
trap 'wine_session_end; kill $bench_xvfb 2>/dev/null || true; wait $bench_xvfb 2>/dev/null || true' EXIT
wine_session_begin "$root/build/win64/wineprefix" existing

"$WINE64" build/win64/bench/progress_bench.exe
