#include "storyboard/photoloader.h"

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
#include <cstring>

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

void fillOpaqueBlack(Picture &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        auto *pixels = reinterpret_cast<quint32 *>(picture.row(y));
        std::fill(pixels, pixels + picture.width(), 0xFF000000u);
        std::memset(pixels + picture.width(), 0, size_t(picture.linesize[0]) - picture.width() * 4);
    }
}

} // namespace

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

bool loadPhotoPicture(const QString &path, Picture &picture, int width, int height, bool turn90,
                      PhotoDecode decode)
{
    if (picture.isNull() || picture.format() != AV_PIX_FMT_BGRA || picture.width() != width
        || picture.height() != height) {
        qDebug() << "Photo picture does not match the frame" << width << height;
        return false;
    }

    QImageReader reader(path);
    prepareReader(reader);
    const QSize fullSize = reader.size();
    if (exceedsReaderLimit(fullSize)) {
        qDebug() << "Photo too large for the image reader:" << path << fullSize;
        fillOpaqueBlack(picture);
        return false;
    }

    // The fitted size comes from the photo's own size, so that a reduced decode lands on
    // exactly the geometry of a full one.
    const QSize frame(width, height);
    const QSize shown = turn90 ? fullSize.transposed() : fullSize;
    if (decode == PhotoDecode::Fast && fullSize.isValid() && mayReduceWhileDecoding(reader)
        && shown.width() >= 2 * width && shown.height() >= 2 * height) {
        const QSize fitted = fitInside(shown, frame);
        const QSize reduced = jpegReducedSize(fullSize, turn90 ? fitted.transposed() : fitted);
        if (reduced != fullSize)
            reader.setScaledSize(reduced);
    }

    QImage image = reader.read();
    if (image.isNull()) {
        qDebug() << "Cannot read photo" << path << reader.errorString();
        fillOpaqueBlack(picture);
        return false;
    }
    image = inTrueColour(image);
    if (turn90)
        image = turnedRight(image);
    const QSize fitted = fitInside(fullSize.isValid() ? shown : image.size(), frame);
    if (image.size() != fitted)
        image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_RGB32);
    // Once, on the fitted picture: the fewest pixels this photo is ever handled at.
    convertToSrgb(image);

    const int left = (width - image.width()) / 2;
    const int top = (height - image.height()) / 2;
    const int right = width - left - image.width();
    for (int y = 0; y < height; ++y) {
        auto *pixels = reinterpret_cast<quint32 *>(picture.row(y));
        const int imageRow = y - top;
        if (imageRow < 0 || imageRow >= image.height()) {
            std::fill(pixels, pixels + width, 0xFF000000u);
        } else {
            // The picture holds the bottom row first.
            const auto *source = reinterpret_cast<const quint32 *>(
                image.constScanLine(image.height() - 1 - imageRow));
            std::fill(pixels, pixels + left, 0xFF000000u);
            std::transform(source, source + image.width(), pixels + left,
                           [](quint32 pixel) { return pixel | 0xFF000000u; });
            std::fill(pixels + left + image.width(), pixels + left + image.width() + right,
                      0xFF000000u);
        }
        std::memset(pixels + width, 0, size_t(picture.linesize[0]) - size_t(width) * 4);
    }
    return true;
}
