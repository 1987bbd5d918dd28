// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

// A drawn face that the face detector finds: a skin-coloured oval with hair, brows, eyes, a
// nose and a mouth, on a plain green ground. size is the oval's height in pixels; the face's
// box (brows to mouth, cheek to cheek) is returned in 0..1 of the picture.
QRectF drawFace(QImage &image, QPointF centre, double size);
// A photo of size with one face whose oval is size.height() * share high, centred at centre
// (in 0..1 of the photo); faceBox receives the face's box in 0..1.
QImage photoWithFace(QSize size, QPointF centre, double share, QRectF *faceBox = nullptr);
