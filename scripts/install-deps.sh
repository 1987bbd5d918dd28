#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs everything Vellumix needs to build and test on Debian 12. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-tools-dev qt6-tools-dev-tools
    qt6-l10n-tools qt6-translations-l10n libqt6svg6
    libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev ffmpeg
    libopenal-dev libopenal1
    libexif-dev libexiv2-dev
    libebur128-dev libaubio-dev
    qt6-image-formats-plugins libheif-dev libjpeg-dev
    libopencv-dev opencv-data
    fonts-dejavu-core fonts-lohit-deva fonts-droid-fallback fonts-urw-base35
    libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0 mesa-utils
    xvfb xauth dbus-daemon
    dpkg-dev file appstream desktop-file-utils man-db groff-base
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo_cmd apt-get update -q
    $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
