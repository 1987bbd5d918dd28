// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/zomexif/photofixture.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

ExifBuilder::ExifBuilder(ExifByteOrder byteOrder)
    : data(exif_data_new())
    , order(byteOrder)
{
    // Written as given: no option may add or drop entries (they are single bits up to the
    // maker-note one).
    for (unsigned bit = 1; bit <= EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE; bit <<= 1)
        exif_data_unset_option(data.get(), static_cast<ExifDataOption>(bit));
    exif_data_set_byte_order(data.get(), order);
    exif_data_set_data_type(data.get(), EXIF_DATA_TYPE_COMPRESSED);
}

ExifBuilder::~ExifBuilder() = default;

static ExifEntry *newEntry(ExifData *data, ExifIfd ifd, ExifTag tag, ExifFormat format,
                           unsigned long components)
{
    if (ExifEntry *old = exif_content_get_entry(data->ifd[ifd], tag))
        exif_content_remove_entry(data->ifd[ifd], old);
    ExifEntry *entry = exif_entry_new();
    entry->tag = tag;
    entry->format = format;
    entry->components = components;
    entry->size = exif_format_get_size(format) * components;
    // The entry frees its data with the library's default allocator, which is calloc/free.
    entry->data = static_cast<unsigned char *>(std::calloc(1, entry->size));
    exif_content_add_entry(data->ifd[ifd], entry);
    exif_entry_unref(entry);
    return entry;
}

ExifBuilder &ExifBuilder::setShort(ExifIfd ifd, ExifTag tag, quint16 value)
{
    exif_set_short(newEntry(data.get(), ifd, tag, EXIF_FORMAT_SHORT, 1)->data, order, value);
    return *this;
}

ExifBuilder &ExifBuilder::setAscii(ExifIfd ifd, ExifTag tag, const QByteArray &text)
{
    ExifEntry *entry = newEntry(data.get(), ifd, tag, EXIF_FORMAT_ASCII, text.size() + 1);
    std::memcpy(entry->data, text.constData(), size_t(text.size()));
    return *this;
}

ExifBuilder &ExifBuilder::setRational(ExifIfd ifd, ExifTag tag, quint32 numerator,
                                      quint32 denominator)
{
    exif_set_rational(newEntry(data.get(), ifd, tag, EXIF_FORMAT_RATIONAL, 1)->data, order,
                      ExifRational {numerator, denominator});
    return *this;
}

ExifBuilder &ExifBuilder::setSRational(ExifIfd ifd, ExifTag tag, qint32 numerator,
                                       qint32 denominator)
{
    exif_set_srational(newEntry(data.get(), ifd, tag, EXIF_FORMAT_SRATIONAL, 1)->data, order,
                       ExifSRational {numerator, denominator});
    return *this;
}

QByteArray ExifBuilder::block() const
{
    unsigned char *bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &bytes, &size);
    QByteArray result(reinterpret_cast<const char *>(bytes), int(size));
    std::free(bytes);
    return result;
}

QByteArray jpegWithExif(const QImage &image, const QByteArray &block, int quality)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image))
        return QByteArray();
    if (block.isEmpty())
        return jpeg;
    const int length = block.size() + 2;
    QByteArray segment;
    segment.append(char(0xFF)).append(char(0xE1));
    segment.append(char((length >> 8) & 0xFF)).append(char(length & 0xFF));
    segment.append(block);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage quadrantImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int halfW = width / 2;
    const int halfH = height / 2;
    painter.fillRect(0, 0, halfW, halfH, QColor(255, 0, 0));
    painter.fillRect(halfW, 0, width - halfW, halfH, QColor(0, 255, 0));
    painter.fillRect(0, halfH, halfW, height - halfH, QColor(0, 0, 255));
    painter.fillRect(halfW, halfH, width - halfW, height - halfH, QColor(255, 255, 255));
    return image;
}

QImage detailedImage(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage coarse(12, 8, QImage::Format_RGB32);
    for (int y = 0; y < coarse.height(); ++y)
        for (int x = 0; x < coarse.width(); ++x)
            coarse.setPixel(x, y, random.generate() | 0xFF000000u);
    QImage image = coarse.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 60; ++i) {
            painter.setPen(QPen(QColor::fromRgb(random.generate() | 0xFF000000u),
                                1 + random.bounded(std::max(1, width / 300))));
            painter.drawLine(random.bounded(width), random.bounded(height), random.bounded(width),
                             random.bounded(height));
        }
    }
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(13)) - 6;
            const QRgb p = row[x];
            row[x]
                = qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                       std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}
