#!/bin/bash
# Static analysis of the Windows code (.clang-tidy): clang-tidy on every
# source file of the 64-bit build but the tests', with the compile
# commands of the 64-bit build (scripts/build.sh makes them) and the
# cross-compiler's own C++ library headers. Fails on any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build=build/win64
compiler=x86_64-w64-mingw32-g++-posix
args=(-p "$build" --quiet --extra-arg-before=--target=x86_64-w64-mingw32)
while read -r folder; do
  args+=("--extra-arg=-isystem$folder")
done < <(echo | "$compiler" -x c++ -E -v - 2>&1 |
         sed -n '/#include <...> search starts here/,/End of search list/p' | grep '^ .*c++' | sed 's/^ //')

# clang-tidy counts the warnings it hides in system headers; only findings
# are worth showing.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
# Every source file of the build but the tests' and the generated ones.
python3 - "$build/compile_commands.json" <<'PYTHON' |
import json, os, sys
root = os.getcwd() + "/"
for entry in json.load(open(sys.argv[1])):
    path = entry["file"]
    if path.startswith(root) and not path.startswith((root + "tests/", root + "build/")) and path.endswith(".cpp"):
        print(os.path.relpath(path))
PYTHON
  sort -u | xargs -P "$(nproc)" -n 4 nice clang-tidy "${args[@]}" >"$log" 2>&1 || status=$?
grep -v '^[0-9]* warnings\? generated\.$' "$log" || true
exit "$status"
