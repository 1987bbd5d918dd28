#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The face measure: a wide photo with a face at its left end in a 9:16 show, and a tall photo
# with a face at its top in a 16:9 show, both cropped to fill the frame, are made into videos by
# "vellumix create"; a stock face detector then counts the frames that show the face (the aim is
# at least 90 %). Not part of the test suite.
# Usage: face-measure.sh [build folder with -DVELLUMIX_BUILD_BENCH=ON] (default build-bench)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
faces=$build/bench/bench_faces
vellumix=$build/bin/vellumix
for program in "$faces" "$vellumix"; do
    [[ -x $program ]] || { echo "missing $program: build with -DVELLUMIX_BUILD_BENCH=ON" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

measure()
{
    local name=$1 size=$2 x=$3 y=$4 share=$5 aspect=$6
    mkdir -p "$work/$name"
    "$faces" draw "$work/$name/photo.jpg" "$size" "$x" "$y" "$share"
    printf '%s: ' "$name"
    "$faces" found "$work/$name/photo.jpg"
    local video
    video=$("$vellumix" create --quiet --aspect "$aspect" --framing fill --set s=1280x720 \
        --output-dir "$work/$name" --name "$name" "$work/$name/photo.jpg" | tail -n 1)
    printf '%s (%s photo, face at %s,%s, %s show): ' "$name" "$size" "$x" "$y" "$aspect"
    "$faces" count "$video"
    # The same photo in a show that says it has no faces: the centred crop of before.
    printf '{"format": "vellumix-show", "version": 1, "album": {"framing": "fill"},
             "photos": [{"path": "photo.jpg", "faces": []}]}' >"$work/$name/centred.vellumix"
    video=$("$vellumix" create --quiet --aspect "$aspect" --set s=1280x720 \
        --output-dir "$work/$name" --name "$name-centred" "$work/$name/centred.vellumix" | tail -n 1)
    printf '%s, centred crop as before: ' "$name"
    "$faces" count "$video"
}

measure face-left 3000x2000 0.15 0.45 0.45 9:16
measure face-top 2000x3000 0.5 0.14 0.22 16:9
