// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/clipplayer.h"

#include "audio/openaloutput.h"
#include "audio/sourcefeeder.h"

#include <algorithm>
#include <cstring>

ClipPlayer::ClipPlayer()
    : feeder(std::make_unique<SourceFeeder>(BufferCount, BuffersPerSecond))
    , tail(BufferBytes, 0)
{
    target.channels = Channels;
    target.sampleRate = SampleRate;
    target.bitsPerSample = 16;
    // Decode the whole file: the caller decides where a clip stops.
    target.clipStart = 0.0;
    target.clipEnd = 2147483647.0;
    ring.allocate(BufferBytes);
}

ClipPlayer::~ClipPlayer()
{
    stop();
}

bool ClipPlayer::open(const QString &path)
{
    stop();
    AudioInfo clip;
    clip.path = path;
    return decoder.open(clip, target);
}

void ClipPlayer::close()
{
    stop();
    decoder.close();
}

void ClipPlayer::play(double seconds)
{
    stop();
    ring.clear();
    if (decoder.isOpen())
        decoder.seek(seconds);
    feeder->start([this](unsigned name) {
        fillNext(name);
        return true;
    });
    playing = true;
}

void ClipPlayer::stop()
{
    if (feeder)
        feeder->stop();
    playing = false;
}

int ClipPlayer::poll()
{
    if (!playing)
        return 0;
    // A source that ran dry while the caller was held up plays on from the new buffers.
    return feeder->poll([this](unsigned name) {
        fillNext(name);
        return true;
    });
}

bool ClipPlayer::ensureUnread(int bytes)
{
    if (!ring.isAllocated())
        return false;
    while (ring.unread() < bytes) {
        if (decoder.clipEnded())
            return false;
        ring.compact();
        const int before = ring.fill();
        // The decoder stops once the ring's fill reaches 256 times its second argument: ask for
        // just what this buffer needs, so that each poll decodes little.
        decoder.decodeInto(ring, (bytes + AudioRing::FramesHeld - 1) / AudioRing::FramesHeld);
        if (ring.fill() == before && !decoder.clipEnded())
            return false;
    }
    return true;
}

void ClipPlayer::fillNext(unsigned name)
{
    if (ensureUnread(BufferBytes)) {
        feeder->output().fillBuffer(name, ring.data() + ring.readPos(), BufferBytes, Channels,
                                    SampleRate);
        ring.take(BufferBytes);
        return;
    }
    // The file has ended: what is left, then silence.
    const int left = ring.isAllocated() ? std::clamp(ring.unread(), 0, BufferBytes) & ~3 : 0;
    if (left > 0)
        std::memcpy(tail.data(), ring.data() + ring.readPos(), static_cast<size_t>(left));
    std::fill(tail.begin() + left, tail.end(), 0);
    ring.discard(ring.fill());
    feeder->output().fillBuffer(name, tail.data(), BufferBytes, Channels, SampleRate);
}

void ClipPlayer::setGain(float gain)
{
    feeder->output().setGain(gain);
}

float ClipPlayer::gain() const
{
    return feeder->output().gain();
}

bool ClipPlayer::usesClock() const
{
    return feeder->output().usesClock();
}

unsigned ClipPlayer::bufferName(int index) const
{
    return feeder->output().buffer(index);
}

int ClipPlayer::bufferBytes(int index) const
{
    return feeder->output().sizeOfBuffer(feeder->output().buffer(index));
}
