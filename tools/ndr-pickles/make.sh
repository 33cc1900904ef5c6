#!/bin/bash
# Regenerates tests/inventory/data/wfp-pickles: FWPM_FILTER0 objects pickled
# by an NDR engine nobody here wrote (Wine's rpcrt4, through the stubs widl
# writes for wfp.idl), each as the registry stores it. Prints the decoder
# test's table rows. Not part of the build; needs widl (Debian's
# mingw-w64-tools), the project's cross compiler and wine64.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$root/build/ndr-pickles
out=$root/tests/inventory/data/wfp-pickles
mkdir -p "$work" "$out"
cd "$work"

nice -n 10 x86_64-w64-mingw32-widl --win64 -Oicf -I"$here" -h -c -H wfp.h --acf="$here/wfp.acf" "$here/wfp.idl"
compile() { nice -n 10 x86_64-w64-mingw32-g++-posix -O1 -Wall -I"$here" -I. "$@"; }
compile -Wno-missing-braces -x c -c "$here/ndr_driver.c" -o ndr_driver.o
compile -std=c++17 -Wextra -Werror -c "$here/pickle_filters.cpp" -o pickle_filters.o
compile -static -o pickle_filters.exe pickle_filters.o ndr_driver.o -lrpcrt4 -ladvapi32

rm -f "$out"/*.bin
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wine64 pickle_filters.exe "$(/usr/lib/wine/wine64 winepath -w "$out")" | tee rows.txt
/usr/lib/wine/wineserver -k 2>/dev/null || true
