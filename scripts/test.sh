#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test:
#   1. the normal build (RelWithDebInfo, -Wall -Wextra) with its whole test suite;
#   2. the same code built with AddressSanitizer and UndefinedBehaviorSanitizer, tests again;
#   3. short, bounded runs of the fuzzers over their seed corpora: the engine, a text file's
#      bytes through the decoder, the real reading service and the engine, and the reading
#      dictionary and settings parsers.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
# Let ccache share objects between checkouts in different folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
export CTEST_OUTPUT_ON_FAILURE=1

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
echo "== tests"
ctest --test-dir build -j"$jobs" --no-tests=error

echo "== sanitizer build (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DYOMIKA_SANITIZE=ON -DYOMIKA_BENCH=OFF
cmake --build build-asan -j"$jobs"
echo "== sanitizer tests"
# The embedded browser's own library (Chromium) trips AddressSanitizer by itself, so the
# browser-labelled tests run in the normal build only.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j"$jobs" --no-tests=error -LE browser

echo "== fuzzer smoke run"
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DYOMIKA_FUZZ=ON -DYOMIKA_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target engine_fuzzer text_fuzzer parser_fuzzer
# fuzzer, seed corpus, seconds
for run in "engine_fuzzer corpus ${FUZZ_SECONDS:-20}" \
           "text_fuzzer corpus-text ${FUZZ_SECONDS_SHORT:-8}" \
           "parser_fuzzer corpus-parsers ${FUZZ_SECONDS_SHORT:-8}"; do
  read -r fuzzer seeds seconds <<<"$run"
  corpus=$(mktemp -d)
  cp "fuzz/$seeds"/* "$corpus"/
  echo "-- $fuzzer, $seconds s"
  ./build-fuzz/fuzz/"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus" 2>&1 | tail -n 3
  rm -rf "$corpus"
done
echo "== all tests passed"
