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
# Everything the configure found must come from a package scripts/deps.sh installs.
scripts/check_deps.sh build
cmake --build build -j"$jobs"

echo "== Tests"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

echo "== Engine tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_WERROR=ON -DKORVANE_SANITIZE=ON \
  -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs" -L engine)

echo "== Fuzz smoke run"
# The libFuzzer targets of tests/fuzz (clang, ASan, UBSan), each run for a few seconds over a
# copy of its seed corpus, so the committed corpus stays as it is. A finding stops the run; its
# input is kept in build-fuzz/findings.
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DKORVANE_BUILD_UI=OFF -DKORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target korvane_fuzzers
fuzz_work=$(mktemp -d)
fuzzers=$PWD/build-fuzz/bin
findings=$PWD/build-fuzz/findings
mkdir -p "$findings"
for corpus in tests/fuzz/corpus/*/; do
  target=$(basename "$corpus")
  cp -r "$corpus" "$fuzz_work/$target"
  if ! (cd "$fuzz_work" && UBSAN_OPTIONS=print_stacktrace=1 \
    "$fuzzers/$target" -max_total_time=5 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/$target-" "$target" >"$target.log" 2>&1); then
    tail -n 60 "$fuzz_work/$target.log"
    echo "$target found a fault; the input is in build-fuzz/findings/"
    rm -rf "$fuzz_work"
    exit 1
  fi
  echo "$target: $(grep -o 'Done [0-9]* runs' "$fuzz_work/$target.log")"
done
rm -rf "$fuzz_work"

echo "== All tests passed"
