// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/photoloader.h"

#include "storyboard/facefinder.h"
#include "storyboard/faceframing.h"
#include "storyboard/heifimage.h"
#include "storyboard/picture.h"
#include "storyboard/storyboard.h"
#include "zomexif/zomexifinfo.h"

#include <QColorSpace>
#include <QDebug>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <optional>
#include <vector>

// QImage::Format_RGB32 keeps each pixel as 0xffRRGGBB in a 32-bit word, which is the byte
// order B, G, R, 0xff that pictures hold only on a little-endian machine.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "photo pictures assume little-endian pixels");

namespace {

// A photo decoded at reduced size for thumbnails: twice the thumbnail's long side, so that the
// final fast scaling still has two source pixels per thumbnail pixel.
constexpr int ThumbnailSourceBox = 2 * std::max(ThumbnailWidth, ThumbnailHeight);

void prepareReader(QImageReader &reader)
{
    reader.setDecideFormatFromContent(true);
    // Orientation is the story board's business (camera fields and user steps), never the
    // reader's.
    reader.setAutoTransform(false);
}

// Whether a decoded image of this size would exceed the reader's allocation limit. The photo
// is refused whole even when a reduced decode would fit, so that every accepted photo can also
// be drawn at full resolution.
bool exceedsReaderLimit(QSize size)
{
    const int limitMb = QImageReader::allocationLimit();
    if (limitMb <= 0 || !size.isValid())
        return false;
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    return bytes > qint64(limitMb) * 1024 * 1024;
}

// Whether the reader may be asked for a reduced picture. A picture that decodes to a colour map
// or to one bit a pixel is read whole: the PNG reader's reduced decoding of a 1-bit colour map
// keeps the bits but loses the map, so a solid red picture comes out black or white (grey once
// scaled further). Whole decoding and our own scaling keep every format's colours.
bool mayReduceWhileDecoding(const QImageReader &reader)
{
    if (!reader.supportsOption(QImageIOHandler::ScaledSize))
        return false;
    switch (reader.imageFormat()) {
    case QImage::Format_Invalid:
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return false;
    default:
        return true;
    }
}

// Colour-map and 1-bit pictures in true colour, so that smooth scaling mixes colours instead of
// map entries.
QImage inTrueColour(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
    default:
        return image;
    }
}

// Pictures are drawn as sRGB. A photo that carries its own colour profile (wide-gamut phone and
// camera photos: Display P3, Adobe RGB) is converted to sRGB; one without a profile, or with one
// the toolkit could not read (it says so in its log), is taken as sRGB as it is.
void convertToSrgb(QImage &image)
{
    const QColorSpace space = image.colorSpace();
    if (!space.isValid() || space == QColorSpace(QColorSpace::SRgb))
        return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
    image.convertToColorSpace(QColorSpace::SRgb);
}

// The camera orientation tag of a photo, with its camera data read into exif. A HEIF container
// that turns or mirrors its picture itself has already been obeyed by the decoder; its camera
// tag says the same again and counts as none.
int cameraOrientation(const QString &path, ZomExifInfo &exif)
{
    const HeifContainer heif = readHeifContainer(path);
    if (!heif.valid) {
        exif.open(path);
        return exif.Orientation();
    }
    exif.openData(heif.exif);
    return heif.transformed ? 1 : exif.Orientation();
}

QSize fitInside(QSize size, QSize box)
{
    const QSize fitted = size.scaled(box, Qt::KeepAspectRatio);
    return QSize(std::max(1, fitted.width()), std::max(1, fitted.height()));
}

// A list thumbnail: scaled to fit the canvas (photoSize decides the shape, so that a
// reduced decode gives the same geometry as a full one), centred on grey.
QImage makeThumbnail(const QImage &image, QSize photoSize)
{
    QImage canvas(ThumbnailWidth, ThumbnailHeight, QImage::Format_RGB32);
    canvas.fill(ThumbnailBackground);
    const QSize size = fitInside(photoSize, canvas.size());
    QImage scaled = image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                        .convertToFormat(QImage::Format_RGB32);
    // At thumbnail size the conversion costs next to nothing.
    convertToSrgb(scaled);
    const int x = (ThumbnailWidth - scaled.width()) / 2;
    const int y = (ThumbnailHeight - scaled.height()) / 2;
    for (int row = 0; row < scaled.height(); ++row)
        std::memcpy(canvas.scanLine(y + row) + x * 4, scaled.constScanLine(row),
                    size_t(scaled.width()) * 4);
    return canvas;
}

// The JPEG decoder can scale by 1/2, 1/4 or 1/8 while decoding, rounding sizes up. The
// smallest of those sizes that still covers target, so that the smooth scaling that follows
// works as it does on a full decode; the full size when none does.
QSize jpegReducedSize(QSize full, QSize target)
{
    for (int denominator : {8, 4, 2}) {
        const QSize size((full.width() + denominator - 1) / denominator,
                         (full.height() + denominator - 1) / denominator);
        if (size.width() >= target.width() && size.height() >= target.height())
            return size;
    }
    return full;
}

QImage turnedRight(const QImage &image)
{
    return image.transformed(QTransform().rotate(90), Qt::FastTransformation);
}

} // namespace

void fillOpaqueBlack(Picture &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        auto *pixels = reinterpret_cast<quint32 *>(picture.row(y));
        std::fill(pixels, pixels + picture.width(), 0xFF000000u);
        std::memset(pixels + picture.width(), 0, size_t(picture.linesize[0]) - picture.width() * 4);
    }
}

bool readPhotoInfo(ImageInfo &info)
{
    QImageReader reader(info.path);
    prepareReader(reader);
    const QSize fullSize = reader.size();
    if (exceedsReaderLimit(fullSize)) {
        qDebug() << "Photo too large for the image reader:" << info.path << fullSize;
        return false;
    }
    // Thumbnails need only a small image; JPEG decodes straight to a fraction of its size.
    if (fullSize.isValid() && mayReduceWhileDecoding(reader)
        && (fullSize.width() > ThumbnailSourceBox || fullSize.height() > ThumbnailSourceBox))
        reader.setScaledSize(fitInside(fullSize, QSize(ThumbnailSourceBox, ThumbnailSourceBox)));

    const QImage image = reader.read();
    if (image.isNull()) {
        qDebug() << "Cannot read photo" << info.path << reader.errorString();
        return false;
    }
    const QSize photoSize = fullSize.isValid() ? fullSize : image.size();

    ImageInfo result = info;
    result.width = photoSize.width();
    result.height = photoSize.height();
    result.depth = image.depth();

    ZomExifInfo exif;
    setCameraFields(result, cameraOrientation(info.path, exif));

    const QFileInfo file(info.path);
    result.suffix = file.suffix();
    result.fileSize = file.size();
    result.modified = file.lastModified();

    result.exifProperties = QStringList();
    for (int i = 0; i < ImageInfo::PropertyCount; ++i)
        result.exifProperties.append(exif.property(i));

    if (!result.facesSearched) {
        const std::optional<QList<QRectF>> faces = findFaces(image);
        result.faces = faces.value_or(QList<QRectF>());
        result.facesSearched = faces.has_value();
    }

    result.thumbnail = makeThumbnail(image, photoSize);
    result.thumbnailRotated = makeThumbnail(turnedRight(image), photoSize.transposed());

    info = std::move(result);
    return true;
}

int foldOrientation(const QList<int> &operations)
{
    // M <- S * M for each step; the steps are whole-number matrices, so the products are exact.
    int m11 = 1, m12 = 0, m21 = 0, m22 = 1;
    for (int step : operations) {
        int s11, s12, s21, s22;
        switch (step) {
        case ImageInfo::Mirror:
            s11 = -1, s12 = 0, s21 = 0, s22 = 1;
            break;
        case ImageInfo::Flip:
            s11 = 1, s12 = 0, s21 = 0, s22 = -1;
            break;
        case ImageInfo::TurnLeft:
            s11 = 0, s12 = 1, s21 = -1, s22 = 0;
            break;
        case ImageInfo::TurnRight:
            s11 = 0, s12 = -1, s21 = 1, s22 = 0;
            break;
        default:
            qDebug() << "Unknown orientation step" << step;
            continue;
        }
        const int n11 = s11 * m11 + s12 * m21;
        const int n12 = s11 * m12 + s12 * m22;
        const int n21 = s21 * m11 + s22 * m21;
        const int n22 = s21 * m12 + s22 * m22;
        m11 = n11, m12 = n12, m21 = n21, m22 = n22;
    }

    if (m11 == 1 && m22 == 1)
        return 0;
    if (m11 == 1 && m22 == -1)
        return 1;
    if (m11 == -1 && m22 == 1)
        return 2;
    if (m11 == -1 && m22 == -1)
        return 3;
    if (m12 == 1 && m21 == 1)
        return 4;
    if (m12 == 1 && m21 == -1)
        return 5;
    if (m12 == -1 && m21 == 1)
        return 6;
    if (m12 == -1 && m21 == -1)
        return 7;
    qDebug("I Don't think this will happen!");
    return 0;
}

void foldOrientation(ImageInfo &info)
{
    info.orientation = foldOrientation(info.operations);
}

void setCameraFields(ImageInfo &info, int orientationTag)
{
    struct CameraFields
    {
        int rotation;
        bool mirror;
        bool flip;
    };
    static constexpr std::array<CameraFields, 8> table = {{
        {0, false, false},
        {0, true, false},
        {0, true, true},
        {0, false, true},
        {90, true, false},
        {90, false, false},
        {-90, true, false},
        {-90, false, false},
    }};
    const CameraFields fields
        = orientationTag >= 1 && orientationTag <= 8 ? table[orientationTag - 1] : table[0];
    info.exifRotation = fields.rotation;
    info.exifMirror = fields.mirror;
    info.exifFlip = fields.flip;
}

void applyCameraOrientation(ImageInfo &info)
{
    info.operations.clear();
    if (info.exifMirror)
        info.operations.append(ImageInfo::Mirror);
    if (info.exifFlip)
        info.operations.append(ImageInfo::Flip);
    if (info.exifRotation == -90)
        info.operations.append(ImageInfo::TurnLeft);
    else if (info.exifRotation == 90)
        info.operations.append(ImageInfo::TurnRight);
    foldOrientation(info);
}

void restoreOrientation(ImageInfo &info)
{
    info.operations.clear();
    foldOrientation(info);
}

namespace {

// The photo scaled to cover the box, its overhang left for cropping.
QSize coverBox(QSize size, QSize box)
{
    const QSize covered = size.scaled(box, Qt::KeepAspectRatioByExpanding);
    return QSize(std::max(1, covered.width()), std::max(1, covered.height()));
}

std::atomic<int> backdropCount {0};

// Three box-blur passes along rows and columns, which come close to a Gaussian blur.
void boxBlur(QImage &image, int radius)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<quint32> line(size_t(std::max(w, h)));
    std::vector<int> sums(size_t(std::max(w, h) + 1) * 3);
    const auto blurLine = [&](auto pixelAt, int length) {
        // Prefix sums of each channel, the line's ends repeated outward.
        for (int c = 0; c < 3; ++c)
            sums[size_t(c)] = 0;
        for (int i = 0; i < length; ++i) {
            line[size_t(i)] = *pixelAt(i);
            for (int c = 0; c < 3; ++c) {
                sums[size_t(i + 1) * 3 + size_t(c)]
                    = sums[size_t(i) * 3 + size_t(c)] + int((line[size_t(i)] >> (8 * c)) & 0xFF);
            }
        }
        for (int i = 0; i < length; ++i) {
            const int from = std::max(0, i - radius);
            const int to = std::min(length, i + radius + 1);
            quint32 pixel = 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                const int sum
                    = sums[size_t(to) * 3 + size_t(c)] - sums[size_t(from) * 3 + size_t(c)];
                pixel |= quint32(sum / (to - from)) << (8 * c);
            }
            *pixelAt(i) = pixel;
        }
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            auto *row = reinterpret_cast<quint32 *>(image.scanLine(y));
            blurLine([row](int i) { return row + i; }, w);
        }
        for (int x = 0; x < w; ++x) {
            blurLine(
                [&image, x](int i) { return reinterpret_cast<quint32 *>(image.scanLine(i)) + x; },
                h);
        }
    }
}

// The backdrop of a fitted photo: a copy scaled to cover the frame, blurred and darkened. The
// blur is worked out on a copy a sixteenth of the frame's size and scaled up smoothly, which
// blurs further and costs a few milliseconds once per photo picture.
QImage blurredBackdrop(const QImage &fitted, QSize frame, const QList<QRectF> &faces)
{
    backdropCount.fetch_add(1, std::memory_order_relaxed);
    constexpr int reduction = 16;
    const QSize smallFrame(std::max(1, frame.width() / reduction),
                           std::max(1, frame.height() / reduction));
    QImage small = fitted
                       .scaled(coverBox(fitted.size(), smallFrame), Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    boxBlur(small, 2);
    // Darkened to about 60 %, so that the photo itself stands out.
    for (int y = 0; y < small.height(); ++y) {
        auto *row = reinterpret_cast<quint32 *>(small.scanLine(y));
        for (int x = 0; x < small.width(); ++x) {
            const quint32 p = row[x];
            row[x] = 0xFF000000u | (((p >> 16 & 0xFF) * 3 / 5) << 16)
                | (((p >> 8 & 0xFF) * 3 / 5) << 8) | ((p & 0xFF) * 3 / 5);
        }
    }
    const QImage covered = small.scaled(coverBox(small.size(), frame), Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation);
    if (faces.isEmpty()) {
        return covered
            .copy((covered.width() - frame.width()) / 2, (covered.height() - frame.height()) / 2,
                  frame.width(), frame.height())
            .convertToFormat(QImage::Format_RGB32);
    }
    return covered.copy(QRect(cropOrigin(covered.size(), frame, faces), frame))
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

int blurredBackdropsMade()
{
    return backdropCount.load(std::memory_order_relaxed);
}

QSize fittedPhotoSize(QSize shown, QSize frame, Framing framing)
{
    return framing == Framing::Fill ? coverBox(shown, frame) : fitInside(shown, frame);
}

QImage readFittedPhoto(const QString &path, bool turn90, const QList<FrameNeed> &frames,
                       PhotoDecode decode, QSize *shownSize)
{
    QImageReader reader(path);
    prepareReader(reader);
    const QSize fullSize = reader.size();
    if (exceedsReaderLimit(fullSize) || frames.isEmpty()) {
        qDebug() << "Photo too large for the image reader:" << path << fullSize;
        return {};
    }

    // The fitted size comes from the photo's own size, so that a reduced decode lands on
    // exactly the geometry of a full one. With several frames, the largest fitted size of them.
    const QSize shown = turn90 ? fullSize.transposed() : fullSize;
    const auto placed = [&frames](QSize size) {
        QSize largest;
        for (const FrameNeed &need : frames) {
            const QSize fitted = fittedPhotoSize(size, need.frame, need.framing);
            if (largest.isEmpty()
                || qint64(fitted.width()) * fitted.height()
                    > qint64(largest.width()) * largest.height())
                largest = fitted;
        }
        return largest;
    };
    QSize largestFrame;
    for (const FrameNeed &need : frames)
        largestFrame = largestFrame.expandedTo(need.frame);
    if (decode == PhotoDecode::Fast && fullSize.isValid() && mayReduceWhileDecoding(reader)
        && shown.width() >= 2 * largestFrame.width()
        && shown.height() >= 2 * largestFrame.height()) {
        const QSize fitted = placed(shown);
        const QSize reduced = jpegReducedSize(fullSize, turn90 ? fitted.transposed() : fitted);
        if (reduced != fullSize)
            reader.setScaledSize(reduced);
    }

    QImage image = reader.read();
    if (image.isNull()) {
        qDebug() << "Cannot read photo" << path << reader.errorString();
        return {};
    }
    image = inTrueColour(image);
    if (turn90)
        image = turnedRight(image);
    if (shownSize)
        *shownSize = fullSize.isValid() ? shown : image.size();
    const QSize fitted = placed(fullSize.isValid() ? shown : image.size());
    if (image.size() != fitted)
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_RGB32);
    // Once, on the fitted picture: the fewest pixels this photo is ever handled at.
    convertToSrgb(image);
    return image;
}

bool loadPhotoPicture(const QString &path, Picture &picture, int width, int height, bool turn90,
                      PhotoDecode decode, Framing framing, const QList<QRectF> &faces)
{
    if (picture.isNull() || picture.format() != AV_PIX_FMT_BGRA || picture.width() != width
        || picture.height() != height) {
        qDebug() << "Photo picture does not match the frame" << width << height;
        return false;
    }
    const QImage image
        = readFittedPhoto(path, turn90, {{QSize(width, height), framing}}, decode, nullptr);
    if (image.isNull()) {
        fillOpaqueBlack(picture);
        return false;
    }
    return placePhotoPicture(image, picture, framing, turn90 ? facesTurnedRight(faces) : faces);
}

bool placePhotoPicture(const QImage &image, Picture &picture, Framing framing,
                       const QList<QRectF> &shownFaces)
{
    if (picture.isNull() || picture.format() != AV_PIX_FMT_BGRA
        || image.format() != QImage::Format_RGB32)
        return false;
    const int width = picture.width();
    const int height = picture.height();
    const QSize frame(width, height);
    // Where the photo does not reach: black bars, or the blurred backdrop. A filled photo
    // reaches everywhere and is cropped evenly on both sides, or around its faces.
    QImage backdrop;
    if (framing == Framing::BlurredFit && image.size() != frame)
        backdrop = blurredBackdrop(image, frame, shownFaces);
    // Without faces the photo is centred; when the rows left over are odd, the bottom bar is
    // the smaller one, as it always was.
    const QPoint origin = cropOrigin(image.size(), frame, shownFaces);
    const int left = -origin.x();
    const int top = -origin.y();
    const int from = std::max(0, left);
    const int to = std::min(width, left + image.width());
    for (int y = 0; y < height; ++y) {
        auto *pixels = reinterpret_cast<quint32 *>(picture.row(y));
        // The picture holds the bottom row first.
        const int frameRow = height - 1 - y;
        if (backdrop.isNull()) {
            std::fill(pixels, pixels + width, 0xFF000000u);
        } else {
            const auto *behind
                = reinterpret_cast<const quint32 *>(backdrop.constScanLine(frameRow));
            std::copy(behind, behind + width, pixels);
        }
        const int imageRow = frameRow - top;
        if (imageRow >= 0 && imageRow < image.height() && from < to) {
            const auto *source
                = reinterpret_cast<const quint32 *>(image.constScanLine(imageRow)) + (from - left);
            std::transform(source, source + (to - from), pixels + from,
                           [](quint32 pixel) { return pixel | 0xFF000000u; });
        }
        std::memset(pixels + width, 0, size_t(picture.linesize[0]) - size_t(width) * 4);
    }
    return true;
}
