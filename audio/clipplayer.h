// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiodecoder.h"
#include "audio/audioring.h"

#include <QString>
#include <memory>
#include <vector>

class SourceFeeder;

// Plays one audio file from a chosen second through an OpenAL source of its own, beside the
// preview on the same device: interleaved 16-bit stereo at 44100 Hz whatever the file holds,
// one buffer per 1/25 s. It decodes on the caller's thread, a little at each poll, only as far
// as the source needs. The caller counts the finished buffers to know the position; after the
// end of the file the buffers carry silence, so the count keeps real-time pace to the end.
// Not thread-safe: one thread (the GUI thread) makes and uses it.
class ClipPlayer
{
public:
    static constexpr int BufferCount = 256;
    static constexpr int SampleRate = 44100;
    static constexpr int Channels = 2;
    static constexpr int BuffersPerSecond = 25;
    // 7056: a multiple of the 4-byte sample frame, so no sample is ever split between buffers.
    static constexpr int BufferBytes = SampleRate / BuffersPerSecond * Channels * 2;
    static_assert(BufferBytes % (Channels * 2) == 0);

    ClipPlayer();
    ~ClipPlayer();
    ClipPlayer(const ClipPlayer &) = delete;
    ClipPlayer &operator=(const ClipPlayer &) = delete;

    // Stops and opens the file for playing (the whole file). False when it cannot be read;
    // playing it then gives silence.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return decoder.isOpen(); }

    // Stops, positions the file at seconds, fills all buffers and plays them.
    void play(double seconds);
    // Stops the source and takes its buffers off it.
    void stop();
    bool isPlaying() const { return playing; }
    // Buffers finished since the last poll; each is filled again with the sound that follows
    // and queued behind the others.
    int poll();

    void setGain(float gain);
    float gain() const;
    // True when there is no sound output and a clock paces the source instead.
    bool usesClock() const;
    // The OpenAL buffer names and their sizes in bytes, for inspection.
    unsigned bufferName(int index) const;
    int bufferBytes(int index) const;

private:
    // Decodes until the ring holds bytes unread bytes; false when the file ends first.
    bool ensureUnread(int bytes);
    void fillNext(unsigned name);

    AudioDecoder decoder;
    AudioInfo target;
    AudioRing ring;
    std::unique_ptr<SourceFeeder> feeder;
    // One buffer's worth: the file's last sound padded with silence, or silence alone.
    std::vector<uint8_t> tail;
    bool playing = false;
};
