#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the program, a valid menu entry and the icon are
# where desktops look for them.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" > /dev/null
test -x "$prefix/bin/varnoth"
desktop-file-validate "$prefix/share/applications/varnoth.desktop"
grep -q '^Icon=varnoth$' "$prefix/share/applications/varnoth.desktop"
test -s "$prefix/share/icons/hicolor/scalable/apps/varnoth.svg"
test -s "$prefix/share/icons/hicolor/256x256/apps/varnoth.png"
test -s "$prefix/share/icons/hicolor/48x48/apps/varnoth.png"
echo "installed and valid"
