// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/faceframing.h"

#include "storyboard/storyboard.h"

#include <algorithm>
#include <cmath>

namespace {

QRectF unite(const QList<QRectF> &faces)
{
    QRectF all;
    for (const QRectF &face : faces)
        all = all.isNull() ? face.normalized() : all.united(face.normalized());
    return all;
}

// The start of a span of length that holds [holdFrom, holdTo], staying within [boundFrom,
// boundTo] as far as it can, and moving from start as little as it can.
double placeSpan(double start, double length, double holdFrom, double holdTo, double boundFrom,
                 double boundTo)
{
    double placed = start;
    if (length <= boundTo - boundFrom)
        placed = std::clamp(placed, boundFrom, boundTo - length);
    else
        placed = (boundFrom + boundTo - length) / 2.0;
    // Holding the faces comes first; the span is at least as long as they are.
    return std::clamp(placed, holdTo - length, std::max(holdTo - length, holdFrom));
}

} // namespace

QList<QRectF> facesTurnedRight(const QList<QRectF> &faces)
{
    QList<QRectF> turned;
    turned.reserve(faces.size());
    for (const QRectF &f : faces)
        turned.append(QRectF(1.0 - f.y() - f.height(), f.x(), f.height(), f.width()));
    return turned;
}

QList<QRectF> orientedFaces(const QList<QRectF> &faces, int orientation)
{
    QList<QRectF> result = orientation > 3 ? facesTurnedRight(faces) : faces;
    const bool mirror
        = orientation == 2 || orientation == 3 || orientation == 5 || orientation == 7;
    const bool flip = orientation == 1 || orientation == 3 || orientation == 4 || orientation == 5;
    for (QRectF &f : result) {
        if (mirror)
            f.moveLeft(1.0 - f.x() - f.width());
        if (flip)
            f.moveTop(1.0 - f.y() - f.height());
    }
    return result;
}

QList<QRectF> shownFaces(const ImageInfo &info)
{
    const bool turned = info.orientation > 3;
    const double w = turned ? info.height : info.width;
    const double h = turned ? info.width : info.height;
    QList<QRectF> shown = orientedFaces(info.faces, info.orientation);
    for (QRectF &f : shown)
        f = QRectF(f.x() * w, f.y() * h, f.width() * w, f.height() * h);
    return shown;
}

QRectF rectHoldingFaces(const QRectF &rect, const QRectF &bounds, const QList<QRectF> &faces)
{
    const QRectF all = unite(faces);
    if (all.isNull() || rect.isEmpty())
        return rect;
    QSizeF size = rect.size();
    const double grow = std::max(all.width() / size.width(), all.height() / size.height());
    if (grow > 1.0)
        size *= grow;
    const QPointF centre = rect.center();
    const double x = placeSpan(centre.x() - size.width() / 2.0, size.width(), all.left(),
                               all.right(), bounds.left(), bounds.right());
    const double y = placeSpan(centre.y() - size.height() / 2.0, size.height(), all.top(),
                               all.bottom(), bounds.top(), bounds.bottom());
    return QRectF(QPointF(x, y), size);
}

QPoint cropOrigin(QSize image, QSize frame, const QList<QRectF> &faces)
{
    // The centred origin in the rounding the picture loader has always used: columns split
    // with the odd one to the right, rows with the odd one at the top.
    QPoint origin(-((frame.width() - image.width()) / 2),
                  image.height() - frame.height() + (frame.height() - image.height()) / 2);
    const QRectF all = unite(faces);
    if (all.isNull())
        return origin;
    const auto centred = [](int imageSide, int frameSide, double from, double to) {
        const double centre = (from + to) / 2.0 * imageSide;
        return std::clamp(int(std::lround(centre - frameSide / 2.0)), 0, imageSide - frameSide);
    };
    if (image.width() > frame.width())
        origin.setX(centred(image.width(), frame.width(), all.left(), all.right()));
    if (image.height() > frame.height())
        origin.setY(centred(image.height(), frame.height(), all.top(), all.bottom()));
    return origin;
}
