// SPDX-License-Identifier: GPL-3.0-or-later
// Audio files as the import and the renderer read them: the description, then a few seconds
// decoded and converted to the output's 16-bit stereo at 48 kHz, with one seek on the way.
#include "audio/audiodecoder.h"
#include "audio/audioring.h"
#include "fuzz/fuzzsupport.h"

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <array>

namespace {

// The audio types the import accepts. FFmpeg's probe weighs a file's suffix, so the first byte
// of each input picks one; the rest is the file.
constexpr std::array suffixes = {"aac", "aiff", "ac3", "ape", "au",  "flac", "mpa",
                                 "mp2", "mp3",  "ogg", "ra",  "wav", "wma",  "m4a"};

// Stereo at 48 kHz in units of 10 ms, so that one call fills the ring with 2.56 s of sound.
constexpr int BytesPerFrame = 480 * 2 * 2;
constexpr double SecondsDecoded = 3.0;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialize(argc, argv, {"-timeout=20", "-rss_limit_mb=3072", "-max_len=262144"});
    av_log_set_level(AV_LOG_QUIET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    AudioInfo info;
    info.path = fuzz::writeInput(data + 1, size - 1,
                                 QString::fromLatin1(suffixes[data[0] % suffixes.size()]));
    if (!readAudioInfo(info))
        return 0;
    fuzz::require(info.channels > 0 && info.sampleRate > 0, "a readable file has a shape");
    fuzz::require(info.duration >= 0.0 && info.clipEnd == info.duration, "the clip spans the file");

    AudioInfo target;
    target.channels = 2;
    target.sampleRate = 48000;
    target.clipStart = 0.0;
    target.clipEnd = info.duration > 0.0 ? std::min(info.duration, SecondsDecoded) : SecondsDecoded;

    AudioRing ring;
    fuzz::require(ring.allocate(BytesPerFrame), "ring allocated");
    AudioDecoder decoder;
    if (!decoder.open(info, target))
        return 0;
    // Enough calls for the clip's few seconds; each fills at most the ring, which is emptied
    // between calls as a consumer would.
    for (int call = 0; call < 4 && !decoder.clipEnded(); ++call) {
        decoder.decodeInto(ring, BytesPerFrame);
        fuzz::require(ring.fill() >= 0 && ring.fill() <= ring.allocation(), "ring fill in bounds");
        fuzz::require(ring.fill() % 2 == 0, "whole 16-bit samples");
        ring.discard(ring.fill());
        if (call == 1)
            decoder.seek(target.clipEnd / 2);
    }
    return 0;
}
