#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the layer check on small source trees: a sound one must pass, and each kind of knot in
# the chain must make it fail with a line naming the fault.
set -uo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A tree with three layers that respects the chain.
make_tree()
{
    rm -rf "$work/tree"
    mkdir -p "$work/tree"/{zofc,storyboard,audio,preview,creation,tests/audio,tests/support,tools/x}
    cd "$work/tree"
    echo 'vellumix_subsystem(zofc LIBS Qt6::Widgets)' >zofc/CMakeLists.txt
    echo 'vellumix_subsystem(storyboard LIBS zofc)' >storyboard/CMakeLists.txt
    printf 'vellumix_subsystem(audio\n    LIBS storyboard zofc)\n' >audio/CMakeLists.txt
    echo 'vellumix_subsystem(preview LIBS audio)' >preview/CMakeLists.txt
    echo 'vellumix_subsystem(creation LIBS audio)' >creation/CMakeLists.txt
    touch zofc/zopref.h storyboard/storyboard.h audio/audioring.h preview/avplayer.h \
        creation/job.h tests/support/testsupport.h
    printf '#include "zofc/zopref.h"\n#include <QString>\n#include <cstdint>\n' >storyboard/storyboard.cpp
    printf '#include "audio/audioring.h"\n#include "storyboard/storyboard.h"\n#include "ui_x.h"\n' \
        >audio/audioring.cpp
    printf '#include "preview/avplayer.h"\n#include "audio/audioring.h"\n' >preview/avplayer.cpp
    printf '#include "creation/job.h"\n#include "audio/audioring.h"\n' >creation/job.cpp
    printf '#include "audio/audioring.h"\n#include "tests/support/testsupport.h"\n#include "t.moc"\n' \
        >tests/audio/tst_ring.cpp
    printf '#include "preview/avplayer.h"\n#include "tools/x/x.h"\n' >tools/x/main.cpp
    touch tools/x/x.h
}

# expect_fail NAME PATTERN: the check fails and prints a line matching PATTERN.
expect_fail()
{
    local output
    if output=$(bash "$check" "$work/tree" 2>&1); then
        echo "FAIL $1: the check passed"
        failures=$((failures + 1))
    elif ! grep -qE "$2" <<<"$output"; then
        echo "FAIL $1: no line matches '$2' in:"
        echo "$output"
        failures=$((failures + 1))
    else
        echo "PASS $1"
    fi
}

make_tree
if output=$(bash "$check" "$work/tree" 2>&1); then
    echo "PASS sound tree"
else
    echo "FAIL sound tree: $output"
    failures=$((failures + 1))
fi

make_tree
echo '#include "audio/audioring.h"' >>storyboard/storyboard.cpp
expect_fail "upward include" 'storyboard/storyboard.cpp:4: storyboard .* includes "audio/audioring.h"'

make_tree
echo '#include "creation/job.h"' >>preview/avplayer.cpp
expect_fail "include across one level" 'preview/avplayer.cpp:3: .*"creation/job.h"'

make_tree
echo '#include "audioring.h"' >>audio/audioring.cpp
expect_fail "bare include" 'audio/audioring.cpp:4: include "audioring.h" names no folder'

make_tree
echo '#include <audioring.h>' >>preview/avplayer.cpp
expect_fail "bare include in angle brackets" 'preview/avplayer.cpp:3: include "audioring.h"'

make_tree
echo '#include "preview/avplayer.h"' >>tests/audio/tst_ring.cpp
expect_fail "test reaching above its folder" 'tests/audio/tst_ring.cpp:4: audio .*preview'

make_tree
echo '#include "tools/x/x.h"' >>creation/job.cpp
expect_fail "library including a tool" 'creation/job.cpp:3: .*tools/x/x.h'

make_tree
mkdir -p widgets
echo '#include "audio/audioring.h"' >widgets/w.cpp
expect_fail "folder outside the table" "widgets/w.cpp: folder 'widgets' is not in the layer table"

make_tree
mkdir -p tests/widgets
echo '#include "audio/audioring.h"' >tests/widgets/tst_w.cpp
expect_fail "test folder outside the table" "tests/widgets/tst_w.cpp: folder 'widgets'"

make_tree
echo 'vellumix_subsystem(storyboard LIBS zofc audio)' >storyboard/CMakeLists.txt
expect_fail "upward link" 'storyboard/CMakeLists.txt: storyboard .* links audio'

make_tree
echo 'vellumix_subsystem(preview LIBS storyboard)' >preview/CMakeLists.txt
expect_fail "include without its library" 'preview/CMakeLists.txt: preview includes from audio but does not link it'

make_tree
mkdir -p forms
printf '<ui>\n <customwidget>\n  <header>sliderbar.h</header>\n </customwidget>\n</ui>\n' >forms/x.ui
expect_fail "form with a bare widget header" 'forms/x.ui:3: custom widget header "sliderbar.h"'

exit $((failures > 0))
