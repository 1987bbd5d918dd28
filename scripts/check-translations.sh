#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a catalogue is out of step with the sources: texts the catalogue does not hold yet,
# entries whose text is gone from the sources, or entries still waiting for a translation.
# Works on copies, so the catalogues themselves are left as they are.
# Usage: check-translations.sh LUPDATE LRELEASE SOURCE_DIR CATALOGUE...
set -u
lupdate=$1 lrelease=$2 source_dir=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$@"; do
    name=$(basename "$ts")
    cp "$ts" "$work/$name"
    report=$(cd "$source_dir" && "$lupdate" -locations none $(cat "$source_dir/resources/translations/sources.txt") \
        -ts "$work/$name" 2>&1) || { echo "$name: lupdate failed"; echo "$report"; status=1; continue; }
    new=$(sed -n 's/.*(\([0-9]*\) new and.*/\1/p' <<<"$report" | tail -1)
    obsolete=$(sed -n 's/.*Kept \([0-9]*\) obsolete entr.*/\1/p' <<<"$report" | tail -1)
    release=$("$lrelease" "$work/$name" -qm "$work/${name%.ts}.qm" 2>&1)
    unfinished=$(sed -n 's/.*(\([0-9]*\) finished and \([0-9]*\) unfinished).*/\2/p' <<<"$release" | tail -1)
    untranslated=$(sed -n 's/.*Ignored \([0-9]*\) untranslated.*/\1/p' <<<"$release" | tail -1)
    echo "$name: ${new:-?} new, ${obsolete:-0} obsolete, ${unfinished:-?} unfinished, ${untranslated:-0} untranslated"
    if [ "${new:-1}" != 0 ] || [ "${obsolete:-0}" != 0 ] || [ "${unfinished:-1}" != 0 ] \
        || [ "${untranslated:-0}" != 0 ]; then
        # lupdate's counts and lrelease's, without the parser's notes on the sources.
        grep -v 'Qualifying with\|Ignoring definition\|Scanning directory' <<<"$report"
        echo "$release"
        grep -B2 -A1 'type="unfinished"\|type="obsolete"\|type="vanished"' "$work/$name" | head -60
        echo "Run 'cmake --build build --target translations_update' and translate what is new."
        status=1
    fi
done
exit $status
