// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audioanalysis.h"

#include "audio/audiodecoder.h"
#include "audio/audioring.h"
#include "audio/loudness.h"

namespace {

// The decoder's unit of buffering while measuring: about 20 ms of sound.
constexpr int ChunkFrames = 1024;

} // namespace

bool analyseAudio(AudioInfo &info)
{
    if (info.sampleRate <= 0 || !(info.duration > 0.0))
        return false;
    AudioInfo target;
    target.channels = 2;
    target.sampleRate = info.sampleRate;
    target.clipStart = 0.0;
    target.clipEnd = info.duration;
    const int align = target.channels * 2;
    AudioRing pcm;
    AudioDecoder decoder;
    LoudnessMeter meter;
    if (!pcm.allocate(ChunkFrames * align) || !meter.start(target.channels, target.sampleRate)
        || !decoder.open(info, target) || decoder.seek(0.0) < 0)
        return false;
    qint64 frames = 0;
    do {
        decoder.decodeInto(pcm, ChunkFrames * align);
        const int whole = pcm.fill() / align;
        meter.add(reinterpret_cast<const int16_t *>(pcm.data()), whole);
        frames += whole;
        pcm.discard(whole * align);
    } while (!decoder.clipEnded());
    if (frames == 0)
        return false;
    info.loudness = meter.integratedLufs();
    info.truePeak = meter.truePeakDb();
    info.measured = true;
    return true;
}
