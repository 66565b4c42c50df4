#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on a demo archive.
# The data folder is ./demo-data (or $KORVANE_DATA_DIR); it is filled with made-up draws
# the first time.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
korvane_ensure_packages

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

data="${KORVANE_DATA_DIR:-$PWD/demo-data}"
mkdir -p "$data"
if [ ! -s "$data/Korvane.ldr" ]; then
  build/bin/korvane-cli --data-dir "$data" demo-archive --draws 25000 --seed 1
fi

if [ -x build/bin/Korvane ]; then
  exec build/bin/Korvane --data-dir "$data" "$@"
fi
echo "Архив: $data"
build/bin/korvane-cli --data-dir "$data" draws --limit 10
