// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/photoloader.h"
#include "storyboard/picture.h"
#include "storyboard/storyboard.h"
#include "tests/zomexif/photofixture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

// Qt splits the conversion and scaling of large images over its global thread pool, whose
// synchronisation the thread sanitizer cannot see in the uninstrumented library. The functions
// that draw large pictures run on one thread only and are checked by the other builds.
#if defined(__SANITIZE_THREAD__)
#define SKIP_LARGE_IMAGES_UNDER_TSAN() QSKIP("large images fan out over Qt's thread pool")
#else
#define SKIP_LARGE_IMAGES_UNDER_TSAN()
#endif

// Photo import, orientation folding and frame-sized photo pictures, on photos the test writes.
class TstPhotoLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void foldSteps_data();
    void foldSteps();
    void foldAgreesWithTheDrawnResult();
    void cameraTag_data();
    void cameraTag();
    void cameraTagsTurnPhotosUpright();
    void readPhotoInfoFields();
    void thumbnails_data();
    void thumbnails();
    void letterbox_data();
    void letterbox();
    void portraitAtCode6FillsTheFrameHeight();
    void reducedDecodeWithinTolerance_data();
    void reducedDecodeWithinTolerance();
    void badInput_data();
    void badInput();
    void readerLimitAppliesToImportAndPicture();
    void pictureThatDoesNotMatchIsUntouched();
    void concurrentReads();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QString writeImage(const QString &name, const QImage &image, const char *format);

    QTemporaryDir dir;
};

namespace {

// The picture's pixel at (x, y) counted from the top of the frame; pictures hold the bottom
// row first. Returned as 0xAARRGGBB.
QRgb pixelAt(const Picture &picture, int x, int y)
{
    const uint8_t *p = picture.row(picture.height() - 1 - y) + x * 4;
    return qRgba(p[2], p[1], p[0], p[3]);
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance && qAlpha(a) == qAlpha(b);
}

QString rgbText(QRgb c)
{
    return QStringLiteral("#%1").arg(c, 8, 16, QLatin1Char('0'));
}

// Checks the four quadrant colours of quadrantImage() inside rect (top-first coordinates),
// after a clockwise quarter turn when turned.
void verifyQuadrants(const std::function<QRgb(int, int)> &pixel, const QRect &rect, bool turned,
                     int tolerance)
{
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255),
               white = qRgb(255, 255, 255);
    const QRgb expected[4] = {turned ? blue : red, turned ? red : green, turned ? white : blue,
                              turned ? green : white};
    const int xs[2] = {rect.left() + rect.width() / 4, rect.left() + rect.width() * 3 / 4};
    const int ys[2] = {rect.top() + rect.height() / 4, rect.top() + rect.height() * 3 / 4};
    for (int q = 0; q < 4; ++q) {
        const QRgb got = pixel(xs[q % 2], ys[q / 2]);
        QVERIFY2(near(got, expected[q], tolerance),
                 qPrintable(QStringLiteral("quadrant %1 at %2,%3: %4, expected %5")
                                .arg(q)
                                .arg(xs[q % 2])
                                .arg(ys[q / 2])
                                .arg(rgbText(got), rgbText(expected[q]))));
    }
}

// Every pixel outside rect is opaque black, every pixel is opaque, and the edges of rect are
// photo (the quadrant colours are never black).
void verifyLetterbox(const Picture &picture, const QRect &rect)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = pixelAt(picture, x, y);
            if (qAlpha(c) != 255)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 not opaque").arg(x).arg(y)));
            const bool black = (c & 0xFFFFFFu) == 0;
            if (rect.contains(x, y) == black)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3 with the photo at %4,%5 %6x%7")
                                     .arg(x)
                                     .arg(y)
                                     .arg(rgbText(c))
                                     .arg(rect.x())
                                     .arg(rect.y())
                                     .arg(rect.width())
                                     .arg(rect.height())));
        }
    }
}

bool allOpaqueBlack(const Picture &picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (pixelAt(picture, x, y) != 0xFF000000u)
                return false;
    return true;
}

QImage applyStep(const QImage &image, int step)
{
    switch (step) {
    case ImageInfo::Mirror:
        return image.mirrored(true, false);
    case ImageInfo::Flip:
        return image.mirrored(false, true);
    case ImageInfo::TurnLeft:
        return image.transformed(QTransform().rotate(-90));
    default:
        return image.transformed(QTransform().rotate(90));
    }
}

// What the loader and the drawer make of a code: the quarter turn on loading, then the layer
// flip (180 degrees about the vertical axis mirrors left-right, about the horizontal axis
// turns upside down).
QImage drawnResult(const QImage &photo, int code)
{
    QImage image = code > 3 ? photo.transformed(QTransform().rotate(90)) : photo;
    const bool mirror = code == 2 || code == 3 || code == 5 || code == 7;
    const bool flip = code == 1 || code == 3 || code == 4 || code == 5;
    return image.mirrored(mirror, flip);
}

QImage asymmetricImage()
{
    QImage image(3, 2, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i)
        image.setPixel(i % 3, i / 3, qRgb(40 * i, 255 - 30 * i, 7 * i));
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

void TstPhotoLoader::initTestCase()
{
    QVERIFY(dir.isValid());
}

QString TstPhotoLoader::write(const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    return writeFile(path, bytes) ? path : QString();
}

QString TstPhotoLoader::writeImage(const QString &name, const QImage &image, const char *format)
{
    return write(name, encoded(image, format));
}

void TstPhotoLoader::foldSteps_data()
{
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<int>("code");
    const int M = ImageInfo::Mirror, F = ImageInfo::Flip, L = ImageInfo::TurnLeft,
              R = ImageInfo::TurnRight;
    QTest::newRow("no steps") << QList<int> {} << 0;
    QTest::newRow("turn left twice") << QList<int> {L, L} << 3;
    QTest::newRow("mirror twice") << QList<int> {M, M} << 0;
    QTest::newRow("turn left, flip") << QList<int> {L, F} << 4;
    QTest::newRow("turn right, flip") << QList<int> {R, F} << 7;
    QTest::newRow("mirror, flip") << QList<int> {M, F} << 3;
    QTest::newRow("flip") << QList<int> {F} << 1;
    QTest::newRow("mirror") << QList<int> {M} << 2;
    QTest::newRow("turn left") << QList<int> {L} << 5;
    QTest::newRow("turn right") << QList<int> {R} << 6;
    QTest::newRow("four right turns") << QList<int> {R, R, R, R} << 0;
    QTest::newRow("unknown steps are skipped") << QList<int> {9, R, -1} << 6;
}

void TstPhotoLoader::foldSteps()
{
    QFETCH(QList<int>, steps);
    QFETCH(int, code);
    QCOMPARE(foldOrientation(steps), code);
    ImageInfo info;
    info.operations = steps;
    info.orientation = -5;
    foldOrientation(info);
    QCOMPARE(info.orientation, code);
}

void TstPhotoLoader::foldAgreesWithTheDrawnResult()
{
    // The photo strip puts each new command at the front of the list, so the list read from
    // the back is the order in which the user gave the commands. For every list of up to four
    // steps, the folded code must draw what those commands do to the photo.
    const QImage photo = asymmetricImage();
    std::vector<QList<int>> lists {{}};
    for (int length = 0; length < 4; ++length) {
        std::vector<QList<int>> longer;
        for (const QList<int> &list : lists) {
            if (list.size() != length)
                continue;
            for (int step = 0; step < 4; ++step)
                longer.push_back(list + QList<int> {step});
        }
        lists.insert(lists.end(), longer.begin(), longer.end());
    }
    QCOMPARE(int(lists.size()), 1 + 4 + 16 + 64 + 256);
    for (const QList<int> &steps : lists) {
        QImage expected = photo;
        for (auto it = steps.crbegin(); it != steps.crend(); ++it)
            expected = applyStep(expected, *it);
        const int code = foldOrientation(steps);
        if (drawnResult(photo, code) != expected) {
            QStringList names;
            for (int step : steps)
                names << QString::number(step);
            QFAIL(
                qPrintable(QStringLiteral("steps %1 gave code %2").arg(names.join(',')).arg(code)));
        }
    }
}

void TstPhotoLoader::cameraTag_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<bool>("flip");
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<int>("code");
    const int M = ImageInfo::Mirror, F = ImageInfo::Flip, L = ImageInfo::TurnLeft,
              R = ImageInfo::TurnRight;
    QTest::newRow("tag 1") << 1 << 0 << false << false << QList<int> {} << 0;
    QTest::newRow("tag 2") << 2 << 0 << true << false << QList<int> {M} << 2;
    QTest::newRow("tag 3") << 3 << 0 << true << true << QList<int> {M, F} << 3;
    QTest::newRow("tag 4") << 4 << 0 << false << true << QList<int> {F} << 1;
    QTest::newRow("tag 5") << 5 << 90 << true << false << QList<int> {M, R} << 7;
    QTest::newRow("tag 6") << 6 << 90 << false << false << QList<int> {R} << 6;
    QTest::newRow("tag 7") << 7 << -90 << true << false << QList<int> {M, L} << 4;
    QTest::newRow("tag 8") << 8 << -90 << false << false << QList<int> {L} << 5;
    QTest::newRow("tag 0") << 0 << 0 << false << false << QList<int> {} << 0;
    QTest::newRow("tag 9") << 9 << 0 << false << false << QList<int> {} << 0;
    QTest::newRow("tag -1") << -1 << 0 << false << false << QList<int> {} << 0;
}

void TstPhotoLoader::cameraTag()
{
    QFETCH(int, tag);
    QFETCH(int, rotation);
    QFETCH(bool, mirror);
    QFETCH(bool, flip);
    QFETCH(QList<int>, steps);
    QFETCH(int, code);

    ImageInfo info;
    info.exifRotation = 45;
    info.exifMirror = !mirror;
    info.exifFlip = !flip;
    setCameraFields(info, tag);
    QCOMPARE(info.exifRotation, rotation);
    QCOMPARE(info.exifMirror, mirror);
    QCOMPARE(info.exifFlip, flip);

    info.operations = {ImageInfo::Flip, ImageInfo::TurnLeft, ImageInfo::TurnLeft};
    applyCameraOrientation(info);
    QCOMPARE(info.operations, steps);
    QCOMPARE(info.orientation, code);

    restoreOrientation(info);
    QVERIFY(info.operations.isEmpty());
    QCOMPARE(info.orientation, 0);
}

void TstPhotoLoader::cameraTagsTurnPhotosUpright()
{
    // A camera stores the scene as the sensor saw it and tags how to show it. Each stored
    // image below is the upright scene undone by its tag; drawn with the code that the tag
    // folds to, it must be upright again.
    const QImage upright = asymmetricImage();
    const QTransform right = QTransform().rotate(90), left = QTransform().rotate(-90);
    const QImage stored[8] = {
        upright,
        upright.mirrored(true, false),
        upright.mirrored(true, true),
        upright.mirrored(false, true),
        upright.transformed(right).mirrored(true, false), // transposed
        upright.transformed(left),
        upright.transformed(right).mirrored(false, true), // transposed the other way
        upright.transformed(right),
    };
    for (int tag = 1; tag <= 8; ++tag) {
        ImageInfo info;
        setCameraFields(info, tag);
        applyCameraOrientation(info);
        QVERIFY2(drawnResult(stored[tag - 1], info.orientation) == upright,
                 qPrintable(QStringLiteral("tag %1, code %2").arg(tag).arg(info.orientation)));
    }
}

void TstPhotoLoader::readPhotoInfoFields()
{
    ExifBuilder exif;
    exif.setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 8)
        .setAscii(EXIF_IFD_0, EXIF_TAG_MAKE, "Maker Co")
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, 1, 125)
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, 56, 10);
    const QString path = write("camera.JPG", jpegWithExif(quadrantImage(400, 300), exif.block()));
    QVERIFY(!path.isEmpty());

    ImageInfo info;
    info.path = path;
    info.operations = {ImageInfo::Flip};
    QVERIFY(readPhotoInfo(info));
    QCOMPARE(info.path, path);
    QCOMPARE(info.width, 400);
    QCOMPARE(info.height, 300);
    QCOMPARE(info.depth, 32);
    QCOMPARE(info.suffix, QStringLiteral("JPG"));
    QCOMPARE(info.fileSize, QFileInfo(path).size());
    QCOMPARE(info.modified, QFileInfo(path).lastModified());
    QCOMPARE(info.exifRotation, -90);
    QCOMPARE(info.exifMirror, false);
    QCOMPARE(info.exifFlip, false);
    // Reading describes the photo; applying the camera's steps is the photo list's decision.
    QCOMPARE(info.operations, QList<int> {ImageInfo::Flip});
    QCOMPARE(info.exifProperties.size(), ImageInfo::PropertyCount);
    QCOMPARE(info.exifProperties.at(0), QStringLiteral("Maker Co"));
    QCOMPARE(info.exifProperties.at(6), QStringLiteral("1/125 sec."));
    QCOMPARE(info.exifProperties.at(7), QStringLiteral("f/5.6"));
    QVERIFY(info.exifProperties.at(1).isEmpty());

    QImage grey(120, 90, QImage::Format_Grayscale8);
    grey.fill(100);
    ImageInfo greyInfo;
    greyInfo.path = writeImage("grey.jpg", grey, "jpeg");
    QVERIFY(readPhotoInfo(greyInfo));
    QCOMPARE(greyInfo.depth, 8);
    QCOMPARE(greyInfo.exifRotation, 0);
    QCOMPARE(greyInfo.exifProperties, QStringList(ImageInfo::PropertyCount, QString()));
}

void TstPhotoLoader::thumbnails_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("upright");
    QTest::addColumn<QRect>("turned");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("4:3 fills the canvas")
        << "png" << QSize(400, 300) << QRect(0, 0, 80, 60) << QRect(17, 0, 45, 60) << 0;
    QTest::newRow("wide photo centred vertically")
        << "png" << QSize(400, 100) << QRect(0, 20, 80, 20) << QRect(32, 0, 15, 60) << 0;
    QTest::newRow("tall photo centred horizontally")
        << "png" << QSize(100, 400) << QRect(32, 0, 15, 60) << QRect(0, 20, 80, 20) << 0;
    QTest::newRow("small photo enlarged")
        << "png" << QSize(40, 30) << QRect(0, 0, 80, 60) << QRect(17, 0, 45, 60) << 0;
    // Large enough to be decoded at reduced size.
    QTest::newRow("large jpeg") << "jpeg" << QSize(2400, 1800) << QRect(0, 0, 80, 60)
                                << QRect(17, 0, 45, 60) << 40;
    QTest::newRow("large wide jpeg")
        << "jpeg" << QSize(3000, 1000) << QRect(0, 17, 80, 26) << QRect(30, 0, 20, 60) << 40;
}

void TstPhotoLoader::thumbnails()
{
    QFETCH(QString, format);
    QFETCH(QSize, size);
    QFETCH(QRect, upright);
    QFETCH(QRect, turned);
    QFETCH(int, tolerance);

    ImageInfo info;
    info.path = writeImage(
        QStringLiteral("thumb-%1x%2.%3").arg(size.width()).arg(size.height()).arg(format),
        quadrantImage(size.width(), size.height()), qPrintable(format));
    QVERIFY(readPhotoInfo(info));
    QCOMPARE(info.width, size.width());
    QCOMPARE(info.height, size.height());

    const struct
    {
        const QImage &image;
        QRect rect;
        bool turned;
    } cases[] = {{info.thumbnail, upright, false}, {info.thumbnailRotated, turned, true}};
    for (const auto &c : cases) {
        QCOMPARE(c.image.size(), QSize(ThumbnailWidth, ThumbnailHeight));
        for (int y = 0; y < ThumbnailHeight; ++y) {
            for (int x = 0; x < ThumbnailWidth; ++x) {
                const QRgb pixel = c.image.pixel(x, y);
                const bool grey = pixel == ThumbnailBackground;
                if (c.rect.contains(x, y) == grey)
                    QFAIL(qPrintable(QStringLiteral("%1 thumbnail pixel %2,%3 is %4")
                                         .arg(c.turned ? "turned" : "upright")
                                         .arg(x)
                                         .arg(y)
                                         .arg(rgbText(pixel))));
            }
        }
        verifyQuadrants([&](int x, int y) { return c.image.pixel(x, y); }, c.rect, c.turned,
                        tolerance);
    }
}

void TstPhotoLoader::letterbox_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<bool>("turn90");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("4:3 in 16:9, odd difference: left bar the smaller half")
        << QSize(400, 300) << QSize(853, 480) << false << QRect(106, 0, 640, 480);
    QTest::newRow("4:3 in 16:9") << QSize(400, 300) << QSize(1280, 720) << false
                                 << QRect(160, 0, 960, 720);
    QTest::newRow("16:9 in 4:3") << QSize(1600, 900) << QSize(640, 480) << false
                                 << QRect(0, 60, 640, 360);
    QTest::newRow("small photo enlarged")
        << QSize(160, 120) << QSize(640, 480) << false << QRect(0, 0, 640, 480);
    QTest::newRow("turned") << QSize(400, 300) << QSize(640, 480) << true
                            << QRect(140, 0, 360, 480);
    // Rows are centred as the picture counts them, from the bottom: the bottom bar is the
    // smaller half.
    QTest::newRow("odd frame height")
        << QSize(400, 100) << QSize(200, 101) << false << QRect(0, 26, 200, 50);
}

void TstPhotoLoader::letterbox()
{
    SKIP_LARGE_IMAGES_UNDER_TSAN();
    QFETCH(QSize, photo);
    QFETCH(QSize, frame);
    QFETCH(bool, turn90);
    QFETCH(QRect, rect);

    const QString path
        = writeImage(QStringLiteral("box-%1x%2.png").arg(photo.width()).arg(photo.height()),
                     quadrantImage(photo.width(), photo.height()), "png");
    Picture picture(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
    picture.fill(0x55);
    QVERIFY(loadPhotoPicture(path, picture, frame.width(), frame.height(), turn90));
    verifyLetterbox(picture, rect);
    verifyQuadrants([&](int x, int y) { return pixelAt(picture, x, y); }, rect, turn90, 8);
}

void TstPhotoLoader::portraitAtCode6FillsTheFrameHeight()
{
    SKIP_LARGE_IMAGES_UNDER_TSAN();
    // A landscape sensor image whose camera says "turn right to show": a portrait photo.
    ExifBuilder exif;
    exif.setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 6);
    ImageInfo info;
    info.path = write("portrait.jpg", jpegWithExif(quadrantImage(400, 300), exif.block()));
    QVERIFY(readPhotoInfo(info));
    applyCameraOrientation(info);
    QCOMPARE(info.orientation, 6);

    Picture picture(640, 480, AV_PIX_FMT_BGRA);
    QVERIFY(loadPhotoPicture(info.path, picture, 640, 480, info.orientation > 3));
    verifyLetterbox(picture, QRect(140, 0, 360, 480));
    verifyQuadrants([&](int x, int y) { return pixelAt(picture, x, y); }, QRect(140, 0, 360, 480),
                    true, 40);

    // Unturned, the same file shows as stored: the image reader must not act on the tag itself.
    QVERIFY(loadPhotoPicture(info.path, picture, 640, 480, false));
    verifyLetterbox(picture, QRect(0, 0, 640, 480));
    verifyQuadrants([&](int x, int y) { return pixelAt(picture, x, y); }, QRect(0, 0, 640, 480),
                    false, 40);
}

void TstPhotoLoader::reducedDecodeWithinTolerance_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<bool>("turn90");
    QTest::addColumn<bool>("reduced");
    QTest::newRow("640x480") << QSize(640, 480) << false << true;
    QTest::newRow("1280x720") << QSize(1280, 720) << false << true;
    QTest::newRow("640x480 turned") << QSize(640, 480) << true << true;
    QTest::newRow("852x480") << QSize(852, 480) << false << true;
    QTest::newRow("1920x1080, photo less than twice the frame")
        << QSize(1920, 1080) << false << false;
    QTest::newRow("1280x720 turned, photo less than twice the frame")
        << QSize(1280, 720) << true << false;
}

void TstPhotoLoader::reducedDecodeWithinTolerance()
{
    SKIP_LARGE_IMAGES_UNDER_TSAN();
    // The reduced-scale decoding of a large JPEG may differ from the full-resolution pipeline
    // by at most: a mean absolute difference of 1.5 levels per colour sample, and no more than
    // 1 % of the samples off by more than 16 levels (edges of fine lines and grain).
    QFETCH(QSize, frame);
    QFETCH(bool, turn90);
    QFETCH(bool, reduced);

    static QString path;
    if (path.isEmpty())
        path = write("detailed.jpg", jpegWithExif(detailedImage(3000, 2000, 99), QByteArray(), 90));
    QVERIFY(!path.isEmpty());

    Picture full(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
    Picture fast(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
    QVERIFY(loadPhotoPicture(path, full, frame.width(), frame.height(), turn90, PhotoDecode::Full));
    QVERIFY(loadPhotoPicture(path, fast, frame.width(), frame.height(), turn90, PhotoDecode::Fast));

    qint64 sum = 0, samples = 0, far = 0;
    int worst = 0;
    for (int y = 0; y < frame.height(); ++y) {
        const uint8_t *a = full.row(y);
        const uint8_t *b = fast.row(y);
        for (int x = 0; x < frame.width() * 4; ++x) {
            if (x % 4 == 3) {
                QCOMPARE(int(b[x]), 255);
                continue;
            }
            const int d = std::abs(int(a[x]) - int(b[x]));
            sum += d;
            far += d > 16;
            worst = std::max(worst, d);
            ++samples;
        }
    }
    const double mean = double(sum) / samples;
    const double farShare = double(far) / samples;
    qInfo("mean %.3f, share over 16 levels %.4f %%, largest %d", mean, farShare * 100, worst);
    if (!reduced) {
        QCOMPARE(sum, qint64(0));
        return;
    }
    // The pictures differ at all, so the reduced path did run.
    QVERIFY(sum > 0);
    QVERIFY2(mean <= 1.5, qPrintable(QString::number(mean)));
    QVERIFY2(farShare <= 0.01, qPrintable(QString::number(farShare)));
}

void TstPhotoLoader::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // 1: read, 0: refused, -1: either (the decoder may fill in what is missing).
    QTest::addColumn<int>("readable");

    const QByteArray jpeg = jpegWithExif(quadrantImage(64, 48), QByteArray());
    const int sof = jpeg.indexOf("\xFF\xC0");
    QVERIFY(sof > 0);
    QByteArray huge = jpeg;
    // 30000 x 30000 pixels claimed by the frame header: 3.6 GB decoded.
    huge[sof + 5] = char(0x75), huge[sof + 6] = char(0x30);
    huge[sof + 7] = char(0x75), huge[sof + 8] = char(0x30);

    ExifBuilder exif;
    exif.setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 6).setAscii(EXIF_IFD_0, EXIF_TAG_MAKE, "Maker");
    const QByteArray block = exif.block();
    QByteArray noisy = block;
    for (int i = 14; i < noisy.size(); i += 3)
        noisy[i] = char(0xEE);

    QTest::newRow("zero-byte file") << QByteArray() << 0;
    QTest::newRow("text named .jpg") << QByteArray("just some words\n") << 0;
    QTest::newRow("jpeg cut before the frame header") << jpeg.left(sof) << 0;
    QTest::newRow("jpeg cut in the image data") << jpeg.left(jpeg.size() * 2 / 3) << -1;
    QTest::newRow("png named .jpg") << encoded(quadrantImage(64, 48), "png") << 1;
    QTest::newRow("bmp named .jpg") << encoded(quadrantImage(64, 48), "bmp") << 1;
    QTest::newRow("too large for the image reader") << huge << 0;
    QTest::newRow("camera data cut short")
        << jpegWithExif(quadrantImage(64, 48), block.left(20)) << 1;
    QTest::newRow("camera data overwritten") << jpegWithExif(quadrantImage(64, 48), noisy) << 1;
    QTest::newRow("orientation 0") << jpegWithExif(
        quadrantImage(64, 48), ExifBuilder().setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 0).block())
                                   << 1;
    QTest::newRow("orientation 9") << jpegWithExif(
        quadrantImage(64, 48), ExifBuilder().setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 9).block())
                                   << 1;
}

void TstPhotoLoader::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, readable);
    const QString path
        = write(QStringLiteral("bad-%1.jpg").arg(QTest::currentDataTag()).replace(' ', '-'), bytes);
    QVERIFY(!path.isEmpty());

    ImageInfo info;
    info.path = path;
    info.width = -7;
    info.suffix = QStringLiteral("untouched");
    info.exifRotation = 90;
    const bool read = readPhotoInfo(info);
    if (readable >= 0)
        QCOMPARE(read, readable == 1);
    if (read) {
        QCOMPARE(info.width, 64);
        QCOMPARE(info.height, 48);
        QCOMPARE(info.suffix, QStringLiteral("jpg"));
        QCOMPARE(info.thumbnail.size(), QSize(ThumbnailWidth, ThumbnailHeight));
        // Damaged or unusable camera data means no camera steps.
        if (QByteArray(QTest::currentDataTag()).startsWith("camera")
            || QByteArray(QTest::currentDataTag()).startsWith("orientation")) {
            QCOMPARE(info.exifRotation, 0);
            QCOMPARE(info.exifMirror, false);
            QCOMPARE(info.exifFlip, false);
            applyCameraOrientation(info);
            QCOMPARE(info.orientation, 0);
        }
    } else {
        QCOMPARE(info.width, -7);
        QCOMPARE(info.suffix, QStringLiteral("untouched"));
        QCOMPARE(info.exifRotation, 90);
        QVERIFY(info.thumbnail.isNull());
    }

    Picture picture(320, 240, AV_PIX_FMT_BGRA);
    picture.fill(0x55);
    const bool loaded = loadPhotoPicture(path, picture, 320, 240, false);
    if (readable >= 0)
        QCOMPARE(loaded, readable == 1);
    if (loaded)
        verifyLetterbox(picture, QRect(0, 0, 320, 240));
    else
        QVERIFY(allOpaqueBlack(picture));
}

void TstPhotoLoader::readerLimitAppliesToImportAndPicture()
{
    SKIP_LARGE_IMAGES_UNDER_TSAN();
    // A photo the reader cannot hold whole is refused on import too, even though thumbnails
    // alone would fit, so that every imported photo can also be drawn.
    const QString path = writeImage("limit.jpg", quadrantImage(1000, 1000), "jpeg");
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    ImageInfo info;
    info.path = path;
    const bool readUnderLimit = readPhotoInfo(info);
    Picture picture(320, 240, AV_PIX_FMT_BGRA);
    const bool loadedUnderLimit = loadPhotoPicture(path, picture, 320, 240, false);
    QImageReader::setAllocationLimit(limit);

    QVERIFY(!readUnderLimit);
    QVERIFY(!loadedUnderLimit);
    QVERIFY(allOpaqueBlack(picture));
    QVERIFY(readPhotoInfo(info));
    QVERIFY(loadPhotoPicture(path, picture, 320, 240, false));
}

void TstPhotoLoader::pictureThatDoesNotMatchIsUntouched()
{
    const QString path = writeImage("match.png", quadrantImage(64, 48), "png");
    Picture small(320, 240, AV_PIX_FMT_BGRA);
    small.fill(0x55);
    QVERIFY(!loadPhotoPicture(path, small, 640, 480, false));
    QCOMPARE(int(small.row(239)[320 * 4 - 1]), 0x55);
    QCOMPARE(int(small.row(0)[0]), 0x55);

    Picture grey(640, 480, AV_PIX_FMT_GRAY8);
    grey.fill(0x55);
    QVERIFY(!loadPhotoPicture(path, grey, 640, 480, false));
    QCOMPARE(int(grey.row(479)[639]), 0x55);

    Picture none;
    QVERIFY(!loadPhotoPicture(path, none, 640, 480, false));
    QVERIFY(none.isNull());
}

void TstPhotoLoader::concurrentReads()
{
    // The import reads photos on a worker thread while the renderer loads pictures elsewhere.
    // The images stay below the size at which Qt splits its own work over a thread pool.
    const int count = 4;
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        ExifBuilder exif;
        exif.setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, quint16(i + 5))
            .setAscii(EXIF_IFD_0, EXIF_TAG_MODEL, QByteArray("Model ") + QByteArray::number(i));
        paths << write(QStringLiteral("thread-%1.jpg").arg(i),
                       jpegWithExif(detailedImage(200 + 20 * i, 160, i), exif.block()));
    }
    const auto bytes = [](const Picture &picture) {
        return QByteArray(reinterpret_cast<const char *>(picture.data[0]),
                          picture.linesize[0] * picture.height());
    };
    std::vector<ImageInfo> serial(count), parallel(count);
    std::vector<QByteArray> serialPictures(count), parallelPictures(count);
    for (int i = 0; i < count; ++i) {
        serial[i].path = parallel[i].path = paths[i];
        QVERIFY(readPhotoInfo(serial[i]));
        Picture picture(240, 180, AV_PIX_FMT_BGRA);
        QVERIFY(loadPhotoPicture(paths[i], picture, 240, 180, true));
        serialPictures[i] = bytes(picture);
    }
    std::vector<int> ok(count, 0);
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i) {
        threads.emplace_back([&, i] {
            Picture picture(240, 180, AV_PIX_FMT_BGRA);
            ok[i]
                = readPhotoInfo(parallel[i]) && loadPhotoPicture(paths[i], picture, 240, 180, true);
            parallelPictures[i] = bytes(picture);
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (int i = 0; i < count; ++i) {
        QVERIFY(ok[i]);
        QCOMPARE(parallel[i].width, 200 + 20 * i);
        QCOMPARE(parallel[i].exifProperties, serial[i].exifProperties);
        QCOMPARE(parallel[i].exifRotation, serial[i].exifRotation);
        QCOMPARE(parallel[i].thumbnail, serial[i].thumbnail);
        QCOMPARE(parallel[i].thumbnailRotated, serial[i].thumbnailRotated);
        QVERIFY(parallelPictures[i] == serialPictures[i]);
    }
}

QTEST_GUILESS_MAIN(TstPhotoLoader)
#include "tst_photoloader.moc"
