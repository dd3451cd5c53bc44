#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs them for the
# given number of seconds in all (60 by default): half for the page reader,
# half for the importer. The seeds are the hand-made cases in fuzz/corpus/,
# the pages in examples/ and, when present, the real pages of
# ../shared/corpus/real/. A crash leaves its input in build-fuzz/findings/
# and fails the run.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
targets=(page_reader_fuzz page_importer_fuzz)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTE_BUILD_FUZZ=ON -DTE_BUILD_TESTS=OFF -DTE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds" "$build/findings"
cp "$root"/fuzz/corpus/* "$root"/examples/*.htm "$seeds"/
real="$root/../shared/corpus/real"
if [ -d "$real" ]; then
    find "$real" -maxdepth 1 -type f -name '*.htm*' -exec cp {} "$seeds"/ \;
fi

share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1
for target in "${targets[@]}"; do
    # Each target grows a corpus of its own: what is new to one is not to the other.
    mkdir -p "$build/corpus-$target"
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/bin/$target" -max_total_time="$share" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" "$build/corpus-$target" "$seeds"
done
