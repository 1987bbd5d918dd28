// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/captionbackdrop.h"
#include "storyboard/framecomposition.h"
#include "storyboard/picture.h"
#include "storyboard/showtimeline.h"
#include "storyboard/storyboard.h"

#include <QList>
#include <QMap>
#include <QRect>
#include <QString>
#include <map>
#include <memory>
#include <vector>

class DecodedPhotos;
class GLDrawer;
struct TitleCard;

// The frame side of rendering a story board: the timeline in frames, the photo and pattern
// picture caches, and the composition of frame k on a drawer. The sound side lives with the
// audio (StoryBoardRender joins the two).
// Not thread-safe: belongs to its owner's thread.
class StoryBoardFrames
{
public:
    static constexpr int CacheSize = 32;
    // What one frame can show at once: an outgoing and an incoming photo.
    static constexpr int FrameCacheSize = 2;

    StoryBoardFrames() = default;
    StoryBoardFrames(const StoryBoardFrames &) = delete;
    StoryBoardFrames &operator=(const StoryBoardFrames &) = delete;

    // Empties both caches, takes the format and recomputes the timing.
    void setFormat(const MediaFormat &format);
    const MediaFormat &mediaFormat() const { return format; }
    void setStoryBoard(StoryBoard *board);
    StoryBoard *board() const { return storyBoard; }
    // Photos are drawn from shared decoded copies (not owned; null: each decoded on its own).
    // Empties the photo cache.
    void setDecodedPhotos(DecodedPhotos *shared);

    // Recomputes the frame counts from the model; returns totalFrames.
    int updateTiming();
    int totalFrames() const { return total; }
    const ShowTimeline &timeline() const { return frameTimeline; }
    // The album's period (photo and transition) and a photo's life (with the transitions on
    // both sides) in frames, as the album's durations give them.
    double framesPerPeriod() const { return periodFrames; }
    double framesPerLife() const { return lifeFrames; }

    // What frame k shows: the photo e of its span, the whole frames f into the span, for a
    // transition its progress and the kind of transition, and how far along their motion the
    // photo (and the incoming one) are.
    struct FramePlan
    {
        enum Phase { Background, Hold, Transition };
        Phase phase = Background;
        int photo = -1;
        int offset = 0;
        double progress = 0.0;
        bool dissolve = true;
        QString pattern;
        double motion = 0.0;
        double incomingMotion = 0.0;
    };
    FramePlan planFrame(int k) const;
    // The timeline's plan of frame k of board.
    static FramePlan planFrame(const StoryBoard &board, const ShowTimeline &timeline, int k);

    // The layers a frame of plan shows, with their transforms and alpha but no pictures yet.
    static FrameComposition composeFrame(const StoryBoard &board, const MediaFormat &format,
                                         const FramePlan &plan);
    // Frame k's composition with its pictures from the caches. The pictures stay valid until the
    // next lookup or setFormat.
    FrameComposition composition(int k);
    // Composes frame k on drawer.
    void drawFrame(int k, GLDrawer *drawer);

    // Cache lookups that load on a miss. The reference stays valid until the next lookup of the
    // same kind or setFormat.
    Picture &photoPicture(const ImageInfo &info);
    Picture &patternPicture(const QString &path);
    // How many photo and pattern pictures (and at most CaptionCacheSize captions) stay kept.
    // A drawer that takes every frame once, in order, needs no more than one frame's
    // (FrameCacheSize): a photo's picture then goes as soon as the photo has left the screen.
    // Lowering it drops the pictures loaded longest ago at once.
    void setCacheLimit(int pictures);
    int cacheLimit() const { return limit; }
    int cachedPhotos() const { return static_cast<int>(photoCache.size()); }
    int cachedCaptions() const { return static_cast<int>(captionCache.size()); }
    int cachedPatterns() const { return static_cast<int>(patternCache.size()); }
    bool isCached(const QString &key) const { return allPictures.contains(key); }
    static QString photoKey(const ImageInfo &info);

    // Photo index's caption drawn for the format, readable over every photo it shows over, the
    // box it covers and the style it was drawn with. Valid until the next caption lookup or
    // setFormat.
    struct CaptionPicture
    {
        QString key;
        Picture picture;
        QRect box;
        CaptionStyle style;
    };
    const CaptionPicture &captionPicture(int photo);

private:
    static constexpr int CaptionCacheSize = 4;
    using Cache = std::map<QString, std::unique_ptr<Picture>>;
    Picture &cachedPicture(Cache &cache, const QString &key, bool photo, const QString &path,
                           bool turn90, const QList<QRectF> &faces,
                           const TitleCard *card = nullptr);
    void clearCaches();
    void trimCache(Cache &cache, int keep);

    MediaFormat format;
    StoryBoard *storyBoard = nullptr;
    int total = 0;
    ShowTimeline frameTimeline;
    Cache photoCache;
    Cache patternCache;
    QList<std::shared_ptr<CaptionPicture>> captionCache; // the one used last at the end
    // What lies behind each photo's caption, and its part of the caption key: worked out once
    // for a timeline, as every change of the show works the timeline out again.
    struct Backdrops
    {
        std::vector<CaptionBackdrop> layers;
        QString key;
    };
    std::map<int, Backdrops> backdropCache;
    qsizetype backdropPhotos = 0; // the show's photo count the backdrops were worked out for
    QMap<QString, Picture *> allPictures;
    // The pictures of the frame being composed, which a load must not take for another photo.
    std::vector<const Picture *> framePictures;
    Framing photoFraming = Framing::Fit; // the framing the cached photo pictures were drawn with
    DecodedPhotos *decodedPhotos = nullptr;
    int limit = CacheSize;
    double periodFrames = 0.0;
    double lifeFrames = 0.0;
};
