#include "storyboard/heifimage.h"

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
#include <functional>
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

quint32 bigEndian16(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

quint32 bigEndian32(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// Calls visit(type, body start, end) for each box in [from, to); stops at the first box whose
// size does not fit.
void forEachBox(const QByteArray &bytes, qsizetype from, qsizetype to,
                const std::function<void(QByteArrayView, qsizetype, qsizetype)> &visit)
{
    qsizetype at = from;
    while (to - at >= 8) {
        quint64 size = bigEndian32(bytes, at);
        const QByteArrayView type(bytes.constData() + at + 4, 4);
        qsizetype header = 8;
        if (size == 1) {
            if (to - at < 16)
                return;
            size = qFromBigEndian<quint64>(bytes.constData() + at + 8);
            header = 16;
        } else if (size == 0) {
            size = quint64(to - at); // to the end
        }
        if (size < quint64(header) || size > quint64(to - at))
            return;
        visit(type, at + header, at + qsizetype(size));
        at += qsizetype(size);
    }
}

QString heifMessage(const heif_error &error)
{
    return QString::fromUtf8(error.message ? error.message : "unknown error");
}

// Reads the bits of an HEVC parameter set, its emulation-prevention bytes removed.
class BitReader
{
public:
    explicit BitReader(QByteArray payload)
        : data(std::move(payload))
    { }

    bool atEnd() const { return position >= qsizetype(data.size()) * 8; }
    quint32 bits(int count)
    {
        quint32 value = 0;
        for (int i = 0; i < count; ++i) {
            if (atEnd()) {
                failed = true;
                return 0;
            }
            value = (value << 1) | ((uchar(data.at(position / 8)) >> (7 - position % 8)) & 1);
            ++position;
        }
        return value;
    }
    void skip(int count)
    {
        position += count;
        if (position > qsizetype(data.size()) * 8)
            failed = true;
    }
    // Exp-Golomb ue(v); values past 32 bits count as damage.
    quint32 unsignedGolomb()
    {
        int zeros = 0;
        while (!failed && bits(1) == 0) {
            if (++zeros > 31) {
                failed = true;
                return 0;
            }
        }
        return failed ? 0 : (quint32(1) << zeros) - 1 + bits(zeros);
    }

    bool failed = false;

private:
    QByteArray data;
    qsizetype position = 0;
};

// The picture size a sequence parameter set (NAL unit type 33, header included) declares; an
// invalid size when it cannot be read.
QSize spsPictureSize(const QByteArray &nal)
{
    QByteArray payload;
    payload.reserve(nal.size());
    int zeros = 0;
    for (qsizetype i = 2; i < nal.size(); ++i) {
        const char c = nal.at(i);
        if (zeros >= 2 && c == 3) {
            zeros = 0;
            continue;
        }
        zeros = c == 0 ? zeros + 1 : 0;
        payload.append(c);
    }
    BitReader reader(payload);
    reader.skip(4); // sps_video_parameter_set_id
    const int subLayers = int(reader.bits(3)); // sps_max_sub_layers_minus1
    reader.skip(1);
    reader.skip(96); // general profile, tier and level
    bool profilePresent[8] = {};
    bool levelPresent[8] = {};
    for (int i = 0; i < subLayers; ++i) {
        profilePresent[i] = reader.bits(1);
        levelPresent[i] = reader.bits(1);
    }
    if (subLayers > 0)
        reader.skip(2 * (8 - subLayers));
    for (int i = 0; i < subLayers; ++i)
        reader.skip((profilePresent[i] ? 88 : 0) + (levelPresent[i] ? 8 : 0));
    reader.unsignedGolomb(); // sps_seq_parameter_set_id
    if (reader.unsignedGolomb() == 3) // chroma_format_idc
        reader.skip(1);
    const quint32 width = reader.unsignedGolomb();
    const quint32 height = reader.unsignedGolomb();
    if (reader.failed || width == 0 || height == 0 || width > 1u << 20 || height > 1u << 20)
        return QSize();
    return QSize(int(width), int(height));
}

// An unsigned big-endian number of size bytes (0 to 8; none is 0) at at, which moves past it;
// false when it does not fit before end.
bool readNumber(const QByteArray &bytes, qsizetype &at, qsizetype end, int size, quint64 &value)
{
    if (size < 0 || size > 8 || end - at < size)
        return false;
    value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | uchar(bytes.at(at + i));
    at += size;
    return true;
}

// The output size every grid image of the file declares, width and height each at their
// largest: the item types from 'iinf', where their data lies from 'iloc' (in 'idat' or in the
// file), and the grid's own header there. An empty size when there is no grid; a grid whose data
// cannot be found or read counts as an enormous one.
QSize largestGrid(const QByteArray &bytes)
{
    constexpr int Enormous = 1 << 20;
    QSize largest(0, 0);
    qsizetype metaBody = -1, metaEnd = -1;
    forEachBox(bytes, 0, bytes.size(), [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "meta" && metaBody < 0 && end - body >= 4) {
            metaBody = body + 4;
            metaEnd = end;
        }
    });
    if (metaBody < 0)
        return largest;

    std::vector<quint32> grids;
    qsizetype ilocBody = -1, ilocEnd = -1, idatBody = -1, idatEnd = -1;
    forEachBox(bytes, metaBody, metaEnd, [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "iloc" && ilocBody < 0) {
            ilocBody = body;
            ilocEnd = end;
        } else if (type == "idat" && idatBody < 0) {
            idatBody = body;
            idatEnd = end;
        } else if (type == "iinf" && end - body >= 6) {
            const int version = uchar(bytes.at(body));
            const qsizetype first = body + 4 + (version == 0 ? 2 : 4);
            forEachBox(bytes, first, end, [&](QByteArrayView entry, qsizetype eb, qsizetype ee) {
                if (entry != "infe" || ee - eb < 4)
                    return;
                const int entryVersion = uchar(bytes.at(eb));
                if (entryVersion < 2)
                    return; // no item types before version 2
                const int idBytes = entryVersion == 2 ? 2 : 4;
                if (ee - eb < 4 + idBytes + 2 + 4)
                    return;
                const quint32 id
                    = idBytes == 2 ? bigEndian16(bytes, eb + 4) : bigEndian32(bytes, eb + 4);
                if (QByteArrayView(bytes.constData() + eb + 4 + idBytes + 2, 4) == "grid")
                    grids.push_back(id);
            });
        }
    });
    if (grids.empty())
        return largest;
    if (ilocBody < 0 || ilocEnd - ilocBody < 8)
        return QSize(Enormous, Enormous);

    qsizetype at = ilocBody;
    const int version = uchar(bytes.at(at));
    at += 4;
    const int offsetSize = uchar(bytes.at(at)) >> 4;
    const int lengthSize = uchar(bytes.at(at)) & 15;
    const int baseOffsetSize = uchar(bytes.at(at + 1)) >> 4;
    const int indexSize = version >= 1 ? uchar(bytes.at(at + 1)) & 15 : 0;
    at += 2;
    quint64 count = 0;
    if (!readNumber(bytes, at, ilocEnd, version < 2 ? 2 : 4, count))
        return QSize(Enormous, Enormous);
    std::vector<quint32> found;
    for (quint64 i = 0; i < count; ++i) {
        quint64 id = 0, method = 0, reference = 0, base = 0, extents = 0;
        if (!readNumber(bytes, at, ilocEnd, version < 2 ? 2 : 4, id)
            || (version >= 1 && !readNumber(bytes, at, ilocEnd, 2, method))
            || !readNumber(bytes, at, ilocEnd, 2, reference)
            || !readNumber(bytes, at, ilocEnd, baseOffsetSize, base)
            || !readNumber(bytes, at, ilocEnd, 2, extents))
            return QSize(Enormous, Enormous);
        quint64 offset = 0, length = 0;
        for (quint64 e = 0; e < extents; ++e) {
            quint64 index = 0, extentOffset = 0, extentLength = 0;
            if ((indexSize > 0 && !readNumber(bytes, at, ilocEnd, indexSize, index))
                || !readNumber(bytes, at, ilocEnd, offsetSize, extentOffset)
                || !readNumber(bytes, at, ilocEnd, lengthSize, extentLength))
                return QSize(Enormous, Enormous);
            if (e == 0) {
                offset = extentOffset;
                length = extentLength;
            }
        }
        if (std::find(grids.begin(), grids.end(), quint32(id)) == grids.end())
            continue;
        found.push_back(quint32(id));
        // The grid header: version, flags, rows and columns less one, then the output size in
        // 16 bits, or in 32 when the flags say so.
        const qsizetype start = (method & 15) == 1 ? idatBody : 0;
        const qsizetype limit = (method & 15) == 1 ? idatEnd : bytes.size();
        if (start < 0 || (method & 15) > 1 || base + offset > quint64(limit - start))
            return QSize(Enormous, Enormous);
        qsizetype header = start + qsizetype(base + offset);
        const qsizetype headerEnd
            = length > 0 && length < quint64(limit - header) ? header + qsizetype(length) : limit;
        if (headerEnd - header < 4)
            return QSize(Enormous, Enormous);
        const int fieldSize = (uchar(bytes.at(header + 1)) & 1) ? 4 : 2;
        header += 4;
        quint64 width = 0, height = 0;
        if (!readNumber(bytes, header, headerEnd, fieldSize, width)
            || !readNumber(bytes, header, headerEnd, fieldSize, height))
            return QSize(Enormous, Enormous);
        largest = largest.expandedTo(QSize(int(std::min<quint64>(width, Enormous)),
                                           int(std::min<quint64>(height, Enormous))));
    }
    if (found.size() != grids.size())
        return QSize(Enormous, Enormous);
    return largest;
}

// The largest picture any HEVC decoder configuration ('hvcC' property) of the file declares,
// width and height each at their largest; an empty size when there is none. An unreadable
// parameter set counts as an enormous picture.
QSize largestCodedPicture(const QByteArray &bytes)
{
    QSize largest(0, 0);
    const auto visitConfiguration = [&](qsizetype body, qsizetype end) {
        // 22 bytes of configuration, then arrays of NAL units: type, count, (length, unit)...
        qsizetype at = body + 22;
        if (end - at < 1)
            return;
        const int arrays = uchar(bytes.at(at++));
        for (int a = 0; a < arrays && end - at >= 3; ++a) {
            const int type = uchar(bytes.at(at)) & 0x3f;
            const quint32 count = bigEndian16(bytes, at + 1);
            at += 3;
            for (quint32 n = 0; n < count && end - at >= 2; ++n) {
                const qsizetype length = bigEndian16(bytes, at);
                at += 2;
                if (end - at < length)
                    return;
                if (type == 33) {
                    QSize size = spsPictureSize(bytes.mid(at, length));
                    if (!size.isValid())
                        size = QSize(1 << 20, 1 << 20);
                    largest = largest.expandedTo(size);
                }
                at += length;
            }
        }
    };
    forEachBox(bytes, 0, bytes.size(), [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type != "meta" || end - body < 4)
            return;
        forEachBox(bytes, body + 4, end, [&](QByteArrayView inner, qsizetype b, qsizetype e) {
            if (inner != "iprp")
                return;
            forEachBox(bytes, b, e, [&](QByteArrayView box, qsizetype pb, qsizetype pe) {
                if (box != "ipco")
                    return;
                forEachBox(bytes, pb, pe, [&](QByteArrayView property, qsizetype cb, qsizetype ce) {
                    if (property == "hvcC")
                        visitConfiguration(cb, ce);
                });
            });
        });
    });
    return largest;
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

bool heifPrimaryIsTransformed(const QByteArray &bytes)
{
    qsizetype metaStart = -1, metaEnd = -1;
    forEachBox(bytes, 0, bytes.size(), [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "meta" && metaStart < 0 && end - body >= 4) {
            metaStart = body + 4; // version and flags
            metaEnd = end;
        }
    });
    if (metaStart < 0)
        return false;

    bool hasPrimary = false;
    quint32 primary = 0;
    std::vector<bool> transforms; // per property, in ipco order (ipma counts from 1)
    qsizetype ipmaStart = -1, ipmaEnd = -1;
    forEachBox(bytes, metaStart, metaEnd, [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "pitm" && end - body >= 6) {
            const int version = uchar(bytes.at(body));
            if (version == 0) {
                primary = bigEndian16(bytes, body + 4);
                hasPrimary = true;
            } else if (end - body >= 8) {
                primary = bigEndian32(bytes, body + 4);
                hasPrimary = true;
            }
        } else if (type == "iprp") {
            forEachBox(bytes, body, end, [&](QByteArrayView inner, qsizetype b, qsizetype e) {
                if (inner == "ipco" && transforms.empty()) {
                    forEachBox(bytes, b, e,
                               [&](QByteArrayView property, qsizetype pb, qsizetype pe) {
                                   // A turn by 0 degrees is no turn; any mirror is one.
                                   const bool turn = property == "irot" && pe > pb
                                       && (uchar(bytes.at(pb)) & 3) != 0;
                                   transforms.push_back(turn || property == "imir");
                               });
                } else if (inner == "ipma" && ipmaStart < 0) {
                    ipmaStart = b;
                    ipmaEnd = e;
                }
            });
        }
    });
    if (!hasPrimary || ipmaStart < 0 || ipmaEnd - ipmaStart < 8)
        return false;

    const int version = uchar(bytes.at(ipmaStart));
    const bool wideIndex = uchar(bytes.at(ipmaStart + 3)) & 1;
    const quint32 entries = bigEndian32(bytes, ipmaStart + 4);
    qsizetype at = ipmaStart + 8;
    for (quint32 i = 0; i < entries; ++i) {
        const int idBytes = version < 1 ? 2 : 4;
        if (ipmaEnd - at < idBytes + 1)
            return false;
        const quint32 item = idBytes == 2 ? bigEndian16(bytes, at) : bigEndian32(bytes, at);
        at += idBytes;
        const int count = uchar(bytes.at(at++));
        const int indexBytes = wideIndex ? 2 : 1;
        if (ipmaEnd - at < qsizetype(count) * indexBytes)
            return false;
        for (int j = 0; j < count; ++j) {
            const quint32 index
                = wideIndex ? bigEndian16(bytes, at) & 0x7fff : quint32(uchar(bytes.at(at))) & 0x7f;
            at += indexBytes;
            if (item == primary && index >= 1 && index <= transforms.size()
                && transforms[index - 1])
                return true;
        }
    }
    return false;
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
            const quint32 offset = bigEndian32(block, 0);
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
