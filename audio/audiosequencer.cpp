// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audiosequencer.h"

#include "storyboard/showtimeline.h"

#include <QDebug>
#include <algorithm>
#include <climits>
#include <cstring>

AudioSequencer::~AudioSequencer()
{
    decoder.close();
}

void AudioSequencer::setFormat(const MediaFormat &newFormat)
{
    audioRing.release();
    format = newFormat;
    clipFormat.channels = format.channels;
    clipFormat.sampleRate = format.sampleRate;
    clipFormat.bitsPerSample = format.bitsPerSample;
    const qint64 bitsPerSecond
        = qint64 {format.sampleRate} * format.bitsPerSample * qint64 {format.channels};
    frameBytes = format.frameRate > 0.0
        ? static_cast<int>(static_cast<double>(bitsPerSecond) / format.frameRate * 0.125)
        : 0;
    if (!audioRing.allocate(frameBytes))
        qWarning("AudioSequencer: no audio ring for %d bytes a frame", frameBytes);
    pendingSilence = 0;
}

void AudioSequencer::restart()
{
    planFade();
    audioRing.clear();
}

int AudioSequencer::blockAlign() const
{
    return format.channels * format.bitsPerSample / 8;
}

void AudioSequencer::planFade()
{
    // The show's sound ends where its picture does: totalFrames whole frames of sound, as the
    // writer takes them.
    const bool on = storyBoard && storyBoard->fadeInOut && format.bitsPerSample == 16;
    const qint64 frames
        = storyBoard ? ShowTimeline::of(*storyBoard, format.frameRate).totalFrames : 0;
    const int align = blockAlign();
    fade.set(on && align > 0, align > 0 ? frames * frameBytes / align : 0, format.sampleRate);
}

int AudioSequencer::clipFrames(int index) const
{
    const AudioInfo &clip = storyBoard->audios.at(index);
    return static_cast<int>((clip.clipEnd - clip.clipStart) * format.frameRate);
}

bool AudioSequencer::openClip(int index)
{
    const AudioInfo &clip = storyBoard->audios.at(index);
    clipFormat.clipStart = clip.clipStart;
    clipFormat.clipEnd = clip.clipEnd;
    pendingSilence = 0;
    if (decoder.open(clip, clipFormat))
        return true;
    // The clip keeps its place on the timeline: it plays as silence for its own length.
    qDebug() << "AudioSequencer: cannot open audio" << clip.path;
    pendingSilence = qint64 {clipFrames(index)} * frameBytes;
    return false;
}

void AudioSequencer::seek(int k)
{
    trackBytes = qint64 {k} * frameBytes;
    planFade();
    if (!storyBoard || storyBoard->audios.isEmpty())
        return;
    nextClip = INT_MAX;
    pendingSilence = 0;
    decoder.close();
    const int count = static_cast<int>(storyBoard->audios.size());

    bool anyLength = false;
    for (int i = 0; i < count; ++i)
        anyLength = anyLength || clipFrames(i) > 0;

    qint64 start = 0;
    int found = -1;
    for (int i = 0;; ++i) {
        if (i == count) {
            if (!storyBoard->loopAudio || !anyLength)
                return;
            i = 0;
        }
        const int length = clipFrames(i);
        if (start <= k && k < start + length) {
            found = i;
            break;
        }
        start += length;
        if (!storyBoard->loopAudio && start > k)
            return;
    }

    nextClip = found;
    if (openClip(found)) {
        decoder.seek((k - start) / format.frameRate + clipFormat.clipStart);
    } else {
        pendingSilence = qint64 {clipFrames(found) - (k - start)} * frameBytes;
    }
    nextClip = found + 1;
}

void AudioSequencer::writeSilence(int bytes)
{
    std::memset(audioRing.writeArea(), 0, static_cast<size_t>(bytes));
    audioRing.wrote(bytes);
}

bool AudioSequencer::fill()
{
    // Consumers hold the lock only to copy a frame's worth.
    const AudioRing::Lock lock(audioRing);
    const int limit = frameBytes * AudioRing::FramesHeld;
    if (!audioRing.isAllocated() || audioRing.fill() >= limit)
        return false;
    // Producers write from fill rounded down to even; the fade follows the bytes as they stand.
    uint8_t *const written = audioRing.writeArea();
    const int from = audioRing.writePos();
    const qint64 fromOffset = trackBytes - (audioRing.fill() - from);
    produce(limit);
    const int bytes = audioRing.fill() - from;
    fade.apply(written, bytes, fromOffset, blockAlign());
    trackBytes = fromOffset + bytes;
    return true;
}

void AudioSequencer::produce(int limit)
{
    const int count = storyBoard ? static_cast<int>(storyBoard->audios.size()) : 0;
    if (count > 0 && nextClip <= count) {
        if (pendingSilence > 0) {
            const int bytes
                = static_cast<int>(std::min<qint64>(pendingSilence, limit - audioRing.writePos()));
            writeSilence(bytes);
            pendingSilence -= bytes;
        } else {
            decoder.decodeInto(audioRing, frameBytes);
        }
        const bool ended = pendingSilence <= 0 && (decoder.clipEnded() || !decoder.isOpen());
        if (ended) {
            const int i = nextClip;
            int opened = i;
            if (i >= count) {
                if (!storyBoard->loopAudio) {
                    nextClip = i + 1;
                    return;
                }
                opened = 0;
            }
            nextClip = opened;
            if (openClip(opened))
                decoder.seek(clipFormat.clipStart);
            nextClip = opened + 1;
        }
    } else {
        writeSilence(limit - audioRing.writePos());
    }
}
