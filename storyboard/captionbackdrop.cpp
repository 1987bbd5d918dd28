// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/captionbackdrop.h"

#include "storyboard/caption.h"
#include "storyboard/showtimeline.h"
#include "storyboard/storyboardframes.h"

#include <QMap>
#include <algorithm>

namespace {

// Held frames between the ends of the hold; a rectangle motion is linear in its progress, so its
// ends bound it, and the ones between catch eased and turning paths.
constexpr int HoldSamples = 16;

} // namespace

std::vector<CaptionBackdrop> captionBackdrops(const StoryBoard &board, const MediaFormat &format,
                                              const ShowTimeline &timeline, int photo)
{
    std::vector<CaptionBackdrop> backdrops;
    if (photo < 0 || photo >= timeline.spans.size() || timeline.spans.size() != board.photos.size())
        return backdrops;
    const PhotoSpan &span = timeline.spans.at(photo);
    // Every frame of the transitions, where the caption comes and goes, and samples of the hold.
    std::vector<int> frames;
    if (photo > 0) {
        for (int k = timeline.spans.at(photo - 1).holdEnd; k < span.start; ++k)
            frames.push_back(k);
    }
    const int held = span.holdEnd - span.start;
    for (int i = 0; i < HoldSamples && held > 0; ++i)
        frames.push_back(span.start + int(qint64(held - 1) * i / (HoldSamples - 1)));
    for (int k = std::max(span.start, span.holdEnd); k < span.end; ++k)
        frames.push_back(k);

    for (const int k : frames) {
        const StoryBoardFrames::FramePlan plan = StoryBoardFrames::planFrame(board, timeline, k);
        const FrameComposition frame = StoryBoardFrames::composeFrame(board, format, plan);
        const bool shown = std::any_of(
            frame.layers.cbegin(), frame.layers.cend(),
            [photo](const FrameLayer &layer) { return layer.caption && layer.photo == photo; });
        if (!shown)
            continue;
        CaptionBackdrop backdrop;
        for (const FrameLayer &layer : frame.layers) {
            if (layer.caption)
                continue;
            BackdropLayer under;
            under.photo = layer.photo;
            under.orientation = layer.orientation;
            under.fx = layer.fx;
            under.wipe = layer.alpha == FrameLayer::Alpha::Wipe;
            under.share = layer.alpha == FrameLayer::Alpha::Dissolve ? layer.dissolve : 1.0;
            backdrop.push_back(under);
        }
        if (std::find(backdrops.cbegin(), backdrops.cend(), backdrop) == backdrops.cend())
            backdrops.push_back(backdrop);
    }
    return backdrops;
}

std::optional<QRectF> areaInLayer(const QRectF &area, const LayerFx &fx, int orientation,
                                  QSize frame)
{
    if (fx.kind != LayerFx::Translate)
        return std::nullopt;
    const double w = frame.width();
    const double h = frame.height();
    // The frame plane lies at a distance of the frame's width; a layer moved by param2 towards
    // the viewer shows w / (w - param2) times larger about the frame's centre.
    const double distance = w - fx.param2;
    if (distance <= 1.0)
        return std::nullopt;
    const double scale = w / distance;
    const bool mirrorX
        = orientation == 2 || orientation == 7 || orientation == 3 || orientation == 5;
    const bool mirrorY
        = orientation == 1 || orientation == 4 || orientation == 3 || orientation == 5;
    const auto toLayer = [&](QPointF point) {
        // About the frame's centre, where the layer's move is undone, then its mirroring; the
        // layer's move counts in the same directions as its pictures' rows and columns.
        double x = (point.x() - w / 2.0) / scale - fx.param0;
        double y = (point.y() - h / 2.0) / scale - fx.param1;
        if (mirrorX)
            x = -x;
        if (mirrorY)
            y = -y;
        return QPointF(x + w / 2.0, y + h / 2.0);
    };
    return QRectF(toLayer(area.topLeft()), toLayer(area.bottomRight())).normalized();
}

LuminanceRange backdropLuminance(const std::vector<CaptionBackdrop> &backdrops, const QRect &area,
                                 QSize frame, const PhotoLuminance &photoLuminance)
{
    // Each photo is measured once, over all the places its motion puts under the caption.
    struct Reach
    {
        QRectF area;
        bool beyond = false; // part of the caption lies where the photo does not reach
    };
    QMap<int, Reach> reach;
    const QRectF frameRect(QPointF(0, 0), QSizeF(frame));
    for (const CaptionBackdrop &backdrop : backdrops) {
        for (const BackdropLayer &layer : backdrop) {
            const std::optional<QRectF> inLayer
                = areaInLayer(QRectF(area), layer.fx, layer.orientation, frame);
            Reach &r = reach[layer.photo];
            r.area = r.area.united(inLayer.value_or(frameRect));
            r.beyond = r.beyond || !inLayer || !frameRect.contains(*inLayer);
        }
    }
    QMap<int, LuminanceRange> ranges;
    for (auto it = reach.cbegin(); it != reach.cend(); ++it) {
        LuminanceRange range
            = photoLuminance(it.key(), it->area.toAlignedRect().intersected(frameRect.toRect()));
        // The black behind the frame, or the layer below, shows there.
        if (it->beyond)
            range.darkest = 0.0;
        ranges.insert(it.key(), range);
    }

    LuminanceRange all {1.0, 0.0};
    for (const CaptionBackdrop &backdrop : backdrops) {
        LuminanceRange behind {0.0, 0.0};
        for (const BackdropLayer &layer : backdrop) {
            const LuminanceRange own = ranges.value(layer.photo);
            if (layer.wipe) {
                behind = {std::min(behind.darkest, own.darkest),
                          std::max(behind.lightest, own.lightest)};
                continue;
            }
            behind = {blendedLuminance(own.darkest, behind.darkest, layer.share),
                      blendedLuminance(own.lightest, behind.lightest, layer.share)};
        }
        all = {std::min(all.darkest, behind.darkest), std::max(all.lightest, behind.lightest)};
    }
    return all.darkest <= all.lightest ? all : LuminanceRange {};
}
