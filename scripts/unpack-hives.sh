#!/bin/bash
# Unpacks the real SYSTEM hives kept beside the project (../shared/holdout/hives,
# or $QUILLMARK_HIVES) into build/hives, once, with the transaction logs kept
# beside some of them, and prints the hives' paths. They are read at run time
# only: nothing taken from them goes into the project.
# Exits 77 when there are none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source=${QUILLMARK_HIVES:-$root/../shared/holdout/hives}
[ -d "$source" ] || exit 77
for packed in "$source"/*/*; do
  case $packed in *README*) continue ;; esac
  folder=$root/build/hives/$(basename "$(dirname "$packed")")
  mkdir -p "$folder"
  case $packed in
    *.xz) target=$folder/$(basename "$packed" .xz); [ -f "$target" ] || xz -dc "$packed" >"$target" ;;
    *.gz) target=$folder/$(basename "$packed" .gz); [ -f "$target" ] || gunzip -c "$packed" >"$target" ;;
    *.zip) target=$folder/$(unzip -Z1 "$packed" | head -n 1); [ -f "$target" ] || unzip -oq "$packed" -d "$folder" ;;
    *) target=$folder/$(basename "$packed"); [ -f "$target" ] || cp "$packed" "$target" ;;
  esac
  case $target in *.LOG*) ;; *) echo "$target" ;; esac
done
