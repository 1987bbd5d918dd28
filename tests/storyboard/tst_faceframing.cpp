// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/faceframing.h"
#include "storyboard/motion.h"
#include "storyboard/photoloader.h"
#include "storyboard/picture.h"
#include "storyboard/storyboard.h"
#include "storyboard/storyboardframes.h"
#include "storyboard/transitions.h"
#include "tests/support/testsupport.h"

#include <QDebug>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>

#include <cmath>
#include <cstring>

// Where faces are once a photo is turned, how rectangles and crops move to hold them, and the
// frame-sized pictures the renderer draws around them.
class TstFaceFraming : public QObject
{
    Q_OBJECT

private slots:
    void shownFaces_data();
    void shownFaces();
    void rectHoldingFaces_data();
    void rectHoldingFaces();
    void automaticMotionKeepsFaces_data();
    void automaticMotionKeepsFaces();
    void cropOrigin_data();
    void cropOrigin();
    void pictureCentresOnFaces_data();
    void pictureCentresOnFaces();

private:
    QTemporaryDir dir;
};

namespace {

using Boxes = QList<QRectF>;

// What the loader and the drawer make of an orientation code: the quarter turn on loading, then
// the layer's flips.
QImage drawnResult(const QImage &photo, int code)
{
    QImage image = code > 3 ? photo.transformed(QTransform().rotate(90)) : photo;
    const bool mirror = code == 2 || code == 3 || code == 5 || code == 7;
    const bool flip = code == 1 || code == 3 || code == 4 || code == 5;
    return image.mirrored(mirror, flip);
}

bool isRed(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
}

// The bounding box of the red pixels of image; empty when there are none.
QRect redBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isRed(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// A photo picture as a top-first image.
QImage asImage(const Picture &picture)
{
    QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(image.scanLine(y), picture.row(picture.height() - 1 - y),
                    size_t(picture.width()) * 4);
    return image;
}

// Grey with a red block at the face box (in 0..1).
QImage photoWithBlock(QSize size, const QRectF &face)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    painter.fillRect(QRectF(face.x() * size.width(), face.y() * size.height(),
                            face.width() * size.width(), face.height() * size.height()),
                     QColor(255, 0, 0));
    return image;
}

} // namespace

void TstFaceFraming::shownFaces_data()
{
    QTest::addColumn<QList<int>>("steps");
    // The strip keeps the newest step first. The rows give each of the eight codes.
    QTest::newRow("as stored") << QList<int> {};
    QTest::newRow("mirrored") << QList<int> {ImageInfo::Mirror};
    QTest::newRow("flipped") << QList<int> {ImageInfo::Flip};
    QTest::newRow("turned right") << QList<int> {ImageInfo::TurnRight};
    QTest::newRow("turned left") << QList<int> {ImageInfo::TurnLeft};
    QTest::newRow("half turn") << QList<int> {ImageInfo::TurnRight, ImageInfo::TurnRight};
    QTest::newRow("turned right, then mirrored")
        << QList<int> {ImageInfo::Mirror, ImageInfo::TurnRight};
    QTest::newRow("turned right, then flipped")
        << QList<int> {ImageInfo::Flip, ImageInfo::TurnRight};
}

void TstFaceFraming::shownFaces()
{
    QFETCH(QList<int>, steps);
    // Two faces of different shapes, so that a width taken for a height shows.
    const Boxes faces {QRectF(0.1, 0.2, 0.2, 0.5), QRectF(0.75, 0.1, 0.125, 0.2)};
    ImageInfo info;
    info.width = 400;
    info.height = 300;
    info.operations = steps;
    foldOrientation(info);
    info.faces = faces;
    const Boxes shown = ::shownFaces(info);
    QCOMPARE(shown.size(), faces.size());
    for (int i = 0; i < faces.size(); ++i) {
        // The face drawn alone, put through what the drawer does with the photo.
        const QImage drawn
            = drawnResult(photoWithBlock(QSize(400, 300), faces[i]), info.orientation);
        QCOMPARE(shown[i], QRectF(redBox(drawn)));
    }
}

void TstFaceFraming::rectHoldingFaces_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<Boxes>("faces");
    QTest::addColumn<QRectF>("expected");
    const QRectF frame(0, 0, 720, 540);
    const QRectF half(100, 100, 360, 270);
    QTest::newRow("no faces: unchanged") << half << frame << Boxes {} << half;
    QTest::newRow("face inside: unchanged")
        << half << frame << Boxes {QRectF(200, 200, 50, 50)} << half;
    QTest::newRow("face past the left edge: moved just enough")
        << half << frame << Boxes {QRectF(60, 200, 50, 50)} << QRectF(60, 100, 360, 270);
    QTest::newRow("face in the bottom right corner of the bounds")
        << half << frame << Boxes {QRectF(650, 480, 60, 60)} << QRectF(350, 270, 360, 270);
    QTest::newRow("faces wider than the rect: grown, aspect held, inside the bounds")
        << QRectF(0, 0, 160, 90) << QRectF(0, 0, 1600, 900)
        << Boxes {QRectF(100, 100, 100, 100), QRectF(400, 100, 100, 100)}
        << QRectF(100, 0, 400, 225);
    QTest::newRow("faces taller than the rect: grown about its centre")
        << QRectF(400, 300, 160, 90) << QRectF(0, 0, 1600, 900)
        << Boxes {QRectF(440, 200, 60, 80), QRectF(440, 400, 60, 80)}
        << QRectF(480 - 160 * 28.0 / 9.0 / 2, 200, 160 * 28.0 / 9.0, 280);
    QTest::newRow("rect larger than the bounds: centred on them, faces held")
        << QRectF(0, 0, 800, 600) << frame << Boxes {QRectF(600, 400, 100, 100)}
        << QRectF(-40, -30, 800, 600);
    QTest::newRow("faces beyond the bounds: the faces win")
        << QRectF(0, 0, 100, 100) << QRectF(0, 0, 200, 200) << Boxes {QRectF(150, 150, 100, 100)}
        << QRectF(150, 150, 100, 100);
}

void TstFaceFraming::rectHoldingFaces()
{
    QFETCH(QRectF, rect);
    QFETCH(QRectF, bounds);
    QFETCH(Boxes, faces);
    QFETCH(QRectF, expected);
    const QRectF got = ::rectHoldingFaces(rect, bounds, faces);
    QCOMPARE(got, expected);
    for (const QRectF &face : faces)
        QVERIFY(holdsRect(got, face));
}

void TstFaceFraming::automaticMotionKeepsFaces_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<int>("framing");
    QTest::addColumn<QSize>("frame");
    // In 0..1 of the photo as stored.
    QTest::addColumn<Boxes>("faces");
    QTest::newRow("fitted, face at the left end")
        << QSize(1600, 1200) << int(Framing::Fit) << QSize(720, 540)
        << Boxes {QRectF(0.0, 0.4, 0.1, 0.15)};
    QTest::newRow("fill, wide photo in a tall frame, face at the left end")
        << QSize(1600, 900) << int(Framing::Fill) << QSize(360, 640)
        << Boxes {QRectF(0.05, 0.35, 0.12, 0.2)};
    QTest::newRow("fill, tall photo in a wide frame, face at the top")
        << QSize(900, 1600) << int(Framing::Fill) << QSize(640, 360)
        << Boxes {QRectF(0.4, 0.0, 0.2, 0.1)};
    QTest::newRow("blurred fill, faces at both ends")
        << QSize(1600, 900) << int(Framing::BlurredFit) << QSize(640, 640)
        << Boxes {QRectF(0.0, 0.5, 0.08, 0.14), QRectF(0.9, 0.45, 0.08, 0.14)};
}

void TstFaceFraming::automaticMotionKeepsFaces()
{
    QFETCH(QSize, photo);
    QFETCH(int, framing);
    QFETCH(QSize, frame);
    QFETCH(Boxes, faces);
    ImageInfo info;
    info.width = photo.width();
    info.height = photo.height();
    info.faces = faces;
    info.facesSearched = true;
    for (const int steps : {0, 1}) {
        info.operations = steps ? QList<int> {ImageInfo::TurnRight} : QList<int> {};
        foldOrientation(info);
        const QRectF bounds = frameInPhoto(shownPhotoSize(info), Framing(framing), frame.width(),
                                           frame.height(), framedFaces(info));
        // Every direction today's paths take, at their ends and between.
        for (unsigned counter = 0; counter < 8; ++counter) {
            info.zoom = defaultZoomFor(counter);
            const std::optional<MotionPath> path
                = automaticMotion(info, Framing(framing), frame.width(), frame.height());
            QVERIFY(path);
            for (const double progress : {0.0, 0.3, 1.0}) {
                const QRectF shown = motionRectAt(*path, progress);
                const QString where = QStringLiteral("path %1, turned %2, at %3: ")
                                          .arg(counter)
                                          .arg(steps)
                                          .arg(progress)
                    + QDebug::toString(shown);
                for (const QRectF &face : ::shownFaces(info))
                    QVERIFY2(holdsRect(shown, face), qPrintable(where));
                QVERIFY2(holdsRect(bounds, shown), qPrintable(where));
            }
        }
    }
}

void TstFaceFraming::cropOrigin_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<Boxes>("faces");
    QTest::addColumn<QPoint>("origin");
    // Without faces: the centred position, odd columns to the right, odd rows to the top.
    QTest::newRow("no faces, wider, odd overhang")
        << QSize(1139, 640) << QSize(360, 640) << Boxes {} << QPoint(389, 0);
    QTest::newRow("no faces, taller, odd overhang")
        << QSize(720, 1281) << QSize(720, 540) << Boxes {} << QPoint(0, 371);
    QTest::newRow("no faces, smaller: negative, the bars as before")
        << QSize(640, 359) << QSize(640, 480) << Boxes {} << QPoint(0, -61);
    QTest::newRow("face left of the middle: centred on it")
        << QSize(1138, 640) << QSize(360, 640) << Boxes {QRectF(0.3, 0.3, 0.1, 0.2)}
        << QPoint(218, 0);
    QTest::newRow("face at the bottom: clamped to the last rows")
        << QSize(720, 1280) << QSize(720, 405) << Boxes {QRectF(0.4, 0.9, 0.2, 0.1)}
        << QPoint(0, 875);
    QTest::newRow("two faces: centred on both")
        << QSize(2000, 500) << QSize(500, 500)
        << Boxes {QRectF(0.5, 0.1, 0.05, 0.1), QRectF(0.65, 0.1, 0.05, 0.1)} << QPoint(950, 0);
    QTest::newRow("faces do not move a side that is not cropped")
        << QSize(640, 359) << QSize(640, 480) << Boxes {QRectF(0.0, 0.0, 0.1, 0.1)}
        << QPoint(0, -61);
}

void TstFaceFraming::cropOrigin()
{
    QFETCH(QSize, image);
    QFETCH(QSize, frame);
    QFETCH(Boxes, faces);
    QFETCH(QPoint, origin);
    QCOMPARE(::cropOrigin(image, frame, faces), origin);
}

void TstFaceFraming::pictureCentresOnFaces_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<bool>("turn90");
    QTest::addColumn<int>("framing");
    QTest::addColumn<QSize>("frame");
    // The face in 0..1 of the photo as stored.
    QTest::addColumn<QRectF>("face");
    QTest::newRow("fill, turned, face at the right end of the stored photo")
        << QSize(1600, 900) << true << int(Framing::Fill) << QSize(640, 360)
        << QRectF(0.85, 0.4, 0.12, 0.2);
    QTest::newRow("blurred fill, wide photo, face at the right end, tall frame")
        << QSize(1600, 900) << false << int(Framing::BlurredFit) << QSize(360, 640)
        << QRectF(0.83, 0.05, 0.12, 0.15);
}

void TstFaceFraming::pictureCentresOnFaces()
{
    QFETCH(QSize, photo);
    QFETCH(bool, turn90);
    QFETCH(int, framing);
    QFETCH(QSize, frame);
    QFETCH(QRectF, face);
    ImageInfo info;
    info.path = dir.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
    QVERIFY(photoWithBlock(photo, face).save(info.path));
    info.width = photo.width();
    info.height = photo.height();
    info.operations = turn90 ? QList<int> {ImageInfo::TurnRight} : QList<int> {};
    foldOrientation(info);

    // Drawn by the renderer's cache, which must draw the photo anew when its faces change.
    StoryBoard board;
    board.framing = Framing(framing);
    board.photos = {info};
    StoryBoardFrames frames;
    MediaFormat format;
    format.width = frame.width();
    format.height = frame.height();
    frames.setFormat(format);
    frames.setStoryBoard(&board);
    const QImage plain = asImage(frames.photoPicture(info));
    info.faces = {face};
    const QImage framed = asImage(frames.photoPicture(info));
    info.faces.clear();
    QCOMPARE(asImage(frames.photoPicture(info)), plain);

    if (Framing(framing) == Framing::Fill) {
        // Centred as always, the face is cut away; around the face, it is whole.
        QVERIFY(redBox(plain).isEmpty());
        const QRect box = redBox(framed);
        QVERIFY(!box.isEmpty());
        QVERIFY2(QRect(QPoint(1, 1), frame - QSize(2, 2)).contains(box),
                 qPrintable(QDebug::toString(box)));
        return;
    }
    // Blurred fill: the photo itself sits whole in the middle, the same either way; the
    // backdrop above it shows the (blurred, darkened) face only once it centres on it.
    const int band = frame.height() / 5;
    const auto reddest = [&](const QImage &image) {
        int most = -255;
        for (int y = 0; y < band; ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                most = std::max(most, qRed(c) - qGreen(c));
            }
        return most;
    };
    QCOMPARE(framed.copy(0, band * 2, frame.width(), band),
             plain.copy(0, band * 2, frame.width(), band));
    QCOMPARE_LT(reddest(plain), 5);
    QCOMPARE_GT(reddest(framed), 30);
}

QTEST_GUILESS_MAIN(TstFaceFraming)
#include "tst_faceframing.moc"
