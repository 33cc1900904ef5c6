#!/bin/bash
# The test command: installs what is missing, builds both programs and runs
# every test of the 64-bit build under wine64, on a virtual display, in the
# build folder's own Wine prefix. Run whole (no arguments), it also runs the
# static analysis of the Windows code (scripts/tidy.sh) beside the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/setup.sh
./scripts/build.sh

# The tests spend most of their time waiting on Wine; the analysis, at low
# priority, takes the idle processor time.
tidy_pid=""
if (($# == 0)); then
  ./scripts/tidy.sh >build/tidy.log 2>&1 &
  tidy_pid=$!
fi

source scripts/wine-session.sh
trap 'wine_session_end; [ -z "$tidy_pid" ] || wait "$tidy_pid" 2>/dev/null || true' EXIT
wine_session_begin "$root/build/win64/wineprefix"

status=0
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
