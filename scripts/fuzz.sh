#!/bin/bash
# Fuzzes the inventory's byte decoders and its log replay: builds
# build/linux-check with clang, ASan, UBSan and the libFuzzer targets, seeds
# them with every blob the decoder and replay tests build and runs each target
# for SECONDS (default 30).
#   scripts/fuzz.sh 30      the short run of the test command
#   scripts/fuzz.sh 3600    a long run; the corpora grow across runs
# A crash leaves its input in build/linux-check/fuzz/findings/<target>/ and
# the script exits 1: keep the input as a row of the decoder or replay tests.
set -euo pipefail
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/linux-check
work=$build/fuzz

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DQUILLMARK_SANITIZE=ON -DQUILLMARK_FUZZ=ON >/dev/null
nice ninja -C "$build" fuzz_catalog_entry fuzz_wfp_object fuzz_firewall_rule fuzz_log_replay inventory_tests
rm -rf "$work/seeds"
QUILLMARK_FUZZ_SEEDS=$work/seeds "$build/tests/inventory/inventory_tests" --gtest_filter='Wfp*:HiveBlocks*:LogReplay*' \
  >/dev/null

status=0
for target in catalog_entry wfp_object firewall_rule log_replay; do
  case $target in
    log_replay) max_len=131072 ;; # a hive of the tests and its logs
    firewall_rule) max_len=65536 ;; # rules of tens of KB
    *) max_len=8192 ;;
  esac
  mkdir -p "$work/corpus/$target" "$work/findings/$target"
  echo "fuzz_$target: $seconds s"
  if ! "$build/tests/inventory/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
       -artifact_prefix="$work/findings/$target/" -print_final_stats=1 \
       "$work/corpus/$target" "$work/seeds/$target" 2>"$work/$target.log"; then
    tail -40 "$work/$target.log"
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$work/$target.log" || true
done
if [ "$status" -eq 0 ]; then echo "fuzz: no findings"; else echo "fuzz: findings in $work/findings"; fi
exit "$status"
