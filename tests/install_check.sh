#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the program, its menu entry, software-centre listing,
# icons and documents are where desktops and Debian look for them.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" > /dev/null
bash "$(dirname "$0")/../packaging/check-installed-files.sh" "$prefix"
echo "installed and valid"
