#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ (or the folder given as
# $2) and runs them for the given number of seconds in all (60 by default),
# shared evenly among them. The page targets start from the hand-made cases in
# fuzz/corpus/, the pages in examples/ and, when present, the real pages of
# ../shared/corpus/real/; the others from a few small seeds made here. A crash
# leaves its input in <build>/findings/ and fails the run.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-fuzz}
targets=(page_reader_fuzz page_importer_fuzz league_rules_fuzz ini_file_fuzz reply_fuzz paste_text_fuzz)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTE_BUILD_FUZZ=ON -DTE_BUILD_TESTS=OFF -DTE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
    mkdir -p "$seeds/$target"
done

pages=("$seeds/page_reader_fuzz" "$seeds/page_importer_fuzz")
real="$root/../shared/corpus/real"
for dir in "${pages[@]}"; do
    cp "$root"/fuzz/corpus/* "$root"/examples/*.htm "$dir"/
    if [ -d "$real" ]; then
        find "$real" -maxdepth 1 -type f -name '*.htm*' -exec cp {} "$dir"/ \;
    fi
done

# The rules file, then after a NUL the roster's cells: the race is the fifth
# cell, the first player's name and position the 49th and 50th.
rules="$seeds/league_rules_fuzz"
cp "$root/examples/example-league.json" "$rules/league.json"
# The byte 1, then an edit of the example league: its name becomes "Dwarf Leagu".
printf '\001\002\000\000\013Dwarf League' >"$rules/edited"
{
    cat "$root/examples/example-league.json"
    # "|" parts the cells.
    printf '|||||Dwarf%44s' '' | tr ' ' '|'
    printf 'Grim|Runner|6|3|3|8|Sure Hands, Block, +1 MA|Niggling Injury, -1 AV||||||16|90k'
} | tr '|' '\0' >"$rules/roster"

ini="$seeds/ini_file_fuzz"
printf '[Team HTML]\r\nhttp://a.example/x=1.htm=\r\n\r\n[Current]\r\nTeam HTML=0x1\r\n' >"$ini/history"
printf '\xEF\xBB\xBF[Recent Pages]\nPage1=/a b.htm\n[Other]\nk=v\n\0Recent Pages\0Page2\0/c.htm' >"$ini/recent"

reply="$seeds/reply_fuzz"
printf 'HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello' >"$reply/plain"
printf 'HTTP/1.1 302 Found\r\nLocation: ../other/./page.htm?a=1#top\r\n\r\n' >"$reply/redirect"
{
    printf 'HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\nContent-Encoding: identity\r\n\r\n'
    printf '<html>roster</html>' | gzip -c
    printf 'more' | gzip -c
} >"$reply/gzip"
{
    printf 'HTTP/1.0 200 OK\nContent-Encoding: deflate\n\n'
    printf '<html>roster</html>' | python3 -c 'import sys, zlib; sys.stdout.buffer.write(zlib.compress(sys.stdin.buffer.read()))'
} >"$reply/deflate"

# The byte 1, then a page to pack: the byte 0x80 packs it as two gzip streams.
printf '\001\200<html>roster</html>' >"$reply/packed"

paste="$seeds/paste_text_fuzz"
printf 'Grim\tRunner\t6\r\n"two\nlines"\t"say ""hi"""\t\n\t\r' >"$paste/cells"
printf 'a\001b\002"c\tc"\002\001\002\n' >"$paste/block"

share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1
for target in "${targets[@]}"; do
    # Each target grows a corpus of its own: what is new to one is not to the other.
    mkdir -p "$build/corpus-$target"
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/bin/$target" -max_total_time="$share" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" "$build/corpus-$target" "$seeds/$target"
done
