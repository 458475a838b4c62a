#!/usr/bin/env bash
# Brings the translation files under translations/ up to date with the texts in the sources: new texts come in
# unfinished, texts no longer in the sources are marked vanished, finished translations stay. Run it after changing
# a text, then translate what is unfinished (Qt Linguist, or by hand) and delete what vanished.
# Usage: scripts/update-translations.sh [TREE]   (TREE: the source tree to update, by default this one)
set -euo pipefail

tree=$(cd "${1:-$(dirname "$0")/..}" && pwd)
# Qt 6's lupdate (qt6-l10n-tools), which Debian keeps out of PATH; a lupdate in PATH may be Qt 5's.
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
cd "$tree"

# The window's texts and the texts that the engine, the file list and the journal give it: Chinese, translated to
# English. The command line's own texts: English, translated to Chinese.
"$lupdate" -locations none -I src -source-language zh_CN -target-language en \
    src/ui src/engine src/filelist src/journal src/settings src/core -ts translations/varnoth_en.ts
"$lupdate" -locations none -I src -source-language en -target-language zh_CN \
    src/cli -ts translations/varnoth_cli_zh_CN.ts
