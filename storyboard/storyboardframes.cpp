// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/storyboardframes.h"

#include "storyboard/captionbackdrop.h"
#include "storyboard/captiondrawing.h"
#include "storyboard/decodedphotos.h"
#include "storyboard/gldrawer.h"
#include "storyboard/motion.h"
#include "storyboard/photoloader.h"
#include "storyboard/titlecard.h"
#include "storyboard/transitions.h"

#include <QDebug>
#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

constexpr uint32_t newestAge = 0x80000000u;
constexpr uint32_t evictedAge = 0xFFFFFFFFu;

// Names each load's pixels, process-wide, so that a drawer fed by several renderers never takes
// one picture for another.
uint64_t nextPictureSerial()
{
    static std::atomic<uint64_t> serial {0};
    return ++serial;
}

bool drawTitleCard(const TitleCard &card, Picture &picture)
{
    const QImage image = titleCardImage(card, QSize(picture.width(), picture.height()))
                             .convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    // ARGB32 words are B, G, R, A bytes in memory; pictures hold the bottom row first.
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(picture.row(picture.height() - 1 - y), image.constScanLine(y),
                    static_cast<size_t>(image.width()) * 4);
    return true;
}

} // namespace

void StoryBoardFrames::setFormat(const MediaFormat &newFormat)
{
    clearCaches();
    format = newFormat;
    updateTiming();
}

void StoryBoardFrames::setStoryBoard(StoryBoard *board)
{
    storyBoard = board;
    updateTiming();
}

int StoryBoardFrames::updateTiming()
{
    backdropCache.clear();
    if (!storyBoard) {
        total = 0;
        frameTimeline = ShowTimeline();
        return 0;
    }
    const double f = format.frameRate;
    const double p = storyBoard->photoDuration;
    const double te = storyBoard->effectiveTransition();
    frameTimeline = ShowTimeline::of(*storyBoard, f);
    total = frameTimeline.totalFrames;
    periodFrames = (p + te) * f;
    lifeFrames = (p + 2.0 * te) * f;
    return total;
}

namespace {

// The frames a photo's motion runs over and where its shown frames start in them. The
// automatic motion starts and ends a transition's length beyond the photo's first and last
// frames, as it always has; a chosen motion runs from the first shown frame to the last.
struct MotionSpan
{
    double before = 0.0;
    double life = 0.0;
};

MotionSpan motionSpan(const StoryBoard &board, const ShowTimeline &timeline, int photo)
{
    const PhotoSpan &span = timeline.spans.at(photo);
    const bool padded = runsAutomatic(board.photos.at(photo), board);
    const bool first = photo == 0;
    const bool last = photo == timeline.spans.size() - 1;
    MotionSpan motion;
    motion.before = first && !padded ? 0.0 : span.inFrames;
    const double after = last && !padded ? 0.0 : span.outFrames;
    motion.life = motion.before + span.holdFrames + after;
    return motion;
}

} // namespace

StoryBoardFrames::FramePlan StoryBoardFrames::planFrame(int k) const
{
    if (!storyBoard)
        return FramePlan();
    return planFrame(*storyBoard, frameTimeline, k);
}

StoryBoardFrames::FramePlan StoryBoardFrames::planFrame(const StoryBoard &board,
                                                        const ShowTimeline &timeline, int k)
{
    FramePlan plan;
    const int e = timeline.photoAt(k);
    if (e < 0 || e >= board.photos.size() || timeline.spans.size() != board.photos.size())
        return plan;
    const PhotoSpan &span = timeline.spans.at(e);
    plan.photo = e;
    plan.offset = k - span.start;
    const MotionSpan motion = motionSpan(board, timeline, e);
    const double x = motion.life > 0.0 ? (motion.before + plan.offset + 0.5) / motion.life : 0.0;
    if (k < span.holdEnd || e + 1 >= board.photos.size()) {
        plan.phase = FramePlan::Hold;
        plan.motion = x;
        return plan;
    }
    plan.phase = FramePlan::Transition;
    plan.motion = std::clamp(x, 0.0, 1.0);
    const double into = plan.offset - span.holdFrames;
    plan.progress = span.outFrames > 0.0 ? std::clamp(into / span.outFrames, 0.0, 1.0) : 1.0;
    const MotionSpan next = motionSpan(board, timeline, e + 1);
    plan.incomingMotion = next.life > 0.0 ? std::clamp((into + 0.5) / next.life, 0.0, 1.0) : 0.0;
    const TransitionKind kind = transitionKind(board, e);
    plan.dissolve = kind.dissolve;
    plan.pattern = kind.patternPath;
    return plan;
}

namespace {

// A caption comes and goes with its photo, drawn above both photos of a transition: the leaving
// photo's caption fades out over the first half and the arriving photo's fades in over the second,
// so that two captions at the same place never show through each other.
void addCaptionLayer(FrameComposition &frame, const StoryBoard &board, int photo, double alpha)
{
    if (board.photos.at(photo).caption.isEmpty() || alpha <= 0.0)
        return;
    FrameLayer layer;
    layer.photo = photo;
    layer.caption = true;
    layer.alpha = alpha >= 1.0 ? FrameLayer::Alpha::Own : FrameLayer::Alpha::Fade;
    layer.dissolve = std::min(alpha, 1.0);
    frame.layers.push_back(layer);
}

} // namespace

FrameComposition StoryBoardFrames::composeFrame(const StoryBoard &board, const MediaFormat &format,
                                                const FramePlan &plan)
{
    FrameComposition frame;
    if (plan.phase == FramePlan::Background)
        return frame;
    const bool transition = plan.phase == FramePlan::Transition;

    FrameLayer outgoing;
    outgoing.photo = plan.photo;
    const ImageInfo &outgoingInfo = board.photos.at(outgoing.photo);
    outgoing.orientation = outgoingInfo.orientation;
    outgoing.fx = photoFx(outgoingInfo, board, plan.motion, format.width, format.height);
    frame.layers.push_back(outgoing);
    if (!transition) {
        addCaptionLayer(frame, board, outgoing.photo, 1.0);
        return frame;
    }

    FrameLayer incoming;
    incoming.photo = plan.photo + 1;
    const ImageInfo &incomingInfo = board.photos.at(incoming.photo);
    incoming.orientation = incomingInfo.orientation;
    incoming.fx = photoFx(incomingInfo, board, plan.incomingMotion, format.width, format.height);
    if (plan.dissolve) {
        incoming.alpha = FrameLayer::Alpha::Dissolve;
        incoming.dissolve = plan.progress;
    } else {
        incoming.alpha = FrameLayer::Alpha::Wipe;
        incoming.pattern = plan.pattern;
        frame.wipeThreshold = 1.0 - plan.progress;
        buildWipeTable(frame.wipeTable, frame.wipeThreshold, WipeSoftness);
    }
    frame.layers.push_back(incoming);
    addCaptionLayer(frame, board, outgoing.photo, 1.0 - 2.0 * plan.progress);
    addCaptionLayer(frame, board, incoming.photo, 2.0 * plan.progress - 1.0);
    return frame;
}

FrameComposition StoryBoardFrames::composition(int k)
{
    if (!storyBoard)
        return FrameComposition();
    FrameComposition frame = composeFrame(*storyBoard, format, planFrame(k));
    framePictures.clear();
    for (FrameLayer &layer : frame.layers) {
        if (layer.caption) {
            const CaptionPicture &caption = captionPicture(layer.photo);
            layer.picture = &caption.picture;
            layer.contentId = caption.picture.serial;
            layer.box = caption.box;
            continue;
        }
        const Picture &picture = photoPicture(storyBoard->photos.at(layer.photo));
        layer.picture = &picture;
        layer.contentId = picture.serial;
        framePictures.push_back(&picture);
        if (layer.alpha == FrameLayer::Alpha::Wipe)
            layer.patternPicture = &patternPicture(layer.pattern);
    }
    framePictures.clear();
    return frame;
}

void StoryBoardFrames::drawFrame(int k, GLDrawer *drawer)
{
    drawer->drawFrame(composition(k));
}

QString StoryBoardFrames::photoKey(const ImageInfo &info)
{
    QString key = QStringLiteral("%1%2").arg(info.path).arg(int(info.orientation > 3));
    // Faces move the crop, so a picture drawn around other faces is another picture.
    for (const QRectF &face : info.faces)
        key += QStringLiteral("|%1,%2,%3,%4")
                   .arg(face.x())
                   .arg(face.y())
                   .arg(face.width())
                   .arg(face.height());
    return key;
}

Picture &StoryBoardFrames::photoPicture(const ImageInfo &info)
{
    // Photo pictures are drawn for one framing; another one needs them drawn anew.
    const Framing framing = storyBoard ? storyBoard->framing : Framing::Fit;
    if (framing != photoFraming) {
        for (const auto &entry : photoCache)
            allPictures.remove(entry.first);
        photoCache.clear();
        photoFraming = framing;
    }
    return cachedPicture(photoCache, photoKey(info), true, info.path, info.orientation > 3,
                         info.faces, info.titleCard ? &info.card : nullptr);
}

void StoryBoardFrames::setDecodedPhotos(DecodedPhotos *shared)
{
    if (decodedPhotos == shared)
        return;
    decodedPhotos = shared;
    for (const auto &entry : photoCache)
        allPictures.remove(entry.first);
    photoCache.clear();
}

Picture &StoryBoardFrames::patternPicture(const QString &path)
{
    return cachedPicture(patternCache, path, false, path, false, {});
}

Picture &StoryBoardFrames::cachedPicture(Cache &cache, const QString &key, bool photo,
                                         const QString &path, bool turn90,
                                         const QList<QRectF> &faces, const TitleCard *card)
{
    if (Picture *hit = allPictures.value(key))
        return *hit;

    std::unique_ptr<Picture> picture;
    // The entry loaded longest ago has the smallest age; ties go to the first key. A picture of
    // the frame being composed stays, or that frame would show this one twice.
    auto oldest = cache.end();
    if (cache.size() >= static_cast<size_t>(limit)) {
        for (auto it = cache.begin(); it != cache.end(); ++it) {
            if (std::find(framePictures.cbegin(), framePictures.cend(), it->second.get())
                != framePictures.cend())
                continue;
            if (oldest == cache.end() || it->second->age < oldest->second->age)
                oldest = it;
        }
    }
    if (oldest != cache.end()) {
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
    if (card) {
        // A card is drawn at the frame's own shape, never between bars; its file is only the
        // strip's picture of it.
        loaded = drawTitleCard(*card, *picture);
    } else if (photo) {
        loaded = decodedPhotos ? decodedPhotos->draw(path, turn90, *picture, photoFraming, faces)
                               : loadPhotoPicture(path, *picture, format.width, format.height,
                                                  turn90, PhotoDecode::Fast, photoFraming, faces);
        // A photo that has gone missing shows as black for its period.
        if (!loaded)
            fillOpaqueBlack(*picture);
    } else {
        loaded = loadPatternPicture(path, *picture, format.width, format.height);
        if (!loaded)
            picture->fill(0);
    }
    if (!loaded)
        qDebug() << "StoryBoardFrames: cannot load" << path;

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

const StoryBoardFrames::CaptionPicture &StoryBoardFrames::captionPicture(int photo)
{
    const ImageInfo &info = storyBoard->photos.at(photo);
    const CaptionStyle &style = storyBoard->captionStyleAt(photo);
    // What the caption looks like depends on everything behind it through the contrast rule: the
    // photos it is drawn over and where their motion puts them.
    if (backdropPhotos != storyBoard->photos.size()) {
        backdropCache.clear();
        backdropPhotos = storyBoard->photos.size();
    }
    auto found = backdropCache.find(photo);
    if (found == backdropCache.end()) {
        Backdrops made;
        made.layers = captionBackdrops(*storyBoard, format, frameTimeline, photo);
        QStringList parts;
        for (const CaptionBackdrop &backdrop : made.layers) {
            for (const BackdropLayer &layer : backdrop)
                parts << photoKey(storyBoard->photos.at(layer.photo))
                      << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                             .arg(layer.orientation)
                             .arg(layer.fx.kind)
                             .arg(layer.fx.param0)
                             .arg(layer.fx.param1)
                             .arg(layer.fx.param2)
                             .arg(layer.fx.param3)
                             .arg(int(layer.wipe))
                             .arg(layer.share);
            parts << QString();
        }
        made.key = parts.join(QChar(0x1F));
        found = backdropCache.emplace(photo, std::move(made)).first;
    }
    const std::vector<CaptionBackdrop> &backdrops = found->second.layers;
    QStringList keyParts {QString::number(int(storyBoard->framing)),
                          info.caption.text,
                          QString::number(int(info.caption.anchor)),
                          style.family,
                          QString::number(style.size),
                          style.colour.name(QColor::HexArgb),
                          QString::number(int(style.bold)),
                          QString::number(int(style.outline)),
                          QString::number(int(style.shadow)),
                          QString::number(int(style.box)),
                          style.outlineColour.name(QColor::HexArgb),
                          style.boxColour.name(QColor::HexArgb),
                          QString::number(format.width),
                          QString::number(format.height)};
    keyParts << found->second.key;
    const QString key = keyParts.join(QChar(0x1F));
    for (qsizetype i = 0; i < captionCache.size(); ++i) {
        if (captionCache.at(i)->key == key) {
            captionCache.move(i, captionCache.size() - 1);
            return *captionCache.last();
        }
    }
    std::shared_ptr<CaptionPicture> entry;
    if (captionCache.size() >= std::min(CaptionCacheSize, limit))
        entry = captionCache.takeFirst();
    else
        entry = std::make_shared<CaptionPicture>();
    if (entry->picture.width() != format.width || entry->picture.height() != format.height
        || entry->picture.format() != AV_PIX_FMT_BGRA)
        entry->picture.allocate(format.width, format.height, AV_PIX_FMT_BGRA);
    entry->key = key;
    const QSize frame(format.width, format.height);
    const CaptionShape shape = layoutCaption(info.caption.text, info.caption.anchor, style, frame);
    // Decided once for all the frames the caption shows in, so that it never changes under the
    // viewer's eyes.
    if (!shape.covered.isEmpty()) {
        const LuminanceRange behind = backdropLuminance(
            backdrops, shape.covered, frame, [this](int under, const QRect &area) {
                LuminanceRange range;
                backgroundLuminance(photoPicture(storyBoard->photos.at(under)), area, range.darkest,
                                    range.lightest);
                return range;
            });
        entry->style = readableStyle(style, behind.darkest, behind.lightest);
    } else {
        entry->style = style;
    }
    drawCaption(shape, entry->style, entry->picture);
    entry->box = shape.covered;
    entry->picture.serial = nextPictureSerial();
    captionCache.append(entry);
    return *entry;
}

void StoryBoardFrames::setCacheLimit(int pictures)
{
    limit = std::clamp(pictures, FrameCacheSize, CacheSize);
    trimCache(photoCache, limit);
    trimCache(patternCache, limit);
    while (captionCache.size() > std::min(CaptionCacheSize, limit))
        captionCache.removeFirst();
}

void StoryBoardFrames::trimCache(Cache &cache, int keep)
{
    while (cache.size() > static_cast<size_t>(keep)) {
        const auto oldest
            = std::min_element(cache.begin(), cache.end(), [](const auto &a, const auto &b) {
                  return a.second->age < b.second->age;
              });
        allPictures.remove(oldest->first);
        cache.erase(oldest);
    }
}

void StoryBoardFrames::clearCaches()
{
    backdropCache.clear();
    captionCache.clear();
    allPictures.clear();
    photoCache.clear();
    patternCache.clear();
}
