#!/bin/bash
# The run command: installs what is missing, builds, runs the inventory on a
# demonstration SYSTEM hive (made from demo/inventory-system.txt) and prints
# its report, then starts Quillmark under Wine in a prefix of its own
# (build/demo) holding a demonstration registry of services (demo/services.reg)
# and the same made-up machine's network components as the hive.
#  - With a display ($DISPLAY set) the window opens for you ("Network
#    stack..." on its system menu, or Ctrl+N, opens the second window).
#  - Without one, the program runs on a virtual display: Start is pressed
#    from outside, the log file is printed and a screenshot of the window is
#    saved as build/demo/quillmark.png; then the network stack window
#    (quillmark.exe /inventory) reads the prefix's registry and its
#    screenshot is saved as build/demo/inventory.png.
# "run.sh tick" ticks "Show Microsoft Services" before pressing Start.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/setup.sh
./scripts/build.sh

demo=$root/build/demo
mkdir -p "$demo"
build/linux/tools/make_demo_hive demo/inventory-system.txt "$demo/SYSTEM"
echo "=== quillmark-inventory $demo/SYSTEM ==="
# Exit status 1 says something third-party was found, as it is in this hive.
build/linux/quillmark-inventory "$demo/SYSTEM" || [ $? -eq 1 ]

cp build/win64/quillmark.exe "$demo/"
source scripts/wine-session.sh
trap wine_session_end EXIT

# The demonstration registry: services for the main window, and the network
# components of the demonstration hive below HKEY_LOCAL_MACHINE\SYSTEM.
import_demo() {
  "$WINE64" reg import demo/services.reg </dev/null >/dev/null 2>&1
  "$WINE64" build/win64/tools/import_system_keys.exe demo/inventory-system.txt </dev/null
}

if [ -n "${DISPLAY:-}" ]; then
  wine_session_begin "$demo/wineprefix" user-display
  import_demo
  "$WINE64" "$demo/quillmark.exe"
  exit 0
fi

wine_session_begin "$demo/wineprefix" virtual
import_demo
log=$demo/quillmark_log.txt
before=$(stat -c %s "$log" 2>/dev/null || echo 0)
"$WINE64" "$demo/quillmark.exe" </dev/null >/dev/null 2>&1 &
program=$!
geometry=$("$WINE64" build/win64/tools/scan_driver.exe "$@" </dev/null 2>&1 | tr -d '\r')
read -r x y width height <<<"$geometry" || { echo "$geometry" >&2; exit 1; }

echo "=== $log (this run) ==="
tail -c +$((before + 1)) "$log"
import -display "$DISPLAY" -window root -crop "${width}x${height}+${x}+${y}" "$demo/quillmark.png"
echo "=== screenshot: $demo/quillmark.png ==="

"$WINE64" build/win64/tools/scan_driver.exe close >/dev/null 2>&1 || true
wait "$program" 2>/dev/null || true

"$WINE64" "$demo/quillmark.exe" /inventory </dev/null >/dev/null 2>&1 &
program=$!
geometry=$("$WINE64" build/win64/tools/scan_driver.exe inventory </dev/null 2>&1 | tr -d '\r')
read -r x y width height <<<"$geometry" || { echo "$geometry" >&2; exit 1; }
import -display "$DISPLAY" -window root -crop "${width}x${height}+${x}+${y}" "$demo/inventory.png"
echo "=== screenshot: $demo/inventory.png ==="
"$WINE64" build/win64/tools/scan_driver.exe inventory close >/dev/null 2>&1 || true
wait "$program" 2>/dev/null || true
