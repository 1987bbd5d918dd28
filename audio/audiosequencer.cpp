// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audiosequencer.h"

#include "audio/loudness.h"
#include "storyboard/showtimeline.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Video frames of sound mixed in one fill step at most, so that consumers wait little for the
// ring's lock.
constexpr int FramesPerStep = 32;

} // namespace

AudioSequencer::~AudioSequencer()
{
    for (Voice &voice : voices)
        voice.decoder.close();
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
    for (Voice &voice : voices) {
        voice.decoder.close();
        voice.index = -1;
        voice.pcm.release();
        voice.pcm.allocate(frameBytes);
    }
    planned = false;
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

void AudioSequencer::planTrack()
{
    QList<qint64> lengths;
    clipGains.clear();
    const int rate = format.sampleRate;
    const int target = storyBoard ? storyBoard->loudnessTarget : AlbumSettings::LoudnessOff;
    if (storyBoard && rate > 0) {
        for (const AudioInfo &clip : storyBoard->audios) {
            lengths.append(std::llround((clip.clipEnd - clip.clipStart) * rate));
            clipGains.append(loudnessGain(clip, target));
        }
    }
    const qint64 crossfade = storyBoard ? qint64 {storyBoard->crossfadeMs} * rate / 1000 : 0;
    track.set(lengths, crossfade, storyBoard && storyBoard->loopAudio);
    limiting = target != AlbumSettings::LoudnessOff && format.bitsPerSample == 16 && rate > 0;
    if (limiting)
        limiter.setup(format.channels, rate, LoudnessCeilingDb);
}

void AudioSequencer::seek(int k)
{
    // A frame's share of the sound need not be whole samples (3203 bytes a frame in mono at
    // 29.97 frames/s): playing from a frame starts at its first whole sample, or every sample
    // after it would be read from the middle of two.
    const qint64 at = qint64 {k} * frameBytes;
    const int align = blockAlign();
    seekBytes(align > 0 ? at - at % align : at);
}

void AudioSequencer::seekBytes(qint64 offset)
{
    planFade();
    planTrack();
    planned = true;
    trackBytes = offset;
    for (Voice &voice : voices) {
        voice.decoder.close();
        voice.index = -1;
    }
    mixed.clear();
    const int align = blockAlign();
    if (align <= 0)
        return;
    mixAt = offset / align;
    mixedFrom = mixAt * align;
    nextEntry = track.firstFrom(mixAt).value_or(-1);
    if (limiting) {
        // The limiter looks ahead: it is given the sound from here on until its first output is
        // the sound at this very place.
        limiter.reset();
        const int ahead = limiter.latency();
        sums.assign(size_t(ahead) * format.channels, 0.0f);
        mixInto(sums.data(), ahead);
        std::vector<float> none(static_cast<size_t>(format.channels));
        for (int i = 0; i < ahead; ++i)
            limiter.push(sums.data() + size_t(i) * format.channels, none.data());
    }
}

void AudioSequencer::openVoice(qint64 index, qint64 at)
{
    const std::optional<ClipTrack::Entry> entry = track.entry(index);
    if (!entry)
        return;
    // A free voice; were none free, the one ending first gives way.
    Voice *voice = &voices[0];
    for (Voice &v : voices) {
        if (v.index < 0) {
            voice = &v;
            break;
        }
        if (v.entry.end() < voice->entry.end())
            voice = &v;
    }
    voice->entry = *entry;
    voice->index = index;
    voice->gain = clipGains.value(entry->clip, 1.0);
    voice->pcm.discard(voice->pcm.fill());
    const AudioInfo &clip = storyBoard->audios.at(entry->clip);
    clipFormat.clipStart = clip.clipStart;
    clipFormat.clipEnd = clip.clipEnd;
    if (voice->decoder.open(clip, clipFormat)) {
        voice->decoder.seek(clip.clipStart + double(at - entry->start) / format.sampleRate);
    } else {
        // The clip keeps its place on the track: it plays as silence for its own length.
        qDebug() << "AudioSequencer: cannot open audio" << clip.path;
    }
}

void AudioSequencer::addVoice(Voice &voice, float *sum, qint64 from, int frames)
{
    const int channels = format.channels;
    const int align = blockAlign();
    const int need = frames * align;
    while (voice.decoder.isOpen() && !voice.decoder.clipEnded() && voice.pcm.fill() < need) {
        const int before = voice.pcm.fill();
        voice.decoder.decodeInto(voice.pcm, frameBytes);
        if (voice.pcm.fill() == before && !voice.decoder.clipEnded())
            break;
    }
    // What the decoder does not give (a clip shorter than its file says) stays silent.
    const int available = std::min(need, voice.pcm.fill()) / align;
    const auto *pcm = reinterpret_cast<const int16_t *>(voice.pcm.data());
    constexpr float scale = 1.0f / 32768.0f;
    for (int i = 0; i < available; ++i) {
        const float gain
            = static_cast<float>(voice.gain * ClipTrack::gainAt(voice.entry, from + i)) * scale;
        for (int c = 0; c < channels; ++c)
            sum[i * channels + c] += float(pcm[i * channels + c]) * gain;
    }
    if (available > 0)
        voice.pcm.discard(available * align);
}

void AudioSequencer::mixInto(float *sum, int frames)
{
    const int channels = format.channels;
    qint64 from = mixAt;
    const qint64 end = mixAt + frames;
    while (from < end) {
        std::optional<ClipTrack::Entry> next;
        while (nextEntry >= 0) {
            next = track.entry(nextEntry);
            if (!next) {
                nextEntry = -1;
                break;
            }
            if (next->start > from)
                break;
            openVoice(nextEntry, from);
            ++nextEntry;
            next.reset();
        }
        // Up to where the voices sounding stay the same.
        qint64 stop = end;
        if (next)
            stop = std::min(stop, next->start);
        for (const Voice &voice : voices) {
            if (voice.index >= 0)
                stop = std::min(stop, voice.entry.end());
        }
        for (Voice &voice : voices) {
            if (voice.index < 0)
                continue;
            addVoice(voice, sum + (from - mixAt) * channels, from, int(stop - from));
            if (voice.entry.end() <= stop) {
                voice.decoder.close();
                voice.index = -1;
            }
        }
        from = stop;
    }
    mixAt = end;
}

void AudioSequencer::produce(int frames)
{
    const int channels = format.channels;
    sums.assign(size_t(frames) * channels, 0.0f);
    mixInto(sums.data(), frames);
    if (limiting) {
        std::vector<float> out(static_cast<size_t>(channels));
        for (int i = 0; i < frames; ++i) {
            float *frame = sums.data() + size_t(i) * channels;
            if (limiter.push(frame, out.data()))
                std::copy(out.cbegin(), out.cend(), frame);
        }
    }
    const size_t at = mixed.size();
    mixed.resize(at + size_t(frames) * channels * sizeof(int16_t));
    for (size_t i = 0; i < sums.size(); ++i) {
        const long value = std::lround(double(sums[i]) * 32768.0);
        const auto sample = static_cast<int16_t>(std::clamp<long>(value, -32768, 32767));
        std::memcpy(mixed.data() + at + i * sizeof sample, &sample, sizeof sample);
    }
}

bool AudioSequencer::fill()
{
    // Consumers hold the lock only to copy a frame's worth.
    const AudioRing::Lock lock(audioRing);
    const int limit = frameBytes * AudioRing::FramesHeld;
    const int align = blockAlign();
    if (!audioRing.isAllocated() || audioRing.fill() >= limit || align <= 0)
        return false;
    if (!planned)
        seekBytes(trackBytes);
    // Producers write from fill rounded down to even: the byte dropped is produced again.
    uint8_t *const written = audioRing.writeArea();
    const int from = audioRing.writePos();
    const qint64 fromOffset = trackBytes - (audioRing.fill() - from);
    const qint64 done = std::clamp<qint64>(fromOffset - mixedFrom, 0, qint64(mixed.size()));
    mixed.erase(mixed.begin(), mixed.begin() + done);
    mixedFrom += done;
    const int want = std::min(limit - from, frameBytes * FramesPerStep);
    const qint64 missing = fromOffset + want - (mixedFrom + qint64(mixed.size()));
    if (missing > 0)
        produce(int((missing + align - 1) / align));
    std::memcpy(written, mixed.data() + (fromOffset - mixedFrom), size_t(want));
    audioRing.wrote(want);
    fade.apply(written, want, fromOffset, align);
    trackBytes = fromOffset + want;
    return true;
}
