#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero on any failure,
# on a compiler warning and on unformatted sources.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
korvane_ensure_packages

jobs=$(nproc 2>/dev/null || echo 2)

echo "== Formatting"
mapfile -t sources < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
clang-format --dry-run -Werror "${sources[@]}"

echo "== Build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=ON >/dev/null
cmake --build build -j"$jobs"

echo "== Tests"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

echo "== Engine tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_WERROR=ON -DKORVANE_SANITIZE=ON \
  -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs" -L engine)

echo "== All tests passed"
