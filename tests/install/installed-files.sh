#!/usr/bin/env bash
# Every installed file is where menus, software centres, man and dpkg look for
# it, nothing else is installed, and the desktop entry and the metadata pass
# the validators of the desktop and AppStream tools.
set -euo pipefail
prefix=$1 id=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

expected=$(sort <<EOF_LIST
bin/team-editor
bin/team-editor-cli
share/applications/$id.desktop
share/doc/team-editor/changelog.gz
share/doc/team-editor/copyright
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/team-editor-cli.1.gz
share/man/man1/team-editor.1.gz
share/metainfo/$id.metainfo.xml
EOF_LIST
)
installed=$(cd "$prefix" && find . -type f -printf '%P\n' | sort)
[ "$installed" = "$expected" ] ||
    fail "installed files differ from the expected list:"$'\n'"$(diff <(echo "$expected") <(echo "$installed"))"

for program in team-editor team-editor-cli; do
    [ -x "$prefix/bin/$program" ] || fail "$program is not executable"
done

# Each PNG is a real picture of the size its folder names.
for size in 48 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    file -b "$png" | grep -q "^PNG image data, $size x $size," ||
        fail "$png is not a $size px PNG: $(file -b "$png")"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"

# The validators print hints (for example on two main categories) but fail on
# errors; warnings fail here too.
desktop=$prefix/share/applications/$id.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
if grep -E 'error|warning' <<<"$report"; then fail "desktop-file-validate warns"; fi
metainfo=$prefix/share/metainfo/$id.metainfo.xml
report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) || fail "appstreamcli: $report"
if grep -E '^[EW]:' <<<"$report"; then fail "appstreamcli warns"; fi

# The entry starts the installed editor with its icon, claims no web pages,
# and the metadata names this entry and this version.
grep -qx 'Exec=team-editor %u' "$desktop" || fail "the desktop entry does not start team-editor"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
if grep -q '^MimeType=.*text/html' "$desktop"; then fail "the desktop entry claims text/html"; fi
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not name the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's release is not $version"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "the metadata has no content rating"
zcat "$prefix/share/doc/team-editor/changelog.gz" | head -n 1 | grep -q "^team-editor ($version) " ||
    fail "the changelog's first entry is not $version"
echo "$(wc -l <<<"$installed") files installed as expected"
