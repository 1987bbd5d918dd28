// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clib/handles.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <libexif/exif-data.h>

// Photo fixtures written by the tests themselves.

// Builds a camera-data block ("Exif\0\0" and the TIFF structure) with libexif, for photos that
// the tests write themselves.
class ExifBuilder
{
public:
    explicit ExifBuilder(ExifByteOrder order = EXIF_BYTE_ORDER_INTEL);
    ~ExifBuilder();

    ExifBuilder &setShort(ExifIfd ifd, ExifTag tag, quint16 value);
    ExifBuilder &setAscii(ExifIfd ifd, ExifTag tag, const QByteArray &text);
    ExifBuilder &setRational(ExifIfd ifd, ExifTag tag, quint32 numerator, quint32 denominator);
    ExifBuilder &setSRational(ExifIfd ifd, ExifTag tag, qint32 numerator, qint32 denominator);
    QByteArray block() const;

private:
    ExifDataPtr data;
    ExifByteOrder order;
};

// A JPEG of the image (Qt's writer) with the block as an APP1 segment right after the start
// marker; an empty block gives the plain JPEG.
QByteArray jpegWithExif(const QImage &image, const QByteArray &block, int quality = 90);
bool writeFile(const QString &path, const QByteArray &bytes);

// A test picture with four coloured quadrants: red top left, green top right, blue bottom
// left, white bottom right.
QImage quadrantImage(int width, int height);

// A photo-like picture: smooth colour fields, thin hard-edged lines and fine grain; the same
// seed gives the same picture.
QImage detailedImage(int width, int height, quint32 seed);
