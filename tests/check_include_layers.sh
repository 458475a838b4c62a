#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a library it must not see. Every include names its library
# ("core/FileNames.h") and all share the one include root src/, so the compiler cannot tell; this check can. Each
# library sees itself and the layers below it: core < media < engine < journal, and core < filelist, settings; engine, settings < presets
# (the saved sorts); all of them < ui, cli < the program (main.cpp). The command line (cli) stands beside the window, never below or above
# it.
set -euo pipefail
src="${1:?usage: check_include_layers.sh <src folder>}"

declare -A visible=(
    [core]="core"
    [engine]="core media engine"
    [journal]="core media engine journal"
    [filelist]="core filelist"
    [settings]="core settings"
    [presets]="core media engine settings presets"
    [media]="core media"
    [ui]="core media engine filelist settings presets journal ui"
    [cli]="core media engine filelist presets journal cli"
    [.]="core media engine filelist settings presets journal ui cli"
)

# Sets folder to the library of a file: the folder below src/ it is in, "." for the program.
setFolderOf() {
    local file=${1#./}
    if [[ "$file" == */* ]]; then folder=${file%%/*}; else folder=.; fi
}

failures=0
cd "$src"
while IFS= read -r -d '' file; do
    setFolderOf "$file"
    if [[ -z "${visible[$folder]+set}" ]]; then
        echo "$file: the folder $folder is no known library; add it to the table in $0"
        failures=$((failures + 1))
    fi
done < <(find . -name '*.h' -print0 -o -name '*.cpp' -print0)

# One line per include of a library header: ./engine/SortRun.cpp:#include "core/FileNames.h"
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z]+)/'
while IFS= read -r line; do
    file=${line%%:*}
    setFolderOf "$file"
    [[ "${line#*:}" =~ $pattern ]]
    library=${BASH_REMATCH[1]}
    if [[ -n "${visible[$folder]+set}" && " ${visible[$folder]} " != *" $library "* ]]; then
        echo "$file: includes a header of $library, which ${folder/#./the program} must not see"
        failures=$((failures + 1))
    fi
done < <(grep -rE --include='*.h' --include='*.cpp' "$pattern" .)

# Within the engine, the criteria (engine/criteria/) and the placement (engine/placement/) stand side by side: a
# criterion places its files through the run's SortContext, so neither folder includes a header of the other.
while IFS= read -r line; do
    echo "${line%%:*}: includes ${line#*:#include }, a header of the engine's other side"
    failures=$((failures + 1))
done < <(grep -rE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"engine/placement/' \
             engine/criteria; grep -rE --include='*.h' --include='*.cpp' \
             '^[[:space:]]*#[[:space:]]*include[[:space:]]*"engine/criteria/' engine/placement)

if ((failures > 0)); then
    echo "$failures include(s) across layers"
    exit 1
fi
echo "every include stays within its layer"
