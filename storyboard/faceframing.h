// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QRectF>
#include <QSize>

struct ImageInfo;

// Framing that keeps faces in view: where the found faces of a photo are once it is turned and
// mirrored, how a rectangle of the photo moves or grows to hold them, and where a crop that
// fills the frame starts. Free of GL; any thread.

// The face boxes of info in the photo as it is shown (after its orientation steps), in pixels of
// the shown photo.
QList<QRectF> shownFaces(const ImageInfo &info);

// rect moved, and grown with its aspect held where it must be, so that it holds every face,
// staying inside bounds as far as bounds allow.
QRectF rectHoldingFaces(const QRectF &rect, const QRectF &bounds, const QList<QRectF> &faces);

// Face boxes in 0..1 of a picture, as they are in 0..1 of the picture turned 90 degrees
// clockwise.
QList<QRectF> facesTurnedRight(const QList<QRectF> &faces);
// The same boxes after the flips of orientation code 0..7 (as the drawer applies them to the
// picture, turned first when the code is above 3).
QList<QRectF> orientedFaces(const QList<QRectF> &faces, int orientation);

// The top-left pixel of the frame-sized window of image that is shown. Along a side where the
// image is larger than the frame the window centres on the union of the faces (given in 0..1 of
// image), kept whole where the frame allows and inside the image; without faces, and along a
// side where the image is not larger, it is the centred position the photos have always had
// (negative where the image does not reach the frame's edges).
QPoint cropOrigin(QSize image, QSize frame, const QList<QRectF> &faces);
