// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>

#include <optional>

class QImage;

// Finding faces in the small copy of a photo that the import decodes anyway. Runs on the
// calling thread; each thread loads its own detector once, on its first search.

// No photo keeps more faces than this: a search, a show file or a fuzzed input that claims more
// keeps the largest ones.
inline constexpr int MaxFacesPerPhoto = 32;

// The face boxes in image, in 0..1 of its width and height, largest first; an empty list when
// the picture shows none or is too small to search. No value when the detector cannot be
// loaded on this machine, so that the photo counts as not searched.
std::optional<QList<QRectF>> findFaces(const QImage &image);

// The detector's file, fixed at build time.
QString faceDetectorPath();
