#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the source folders form a one-way chain, so that no layer comes to depend on one
# above it:
#   - every include of our own headers names its folder ("storyboard/storyboard.h");
#   - a folder includes headers only from its own folder and from folders on lower levels;
#     folders on one level do not include each other;
#   - a folder's library (vellumix_subsystem in its CMakeLists.txt) links only libraries of lower
#     levels, and links every folder it includes from;
#   - every folder with sources is in the table below (a new folder must be placed in the chain);
#   - custom widgets in designer forms name their header's folder.
# tests/<folder> is held to the rules of <folder>; tools/, bench/ and tests/tools/ sit on top,
# and fuzz/ above them.
# Usage: check-layers.sh [source root]. Prints each violation; exits 1 when there is any.
set -euo pipefail

# The chain, lowest level first. Keep README.md's folder table in step with it.
declare -A level=(
    [clib]=0
    [zofc]=1 [zomexif]=1
    [zomprofile]=2
    [storyboard]=3
    [audio]=4
    [preview]=5 [creation]=5
    [controls]=6
    [media]=7
    [app]=8
)
# Folders of programs built on top of the chain, and folders without sources.
top_folders=" tools bench fuzz "
plain_folders=" forms resources scripts cmake packaging docs "

root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"
status=0
fail()
{
    echo "$1"
    status=1
}

# The folder whose rules a source file follows: its own, the tested folder for tests, or
# "support" for the shared test helpers, which build on the lowest level only.
owner_of()
{
    local rel=$1 first rest second
    first=${rel%%/*}
    if [[ $first == tests ]]; then
        rest=${rel#tests/}
        second=${rest%%/*}
        [[ $second == support ]] && echo support || echo "$second"
    else
        echo "$first"
    fi
}

level_of()
{
    # The fuzz targets exercise the encoder launcher's argument handling from tools/.
    if [[ $1 == fuzz ]]; then
        echo 1001
    elif [[ $top_folders == *" $1 "* ]]; then
        echo 1000
    elif [[ $1 == support ]]; then
        echo 2
    else
        echo "${level[$1]:--1}"
    fi
}

# Our own header names, to tell <ourheader.h> from a system header.
declare -A ours=()
while IFS= read -r -d '' header; do
    ours[${header##*/}]=1
done < <(find . -mindepth 1 \( -name 'build*' -o -name '.*' \) -prune -o -type f -name '*.h' -print0)

declare -A reaches # "folder included-folder" pairs of the layers' own sources

while IFS= read -r -d '' file; do
    rel=${file#./}
    [[ $rel == */* ]] || continue
    first=${rel%%/*}
    [[ $first == build* || $plain_folders == *" $first "* ]] && continue
    owner=$(owner_of "$rel")
    own_level=$(level_of "$owner")
    if [[ $own_level == -1 ]]; then
        fail "$rel: folder '$owner' is not in the layer table of scripts/check-layers.sh"
        continue
    fi
    while IFS= read -r line; do
        number=${line%%:*}
        [[ ${line#*:} =~ [\<\"]([^\"\>]*)[\"\>] ]] || continue
        header=${BASH_REMATCH[1]}
        base=${header##*/}
        if [[ $header != */* ]]; then
            # Generated headers of forms and moc live in the build tree.
            [[ $base == ui_*.h || $base == *.moc || $base == moc_*.cpp ]] && continue
            # A bare system header in angle brackets is not ours.
            [[ ${line#*:} == *'<'* && -z ${ours[$base]:-} ]] && continue
            fail "$rel:$number: include \"$header\" names no folder"
            continue
        fi
        target=${header%%/*}
        if [[ $target == tests ]]; then
            if [[ $first != tests && $top_folders != *" $first "* ]]; then
                fail "$rel:$number: only tests, tools and benchmarks include test helpers (\"$header\")"
                continue
            fi
            rest=${header#tests/}
            target=${rest%%/*}
            [[ $target == support ]] && continue
        elif [[ -z ${level[$target]:-} && $top_folders != *" $target "* ]]; then
            # Angle-bracket headers of libraries (<libavutil/frame.h>, <QtCore/QString>).
            [[ ${line#*:} == *'<'* && ! -d $target ]] && continue
            fail "$rel:$number: \"$header\" is not in a folder of the layer table"
            continue
        fi
        [[ $target == "$owner" ]] && continue
        target_level=$(level_of "$target")
        if ((target_level >= own_level)); then
            fail "$rel:$number: $owner (level $own_level) includes \"$header\" of $target (level $target_level): a folder includes only from folders below it"
            continue
        fi
        [[ $first == "$owner" ]] && reaches["$owner $target"]=1
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" || true)
done < <(find . -mindepth 1 \( -name 'build*' -o -name '.*' \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

# Custom widgets in designer forms: the generated code includes their header as written.
while IFS= read -r -d '' form; do
    while IFS= read -r line; do
        [[ $line =~ \<header\>([^<]*)\</header\> ]] || continue
        header=${BASH_REMATCH[1]}
        [[ $header == */* && -n ${level[${header%%/*}]:-} ]] \
            || fail "${form#./}:${line%%:*}: custom widget header \"$header\" names no folder of the layer table"
    done < <(grep -n '<header>' "$form" || true)
done < <(find . -mindepth 1 \( -name 'build*' -o -name '.*' \) -prune -o -type f -name '*.ui' -print0)

# The libraries: each links only libraries below it, and every one it includes from.
for folder in "${!level[@]}"; do
    cmake_file=$folder/CMakeLists.txt
    [[ -f $cmake_file ]] || continue
    call=$(tr '\n' ' ' <"$cmake_file" | grep -oE 'vellumix_subsystem\([^)]*\)' | head -n1 || true)
    if [[ -z $call ]]; then
        fail "$cmake_file: no vellumix_subsystem() library"
        continue
    fi
    read -r -a words <<<"$(sed -E 's/^vellumix_subsystem\(//; s/\)$//' <<<"$call")"
    [[ ${words[0]} == "$folder" ]] || fail "$cmake_file: the library is named '${words[0]}', not '$folder'"
    declare -A links=()
    for word in "${words[@]:1}"; do
        [[ -n ${level[$word]:-} ]] || continue
        links[$word]=1
        if ((level[$word] >= level[$folder])); then
            fail "$cmake_file: $folder (level ${level[$folder]}) links $word (level ${level[$word]})"
        fi
    done
    for pair in "${!reaches[@]}"; do
        [[ ${pair%% *} == "$folder" ]] || continue
        target=${pair#* }
        [[ -n ${links[$target]:-} ]] || fail "$cmake_file: $folder includes from $target but does not link it"
    done
    unset links
done

if ((status == 0)); then
    echo "layers: one-way"
fi
exit $status
