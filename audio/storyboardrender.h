// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audiosequencer.h"
#include "storyboard/storyboardframes.h"

#include <QSemaphore>
#include <QThread>

class GLDrawer;

// Turns the story board into output: composes any video frame on a drawer, on the caller's
// thread, and, as a thread of its own, keeps a ring filled with the show's sound as 16-bit PCM.
// The frames come from StoryBoardFrames, the sound from AudioSequencer; this class joins them
// on one timeline and runs the sound's thread.
// Thread-safety: drawFrame, the caches, setFormat and seekAudio belong to the owner's thread
// and may run only while the audio thread is stopped (drawFrame may also run while it plays);
// the ring is shared with consumers through its own lock (AudioRing::TryLock).
class StoryBoardRender : public QThread
{
    Q_OBJECT
public:
    static constexpr int CacheSize = StoryBoardFrames::CacheSize;
    using FramePlan = StoryBoardFrames::FramePlan;

    explicit StoryBoardRender(QObject *parent = nullptr);
    ~StoryBoardRender() override;

    // Empties both caches and the ring and sizes the ring for the format. Only while idle.
    bool setFormat(const MediaFormat &format);
    const MediaFormat &mediaFormat() const { return frames.mediaFormat(); }
    void setStoryBoard(StoryBoard *board);
    // See StoryBoardFrames::setDecodedPhotos.
    void setDecodedPhotos(DecodedPhotos *shared) { frames.setDecodedPhotos(shared); }
    StoryBoard *board() const { return frames.board(); }

    // Recomputes the frame counts from the model; returns totalFrames.
    int updateTiming() { return frames.updateTiming(); }
    int totalFrames() const { return frames.totalFrames(); }
    double framesPerPeriod() const { return frames.framesPerPeriod(); }
    double framesPerLife() const { return frames.framesPerLife(); }
    const ShowTimeline &timeline() const { return frames.timeline(); }
    int bytesPerFrame() const { return sound.bytesPerFrame(); }

    FramePlan planFrame(int k) const { return frames.planFrame(k); }

    // Composes frame k on drawer (after positioning the sound there when seekAudio is set).
    void drawFrame(int k, bool seekAudioFirst, GLDrawer *drawer);

    // Cache lookups that load on a miss. The reference stays valid until the next lookup of the
    // same kind or setFormat.
    Picture &photoPicture(const ImageInfo &info) { return frames.photoPicture(info); }
    Picture &patternPicture(const QString &path) { return frames.patternPicture(path); }
    // See StoryBoardFrames::setCacheLimit.
    void setCacheLimit(int pictures) { frames.setCacheLimit(pictures); }
    int cacheLimit() const { return frames.cacheLimit(); }
    int cachedPhotos() const { return frames.cachedPhotos(); }
    int cachedPatterns() const { return frames.cachedPatterns(); }
    bool isCached(const QString &key) const { return frames.isCached(key); }
    static QString photoKey(const ImageInfo &info) { return StoryBoardFrames::photoKey(info); }

    // Empties the ring and starts the audio thread.
    void startAudio();
    // Asks the audio thread to stop; the caller then waits for it (wait()).
    void stopAudio();
    // Positions the sound track at video frame k. Only while the audio thread is stopped.
    void seekAudio(int k) { sound.seek(k); }
    // One fill step of the audio thread; returns false when the ring was full, so the thread
    // waits for room before the next one.
    bool fillAudio() { return sound.fill(); }

    // The ring, for the consumers (the preview player and the writer), who take its lock.
    AudioRing &ring() { return sound.ring(); }

protected:
    void run() override;

private:
    StoryBoardFrames frames;
    AudioSequencer sound;
    QSemaphore stopSignal;
};
