#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
# Without --data-dir the program works on a demo folder, build/demo-data, filled the first
# time with simulated draws (two a day from 04/29/1988 to today).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
korvane_ensure_packages

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

args=("$@")
has_data_dir=0
for a in "${args[@]}"; do
  case "$a" in --data-dir|--data-dir=*) has_data_dir=1 ;; esac
done
if [ "$has_data_dir" -eq 0 ] && [ -z "${KORVANE_DATA_DIR:-}" ]; then
  data="$PWD/build/demo-data"
  mkdir -p "$data"
  if [ ! -s "$data/Korvane.ldr" ]; then
    build/bin/korvane-cli --data-dir "$data" demo-archive --seed 1
  fi
  args=(--data-dir "$data" "${args[@]}")
fi
exec build/bin/Korvane "${args[@]}"
