// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clib/handles.h"
#include "storyboard/storyboard.h"

#include <cstdint>
#include <memory>
#include <vector>

class AudioRing;

// Fills channels, sampleRate, bitsPerSample (16), duration, clipStart = 0, clipEnd = duration
// and the file's suffix, size and time from the file at info.path. False when the file cannot
// be read or holds no decodable audio stream. Reentrant.
bool readAudioInfo(AudioInfo &info);

// Decodes one audio clip, from wherever it was last positioned up to the last whole packet at
// or before its out-point, into an AudioRing as interleaved signed 16-bit PCM at the target's
// channel count and sample rate. Used by one thread at a time.
class AudioDecoder
{
public:
    AudioDecoder();
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder &) = delete;
    AudioDecoder &operator=(const AudioDecoder &) = delete;

    // Opens clip.path for decoding into target's channels and sampleRate; target's clipStart
    // and clipEnd (seconds) are the clip's in- and out-points. False when the file cannot be
    // read or holds no decodable audio stream.
    bool open(const AudioInfo &clip, const AudioInfo &target);
    // Positions the file at seconds from its start (on any packet, not only key frames);
    // returns the demuxer's result (negative on failure). Clears clipEnded().
    int seek(double seconds);
    // Appends PCM to the ring until its fill reaches bytesPerFrame * 256 or the clip ends.
    // Never writes past ring.allocation(): a decoded block that does not fit waits inside the
    // decoder for the next call. Always returns true; afterwards clipEnded() tells whether the
    // clip is exhausted (always so when nothing is open).
    bool decodeInto(AudioRing &ring, int bytesPerFrame);
    // Releases everything; safe to call repeatedly.
    void close();

    bool isOpen() const { return container != nullptr; }
    bool clipEnded() const { return ended; }
    // The index of the decoded stream in the file, -1 when none is open.
    int streamIndex() const { return stream; }
    // True while decoded audio goes through the converter rather than straight into the ring.
    bool usesResampler() const { return resampler != nullptr; }

private:
    enum class Stage { Reading, Draining, Finished };
    enum class Output { NeedInput, Drained, RingFull };

    Output receiveFrames(AudioRing &ring);
    void deliver(const AVFrame *decoded, AudioRing &ring);
    bool resamplerFits(const AVFrame *shape) const;
    bool prepareResampler(const AVFrame *shape);
    void flushResampler(AudioRing &ring);
    // Writes converted output for inSamples input samples (none: the resampler's tail) at the
    // ring's fill, or into the carry when it may not fit.
    void convert(const uint8_t **in, int inSamples, AudioRing &ring);
    void putBytes(const uint8_t *bytes, int size, AudioRing &ring);
    // Keeps samples (interleaved, whole frames) the ring has no room for.
    void addToCarry(const uint8_t *samples, int count);
    int carriedSamples() const;
    bool moveCarry(AudioRing &ring);
    void startDraining();

    AudioInfo target;
    FormatContextPtr container;
    int stream = -1;
    CodecContextPtr codec;
    PacketPtr packet;
    FramePtr frame;
    ResamplerPtr resampler;
    // The input the resampler was set up for; a decoded frame that differs rebuilds it.
    int resamplerFormat = -1;
    int resamplerRate = 0;
    uint64_t resamplerLayoutMask = 0;
    int resamplerChannels = 0;
    // Output that did not fit the ring yet; it goes in first at the next call.
    AudioFifoPtr carry;
    // Where a block that may not fit the ring is converted before it goes into the carry.
    std::vector<uint8_t> aside;
    int64_t endPts = 0; // the out-point in the stream's time base
    int64_t originMicroseconds = 0; // where the stream starts in the file
    Stage stage = Stage::Finished;
    bool ended = true;
};
