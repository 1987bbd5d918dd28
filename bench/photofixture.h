#pragma once

#include <QImage>

// A photo-like picture for the photo benchmarks: smooth colour fields, hard-edged strokes and
// fine grain, so that its JPEG carries about the detail of a real photo. The same seed gives the
// same picture.
QImage photoLikeImage(int width, int height, quint32 seed);
