// SPDX-License-Identifier: GPL-3.0-or-later
// Photos in every format people have them: each encoding at a size below the frame and at one
// several times larger, read in its true colours into the list thumbnail, the frame picture and
// a composed frame; HEIC photos from phones upright whichever way they say they are turned.
#include "storyboard/gldrawer.h"
#include "storyboard/photoloader.h"
#include "storyboard/picture.h"
#include "storyboard/storyboard.h"
#include "storyboard/storyboardframes.h"
#include "tests/storyboard/heicfixture.h"
#include "tests/support/testsupport.h"
#include "tests/zomexif/photofixture.h"

#include <QColorSpace>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {

constexpr int FrameWidth = 160;
constexpr int FrameHeight = 120;
const QSize small(64, 48);
const QSize large(800, 600); // five times the frame each way

const QColor rose(200, 40, 90);
const QColor grey(120, 120, 120);

bool near(QColor a, QColor b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

QString text(QColor c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool writeWith(const QString &path, const QImage &image, const char *format, int quality = -1,
               int compression = -1, bool progressive = false)
{
    QImageWriter writer(path, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (compression >= 0)
        writer.setCompression(compression);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

// A CMYK JPEG as print workflows write it: inverted ink values behind an Adobe marker.
bool writeCmykJpeg(const QString &path, QSize size, QColor colour)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr error {};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(size.width());
    cinfo.image_height = JDIMENSION(size.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(size.width()) * 4);
    for (int x = 0; x < size.width(); ++x) {
        row[size_t(x) * 4 + 0] = JSAMPLE(colour.red());
        row[size_t(x) * 4 + 1] = JSAMPLE(colour.green());
        row[size_t(x) * 4 + 2] = JSAMPLE(colour.blue());
        row[size_t(x) * 4 + 3] = 255;
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

// Writes the named encoding of a solid picture; the file's suffix names the format the way
// people's files do.
QString writeEncoding(const QTemporaryDir &dir, const QString &encoding, QSize size, QColor colour)
{
    const QString base = dir.filePath(encoding + QLatin1Char('-') + QString::number(size.width()))
                             .replace(QLatin1Char(' '), QLatin1Char('_'));
    const QImage image = solid(size, colour);
    QString path;
    bool written = false;
    if (encoding == QLatin1String("png 1-bit colour map")) {
        QImage mono(size, QImage::Format_Mono);
        mono.setColorTable({colour.rgb(), qRgb(0, 0, 0)});
        mono.fill(0);
        written = writeWith(path = base + ".png", mono, "png");
    } else if (encoding == QLatin1String("png 8-bit colour map")) {
        written = writeWith(path = base + ".png",
                            image.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither), "png");
    } else if (encoding == QLatin1String("png grey")) {
        written = writeWith(path = base + ".png", image.convertToFormat(QImage::Format_Grayscale8),
                            "png");
    } else if (encoding == QLatin1String("png 16-bit grey")) {
        written = writeWith(path = base + ".png", image.convertToFormat(QImage::Format_Grayscale16),
                            "png");
    } else if (encoding == QLatin1String("png 16-bit")) {
        written
            = writeWith(path = base + ".png", image.convertToFormat(QImage::Format_RGBX64), "png");
    } else if (encoding == QLatin1String("jpeg")) {
        written = writeWith(path = base + ".jpg", image, "jpeg", 95);
    } else if (encoding == QLatin1String("jpeg progressive")) {
        written = writeWith(path = base + ".jpg", image, "jpeg", 95, -1, true);
    } else if (encoding == QLatin1String("jpeg grey")) {
        written = writeWith(path = base + ".jpg", image.convertToFormat(QImage::Format_Grayscale8),
                            "jpeg", 95);
    } else if (encoding == QLatin1String("jpeg cmyk")) {
        written = writeCmykJpeg(path = base + ".jpg", size, colour);
    } else if (encoding == QLatin1String("tiff")) {
        written = writeWith(path = base + ".tif", image, "tiff", -1, 0);
    } else if (encoding == QLatin1String("tiff lzw")) {
        written = writeWith(path = base + ".tiff", image, "tiff", -1, 1);
    } else if (encoding == QLatin1String("tiff colour map")) {
        written
            = writeWith(path = base + ".tiff",
                        image.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither), "tiff");
    } else if (encoding == QLatin1String("bmp")) {
        written = writeWith(path = base + ".bmp", image, "bmp");
    } else if (encoding == QLatin1String("bmp colour map")) {
        written = writeWith(path = base + ".bmp",
                            image.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither), "bmp");
    } else if (encoding == QLatin1String("xpm")) {
        written = writeWith(path = base + ".xpm", image, "xpm");
    } else if (encoding == QLatin1String("xbm")) {
        written
            = writeWith(path = base + ".xbm", image.convertToFormat(QImage::Format_Mono), "xbm");
    } else if (encoding == QLatin1String("gif")) {
        path = base + ".gif";
        written = runFfmpeg({"-f", "lavfi", "-i",
                             QStringLiteral("color=c=0x%1:s=%2x%3:d=0.1")
                                 .arg(colour.rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                 .arg(size.width())
                                 .arg(size.height()),
                             "-vf",
                             "split[a][b];[a]palettegen=reserve_transparent=0[p];[b][p]paletteuse",
                             "-frames:v", "1", path});
    } else if (encoding == QLatin1String("webp")) {
        written = writeWith(path = base + ".webp", image, "webp", 90);
    } else if (encoding == QLatin1String("webp lossless")) {
        written = writeWith(path = base + ".webp", image, "webp", 100);
    } else if (encoding == QLatin1String("heic")) {
        written = writeHeic(path = base + ".heic", image, 90);
    } else if (encoding == QLatin1String("heic with thumbnail")) {
        written = writeHeic(path = base + ".heic", image, 90, 1, {}, size.width() / 2);
    }
    return written ? path : QString();
}

} // namespace

class TestPhotoFormats : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void trueColour_data();
    void trueColour();
    void heicUpright_data();
    void heicUpright();
    void heicCameraData();
    void brokenHeicRefused_data();
    void brokenHeicRefused();
    void colourProfiles_data();
    void colourProfiles();

private:
    // The centre of a frame composed from one photo.
    QColor composedCentre(const ImageInfo &info);
    // The frame composed from one photo, rows top first, B, G, R, A.
    bool compose(const ImageInfo &info, std::vector<uint8_t> &frame);

    QTemporaryDir dir;
    std::unique_ptr<GLDrawer> drawer;
    MediaFormat format;
};

void TestPhotoFormats::initTestCase()
{
    QVERIFY(dir.isValid());
    format.width = FrameWidth;
    format.height = FrameHeight;
    drawer = std::make_unique<GLDrawer>(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer->open(format.width, format.height, 2, true));
}

bool TestPhotoFormats::compose(const ImageInfo &info, std::vector<uint8_t> &frame)
{
    StoryBoard board;
    board.patterns.clear();
    board.useZoom = false;
    board.photos = {info};
    StoryBoardFrames render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    frame.assign(size_t(format.width) * format.height * 4, 0);
    render.drawFrame(render.totalFrames() / 2, drawer.get());
    return drawer->grabFrame(0x80E1 /* GL_BGRA */, 0x1401 /* GL_UNSIGNED_BYTE */, frame.data());
}

QColor TestPhotoFormats::composedCentre(const ImageInfo &info)
{
    std::vector<uint8_t> frame;
    if (!compose(info, frame))
        return QColor();
    const uint8_t *p
        = frame.data() + (size_t(format.height / 2) * format.width + format.width / 2) * 4;
    return QColor(p[2], p[1], p[0]);
}

void TestPhotoFormats::trueColour_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("tolerance");
    const struct
    {
        const char *encoding;
        QColor colour;
        int tolerance;
    } encodings[] = {
        {"png 1-bit colour map", rose, 2},
        {"png 8-bit colour map", rose, 2},
        {"png grey", grey, 2},
        {"png 16-bit grey", grey, 2},
        {"png 16-bit", rose, 2},
        {"jpeg", rose, 5},
        {"jpeg progressive", rose, 5},
        {"jpeg grey", grey, 3},
        {"jpeg cmyk", rose, 5},
        {"tiff", rose, 2},
        {"tiff lzw", rose, 2},
        {"tiff colour map", rose, 2},
        {"bmp", rose, 2},
        {"bmp colour map", rose, 2},
        {"xpm", rose, 2},
        {"xbm", Qt::white, 2},
        {"gif", rose, 2},
        {"webp", rose, 6},
        {"webp lossless", rose, 2},
        {"heic", rose, 6},
        {"heic with thumbnail", rose, 6},
    };
    for (const auto &e : encodings) {
        for (const QSize &size : {small, large}) {
            QTest::addRow("%s %dx%d", e.encoding, size.width(), size.height())
                << QString::fromLatin1(e.encoding) << size << e.colour << e.tolerance;
        }
    }
}

void TestPhotoFormats::trueColour()
{
    QFETCH(QString, encoding);
    QFETCH(QSize, size);
    QFETCH(QColor, colour);
    QFETCH(int, tolerance);
    ImageInfo info;
    info.path = writeEncoding(dir, encoding, size, colour);
    QVERIFY2(!info.path.isEmpty(), "the fixture could not be written");
    if (encoding == QLatin1String("jpeg progressive")) {
        QFile file(info.path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().contains("\xFF\xC2"), "not a progressive JPEG");
    }

    QVERIFY(readPhotoInfo(info));
    QCOMPARE(QSize(info.width, info.height), size);
    const QColor thumb = info.thumbnail.pixelColor(ThumbnailWidth / 2, ThumbnailHeight / 2);
    QVERIFY2(near(thumb, colour, tolerance), qPrintable("thumbnail " + text(thumb)));
    const QColor turned = info.thumbnailRotated.pixelColor(ThumbnailWidth / 2, ThumbnailHeight / 2);
    QVERIFY2(near(turned, colour, tolerance), qPrintable("turned thumbnail " + text(turned)));

    for (PhotoDecode decode : {PhotoDecode::Fast, PhotoDecode::Full}) {
        Picture picture;
        QVERIFY(picture.allocate(FrameWidth, FrameHeight, AV_PIX_FMT_BGRA));
        QVERIFY(loadPhotoPicture(info.path, picture, FrameWidth, FrameHeight, false, decode));
        const uint8_t *p = picture.row(FrameHeight / 2) + FrameWidth / 2 * 4;
        const QColor got(p[2], p[1], p[0]);
        QVERIFY2(near(got, colour, tolerance), qPrintable("picture " + text(got)));
    }

    const QColor frame = composedCentre(info);
    QVERIFY2(near(frame, colour, tolerance + 1), qPrintable("frame " + text(frame)));
}

void TestPhotoFormats::heicUpright_data()
{
    // The phone's sensor picture lies on its side: the upright photo turned a quarter to the
    // left. Turning it right again is said by the camera tag, by the container, or by both.
    QTest::addColumn<int>("cameraTag"); // 0: no camera data
    QTest::addColumn<int>("containerOrientation");
    QTest::addColumn<int>("storedTurn"); // degrees clockwise from upright
    QTest::newRow("camera tag only") << 6 << 1 << -90;
    QTest::newRow("container turn only") << 0 << 6 << -90;
    QTest::newRow("container turn and the same camera tag") << 6 << 6 << -90;
    QTest::newRow("container half turn and the same camera tag") << 3 << 3 << 180;
    QTest::newRow("container mirror and the same camera tag") << 2 << 2 << 0;
    QTest::newRow("upright, tag 1") << 1 << 1 << 0;
}

void TestPhotoFormats::heicUpright()
{
    QFETCH(int, cameraTag);
    QFETCH(int, containerOrientation);
    QFETCH(int, storedTurn);
    const QImage upright = quadrantImage(64, 48);
    QImage stored = upright.transformed(QTransform().rotate(storedTurn));
    if (containerOrientation == 2)
        stored = stored.mirrored(true, false);
    const QByteArray exif = cameraTag > 0
        ? ExifBuilder().setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, quint16(cameraTag)).block()
        : QByteArray();
    ImageInfo info;
    info.path = dir.filePath(QStringLiteral("turned-%1-%2-%3.heic")
                                 .arg(cameraTag)
                                 .arg(containerOrientation)
                                 .arg(storedTurn));
    QVERIFY(writeHeic(info.path, stored, 95, containerOrientation, exif));
    QVERIFY(readPhotoInfo(info));
    applyCameraOrientation(info); // as an import with automatic turning does

    std::vector<uint8_t> frame;
    QVERIFY(compose(info, frame));
    const auto pixel = [&](int x, int y) {
        const uint8_t *p = frame.data() + (size_t(y) * FrameWidth + x) * 4;
        return QColor(p[2], p[1], p[0]);
    };
    // Red top left, green top right, blue bottom left, white bottom right.
    const QColor expected[4] = {Qt::red, Qt::green, Qt::blue, Qt::white};
    for (int q = 0; q < 4; ++q) {
        const QColor got = pixel(q % 2 ? FrameWidth * 3 / 4 : FrameWidth / 4,
                                 q / 2 ? FrameHeight * 3 / 4 : FrameHeight / 4);
        QVERIFY2(near(got, expected[q], 40),
                 qPrintable(QStringLiteral("quadrant %1 is %2 (orientation code %3)")
                                .arg(q)
                                .arg(text(got))
                                .arg(info.orientation)));
    }
}

void TestPhotoFormats::heicCameraData()
{
    const QByteArray exif = ExifBuilder()
                                .setAscii(EXIF_IFD_0, EXIF_TAG_MAKE, "Phonemaker")
                                .setAscii(EXIF_IFD_0, EXIF_TAG_MODEL, "Pocket 12")
                                .setRational(EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, 18, 10)
                                .block();
    ImageInfo info;
    info.path = dir.filePath(QStringLiteral("camera.heic"));
    QVERIFY(writeHeic(info.path, solid(small, rose), 90, 1, exif));
    QVERIFY(readPhotoInfo(info));
    QCOMPARE(info.exifProperties.value(0), QStringLiteral("Phonemaker"));
    QCOMPARE(info.exifProperties.value(1), QStringLiteral("Pocket 12"));
    QCOMPARE(info.exifProperties.value(7), QStringLiteral("f/1.8"));
    QCOMPARE(info.suffix, QStringLiteral("heic"));
}

void TestPhotoFormats::brokenHeicRefused_data()
{
    QTest::addColumn<int>("keep"); // bytes of a good file kept; -1: not a HEIF file at all
    QTest::newRow("empty") << 0;
    QTest::newRow("file type box only") << 24;
    QTest::newRow("container without the picture data") << 400;
    QTest::newRow("cut in the middle of the picture") << -2;
    QTest::newRow("other bytes with a HEIC name") << -1;
}

void TestPhotoFormats::brokenHeicRefused()
{
    QFETCH(int, keep);
    const QString good = dir.filePath(QStringLiteral("good.heic"));
    QVERIFY(writeHeic(good, solid(large, rose), 90));
    QFile file(good);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    if (keep == -1)
        bytes = QByteArray(4096, 'x');
    else
        bytes.truncate(keep == -2 ? bytes.size() * 2 / 3 : keep);
    ImageInfo info;
    info.path = dir.filePath(QStringLiteral("broken.heic"));
    QVERIFY(writeFile(info.path, bytes));
    info.width = 7;
    QVERIFY(!readPhotoInfo(info));
    QCOMPARE(info.width, 7);

    Picture picture;
    QVERIFY(picture.allocate(FrameWidth, FrameHeight, AV_PIX_FMT_BGRA));
    QVERIFY(!loadPhotoPicture(info.path, picture, FrameWidth, FrameHeight, false));
    const uint8_t *p = picture.row(FrameHeight / 2) + FrameWidth / 2 * 4;
    QCOMPARE(QColor(p[2], p[1], p[0], p[3]), QColor(0, 0, 0, 255));
}

void TestPhotoFormats::colourProfiles_data()
{
    // sRGB's pure red, stored as Display P3 values: a photo carrying its P3 profile shows pure
    // red, the same values without a profile are shown as they are.
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QColor>("expected");
    QTest::addColumn<int>("tolerance");
    const QColor srgbRed(255, 0, 0);
    const QColor p3Values(234, 51, 35);
    for (const char *format : {"jpeg", "png", "tiff", "webp", "heic"})
        QTest::addRow("%s display p3", format)
            << format << "p3" << srgbRed << (QByteArrayView(format) == "heic" ? 6 : 4);
    QTest::newRow("heic display p3 coded") << "heic"
                                           << "p3 coded" << srgbRed << 6;
    QTest::newRow("jpeg without a profile") << "jpeg"
                                            << "none" << p3Values << 4;
    QTest::newRow("jpeg with a damaged profile") << "jpeg"
                                                 << "damaged" << p3Values << 4;
    QTest::newRow("heic with a damaged profile") << "heic"
                                                 << "damaged" << p3Values << 6;
}

void TestPhotoFormats::colourProfiles()
{
    QFETCH(QString, format);
    QFETCH(QString, profile);
    QFETCH(QColor, expected);
    QFETCH(int, tolerance);
    QImage image = solid(large, QColor(234, 51, 35));
    QByteArray icc;
    if (profile != QLatin1String("none") && profile != QLatin1String("p3 coded")) {
        image.setColorSpace(QColorSpace::DisplayP3);
        icc = image.colorSpace().iccProfile();
        // The profile's signature spoilt: no reader accepts it any more.
        if (profile == QLatin1String("damaged"))
            icc.replace("acsp", "xxxx");
    }
    ImageInfo info;
    info.path = dir.filePath(QStringLiteral("profile-%1-%2.%3").arg(format, profile, format));
    if (format == QLatin1String("heic")) {
        QVERIFY(writeHeic(info.path, image, 95, 1, {}, 0, icc, profile == "p3 coded"));
    } else {
        QVERIFY(writeWith(info.path, image, qPrintable(format), format == "webp" ? 100 : 95));
        if (profile == QLatin1String("damaged")) {
            QFile file(info.path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            QVERIFY(bytes.contains("acsp"));
            bytes.replace("acsp", "xxxx");
            QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
        }
    }

    QVERIFY(readPhotoInfo(info));
    const QColor thumb = info.thumbnail.pixelColor(ThumbnailWidth / 2, ThumbnailHeight / 2);
    QVERIFY2(near(thumb, expected, tolerance), qPrintable("thumbnail " + text(thumb)));
    Picture picture;
    QVERIFY(picture.allocate(FrameWidth, FrameHeight, AV_PIX_FMT_BGRA));
    QVERIFY(loadPhotoPicture(info.path, picture, FrameWidth, FrameHeight, false));
    const uint8_t *p = picture.row(FrameHeight / 2) + FrameWidth / 2 * 4;
    const QColor got(p[2], p[1], p[0]);
    QVERIFY2(near(got, expected, tolerance), qPrintable("picture " + text(got)));
    const QColor frame = composedCentre(info);
    QVERIFY2(near(frame, expected, tolerance + 1), qPrintable("frame " + text(frame)));
}

QTEST_MAIN(TestPhotoFormats)
#include "tst_photoformats.moc"
