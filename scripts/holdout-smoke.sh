#!/bin/bash
# Smoke test over real SYSTEM hives (see unpack-hives.sh): every intact hive
# gives a whole report without an error line and flags no WFP filter as
# suspicious, a dirty one with its logs beside it is read with them replayed;
# the damaged fragment gives what it can read.
#   holdout-smoke.sh PROGRAM     (exits 77, "skipped", without the hives)
set -uo pipefail
program=$1
hives=$("$(dirname "$0")/unpack-hives.sh") || exit $?
failed=0
while read -r hive; do
  report=$("$program" --format tsv "$hive" 2>/dev/null)
  status=$?
  blocks=$(grep -c '^\[' <<<"$report")
  problem=""
  if [[ $hive == *damaged* ]]; then
    [ "$blocks" -gt 0 ] || problem="no blocks"
  else
    [ "$status" -le 1 ] || problem="exit status $status"
    grep -q '^error' <<<"$report" && problem="error lines: $(grep '^error' <<<"$report" | head -n 3)"
    grep -q '^\[wfp-suspicious\] n=[1-9]' <<<"$report" && problem="suspicious WFP filters"
    if [ -f "$hive.LOG1" ] && ! grep -q $'^note\treplayed' <<<"$report"; then problem="its logs were not replayed"; fi
  fi
  echo "$hive: exit $status, $blocks blocks ${problem:+- $problem}"
  [ -z "$problem" ] || failed=1
done <<<"$hives"
exit $failed
