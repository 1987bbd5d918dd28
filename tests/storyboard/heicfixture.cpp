// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/storyboard/heicfixture.h"

#include <QDebug>
#include <QFile>

#include <libheif/heif.h>

#include <cstring>
#include <memory>

namespace {

bool ok(const heif_error &error, const char *what)
{
    if (error.code == heif_error_Ok)
        return true;
    qWarning() << what << error.message;
    return false;
}

heif_error writeToFile(heif_context *, const void *data, size_t size, void *userdata)
{
    auto *bytes = static_cast<QByteArray *>(userdata);
    bytes->append(static_cast<const char *>(data), qsizetype(size));
    return heif_error {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

} // namespace

bool writeHeic(const QString &path, const QImage &source, int quality, int orientation,
               const QByteArray &exif, int thumbnail, const QByteArray &icc, bool p3Coding)
{
    std::unique_ptr<heif_context, void (*)(heif_context *)> context(heif_context_alloc(),
                                                                    heif_context_free);
    heif_encoder *rawEncoder = nullptr;
    if (!ok(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &rawEncoder),
            "no HEVC encoder"))
        return false;
    std::unique_ptr<heif_encoder, void (*)(heif_encoder *)> encoder(rawEncoder,
                                                                    heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder.get(), quality);

    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    heif_image *rawImage = nullptr;
    if (!ok(heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                              heif_chroma_interleaved_RGB, &rawImage),
            "no HEIF image"))
        return false;
    std::unique_ptr<heif_image, void (*)(const heif_image *)> image(rawImage, heif_image_release);
    if (!ok(heif_image_add_plane(image.get(), heif_channel_interleaved, rgb.width(), rgb.height(),
                                 8),
            "no plane"))
        return false;
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);

    if (!icc.isEmpty()
        && !ok(heif_image_set_raw_color_profile(image.get(), "prof", icc.constData(),
                                                size_t(icc.size())),
               "colour profile refused"))
        return false;

    std::unique_ptr<heif_encoding_options, void (*)(heif_encoding_options *)> options(
        heif_encoding_options_alloc(), heif_encoding_options_free);
    options->image_orientation = heif_orientation(orientation);
    std::unique_ptr<heif_color_profile_nclx, void (*)(heif_color_profile_nclx *)> nclx(
        heif_nclx_color_profile_alloc(), heif_nclx_color_profile_free);
    if (p3Coding) {
        nclx->color_primaries = heif_color_primaries_SMPTE_EG_432_1;
        nclx->transfer_characteristics = heif_transfer_characteristic_IEC_61966_2_1;
        nclx->matrix_coefficients = heif_matrix_coefficients_ITU_R_BT_601_6;
        nclx->full_range_flag = 1;
        options->output_nclx_profile = nclx.get();
        options->macOS_compatibility_workaround_no_nclx_profile = 0; // else no colour box
        if (!ok(heif_image_set_nclx_color_profile(image.get(), nclx.get()), "P3 coding refused"))
            return false;
    }
    heif_image_handle *rawHandle = nullptr;
    if (!ok(heif_context_encode_image(context.get(), image.get(), encoder.get(), options.get(),
                                      &rawHandle),
            "encoding failed"))
        return false;
    std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle *)> handle(
        rawHandle, heif_image_handle_release);
    if (thumbnail > 0
        && !ok(heif_context_encode_thumbnail(context.get(), image.get(), handle.get(),
                                             encoder.get(), options.get(), thumbnail, nullptr),
               "thumbnail failed"))
        return false;
    if (!exif.isEmpty()
        && !ok(heif_context_add_exif_metadata(context.get(), handle.get(), exif.constData(),
                                              int(exif.size())),
               "camera data refused"))
        return false;

    QByteArray bytes;
    heif_writer writer {1, writeToFile};
    if (!ok(heif_context_write(context.get(), &writer, &bytes), "writing failed"))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
