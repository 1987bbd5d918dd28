#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the dependencies, builds Vellumix and makes a video from the bundled sample media:
# painted photos and a synthesised tune. Prints where the video went. Needs no display.
# Arguments are passed on to "vellumix create" (for example --profile webm).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
mkdir -p build/videos
video=$(build/bin/vellumix create --output-dir build/videos --name "Vellumix Sample" \
    --sync-audio "$@" build/bin/samples/photos build/bin/samples/music | tail -n 1)
echo "The sample video is at: $video"
