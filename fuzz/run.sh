#!/usr/bin/env bash
# Builds the page reader's fuzz target with clang into build-fuzz/ and runs it
# for the given number of seconds (60 by default). The seeds are the hand-made
# cases in fuzz/corpus/, the pages in examples/ and, when present, the real
# pages of ../shared/corpus/real/. A crash leaves its input in
# build-fuzz/findings/ and fails the run.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTE_BUILD_FUZZ=ON -DTE_BUILD_TESTS=OFF -DTE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target page_reader_fuzz

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds" "$build/corpus" "$build/findings"
cp "$root"/fuzz/corpus/* "$root"/examples/*.htm "$seeds"/
real="$root/../shared/corpus/real"
if [ -d "$real" ]; then
    find "$real" -maxdepth 1 -type f -name '*.htm*' -exec cp {} "$seeds"/ \;
fi

ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/bin/page_reader_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/findings/" "$build/corpus" "$seeds"
