// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/transitions.h"

#include "clib/handles.h"
#include "storyboard/picture.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

namespace {

bool ensureGrey(Picture &picture, int width, int height)
{
    if (!picture.isNull() && picture.width() == width && picture.height() == height
        && picture.format() == AV_PIX_FMT_GRAY8)
        return true;
    return picture.allocate(width, height, AV_PIX_FMT_GRAY8);
}

bool isFrameSized(const Picture &picture, int width, int height, AVPixelFormat format)
{
    return !picture.isNull() && picture.width() == width && picture.height() == height
        && picture.format() == format;
}

} // namespace

bool loadPatternPicture(const QString &path, Picture &picture, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    if (!ensureGrey(picture, width, height)) {
        qWarning() << "loadPatternPicture: cannot allocate" << width << "x" << height;
        return false;
    }

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        qWarning() << "loadPatternPicture:" << path << reader.errorString();
        picture.fill(0);
        return false;
    }
    image.convertTo(QImage::Format_RGB888);

    // Accurate rounding keeps the ramps of the patterns monotonic after scaling. The scaler picks
    // its own CPU-specific code paths.
    ScalerPtr scaler(sws_getContext(image.width(), image.height(), AV_PIX_FMT_RGB24, width, height,
                                    AV_PIX_FMT_GRAY8, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr,
                                    nullptr, nullptr));
    if (!scaler) {
        qWarning() << "loadPatternPicture: no scaler for" << image.size() << "to" << width << "x"
                   << height;
        picture.fill(0);
        return false;
    }
    const uint8_t *const srcData[4] = {image.constBits(), nullptr, nullptr, nullptr};
    const int srcStride[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    sws_scale(scaler.get(), srcData, srcStride, 0, image.height(), picture.data, picture.linesize);
    return true;
}

TransitionKind transitionKind(const StoryBoard &board, int outgoing)
{
    TransitionKind kind;
    const auto count = board.patterns.size();
    if (count == 0 || outgoing < 0)
        return kind;
    const PhotoSettings own
        = outgoing < board.photos.size() ? board.photos.at(outgoing).own : PhotoSettings();
    switch (own.transition) {
    case TransitionStyle::Album:
        if (board.dissolveOnly)
            return kind;
        break;
    case TransitionStyle::Dissolve:
    case TransitionStyle::Cut:
        return kind;
    case TransitionStyle::Wipe:
        for (int i = 0; i < count; ++i) {
            if (QFileInfo(board.patterns.at(i)).fileName() == own.wipePattern) {
                kind.dissolve = false;
                kind.patternIndex = i;
                kind.patternPath = board.patterns.at(i);
                return kind;
            }
        }
        // A pattern that is no longer there leaves the pick to the program.
        break;
    case TransitionStyle::Random:
        break;
    }
    kind.dissolve = false;
    kind.patternIndex = static_cast<int>(outgoing % count);
    kind.patternPath = board.patterns.at(kind.patternIndex);
    return kind;
}

double transitionProgress(double f, double photoDuration, double transitionDuration,
                          double frameRate)
{
    const double length = transitionDuration * frameRate;
    // A transition without length has already ended.
    if (!(length > 0.0))
        return 1.0;
    return std::clamp((f - photoDuration * frameRate) / length, 0.0, 1.0);
}

double outgoingZoomProgress(double f, double effectiveTransition, double frameRate,
                            double lifeFrames, bool clamp)
{
    if (!(lifeFrames > 0.0))
        return 0.0;
    const double x = (effectiveTransition * frameRate + f + 0.5) / lifeFrames;
    return clamp ? std::clamp(x, 0.0, 1.0) : x;
}

double incomingZoomProgress(double f, double photoDuration, double frameRate, double lifeFrames)
{
    if (!(lifeFrames > 0.0))
        return 0.0;
    return std::clamp((f - photoDuration * frameRate + 0.5) / lifeFrames, 0.0, 1.0);
}

LayerFx zoomAt(double progress, const ImageInfo &info, bool useZoom, int width, int height)
{
    LayerFx fx;
    if (!useZoom)
        return fx;
    const ZoomPath &path = info.zoom;
    fx.kind = path.kind;
    const long double x = progress;
    const auto lerp = [&](int i) {
        return static_cast<long double>(path.start[i])
            + x * (static_cast<long double>(path.end[i]) - path.start[i]);
    };
    const long double w = width;
    const long double h = height;
    switch (path.kind) {
    case LayerFx::Translate:
        fx.param0 = static_cast<float>(lerp(0) / ZoomReferenceWidth * w);
        fx.param1 = static_cast<float>(lerp(1) / ZoomReferenceHeight * h);
        fx.param2 = static_cast<float>(lerp(2) / ZoomReferenceWidth * w);
        break;
    case LayerFx::Rotate:
        fx.param0 = static_cast<float>(lerp(0));
        fx.param1 = static_cast<float>(lerp(1) / ZoomReferenceWidth * w);
        fx.param2 = static_cast<float>(lerp(2) / ZoomReferenceHeight * h);
        fx.param3 = static_cast<float>(lerp(3) / ZoomReferenceWidth * w);
        break;
    default:
        break;
    }
    return fx;
}

void buildWipeTable(WipeTable &table, double threshold, double softness)
{
    const double w = std::sin(std::numbers::pi * threshold) * softness;
    const int lo = static_cast<int>((threshold - w) * 255.0);
    const int hi = static_cast<int>((threshold + w) * 255.0);
    for (int g = 0; g < 256; ++g) {
        if (g < lo)
            table[g] = 0.0;
        else if (g < hi)
            table[g] = (g - lo) * 255.0 / (hi - lo);
        else
            table[g] = 255.0;
    }
}

uint8_t dissolveAlpha(double progress)
{
    return static_cast<uint8_t>(std::clamp(progress, 0.0, 1.0) * 255.0);
}

bool applyDissolveAlpha(uint8_t *scratch, int width, int height, const Picture &incoming,
                        uint8_t alpha)
{
    if (!scratch || !isFrameSized(incoming, width, height, AV_PIX_FMT_BGRA))
        return false;
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        uint8_t *dst = scratch + y * rowBytes;
        std::memcpy(dst, incoming.row(y), rowBytes);
        for (int x = 0; x < width; ++x)
            dst[4 * x + 3] = alpha;
    }
    return true;
}

bool applyWipeAlpha(uint8_t *scratch, int width, int height, const Picture &incoming,
                    const Picture &pattern, const WipeTable &table)
{
    if (!scratch || !isFrameSized(incoming, width, height, AV_PIX_FMT_BGRA)
        || !isFrameSized(pattern, width, height, AV_PIX_FMT_GRAY8))
        return false;
    // Truncating the table once keeps the per-pixel work to one indexed load.
    std::array<uint8_t, 256> alpha;
    for (int g = 0; g < 256; ++g)
        alpha[g] = static_cast<uint8_t>(std::clamp(table[g], 0.0, 255.0));
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        uint8_t *dst = scratch + y * rowBytes;
        const uint8_t *grey = pattern.row(y);
        std::memcpy(dst, incoming.row(y), rowBytes);
        for (int x = 0; x < width; ++x)
            dst[4 * x + 3] = alpha[grey[x]];
    }
    return true;
}
