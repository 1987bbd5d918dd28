#include "storyboardrender.h"

#include "gldrawer.h"
#include "photoloader.h"
#include "transitions.h"

#include <QDebug>
#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t newestAge = 0x80000000u;
constexpr uint32_t evictedAge = 0xFFFFFFFFu;
// How long the audio thread waits for a stop request when the ring has no room.
constexpr int idleWaitMs = 2;

// Names each load's pixels, process-wide, so that a drawer fed by several renderers never takes
// one picture for another.
uint64_t nextPictureSerial()
{
    static std::atomic<uint64_t> serial {0};
    return ++serial;
}

void fillOpaqueBlack(Picture &picture)
{
    picture.fill(0);
    for (int y = 0; y < picture.height(); ++y) {
        uint8_t *row = picture.row(y);
        for (int x = 0; x < picture.width(); ++x)
            row[x * 4 + 3] = 0xFF;
    }
}

} // namespace

StoryBoardRender::StoryBoardRender(QObject *parent)
    : QThread(parent)
{ }

StoryBoardRender::~StoryBoardRender()
{
    if (isRunning()) {
        stopAudio();
        wait();
    }
    decoder.close();
}

bool StoryBoardRender::setFormat(const MediaFormat &newFormat)
{
    clearCaches();
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
        qWarning("StoryBoardRender: no audio ring for %d bytes a frame", frameBytes);
    pendingSilence = 0;
    updateTiming();
    return true;
}

void StoryBoardRender::setStoryBoard(StoryBoard *board)
{
    storyBoard = board;
    updateTiming();
}

int StoryBoardRender::updateTiming()
{
    if (!storyBoard) {
        total = 0;
        return 0;
    }
    const double f = format.frameRate;
    const double p = storyBoard->photoDuration;
    const double te = storyBoard->effectiveTransition();
    total = static_cast<int>(storyBoard->totalDuration() * f);
    periodFrames = (p + te) * f;
    lifeFrames = (p + 2.0 * te) * f;
    return total;
}

StoryBoardRender::FramePlan StoryBoardRender::planFrame(int k) const
{
    FramePlan plan;
    if (!storyBoard || storyBoard->photos.isEmpty() || periodFrames <= 0.0)
        return plan;
    if (static_cast<unsigned>(k) >= static_cast<unsigned>(total))
        return plan;
    const int n = static_cast<int>(storyBoard->photos.size());
    const double f = format.frameRate;
    const int e = static_cast<int>(k / periodFrames);
    const int offset = static_cast<int>(k - e * periodFrames);
    if (offset < storyBoard->photoDuration * f) {
        if (e > n - 1)
            return plan;
        plan.phase = FramePlan::Hold;
    } else {
        if (e > n - 2)
            return plan;
        plan.phase = FramePlan::Transition;
        plan.progress = transitionProgress(offset, storyBoard->photoDuration,
                                           storyBoard->transitionDuration, f);
        const TransitionKind kind = transitionKind(*storyBoard, e);
        plan.dissolve = kind.dissolve;
        plan.pattern = kind.patternPath;
    }
    plan.photo = e;
    plan.offset = offset;
    return plan;
}

void StoryBoardRender::drawFrame(int k, bool seekAudioFirst, GLDrawer *drawer)
{
    if (seekAudioFirst)
        seekAudio(k);
    drawer->beginFrame();
    const FramePlan plan = planFrame(k);
    if (plan.phase != FramePlan::Background) {
        const StoryBoard &board = *storyBoard;
        const double f = format.frameRate;
        const double te = board.effectiveTransition();
        const ImageInfo &outgoing = board.photos.at(plan.photo);
        const Picture &outgoingPicture = photoPicture(outgoing);
        drawer->uploadLayer(0, outgoingPicture, outgoingPicture.serial);
        if (plan.phase == FramePlan::Hold) {
            const double x = outgoingZoomProgress(plan.offset, te, f, lifeFrames, false);
            drawer->drawLayer(0, outgoing.orientation,
                              zoomAt(x, outgoing, board.useZoom, format.width, format.height));
        } else {
            const ImageInfo &incoming = board.photos.at(plan.photo + 1);
            const Picture &incomingPicture = photoPicture(incoming);
            if (plan.dissolve) {
                drawer->setDissolve(1, plan.progress, incomingPicture, incomingPicture.serial);
            } else {
                drawer->setWipe(1, 1.0 - plan.progress, WipeSoftness, patternPicture(plan.pattern),
                                incomingPicture);
            }
            const double xOut = outgoingZoomProgress(plan.offset, te, f, lifeFrames, true);
            drawer->drawLayer(0, outgoing.orientation,
                              zoomAt(xOut, outgoing, board.useZoom, format.width, format.height));
            const double xIn
                = incomingZoomProgress(plan.offset, board.photoDuration, f, lifeFrames);
            drawer->drawLayer(1, incoming.orientation,
                              zoomAt(xIn, incoming, board.useZoom, format.width, format.height));
        }
    }
    drawer->endFrame();
}

QString StoryBoardRender::photoKey(const ImageInfo &info)
{
    return QStringLiteral("%1%2").arg(info.path).arg(int(info.orientation > 3));
}

Picture &StoryBoardRender::photoPicture(const ImageInfo &info)
{
    return cachedPicture(photoCache, photoKey(info), true, info.path, info.orientation > 3);
}

Picture &StoryBoardRender::patternPicture(const QString &path)
{
    return cachedPicture(patternCache, path, false, path, false);
}

Picture &StoryBoardRender::cachedPicture(Cache &cache, const QString &key, bool photo,
                                         const QString &path, bool turn90)
{
    if (Picture *hit = allPictures.value(key))
        return *hit;

    std::unique_ptr<Picture> picture;
    if (cache.size() >= CacheSize) {
        // The entry loaded longest ago has the smallest age; ties go to the first key.
        auto oldest = cache.begin();
        for (auto it = cache.begin(); it != cache.end(); ++it) {
            if (it->second->age < oldest->second->age)
                oldest = it;
        }
        picture = std::move(oldest->second);
        picture->age = evictedAge;
        allPictures.remove(oldest->first);
        cache.erase(oldest);
    } else {
        picture = std::make_unique<Picture>();
        picture->age = 0;
    }

    const AVPixelFormat pixelFormat = photo ? AV_PIX_FMT_BGRA : AV_PIX_FMT_GRAY8;
    if (picture->width() != format.width || picture->height() != format.height
        || picture->format() != pixelFormat) {
        const uint32_t age = picture->age;
        picture->allocate(format.width, format.height, pixelFormat);
        picture->age = age;
    }

    bool loaded = false;
    if (photo) {
        loaded = loadPhotoPicture(path, *picture, format.width, format.height, turn90);
        // A photo that has gone missing shows as black for its period.
        if (!loaded)
            fillOpaqueBlack(*picture);
    } else {
        loaded = loadPatternPicture(path, *picture, format.width, format.height);
        if (!loaded)
            picture->fill(0);
    }
    if (!loaded)
        qDebug() << "StoryBoardRender: cannot load" << path;

    picture->serial = nextPictureSerial();
    Picture *result = picture.get();
    cache[key] = std::move(picture);
    allPictures.insert(key, result);

    // Ageing: the picture just loaded is the newest; every other one grows older by a bit.
    for (auto &entry : cache) {
        if (entry.second.get() == result)
            result->age |= newestAge;
        else
            entry.second->age >>= 1;
    }
    return *result;
}

void StoryBoardRender::clearCaches()
{
    allPictures.clear();
    photoCache.clear();
    patternCache.clear();
}

void StoryBoardRender::startAudio()
{
    {
        QMutexLocker lock(&ringMutex);
        audioRing.fill = 0;
        audioRing.readPos = 0;
    }
    // Stop requests left from before are stale. They are dropped here, on the caller's thread,
    // not at the top of run(): a stop made right after this start must not be dropped with them.
    stopSignal.tryAcquire(stopSignal.available());
    start(QThread::InheritPriority);
}

void StoryBoardRender::stopAudio()
{
    stopSignal.release(1);
}

void StoryBoardRender::run()
{
    for (;;) {
        if (stopSignal.tryAcquire(1))
            return;
        // With no room in the ring, wait for a stop request a moment instead of spinning.
        if (!fillAudio() && stopSignal.tryAcquire(1, idleWaitMs))
            return;
    }
}

int StoryBoardRender::clipFrames(int index) const
{
    const AudioInfo &clip = storyBoard->audios.at(index);
    return static_cast<int>((clip.clipEnd - clip.clipStart) * format.frameRate);
}

bool StoryBoardRender::openClip(int index)
{
    const AudioInfo &clip = storyBoard->audios.at(index);
    clipFormat.clipStart = clip.clipStart;
    clipFormat.clipEnd = clip.clipEnd;
    pendingSilence = 0;
    if (decoder.open(clip, clipFormat))
        return true;
    // The clip keeps its place on the timeline: it plays as silence for its own length.
    qDebug() << "StoryBoardRender: cannot open audio" << clip.path;
    pendingSilence = qint64 {clipFrames(index)} * frameBytes;
    return false;
}

void StoryBoardRender::seekAudio(int k)
{
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

void StoryBoardRender::writeSilence(int bytes)
{
    const int from = audioRing.fill & ~1;
    std::memset(audioRing.data() + from, 0, static_cast<size_t>(bytes));
    audioRing.fill = from + bytes;
}

bool StoryBoardRender::fillAudio()
{
    if (!ringMutex.tryLock()) {
        QThread::msleep(1);
        return false;
    }
    const int limit = frameBytes * AudioRing::FramesHeld;
    if (audioRing.data() == nullptr || audioRing.fill >= limit) {
        ringMutex.unlock();
        return false;
    }

    const int count = storyBoard ? static_cast<int>(storyBoard->audios.size()) : 0;
    if (count > 0 && nextClip <= count) {
        if (pendingSilence > 0) {
            const int bytes
                = static_cast<int>(std::min<qint64>(pendingSilence, limit - (audioRing.fill & ~1)));
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
                    ringMutex.unlock();
                    return true;
                }
                opened = 0;
            }
            nextClip = opened;
            if (openClip(opened))
                decoder.seek(clipFormat.clipStart);
            nextClip = opened + 1;
        }
    } else {
        writeSilence(limit - (audioRing.fill & ~1));
    }
    ringMutex.unlock();
    return true;
}
