// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/albumsettings.h"
#include "storyboard/photosettings.h"
#include "storyboard/storyboard.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <optional>

// A photo's motion as what the frame shows at its start and at its end: two frame-shaped
// rectangles in pixels of the photo as it is shown (after its orientation steps). Every frame
// between shows the rectangle interpolated with the same (eased) progress, so whatever lies
// inside both end rectangles lies inside every one between.
struct MotionPath
{
    QRectF start;
    QRectF end;
    Easing easing = Easing::Linear;

    bool operator==(const MotionPath &other) const = default;
};

// The photo's size as shown: its pixel size, turned when its orientation steps turn it.
QSizeF shownPhotoSize(const ImageInfo &info);

// The face boxes of a photo in 0..1 of it as shown, which place the part of it that a frame it
// fills keeps.
QList<QRectF> framedFaces(const ImageInfo &info);

// The whole frame, unmoved, in the shown photo's pixels: where the photo is fitted between bars
// or over its blurred copy it is larger than the photo along one axis, where it fills the frame
// it is the part that is kept, centred, or around faces (framedFaces) as the photo is drawn.
// Motion rectangles stay inside it.
QRectF frameInPhoto(const QSizeF &shown, Framing framing, int width, int height,
                    const QList<QRectF> &faces = {});

// rect made frame-shaped about its centre, keeping its area.
QRectF frameShaped(const QRectF &rect, int width, int height);

// The automatic motion of a photo: its drift and zoom path from import, as two rectangles, moved
// or grown where they must be so that both, and so every frame between, hold the photo's faces.
// None for a turning path, which rectangles cannot express.
std::optional<MotionPath> automaticMotion(const ImageInfo &info, Framing framing, int width,
                                          int height);

// The rectangles of a preset (ZoomIn .. PanDown, Still) for a photo of that shown size.
MotionPath presetMotion(MotionStyle style, const QSizeF &shown, Framing framing, int width,
                        int height, const QList<QRectF> &faces = {});

// The motion a photo runs with these album settings, or none when it keeps the frame still
// (the album's zoom off, or a turning path the old way).
std::optional<MotionPath> photoMotion(const ImageInfo &info, const AlbumSettings &album, int width,
                                      int height);
// Whether the photo's motion is the automatic one, which starts and ends with the album's
// transition length around it, as it always has.
bool runsAutomatic(const ImageInfo &info, const AlbumSettings &album);

// Progress 0..1 after easing.
double easedProgress(double progress, Easing easing);
// The rectangle the frame shows at progress (before easing).
QRectF motionRectAt(const MotionPath &path, double progress);

// The layer transform that shows rect (shown photo's pixels) as the whole frame.
LayerFx rectFx(const QRectF &rect, const QSizeF &shown, Framing framing, int width, int height,
               const QList<QRectF> &faces = {});
// The inverse: the rectangle a translating layer transform shows.
QRectF fxRect(const LayerFx &fx, const QSizeF &shown, Framing framing, int width, int height,
              const QList<QRectF> &faces = {});

// The layer transform of a photo at motion progress (0..1, before easing) in a width x height
// frame, with these album settings.
LayerFx photoFx(const ImageInfo &info, const AlbumSettings &album, double progress, int width,
                int height);
