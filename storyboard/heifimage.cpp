// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/heifimage.h"

#include "storyboard/heifboxes.h"

#include <QColorSpace>
#include <QDebug>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <QtPlugin>

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct ImageDeleter
{
    void operator()(heif_image *image) const { heif_image_release(image); }
};
struct OptionsDeleter
{
    void operator()(heif_decoding_options *options) const { heif_decoding_options_free(options); }
};

const QByteArray exifHeader("Exif\0\0", 6);

QString heifMessage(const heif_error &error)
{
    return QString::fromUtf8(error.message ? error.message : "unknown error");
}

} // namespace

bool looksLikeHeif(const QByteArray &head)
{
    if (head.size() < 12)
        return false;
    return heif_check_filetype(reinterpret_cast<const uint8_t *>(head.constData()),
                               int(std::min<qsizetype>(head.size(), 64)))
        == heif_filetype_yes_supported;
}

HeifContainer readHeifContainer(const QByteArray &bytes)
{
    HeifContainer container;
    if (!looksLikeHeif(bytes.left(64)))
        return container;
    std::unique_ptr<heif_context, void (*)(heif_context *)> context(heif_context_alloc(),
                                                                    heif_context_free);
    heif_error error = heif_context_read_from_memory_without_copy(context.get(), bytes.constData(),
                                                                  size_t(bytes.size()), nullptr);
    if (error.code != heif_error_Ok) {
        qDebug() << "HEIF container not readable:" << heifMessage(error);
        return container;
    }
    heif_image_handle *handle = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &handle);
    if (error.code != heif_error_Ok) {
        qDebug() << "HEIF file without a picture:" << heifMessage(error);
        return container;
    }
    std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle *)> primary(
        handle, heif_image_handle_release);
    container.valid = true;
    container.transformed = heifPrimaryIsTransformed(bytes);

    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(primary.get(), "Exif", &id, 1) == 1) {
        QByteArray block(qsizetype(heif_image_handle_get_metadata_size(primary.get(), id)),
                         Qt::Uninitialized);
        error = heif_image_handle_get_metadata(primary.get(), id, block.data());
        // The block starts with the offset of the TIFF structure behind its own four bytes.
        if (error.code == heif_error_Ok && block.size() > 4) {
            const quint32 offset = qFromBigEndian<quint32>(block.constData());
            if (offset <= quint32(block.size() - 4))
                container.exif = exifHeader + block.mid(4 + offset);
        }
    }
    return container;
}

HeifContainer readHeifContainer(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !looksLikeHeif(file.peek(64)))
        return HeifContainer();
    return readHeifContainer(file.readAll());
}

void HeifImageHandler::ContextDeleter::operator()(heif_context *context) const
{
    heif_context_free(context);
}

void HeifImageHandler::HandleDeleter::operator()(heif_image_handle *handle) const
{
    heif_image_handle_release(handle);
}

HeifImageHandler::HeifImageHandler() = default;
HeifImageHandler::~HeifImageHandler() = default;

bool HeifImageHandler::canRead(QIODevice *device)
{
    return device && looksLikeHeif(device->peek(64));
}

bool HeifImageHandler::canRead() const
{
    if (done)
        return false;
    if (loaded)
        return !loadFailed;
    if (!canRead(device()))
        return false;
    setFormat("heic");
    return true;
}

bool HeifImageHandler::load() const
{
    if (loaded)
        return !loadFailed;
    loaded = true;
    loadFailed = true;
    if (!device() || !canRead(device()))
        return false;
    bytes = device()->readAll();
    context.reset(heif_context_alloc());
    heif_error error = heif_context_read_from_memory_without_copy(context.get(), bytes.constData(),
                                                                  size_t(bytes.size()), nullptr);
    if (error.code != heif_error_Ok) {
        qDebug() << "HEIF container not readable:" << heifMessage(error);
        return false;
    }
    heif_image_handle *handle = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &handle);
    if (error.code != heif_error_Ok) {
        qDebug() << "HEIF file without a picture:" << heifMessage(error);
        return false;
    }
    primary.reset(handle);
    codedSize = largestCodedPicture(bytes).expandedTo(largestGrid(bytes));
    loadFailed = false;
    return true;
}

namespace {

// The colour space a HEIF picture declares: an ICC profile, or the coded primaries and transfer
// of the two spaces phones use (sRGB and Display P3). Anything else counts as sRGB.
QColorSpace heifColourSpace(const heif_image_handle *handle)
{
    switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_prof:
    case heif_color_profile_type_rICC: {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)),
                       Qt::Uninitialized);
        if (icc.isEmpty()
            || heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
            return QColorSpace();
        // A profile the toolkit cannot read gives an invalid space (and one line in its log).
        return QColorSpace::fromIccProfile(icc);
    }
    case heif_color_profile_type_nclx: {
        heif_color_profile_nclx *nclx = nullptr;
        if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok || !nclx)
            return QColorSpace();
        const bool p3 = nclx->color_primaries == heif_color_primaries_SMPTE_EG_432_1
            && nclx->transfer_characteristics == heif_transfer_characteristic_IEC_61966_2_1;
        heif_nclx_color_profile_free(nclx);
        return p3 ? QColorSpace(QColorSpace::DisplayP3) : QColorSpace();
    }
    default:
        return QColorSpace();
    }
}

} // namespace

bool HeifImageHandler::decode(heif_image_handle *handle, QImage *image) const
{
    const bool alpha = heif_image_handle_has_alpha_channel(handle);
    const QSize size(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle));
    // The reader's allocation limit holds before libheif allocates its own copy.
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (size.isEmpty() || (limit > 0 && qint64(size.width()) * size.height() * 4 > limit)) {
        qDebug() << "HEIF picture of unusable size" << size;
        return false;
    }
    // Coded pictures and grid canvases are decoded whole before libheif crops them to the size
    // the container states, and nothing ties the two together: a file of a few bytes can state a
    // tiny picture and code one of hundreds of megapixels that takes minutes to decode. They may
    // exceed the primary picture by a crop, never by much.
    const int side = std::max(heif_image_handle_get_width(primary.get()),
                              heif_image_handle_get_height(primary.get()));
    if (codedSize.width() > 2 * side + 64 || codedSize.height() > 2 * side + 64
        || (limit > 0 && qint64(codedSize.width()) * codedSize.height() * 4 > limit)) {
        qDebug() << "HEIF picture coded at" << codedSize << "for a picture of" << size;
        return false;
    }
    std::unique_ptr<heif_decoding_options, OptionsDeleter> options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image *decoded = nullptr;
    const heif_error error = heif_decode_image(
        handle, &decoded, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    std::unique_ptr<heif_image, ImageDeleter> picture(decoded);
    if (error.code != heif_error_Ok || !picture) {
        qDebug() << "HEIF picture not decodable:" << heifMessage(error);
        return false;
    }
    int stride = 0;
    const uint8_t *plane
        = heif_image_get_plane_readonly(picture.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(picture.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(picture.get(), heif_channel_interleaved);
    if (!plane || width <= 0 || height <= 0)
        return false;
    QImage result;
    if (!QImageIOHandler::allocateImage(
            QSize(width, height), alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888, &result))
        return false;
    const size_t rowBytes = size_t(width) * (alpha ? 4 : 3);
    for (int y = 0; y < height; ++y)
        std::memcpy(result.scanLine(y), plane + qsizetype(y) * stride, rowBytes);
    // A thumbnail shows the primary picture's colours whether or not it says so itself.
    result.setColorSpace(heifColourSpace(primary.get()));
    *image = std::move(result);
    return true;
}

bool HeifImageHandler::read(QImage *image)
{
    if (done || !load())
        return false;
    done = true;

    // A thumbnail large enough for the asked size, of the same shape, spares the full decode.
    std::unique_ptr<heif_image_handle, HandleDeleter> thumbnail;
    if (scaledSize.isValid()) {
        const int count = heif_image_handle_get_number_of_thumbnails(primary.get());
        std::vector<heif_item_id> ids(size_t(std::max(count, 0)));
        if (count > 0)
            heif_image_handle_get_list_of_thumbnail_IDs(primary.get(), ids.data(), count);
        const double shape = double(heif_image_handle_get_width(primary.get()))
            / heif_image_handle_get_height(primary.get());
        for (heif_item_id id : ids) {
            heif_image_handle *handle = nullptr;
            if (heif_image_handle_get_thumbnail(primary.get(), id, &handle).code != heif_error_Ok)
                continue;
            std::unique_ptr<heif_image_handle, HandleDeleter> candidate(handle);
            const int w = heif_image_handle_get_width(handle);
            const int h = heif_image_handle_get_height(handle);
            if (w < scaledSize.width() || h < scaledSize.height() || h <= 0
                || qAbs(double(w) / h - shape) > 0.02 * shape)
                continue;
            if (!thumbnail || w < heif_image_handle_get_width(thumbnail.get()))
                thumbnail = std::move(candidate);
        }
    }

    QImage decoded;
    if (!(thumbnail && decode(thumbnail.get(), &decoded)) && !decode(primary.get(), &decoded))
        return false;
    if (scaledSize.isValid() && decoded.size() != scaledSize)
        decoded = decoded.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    *image = std::move(decoded);
    return true;
}

QVariant HeifImageHandler::option(ImageOption option) const
{
    if (option != Size && option != ImageFormat)
        return QVariant();
    if (!load())
        return QVariant();
    if (option == Size)
        return QSize(heif_image_handle_get_width(primary.get()),
                     heif_image_handle_get_height(primary.get()));
    return heif_image_handle_has_alpha_channel(primary.get()) ? QImage::Format_RGBA8888
                                                              : QImage::Format_RGB888;
}

void HeifImageHandler::setOption(ImageOption option, const QVariant &value)
{
    if (option == ScaledSize)
        scaledSize = value.toSize();
}

bool HeifImageHandler::supportsOption(ImageOption option) const
{
    return option == Size || option == ImageFormat || option == ScaledSize;
}

QImageIOPlugin::Capabilities HeifImagePlugin::capabilities(QIODevice *device,
                                                           const QByteArray &format) const
{
    if (format == "heic" || format == "heif")
        return CanRead;
    if (!format.isEmpty() || !device || !device->isOpen())
        return {};
    return HeifImageHandler::canRead(device) ? Capabilities(CanRead) : Capabilities();
}

QImageIOHandler *HeifImagePlugin::create(QIODevice *device, const QByteArray &format) const
{
    auto *handler = new HeifImageHandler;
    handler->setDevice(device);
    handler->setFormat(format.isEmpty() ? QByteArray("heic") : format);
    return handler;
}

// Registers the plugin with the image reader wherever this library's photo loading is linked.
Q_IMPORT_PLUGIN(HeifImagePlugin)
