#!/bin/bash
# Runs the benchmark programs and prints their figures:
#   scripts/bench.sh             every benchmark
#   scripts/bench.sh scan        only bench/scan_bench (and so on: progress, inventory)
# The Windows benchmarks run under wine64 on a virtual display, twice: with
# Wine's default visual style (the test prefix) and with visual styles off (a
# prefix of its own), the way Windows draws a program that carries no
# manifest. The inventory's runs natively, over the real SYSTEM hives kept
# beside the project when they are there (scripts/unpack-hives.sh), else over
# the demonstration hive.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/setup.sh
./scripts/build.sh >/dev/null

if [ $# -eq 0 ] || [[ " $* " == *" inventory "* ]]; then
  echo "== inventory"
  if ! mapfile -t hives < <(./scripts/unpack-hives.sh) || [ ${#hives[@]} -eq 0 ]; then
    mkdir -p build/demo
    build/linux/tools/make_demo_hive demo/inventory-system.txt build/demo/SYSTEM
    hives=(build/demo/SYSTEM)
  fi
  build/linux/bench/inventory_bench "${hives[@]}"
  [ $# -eq 1 ] && exit 0
fi

source scripts/wine-session.sh
trap wine_session_end EXIT

run_benchmarks() {
  for program in build/win64/bench/*_bench.exe; do
    name=$(basename "$program" _bench.exe)
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
    echo "== $name"
    "$WINE64" "$program" </dev/null
  done
}

echo "### Wine's default visual style"
wine_session_begin "$root/build/win64/wineprefix"
run_benchmarks "$@"
wine_session_end

echo "### visual styles off"
wine_session_begin "$root/build/win64/wineprefix-classic"
"$WINE64" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f \
  </dev/null >/dev/null 2>&1
run_benchmarks "$@"
