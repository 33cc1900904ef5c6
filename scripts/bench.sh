#!/bin/bash
# Runs the benchmark programs of the 64-bit build under Wine on a virtual
# display, in the build folder's Wine prefix, and prints their figures.
#   scripts/bench.sh            every benchmark
#   scripts/bench.sh scan       only bench/scan_bench
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/setup.sh
./scripts/build.sh >/dev/null

source scripts/wine-session.sh
trap wine_session_end EXIT
wine_session_begin "$root/build/win64/wineprefix"

for program in build/win64/bench/*_bench.exe; do
  name=$(basename "$program" _bench.exe)
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  echo "== $name"
  "$WINE64" "$program" </dev/null
done
