#!/usr/bin/env bash
# Both manual pages render at a terminal's width without a warning from man or
# groff, carry the project's version, and give the one-line summary that
# apropos and whatis show.
set -euo pipefail
prefix=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
for program in team-editor team-editor-cli; do
    page=$prefix/share/man/man1/$program.1.gz
    [ -f "$page" ] || fail "$page is missing"
    MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" >/dev/null 2>"$warnings" ||
        fail "man cannot render $program(1): $(cat "$warnings")"
    [ ! -s "$warnings" ] || fail "$program(1) renders with warnings:"$'\n'"$(cat "$warnings")"
    text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man -l "$page")
    grep -q "Team Editor $version" <<<"$text" || fail "$program(1) does not show version $version"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" "SEE ALSO"; do
        grep -q "^$section" <<<"$text" || fail "$program(1) has no $section section"
    done
    whatis=$(lexgrog "$page") || fail "lexgrog cannot read the NAME line of $program(1)"
    grep -q "\"$program - " <<<"$whatis" || fail "$program(1) has a bad NAME line: $whatis"
done
