// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// How much detail the picture carries. The defaults give a JPEG about the detail of a real photo
// (the photo benchmarks); the creation benchmark draws a coarser field with more strokes and no
// grain, and its recorded figures were measured with that picture.
struct PhotoLook
{
    int fieldWidth = 48;
    int fieldHeight = 32;
    int strokes = 400;
    // Strokes are 1 to width / strokeWidthDivisor + 1 pixels wide.
    int strokeWidthDivisor = 200;
    bool grain = true;
};

// A photo-like picture for the benchmarks: smooth colour fields, hard-edged strokes and, by
// default, fine grain. The same seed and look give the same picture.
QImage photoLikeImage(int width, int height, quint32 seed, const PhotoLook &look = {});
