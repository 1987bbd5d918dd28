// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Turns the program's encoder command line (the words after "avc") into the arguments of the
// system's ffmpeg:
// - "-@" is the program's marker and is dropped;
// - "-metadata key = value" becomes "-metadata key=value";
// - a frame rate "25fps" loses its unit, and the NTSC rates 23.976, 29.97 and 59.94 become exact
//   fractions;
// - the codec name "libvp8" becomes ffmpeg's "libvpx";
// - the bit rate "-b" is the video's, "-b:v";
// - "-cbrorvbr" (rate-control mode) is dropped, and "-vbrquality q" becomes the video encoder's
//   own constant-quality option (-crf for x264, x265 and vpx, -q:v otherwise);
// - a stream copy of video keeps the packets before the first key frame ("-copyinkf"): some
//   demuxers (SWF) flag no key frames at all, and the copy would hold no video;
// - one image written with "-f image2" to a name without a frame number gets "-update 1";
// - runs that do not read standard input get "-nostdin", so ffmpeg never waits on it.
std::vector<std::string> translateArguments(const std::vector<std::string> &args);
