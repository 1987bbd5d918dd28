// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiodecoder.h"
#include "audio/audiofade.h"
#include "audio/audioring.h"
#include "audio/cliptrack.h"
#include "audio/peaklimiter.h"
#include "storyboard/storyboard.h"

#include <array>
#include <vector>

// Lays the story board's audio clips into one stream of 16-bit PCM in the output format, one
// fill step at a time, into a ring of 256 video frames of sound: each clip from its in-point for
// its own length, crossfaded into the next by the show's crossfade (ClipTrack), at the gain that
// evens its loudness to the show's target. A clip that cannot be opened plays as silence for its
// own length; with looping on, the list starts again. While the loudness is evened, a true-peak
// limiter keeps the mix under LoudnessCeilingDb. With the model's fadeInOut on, what is produced
// is faded by its place in the show. Every run that starts at the same frame gives the same
// sound, so the preview and the written video sound alike.
// Thread-safety: setFormat, setStoryBoard, restart and seek belong to the owner and run only
// while no thread fills; fill runs on the filling thread; the ring is shared with consumers
// through its own lock (AudioRing::TryLock).
class AudioSequencer
{
public:
    AudioSequencer() = default;
    ~AudioSequencer();
    AudioSequencer(const AudioSequencer &) = delete;
    AudioSequencer &operator=(const AudioSequencer &) = delete;

    // Sizes the ring for the format.
    void setFormat(const MediaFormat &format);
    void setStoryBoard(const StoryBoard *board)
    {
        storyBoard = board;
        planned = false;
    }
    int bytesPerFrame() const { return frameBytes; }

    // Empties the ring (under its lock) before a new run of fill steps.
    void restart();
    // Positions the sound track at video frame k. Takes the clips and settings from the model,
    // as restart() does the fade.
    void seek(int k);
    // One fill step; returns false when the ring was full or busy, so the caller may wait
    // before the next one.
    bool fill();

    AudioRing &ring() { return audioRing; }

private:
    // One clip sounding: its decoder and the decoded sound not yet mixed.
    struct Voice
    {
        AudioDecoder decoder;
        AudioRing pcm;
        ClipTrack::Entry entry;
        qint64 index = -1; // of the entry; -1 when the voice is free
        double gain = 1.0;
    };

    void planFade();
    void planTrack();
    void seekBytes(qint64 offset);
    int blockAlign() const;
    void openVoice(qint64 index, qint64 at);
    // Mixes the next frames sample frames of the track, limited, as 16-bit PCM onto mixed.
    void produce(int frames);
    void mixInto(float *sum, int frames);
    void addVoice(Voice &voice, float *sum, qint64 from, int frames);

    MediaFormat format;
    const StoryBoard *storyBoard = nullptr;
    AudioRing audioRing;
    AudioInfo clipFormat;
    int frameBytes = 0;
    AudioFade fade;
    // Where in the show's sound (in bytes) the byte at the ring's fill position belongs: the
    // consumers only take from the front, so this moves only as sound is produced or sought.
    qint64 trackBytes = 0;
    bool planned = false;

    ClipTrack track;
    QList<double> clipGains;
    std::array<Voice, 2> voices;
    // The next entry of the track no voice has taken yet; -1 when none follows.
    qint64 nextEntry = -1;
    // The next sample frame of the track to be mixed (ahead of the output by the limiter's
    // latency while it runs).
    qint64 mixAt = 0;
    bool limiting = false;
    PeakLimiter limiter;
    // Produced sound from the stream offset mixedFrom on, not yet in the ring.
    std::vector<uint8_t> mixed;
    qint64 mixedFrom = 0;
    std::vector<float> sums;
};
