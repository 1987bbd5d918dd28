// SPDX-License-Identifier: GPL-3.0-or-later
// The frame renderer: which photo and phase each frame shows, the picture caches, and whole
// frames composed off screen and read back.
#include "audio/storyboardrender.h"
#include "storyboard/gldrawer.h"
#include "storyboard/photoloader.h"
#include "tests/support/testsupport.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

StoryBoard showOf(int photos, bool transitions = true)
{
    StoryBoard board;
    board.patterns.clear();
    for (int i = 0; i < photos; ++i) {
        ImageInfo info;
        info.path = QStringLiteral("/nonexistent/%1.jpg").arg(i);
        board.photos.append(info);
    }
    board.useTransition = transitions;
    return board;
}

QString writePhoto(const QTemporaryDir &dir, const QString &name, QColor color, int w = 64,
                   int h = 48)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    const QString path = dir.filePath(name);
    image.save(path, "PNG");
    return path;
}

// Colour of a read-back BGRA pixel.
QColor pixelAt(const std::vector<uint8_t> &frame, int width, int x, int y)
{
    const uint8_t *p = frame.data() + (static_cast<size_t>(y) * width + x) * 4;
    return QColor(p[2], p[1], p[0]);
}

bool near(QColor a, QColor b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

// A photo in three bands along its longer side: a red quarter, a green half, a blue quarter.
QString writeBands(const QTemporaryDir &dir, const QString &name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    const bool tall = h > w;
    const int quarter = (tall ? h : w) / 4;
    const auto band = [&](int from, int length, QColor colour) {
        painter.fillRect(tall ? QRect(0, from, w, length) : QRect(from, 0, length, h), colour);
    };
    band(0, quarter, QColor(200, 0, 0));
    band(quarter, 2 * quarter, QColor(0, 200, 0));
    band(3 * quarter, (tall ? h : w) - 3 * quarter, QColor(0, 0, 200));
    painter.end();
    const QString path = dir.filePath(name);
    image.save(path, "PNG");
    return path;
}

int brightness(QColor c)
{
    return c.red() + c.green() + c.blue();
}

} // namespace

class TestStoryBoardRender : public QObject
{
    Q_OBJECT
private slots:
    void timing();
    void framePlans_data();
    void framePlans();
    void cacheEvictsOldestLoad();
    void cacheKeysByTurn();
    void composesFrames();
    void framings_data();
    void framings();

private:
    TempSettings settings;
};

void TestStoryBoardRender::timing()
{
    StoryBoard board = showOf(2);
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    QCOMPARE(render.updateTiming(), 0); // no story board yet
    render.setStoryBoard(&board);
    // 2 x 5 s + 1.5 s is 287.5 frames: frame 287 starts before the show ends, so it is the
    // last photo's 125th.
    QCOMPARE(render.totalFrames(), 288);
    QCOMPARE(render.framesPerPeriod(), 162.5);
    QCOMPARE(render.framesPerLife(), 200.0);

    board.useTransition = false;
    QCOMPARE(render.updateTiming(), 250);
    QCOMPARE(render.framesPerPeriod(), 125.0);

    // A new format keeps the model and recomputes with its own frame rate.
    MediaFormat ntsc;
    ntsc.frameRate = 30000.0 / 1001.0;
    ntsc.sampleRate = 44100;
    ntsc.channels = 1;
    render.setFormat(ntsc);
    QCOMPARE(render.totalFrames(), 300); // 10 s at 29.97 frames/s: 299.7 frames
    QCOMPARE(render.bytesPerFrame(), 2942); // not a multiple of 4
    QCOMPARE(render.ring().capacity(), 2942 * 256);
}

void TestStoryBoardRender::framePlans_data()
{
    QTest::addColumn<int>("photos");
    QTest::addColumn<bool>("transitions");
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("photo");
    QTest::addColumn<int>("offset");
    QTest::addColumn<double>("progress");

    using P = StoryBoardRender::FramePlan;
    QTest::newRow("first frame") << 2 << true << 0 << int(P::Hold) << 0 << 0 << 0.0;
    QTest::newRow("last hold frame") << 2 << true << 124 << int(P::Hold) << 0 << 124 << 0.0;
    QTest::newRow("first transition frame")
        << 2 << true << 125 << int(P::Transition) << 0 << 125 << 0.0;
    QTest::newRow("frame 130") << 2 << true << 130 << int(P::Transition) << 0 << 130 << 5 / 37.5;
    QTest::newRow("last frame") << 2 << true << 287 << int(P::Hold) << 1 << 124 << 0.0;
    QTest::newRow("past the end") << 2 << true << 288 << int(P::Background) << -1 << 0 << 0.0;
    QTest::newRow("negative frame") << 2 << true << -1 << int(P::Background) << -1 << 0 << 0.0;
    QTest::newRow("no photos") << 0 << true << 0 << int(P::Background) << -1 << 0 << 0.0;
    QTest::newRow("no transitions, frame 130")
        << 2 << false << 130 << int(P::Hold) << 1 << 5 << 0.0;
    QTest::newRow("one photo, last frame") << 1 << true << 124 << int(P::Hold) << 0 << 124 << 0.0;
}

void TestStoryBoardRender::framePlans()
{
    QFETCH(int, photos);
    QFETCH(bool, transitions);
    QFETCH(int, frame);
    QFETCH(int, phase);
    QFETCH(int, photo);
    QFETCH(int, offset);
    QFETCH(double, progress);

    StoryBoard board = showOf(photos, transitions);
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);
    const auto plan = render.planFrame(frame);
    QCOMPARE(int(plan.phase), phase);
    QCOMPARE(plan.photo, photo);
    if (phase != StoryBoardRender::FramePlan::Background)
        QCOMPARE(plan.offset, offset);
    QVERIFY(qAbs(plan.progress - progress) < 1e-9);
    QVERIFY(plan.dissolve); // no patterns: every transition is a dissolve

    // No frame of a show without transitions is a transition frame.
    if (!transitions) {
        for (int k = 0; k < render.totalFrames(); ++k)
            QVERIFY(render.planFrame(k).phase == StoryBoardRender::FramePlan::Hold);
    }
}

void TestStoryBoardRender::cacheEvictsOldestLoad()
{
    QTemporaryDir dir;
    MediaFormat small;
    small.width = 32;
    small.height = 24;
    StoryBoardRender render;
    render.setFormat(small);

    QList<ImageInfo> photos;
    for (int i = 0; i < 33; ++i) {
        ImageInfo info;
        info.path = writePhoto(dir, QStringLiteral("p%1.png").arg(i, 2, 10, QLatin1Char('0')),
                               QColor(i * 7, 0, 0));
        photos.append(info);
    }
    for (int i = 0; i < 32; ++i)
        render.photoPicture(photos[i]);
    QCOMPARE(render.cachedPhotos(), 32);

    // A hit changes no age: looking up the first photo again does not save it.
    const uint32_t ageBefore = render.photoPicture(photos[0]).age;
    QCOMPARE(render.photoPicture(photos[0]).age, ageBefore);

    Picture &last = render.photoPicture(photos[32]);
    QCOMPARE(render.cachedPhotos(), 32);
    QVERIFY(!render.isCached(StoryBoardRender::photoKey(photos[0])));
    QVERIFY(render.isCached(StoryBoardRender::photoKey(photos[1])));
    QVERIFY(render.isCached(StoryBoardRender::photoKey(photos[32])));
    // The reused picture holds the new photo (red level 224, stored B, G, R, A).
    QCOMPARE(int(last.row(12)[16 * 4 + 2]), 32 * 7);

    // Next to go is the one loaded second.
    render.photoPicture(photos[0]);
    QVERIFY(!render.isCached(StoryBoardRender::photoKey(photos[1])));
}

void TestStoryBoardRender::cacheKeysByTurn()
{
    QTemporaryDir dir;
    StoryBoardRender render;
    MediaFormat small;
    small.width = 32;
    small.height = 24;
    render.setFormat(small);
    ImageInfo info;
    info.path = writePhoto(dir, QStringLiteral("tall.png"), Qt::green, 20, 40);
    info.orientation = 0;
    render.photoPicture(info);
    info.orientation = 6;
    render.photoPicture(info);
    QCOMPARE(render.cachedPhotos(), 2);
    info.orientation = 7; // also turned: same entry as 6
    render.photoPicture(info);
    QCOMPARE(render.cachedPhotos(), 2);

    // A photo that has gone missing gives an opaque black picture.
    ImageInfo missing;
    missing.path = dir.filePath(QStringLiteral("gone.jpg"));
    const Picture &black = render.photoPicture(missing);
    QCOMPARE(int(black.row(5)[5 * 4 + 0]), 0);
    QCOMPARE(int(black.row(5)[5 * 4 + 3]), 255);

    render.setFormat(small); // a new format empties the caches
    QCOMPARE(render.cachedPhotos(), 0);
}

void TestStoryBoardRender::composesFrames()
{
    QTemporaryDir dir;
    MediaFormat format;
    format.width = 160;
    format.height = 120;
    StoryBoard board;
    board.patterns.clear();
    board.useZoom = false;
    ImageInfo red, blue, missing;
    red.path = writePhoto(dir, QStringLiteral("red.png"), QColor(200, 0, 0), 160, 120);
    blue.path = writePhoto(dir, QStringLiteral("blue.png"), QColor(0, 0, 200), 160, 120);
    missing.path = dir.filePath(QStringLiteral("missing.png"));
    board.photos = {red, missing, blue};

    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(format.width, format.height, 2, true));

    std::vector<uint8_t> frame(static_cast<size_t>(format.width) * format.height * 4);
    const auto grab = [&](int k) {
        render.drawFrame(k, false, &drawer);
        QVERIFY(
            drawer.grabFrame(0x80E1 /* GL_BGRA */, 0x1401 /* GL_UNSIGNED_BYTE */, frame.data()));
    };

    grab(10);
    QVERIFY(near(pixelAt(frame, 160, 80, 60), QColor(200, 0, 0), 3));
    // Middle of the dissolve from red into the missing (black) photo.
    grab(125 + 18);
    QVERIFY(near(pixelAt(frame, 160, 80, 60), QColor(200 * 19 / 37, 0, 0), 6));
    // The missing photo holds black and the show goes on to the blue one.
    grab(162 + 50);
    QVERIFY(near(pixelAt(frame, 160, 80, 60), Qt::black, 2));
    grab(325 + 50);
    QVERIFY(near(pixelAt(frame, 160, 80, 60), QColor(0, 0, 200), 3));
    // Past the end: the background only.
    grab(render.totalFrames());
    QVERIFY(near(pixelAt(frame, 160, 80, 60), Qt::black, 0));
}

void TestStoryBoardRender::framings_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QSize>("photo");
    QTest::newRow("portrait photo, wide show") << QSize(160, 90) << QSize(90, 180);
    QTest::newRow("landscape photo, phone show") << QSize(90, 160) << QSize(180, 90);
}

void TestStoryBoardRender::framings()
{
    QFETCH(QSize, frame);
    QFETCH(QSize, photo);
    QTemporaryDir dir;
    MediaFormat format;
    format.width = frame.width();
    format.height = frame.height();
    StoryBoard board;
    board.patterns.clear();
    board.useZoom = false;
    ImageInfo first, second;
    first.path = writeBands(dir, QStringLiteral("first.png"), photo.width(), photo.height());
    second.path = writeBands(dir, QStringLiteral("second.png"), photo.width(), photo.height());
    board.photos = {first, second};

    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(format.width, format.height, 2, true));
    const auto grab = [&](int k) {
        std::vector<uint8_t> pixels(size_t(format.width) * format.height * 4);
        render.drawFrame(k, false, &drawer);
        drawer.grabFrame(0x80E1 /* GL_BGRA */, 0x1401 /* GL_UNSIGNED_BYTE */, pixels.data());
        return pixels;
    };
    const auto at = [&](const std::vector<uint8_t> &pixels, int x, int y) {
        return pixelAt(pixels, format.width, x, y);
    };
    const bool pillars = frame.width() > frame.height();
    // A point in the middle of a bar, and the line across the frame through it.
    const QPoint bar = pillars ? QPoint(4, frame.height() / 2) : QPoint(frame.width() / 2, 4);
    const int across = pillars ? frame.width() : frame.height();
    const auto onLine = [&](int i) {
        return pillars ? QPoint(i, bar.y()) : QPoint(bar.x(), i);
    };

    board.framing = Framing::Fit;
    const std::vector<uint8_t> fitted = grab(10);
    QVERIFY(near(at(fitted, bar.x(), bar.y()), Qt::black, 2));
    // The photo's ends show in the fitted frame.
    const QPoint start = pillars ? QPoint(frame.width() / 2, 4) : QPoint(4, frame.height() / 2);
    QVERIFY(near(at(fitted, start.x(), start.y()), QColor(200, 0, 0), 4));

    // Blurred: no black bar left, the backdrop darker than the photo, the photo untouched.
    const int madeBefore = blurredBackdropsMade();
    board.framing = Framing::BlurredFit;
    const std::vector<uint8_t> blurred = grab(10);
    for (int i = 0; i < across; ++i) {
        const QPoint p = onLine(i);
        QVERIFY2(brightness(at(blurred, p.x(), p.y())) > 60,
                 qPrintable(QStringLiteral("dark at %1,%2").arg(p.x()).arg(p.y())));
    }
    const QColor backdrop = at(blurred, bar.x(), bar.y());
    QVERIFY2(backdrop.green() > 60 && backdrop.green() < 170, qPrintable(backdrop.name()));
    const QRect photoArea = pillars ? QRect(frame.width() / 2 - 20, 0, 40, frame.height())
                                    : QRect(0, frame.height() / 2 - 20, frame.width(), 40);
    for (int y = photoArea.top(); y <= photoArea.bottom(); y += 3) {
        for (int x = photoArea.left(); x <= photoArea.right(); x += 3)
            QVERIFY(near(at(blurred, x, y), at(fitted, x, y), 2));
    }

    // The whole show draws each photo's backdrop once, through its transition as well.
    for (int k = 0; k < render.totalFrames(); k += 7)
        grab(k);
    QCOMPARE(blurredBackdropsMade() - madeBefore, 2);

    // Fill: the middle of the photo covers the frame, its ends cropped.
    board.framing = Framing::Fill;
    const std::vector<uint8_t> filled = grab(10);
    for (const QPoint p : {bar, start, QPoint(0, 0), QPoint(frame.width() - 1, frame.height() - 1)})
        QVERIFY(near(at(filled, p.x(), p.y()), QColor(0, 200, 0), 4));
    QCOMPARE(blurredBackdropsMade() - madeBefore, 2);
}

QTEST_MAIN(TestStoryBoardRender)
#include "tst_storyboardrender.moc"
