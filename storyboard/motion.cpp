// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/motion.h"

#include "storyboard/faceframing.h"
#include "storyboard/photoloader.h"
#include "storyboard/transitions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// How far the zoom presets go, and how much of the frame a pan shows while it crosses it.
constexpr double presetZoom = 0.8;
constexpr double presetPan = 0.85;

QRectF centredRect(const QPointF &centre, double width, double height)
{
    return QRectF(centre.x() - width / 2.0, centre.y() - height / 2.0, width, height);
}

// The frame's pixels per shown photo pixel, and the frame's place in the photo.
struct Placement
{
    QRectF frame;
    double framePerPhoto = 1.0;
};

Placement placement(const QSizeF &shown, Framing framing, int width, int height,
                    const QList<QRectF> &faces)
{
    Placement p;
    if (width <= 0 || height <= 0 || shown.isEmpty()) {
        p.frame = QRectF(0, 0, std::max(width, 1), std::max(height, 1));
        return p;
    }
    const double sx = width / shown.width();
    const double sy = height / shown.height();
    p.framePerPhoto = framing == Framing::Fill ? std::max(sx, sy) : std::min(sx, sy);
    p.frame = centredRect(QPointF(shown.width() / 2.0, shown.height() / 2.0),
                          width / p.framePerPhoto, height / p.framePerPhoto);
    // A photo that fills the frame is drawn cropped around its faces: the frame sits there.
    if (framing == Framing::Fill && !faces.isEmpty()) {
        const QSize frame(width, height);
        const QSize fitted = fittedPhotoSize(shown.toSize(), frame, framing);
        const QPointF shift = cropOrigin(fitted, frame, faces) - cropOrigin(fitted, frame, {});
        p.frame.translate(shift / p.framePerPhoto);
    }
    return p;
}

} // namespace

QSizeF shownPhotoSize(const ImageInfo &info)
{
    const QSizeF size(std::max(info.width, 1), std::max(info.height, 1));
    return info.orientation > 3 ? size.transposed() : size;
}

QList<QRectF> framedFaces(const ImageInfo &info)
{
    return orientedFaces(info.faces, info.orientation);
}

QRectF frameInPhoto(const QSizeF &shown, Framing framing, int width, int height,
                    const QList<QRectF> &faces)
{
    return placement(shown, framing, width, height, faces).frame;
}

QRectF frameShaped(const QRectF &rect, int width, int height)
{
    if (width <= 0 || height <= 0)
        return rect;
    const double area = std::abs(rect.width() * rect.height());
    const double aspect = static_cast<double>(width) / height;
    return centredRect(rect.center(), std::sqrt(area * aspect), std::sqrt(area / aspect));
}

std::optional<MotionPath> automaticMotion(const ImageInfo &info, Framing framing, int width,
                                          int height)
{
    if (info.zoom.kind != LayerFx::Translate || width <= 0 || height <= 0)
        return std::nullopt;
    MotionPath path;
    const QSizeF shown = shownPhotoSize(info);
    const QList<QRectF> faces = framedFaces(info);
    path.start
        = fxRect(zoomAt(0.0, info, true, width, height), shown, framing, width, height, faces);
    path.end = fxRect(zoomAt(1.0, info, true, width, height), shown, framing, width, height, faces);
    if (!faces.isEmpty()) {
        const QRectF bounds = frameInPhoto(shown, framing, width, height, faces);
        const QList<QRectF> boxes = shownFaces(info);
        path.start = rectHoldingFaces(path.start, bounds, boxes);
        path.end = rectHoldingFaces(path.end, bounds, boxes);
    }
    path.easing = info.own.easing;
    return path;
}

MotionPath presetMotion(MotionStyle style, const QSizeF &shown, Framing framing, int width,
                        int height, const QList<QRectF> &faces)
{
    const QRectF frame = frameInPhoto(shown, framing, width, height, faces);
    const QPointF centre = frame.center();
    const QRectF zoomed
        = centredRect(centre, frame.width() * presetZoom, frame.height() * presetZoom);
    const double pw = frame.width() * presetPan;
    const double ph = frame.height() * presetPan;
    const QRectF left = centredRect(QPointF(frame.left() + pw / 2.0, centre.y()), pw, ph);
    const QRectF right = centredRect(QPointF(frame.right() - pw / 2.0, centre.y()), pw, ph);
    const QRectF top = centredRect(QPointF(centre.x(), frame.top() + ph / 2.0), pw, ph);
    const QRectF bottom = centredRect(QPointF(centre.x(), frame.bottom() - ph / 2.0), pw, ph);
    switch (style) {
    case MotionStyle::ZoomIn:
        return {frame, zoomed};
    case MotionStyle::ZoomOut:
        return {zoomed, frame};
    case MotionStyle::PanLeft:
        return {right, left};
    case MotionStyle::PanRight:
        return {left, right};
    case MotionStyle::PanUp:
        return {bottom, top};
    case MotionStyle::PanDown:
        return {top, bottom};
    default:
        return {frame, frame};
    }
}

bool runsAutomatic(const ImageInfo &info, const AlbumSettings &album)
{
    return info.own.motion == MotionStyle::Automatic
        || (info.own.motion == MotionStyle::Album && album.useZoom);
}

std::optional<MotionPath> photoMotion(const ImageInfo &info, const AlbumSettings &album, int width,
                                      int height)
{
    if (runsAutomatic(info, album))
        return automaticMotion(info, album.framing, width, height);
    const MotionStyle style = info.own.motion;
    if (style == MotionStyle::Album || style == MotionStyle::Still)
        return std::nullopt;
    MotionPath path;
    if (style == MotionStyle::Custom) {
        if (!info.own.motionStart.isValid() || !info.own.motionEnd.isValid())
            return std::nullopt;
        path.start = frameShaped(info.own.motionStart, width, height);
        path.end = frameShaped(info.own.motionEnd, width, height);
    } else {
        path = presetMotion(style, shownPhotoSize(info), album.framing, width, height,
                            framedFaces(info));
    }
    path.easing = info.own.easing;
    return path;
}

double easedProgress(double progress, Easing easing)
{
    if (easing == Easing::InOut)
        return (1.0 - std::cos(std::numbers::pi * std::clamp(progress, 0.0, 1.0))) / 2.0;
    return progress;
}

QRectF motionRectAt(const MotionPath &path, double progress)
{
    const double x = easedProgress(progress, path.easing);
    const auto lerp = [x](double a, double b) {
        return a + x * (b - a);
    };
    const QPointF a = path.start.center();
    const QPointF b = path.end.center();
    return centredRect(QPointF(lerp(a.x(), b.x()), lerp(a.y(), b.y())),
                       lerp(path.start.width(), path.end.width()),
                       lerp(path.start.height(), path.end.height()));
}

LayerFx rectFx(const QRectF &rect, const QSizeF &shown, Framing framing, int width, int height,
               const QList<QRectF> &faces)
{
    LayerFx fx;
    if (width <= 0 || height <= 0 || !rect.isValid())
        return fx;
    const Placement p = placement(shown, framing, width, height, faces);
    const double k = p.framePerPhoto;
    const QPointF centre((rect.center().x() - p.frame.left()) * k,
                         (rect.center().y() - p.frame.top()) * k);
    const double shownWidth = frameShaped(rect, width, height).width() * k;
    // The drawer sees the frame plane at a distance of the frame's width: a layer brought
    // nearer by z shows width - z of its pixels across the frame. y points up in GL.
    fx.kind = LayerFx::Translate;
    fx.param0 = static_cast<float>(width / 2.0 - centre.x());
    fx.param1 = static_cast<float>(height / 2.0 - centre.y());
    fx.param2 = static_cast<float>(width - shownWidth);
    return fx;
}

QRectF fxRect(const LayerFx &fx, const QSizeF &shown, Framing framing, int width, int height,
              const QList<QRectF> &faces)
{
    const Placement p = placement(shown, framing, width, height, faces);
    if (fx.kind != LayerFx::Translate)
        return p.frame;
    const double w = width;
    const double h = height;
    const double scale = (w - fx.param2) / w;
    const QRectF inFrame
        = centredRect(QPointF(w / 2.0 - fx.param0, h / 2.0 - fx.param1), w * scale, h * scale);
    const double k = 1.0 / p.framePerPhoto;
    return QRectF(p.frame.left() + inFrame.left() * k, p.frame.top() + inFrame.top() * k,
                  inFrame.width() * k, inFrame.height() * k);
}

LayerFx photoFx(const ImageInfo &info, const AlbumSettings &album, double progress, int width,
                int height)
{
    // A turning path from an old show keeps its old transform.
    if (runsAutomatic(info, album) && info.zoom.kind != LayerFx::Translate)
        return zoomAt(progress, info, true, width, height);
    const std::optional<MotionPath> path = photoMotion(info, album, width, height);
    if (!path)
        return LayerFx();
    return rectFx(motionRectAt(*path, progress), shownPhotoSize(info), album.framing, width, height,
                  framedFaces(info));
}
