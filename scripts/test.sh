#!/bin/bash
# The test command: installs what is missing, builds both programs and runs
# every test of the 64-bit build under wine64, on a virtual display, in the
# build folder's own Wine prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/setup.sh
./scripts/build.sh

source scripts/wine-session.sh
trap wine_session_end EXIT
wine_session_begin "$root/build/win64/wineprefix"

cd build/win64
ctest --output-on-failure "$@"
