// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/heifboxes.h"

#include <QByteArray>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QString>

#include <memory>

struct heif_context;
struct heif_image_handle;

// HEIF photos (HEIC, what phones save) through libheif, for the toolkit's image reader: once this
// library is linked, QImageReader reads them like any other format, format taken from content.

// What a HEIF container says besides its picture.
struct HeifContainer
{
    bool valid = false; // a HEIF file libheif can decode
    // The container turns or mirrors its picture itself (its 'irot' or 'imir' property). The
    // decoded picture already shows it that way, so a camera orientation tag beside it describes
    // the same turn and must not be applied again.
    bool transformed = false;
    // The camera-data block: the TIFF structure, behind "Exif\0\0"; empty when there is none.
    QByteArray exif;
};

// Reads the container of a file; !valid when it is not a HEIF file libheif can read.
HeifContainer readHeifContainer(const QString &path);
// The same for a file's bytes.
HeifContainer readHeifContainer(const QByteArray &bytes);

// Whether the bytes begin like a HEIF file libheif can decode (12 bytes are enough).
bool looksLikeHeif(const QByteArray &head);

// The image reader's handler for HEIF: the primary picture in 8-bit RGB (RGBA when it has alpha),
// with the container's crop, turn and mirror applied. With a scaled size set it uses the
// embedded thumbnail when that is at least as large, which spares the full decode for list
// thumbnails. One handler reads its device once.
class HeifImageHandler : public QImageIOHandler
{
public:
    HeifImageHandler();
    ~HeifImageHandler() override;

    bool canRead() const override;
    bool read(QImage *image) override;
    QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant &value) override;
    bool supportsOption(ImageOption option) const override;

    static bool canRead(QIODevice *device);

private:
    struct ContextDeleter
    {
        void operator()(heif_context *context) const;
    };
    struct HandleDeleter
    {
        void operator()(heif_image_handle *handle) const;
    };

    // Parses the container on first use; false when it is not readable.
    bool load() const;
    bool decode(heif_image_handle *handle, QImage *image) const;

    mutable bool loaded = false;
    mutable bool loadFailed = false;
    mutable QByteArray bytes; // libheif reads from it without copying
    mutable std::unique_ptr<heif_context, ContextDeleter> context;
    mutable std::unique_ptr<heif_image_handle, HandleDeleter> primary;
    // The largest picture the file's decoder configurations and grid images declare.
    mutable QSize codedSize;
    QSize scaledSize;
    bool done = false;
};

class HeifImagePlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "heifimage.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override;
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override;
};
