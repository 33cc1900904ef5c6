#!/bin/bash
# The test command: installs what is missing, builds every program, runs the
# inventory's tests natively (GCC, then clang with the sanitizers, with the
# real-hive smoke test), a short run of its fuzz targets, then every test of the
# 64-bit Windows build under wine64, on a virtual display, in the build
# folder's own Wine prefix. Arguments go to each ctest (-R inventory).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/setup.sh
./scripts/build.sh

for folder in linux linux-check; do
  (cd "build/$folder" && ctest --output-on-failure "$@")
done
# A short run of the decoders' fuzz targets (scripts/fuzz.sh 3600 for a long one).
if [ $# -eq 0 ]; then ./scripts/fuzz.sh "${QUILLMARK_FUZZ_SECONDS:-30}"; fi

source scripts/wine-session.sh
trap wine_session_end EXIT
wine_session_begin "$root/build/win64/wineprefix"

cd build/win64
ctest --output-on-failure "$@"
