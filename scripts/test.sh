#!/bin/bash
# The test command: installs what is missing, builds every program, runs the
# inventory's tests natively (GCC, then clang with the sanitizers, fuzz
# targets and the real-hive smoke test included), then every test of the
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

source scripts/wine-session.sh
trap wine_session_end EXIT
wine_session_begin "$root/build/win64/wineprefix"

cd build/win64
ctest --output-on-failure "$@"
