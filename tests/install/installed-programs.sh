#!/usr/bin/env bash
# The installed programs run from the prefix alone: they carry no search path
# into the build or source folders, every library they need resolves from the
# system, and team-editor-cli works from a folder of its own.
set -euo pipefail
prefix=$1 build=$2 source=$3 version=$4
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for program in team-editor team-editor-cli; do
    binary=$prefix/bin/$program
    dynamic=$(readelf -d "$binary")
    if grep -E '\((RPATH|RUNPATH)\)' <<<"$dynamic"; then fail "$program keeps a library search path"; fi
    libraries=$(env -u LD_LIBRARY_PATH ldd "$binary")
    if grep 'not found' <<<"$libraries"; then fail "$program misses a library"; fi
    if grep -F -e "$build" -e "$source" <<<"$libraries"; then fail "$program loads from the build"; fi
done

cli=$prefix/bin/team-editor-cli
cp "$source/examples/sample-roster.htm" "$work/page.htm"
cd "$work"

out=$(env -u LD_LIBRARY_PATH "$cli" --version 2>"$work/err") || fail "--version failed: $(cat "$work/err")"
grep -qF "$version" <<<"$out" || fail "--version prints '$out', not $version"

out=$(env -u LD_LIBRARY_PATH "$cli" read page.htm) || fail "the installed team-editor-cli cannot read a page"
grep -q '"TeamName"' <<<"$out" || fail "read printed no team: $out"
