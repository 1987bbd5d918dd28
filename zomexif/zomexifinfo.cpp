// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomexif/zomexifinfo.h"

#include "clib/handles.h"
#include <QFile>

#include <libexif/exif-data.h>
#include <libexif/exif-loader.h>
#include <libexif/exif-utils.h>

#include <array>
#include <memory>

namespace {

// The tag behind each property type, in PropertyType order.
constexpr std::array<ExifTag, ZomExifInfo::PropertyTypeCount> propertyTags = {
    EXIF_TAG_MAKE,
    EXIF_TAG_MODEL,
    EXIF_TAG_SOFTWARE,
    EXIF_TAG_ORIENTATION,
    EXIF_TAG_DATE_TIME,
    EXIF_TAG_COMPRESSED_BITS_PER_PIXEL,
    EXIF_TAG_EXPOSURE_TIME,
    EXIF_TAG_FNUMBER,
    EXIF_TAG_EXPOSURE_MODE,
    EXIF_TAG_ISO_SPEED_RATINGS,
    EXIF_TAG_EXPOSURE_BIAS_VALUE,
    EXIF_TAG_MAX_APERTURE_VALUE,
    EXIF_TAG_FLASH,
    EXIF_TAG_FOCAL_LENGTH,
    EXIF_TAG_WHITE_BALANCE,
    EXIF_TAG_METERING_MODE,
};

// The photo's own directories only: the second image directory describes the embedded
// thumbnail, whose orientation and size are not the photo's.
ExifEntry *findEntry(ExifData *data, ExifTag tag)
{
    if (ExifEntry *entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], tag))
        return entry;
    return exif_content_get_entry(data->ifd[EXIF_IFD_EXIF], tag);
}

QString entryText(ExifEntry *entry)
{
    if (!entry)
        return QString();
    std::array<char, 1024> buffer {};
    exif_entry_get_value(entry, buffer.data(), static_cast<unsigned int>(buffer.size()));
    buffer.back() = '\0';
    return QString::fromUtf8(buffer.data()).trimmed();
}

int orientationTag(ExifData *data)
{
    ExifEntry *entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || !entry->data
        || entry->size < 2)
        return 0;
    return exif_get_short(entry->data, exif_data_get_byte_order(data));
}

} // namespace

bool ZomExifInfo::open(const QString &path)
{
    valid = false;
    orientation = 0;
    texts.clear();
    descriptionText.clear();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    ExifLoaderPtr loader(exif_loader_new());
    if (!loader)
        return false;
    // The loader stops by itself once it has the camera block or knows there is none, so
    // only the head of a large photo is read.
    std::array<unsigned char, 4096> chunk {};
    for (;;) {
        const qint64 got = file.read(reinterpret_cast<char *>(chunk.data()), chunk.size());
        if (got <= 0)
            break;
        if (!exif_loader_write(loader.get(), chunk.data(), static_cast<unsigned int>(got)))
            break;
    }

    const unsigned char *block = nullptr;
    unsigned int blockSize = 0;
    exif_loader_get_buf(loader.get(), &block, &blockSize);
    return load(block, blockSize);
}

bool ZomExifInfo::openData(const QByteArray &block)
{
    valid = false;
    orientation = 0;
    texts.clear();
    descriptionText.clear();
    // libexif finds the block by its "Exif\0\0" header; anything else it would take for a JPEG.
    if (!block.startsWith(QByteArray("Exif\0\0", 6)) || block.size() > 0xFFFFFF)
        return false;
    return load(reinterpret_cast<const unsigned char *>(block.constData()),
                static_cast<unsigned int>(block.size()));
}

bool ZomExifInfo::load(const unsigned char *block, unsigned int blockSize)
{
    if (!block || blockSize == 0)
        return false;

    ExifDataPtr data(exif_data_new());
    if (!data)
        return false;
    // Report what the file holds: of the library's default options keep only skipping unknown
    // tags. The other one would invent the entries the standard calls mandatory and drop the
    // ones it finds misplaced. (The options are single bits up to the maker-note one.)
    for (unsigned bit = 1; bit <= EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE; bit <<= 1)
        exif_data_unset_option(data.get(), static_cast<ExifDataOption>(bit));
    exif_data_set_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_load_data(data.get(), block, blockSize);

    orientation = orientationTag(data.get());
    texts.reserve(PropertyTypeCount);
    for (ExifTag tag : propertyTags)
        texts.append(entryText(findEntry(data.get(), tag)));
    if (texts[DateTime].isEmpty())
        texts[DateTime] = entryText(findEntry(data.get(), EXIF_TAG_DATE_TIME_ORIGINAL));
    descriptionText = entryText(findEntry(data.get(), EXIF_TAG_IMAGE_DESCRIPTION));

    valid = true;
    return true;
}

QString ZomExifInfo::property(int type) const
{
    if (type < 0 || type >= texts.size())
        return QString();
    return texts.at(type);
}
