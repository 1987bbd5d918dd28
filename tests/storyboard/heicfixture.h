// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// HEIC photos written by the tests and benchmarks with libheif's own encoder.

// Writes image as HEIC. orientation (1..8, as a camera tag counts) is stored as the container's
// own turn and mirror properties, so that a reader shows the picture turned that way; exif, when
// not empty, is a camera-data block ("Exif\0\0" and the TIFF structure) stored beside it.
// thumbnail > 0 adds a thumbnail of at most that size; icc, when not empty, is stored as the
// picture's colour profile; p3Coding codes the colours as Display P3 in the container's own
// colour box instead. False when libheif fails.
bool writeHeic(const QString &path, const QImage &image, int quality = 90, int orientation = 1,
               const QByteArray &exif = {}, int thumbnail = 0, const QByteArray &icc = {},
               bool p3Coding = false);
