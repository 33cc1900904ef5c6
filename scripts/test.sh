#!/bin/bash
# The test command: installs what is missing, builds every program, runs the
# inventory's tests natively (GCC, then clang with the sanitizers, with the
# real-hive smoke test), a short run of its fuzz targets, then every test of the
# 64-bit Windows build under wine64, on a virtual display, in the build
# folder's own Wine prefix. Arguments go to each ctest (-R inventory). Run
# whole (no arguments), it also runs the static analysis of the Windows code
# (scripts/tidy.sh) beside the tests and fuzzes the decoders briefly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/setup.sh
./scripts/build.sh

# The Windows tests spend most of their time waiting on Wine; the analysis,
# at low priority, takes the idle processor time.
tidy_pid=""
if (($# == 0)); then
  ./scripts/tidy.sh >build/tidy.log 2>&1 &
  tidy_pid=$!
fi

status=0
for folder in linux linux-check; do
  (cd "build/$folder" && ctest --output-on-failure "$@") || status=$?
done
# A short run of the decoders' fuzz targets (scripts/fuzz.sh 3600 for a long one).
if (($# == 0)); then ./scripts/fuzz.sh "${QUILLMARK_FUZZ_SECONDS:-20}" || status=$?; fi

source scripts/wine-session.sh
trap 'wine_session_end; [ -z "$tidy_pid" ] || wait "$tidy_pid" 2>/dev/null || true' EXIT
wine_session_begin "$root/build/win64/wineprefix"

(cd build/win64 && ctest --output-on-failure "$@") || status=$?
if [ -n "$tidy_pid" ]; then
  tidy_status=0
  wait "$tidy_pid" || tidy_status=$?
  tidy_pid=""
  if ((tidy_status)); then
    echo "clang-tidy found faults (build/tidy.log):"
    cat build/tidy.log
    status=1
  else
    echo "clang-tidy: no findings"
  fi
fi
exit "$status"
