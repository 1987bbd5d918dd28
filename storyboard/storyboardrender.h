#pragma once

#include "audiodecoder.h"
#include "audioring.h"
#include "picture.h"
#include "storyboard.h"

#include <QMap>
#include <QMutex>
#include <QSemaphore>
#include <QThread>
#include <map>
#include <memory>

class GLDrawer;

// Turns the story board into output: composes any video frame on a drawer, on the caller's
// thread, and, as a thread of its own, keeps a ring filled with the show's sound as 16-bit PCM.
// Thread-safety: drawFrame, the caches, setFormat and seekAudio belong to the owner's thread
// and may run only while the audio thread is stopped (drawFrame may also run while it plays);
// the ring is shared with consumers under ringMutex, taken with tryLock.
class StoryBoardRender : public QThread
{
    Q_OBJECT
public:
    static constexpr int CacheSize = 32;

    explicit StoryBoardRender(QObject *parent = nullptr);
    ~StoryBoardRender() override;

    // Empties both caches and the ring and sizes the ring for the format. Only while idle.
    bool setFormat(const MediaFormat &format);
    const MediaFormat &mediaFormat() const { return format; }
    void setStoryBoard(StoryBoard *board);
    StoryBoard *board() const { return storyBoard; }

    // Recomputes the frame counts from the model; returns totalFrames.
    int updateTiming();
    int totalFrames() const { return total; }
    double framesPerPeriod() const { return periodFrames; }
    double framesPerLife() const { return lifeFrames; }
    int bytesPerFrame() const { return frameBytes; }

    // What frame k shows: the photo e of its period, the whole frames f into the period, and
    // for a transition its progress and the kind of transition.
    struct FramePlan
    {
        enum Phase { Background, Hold, Transition };
        Phase phase = Background;
        int photo = -1;
        int offset = 0;
        double progress = 0.0;
        bool dissolve = true;
        QString pattern;
    };
    FramePlan planFrame(int k) const;

    // Composes frame k on drawer (after positioning the sound there when seekAudio is set).
    void drawFrame(int k, bool seekAudioFirst, GLDrawer *drawer);

    // Cache lookups that load on a miss. The reference stays valid until the next lookup of the
    // same kind or setFormat.
    Picture &photoPicture(const ImageInfo &info);
    Picture &patternPicture(const QString &path);
    int cachedPhotos() const { return static_cast<int>(photoCache.size()); }
    int cachedPatterns() const { return static_cast<int>(patternCache.size()); }
    bool isCached(const QString &key) const { return allPictures.contains(key); }
    static QString photoKey(const ImageInfo &info);

    // Empties the ring and starts the audio thread.
    void startAudio();
    // Asks the audio thread to stop; the caller then waits for it (wait()).
    void stopAudio();
    // Positions the sound track at video frame k. Only while the audio thread is stopped.
    void seekAudio(int k);
    // One fill step of the audio thread; returns false when the ring was full or busy, so the
    // thread may wait before the next one.
    bool fillAudio();

    // The ring and its lock, for the consumers (the preview player and the writer).
    QMutex ringMutex;
    AudioRing &ring() { return audioRing; }

protected:
    void run() override;

private:
    using Cache = std::map<QString, std::unique_ptr<Picture>>;
    Picture &cachedPicture(Cache &cache, const QString &key, bool photo, const QString &path,
                           bool turn90);
    void clearCaches();
    bool openClip(int index);
    void writeSilence(int bytes);
    int clipFrames(int index) const;

    MediaFormat format;
    StoryBoard *storyBoard = nullptr;
    int total = 0;
    Cache photoCache;
    Cache patternCache;
    QMap<QString, Picture *> allPictures;
    int nextClip = 0;
    AudioRing audioRing;
    AudioDecoder decoder;
    AudioInfo clipFormat;
    int frameBytes = 0;
    double periodFrames = 0.0;
    double lifeFrames = 0.0;
    // Silence still owed for a clip that could not be opened, so later clips keep their place.
    qint64 pendingSilence = 0;
    QSemaphore stopSignal;
};
