// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiodecoder.h"
#include "audio/audiofade.h"
#include "audio/audioring.h"
#include "storyboard/storyboard.h"

// Lays the story board's audio clips end to end into one stream of 16-bit PCM in the output
// format, one fill step at a time, into a ring of 256 video frames of sound. A clip that cannot
// be opened plays as silence for its own length; with looping on, the list starts again. With
// the model's fadeInOut on, what is produced is faded by its place in the show, so every run
// that starts at the same frame gives the same sound.
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

    // Sizes the ring for the format and forgets any silence still owed.
    void setFormat(const MediaFormat &format);
    void setStoryBoard(const StoryBoard *board) { storyBoard = board; }
    int bytesPerFrame() const { return frameBytes; }

    // Empties the ring (under its lock) before a new run of fill steps.
    void restart();
    // Positions the sound track at video frame k. Takes the fade switch and the show's length
    // from the model, as restart() does too.
    void seek(int k);
    // One fill step; returns false when the ring was full or busy, so the caller may wait
    // before the next one.
    bool fill();

    AudioRing &ring() { return audioRing; }

private:
    void produce(int limit);
    void planFade();
    int blockAlign() const;
    bool openClip(int index);
    void writeSilence(int bytes);
    int clipFrames(int index) const;

    MediaFormat format;
    const StoryBoard *storyBoard = nullptr;
    int nextClip = 0;
    AudioRing audioRing;
    AudioDecoder decoder;
    AudioInfo clipFormat;
    int frameBytes = 0;
    // Silence still owed for a clip that could not be opened, so later clips keep their place.
    qint64 pendingSilence = 0;
    AudioFade fade;
    // Where in the show's sound (in bytes) the byte at the ring's fill position belongs: the
    // consumers only take from the front, so this moves only as sound is produced or sought.
    qint64 trackBytes = 0;
};
