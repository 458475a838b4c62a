#!/usr/bin/env bash
# Checks that an installed tree below PREFIX holds everything a desktop and Debian look for: the program, a valid
# menu entry and software-centre listing named by the application id, the icons, the copyright file and changelog,
# and the manual page and bash completion whenever their sources are in the source tree.
# Usage: packaging/check-installed-files.sh PREFIX
set -euo pipefail
prefix=$1
source_dir=$(cd "$(dirname "$0")/.." && pwd)
application_id=example.varnoth.Varnoth

fail() {
    echo "installed files: $*" >&2
    exit 1
}
expect_file() {
    [[ -f "$prefix/$1" && -s "$prefix/$1" ]] || fail "missing or empty: $1"
}

[[ -f "$prefix/bin/varnoth" && -x "$prefix/bin/varnoth" ]] || fail "missing or not executable: bin/varnoth"

desktop=share/applications/$application_id.desktop
expect_file "$desktop"
desktop-file-validate "$prefix/$desktop" || fail "invalid menu entry: $desktop"
grep -q '^Exec=varnoth\b' "$prefix/$desktop" || fail "the menu entry does not start varnoth"
grep -q '^Icon=varnoth$' "$prefix/$desktop" || fail "the menu entry does not name the varnoth icon"
folders=share/applications/varnoth-folders.desktop
expect_file "$folders"
desktop-file-validate "$prefix/$folders" || fail "invalid entry for folders: $folders"
grep -q '^MimeType=inode/directory;$' "$prefix/$folders" || fail "no entry offers the program for folders"

metainfo=share/metainfo/$application_id.metainfo.xml
expect_file "$metainfo"
grep -q "<id>$application_id</id>" "$prefix/$metainfo" || fail "the listing's id is not $application_id"
grep -q "<launchable type=\"desktop-id\">$application_id.desktop</launchable>" "$prefix/$metainfo" ||
    fail "the listing does not launch $application_id.desktop"

expect_file share/icons/hicolor/scalable/apps/varnoth.svg
expect_file share/icons/hicolor/256x256/apps/varnoth.png
expect_file share/icons/hicolor/48x48/apps/varnoth.png

unit=lib/systemd/user/varnoth-watch@.service
expect_file "$unit"
grep -q '^ExecStart=/.*/varnoth watch --preset %I$' "$prefix/$unit" || fail "the user unit does not start varnoth watch"

expect_file share/doc/varnoth/copyright
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    "$prefix/share/doc/varnoth/copyright" || fail "the copyright file is not in Debian's machine-readable format"
expect_file share/doc/varnoth/changelog.gz
gzip -9n -c "$source_dir/packaging/changelog" | cmp -s - "$prefix/share/doc/varnoth/changelog.gz" ||
    fail "changelog.gz is not the changelog compressed with gzip -9n"

if [[ -f "$source_dir/data/varnoth.1" ]]; then
    expect_file share/man/man1/varnoth.1.gz
    gzip -9n -c "$source_dir/data/varnoth.1" | cmp -s - "$prefix/share/man/man1/varnoth.1.gz" ||
        fail "varnoth.1.gz is not the manual page compressed with gzip -9n"
fi
if [[ -f "$source_dir/data/varnoth.bash-completion" ]]; then
    expect_file share/bash-completion/completions/varnoth
    bash -n "$prefix/share/bash-completion/completions/varnoth" || fail "the bash completion does not parse"
fi
