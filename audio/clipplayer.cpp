#include "audio/clipplayer.h"

#include "audio/openaloutput.h"

#include <algorithm>
#include <cstring>

ClipPlayer::ClipPlayer()
    : output(std::make_unique<OpenALOutput>(BufferCount))
    , tail(BufferBytes, 0)
    , finished(BufferCount, 0)
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
    for (int i = 0; i < BufferCount; ++i)
        fillNext(output->buffer(i));
    std::vector<unsigned> names(BufferCount);
    for (int i = 0; i < BufferCount; ++i)
        names[static_cast<size_t>(i)] = output->buffer(i);
    output->playQueued(names.data(), BufferCount);
    playing = true;
}

void ClipPlayer::stop()
{
    if (output)
        output->stop();
    playing = false;
}

int ClipPlayer::poll()
{
    if (!playing)
        return 0;
    const int processed = std::min(output->processedBuffers(), BufferCount);
    if (processed <= 0)
        return 0;
    output->unqueue(finished.data(), processed);
    for (int i = 0; i < processed; ++i)
        fillNext(finished[static_cast<size_t>(i)]);
    output->queue(finished.data(), processed);
    // A source that ran dry while the caller was held up plays on from the new buffers.
    if (output->sourceStopped())
        output->resume();
    return processed;
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
        output->fillBuffer(name, ring.data() + ring.readPos(), BufferBytes, Channels, SampleRate);
        ring.take(BufferBytes);
        return;
    }
    // The file has ended: what is left, then silence.
    const int left = ring.isAllocated() ? std::clamp(ring.unread(), 0, BufferBytes) & ~3 : 0;
    if (left > 0)
        std::memcpy(tail.data(), ring.data() + ring.readPos(), static_cast<size_t>(left));
    std::fill(tail.begin() + left, tail.end(), 0);
    ring.discard(ring.fill());
    output->fillBuffer(name, tail.data(), BufferBytes, Channels, SampleRate);
}

void ClipPlayer::setGain(float gain)
{
    output->setGain(gain);
}

float ClipPlayer::gain() const
{
    return output->gain();
}

bool ClipPlayer::usesClock() const
{
    return output->usesClock();
}

unsigned ClipPlayer::bufferName(int index) const
{
    return output->buffer(index);
}

int ClipPlayer::bufferBytes(int index) const
{
    return output->sizeOfBuffer(output->buffer(index));
}
