// SPDX-License-Identifier: GPL-3.0-or-later
// What a frame shows, worked out before any drawing: its layers, their transforms and alpha, the
// wipe table, and the pictures taken from the caches.
#include "storyboard/framecomposition.h"
#include "storyboard/picture.h"
#include "storyboard/storyboardframes.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

using Alpha = FrameLayer::Alpha;

// Three photos of 4 s with 1 s transitions at 25 frames/s: periods of 125 frames, the
// transitions in frames 100-124 of each, 350 frames in all; a zoom path runs over 150 frames.
StoryBoard threePhotos(bool dissolveOnly, bool useZoom)
{
    StoryBoard board;
    board.setPhotoDurationMs(4000);
    board.setTransitionDurationMs(1000);
    board.useTransition = true;
    board.dissolveOnly = dissolveOnly;
    board.useZoom = useZoom;
    board.patterns = {QStringLiteral("/patterns/a.wpt"), QStringLiteral("/patterns/b.wpt")};
    for (int i = 0; i < 3; ++i) {
        ImageInfo info;
        info.path = QStringLiteral("/photos/%1.jpg").arg(i);
        board.photos.append(info);
    }
    // Photo 0 moves right by 150 reference pixels; photo 1 turns by 30 degrees.
    board.photos[0].zoom = {LayerFx::Translate, {0, 0, 0, 0}, {150, 0, 0, 0}};
    board.photos[1].zoom = {LayerFx::Rotate, {0, 0, 0, 0}, {30, 72, 54, 0}};
    board.photos[1].orientation = 6;
    return board;
}

MediaFormat referenceFormat()
{
    MediaFormat format;
    format.width = 720;
    format.height = 540;
    format.frameRate = 25.0;
    return format;
}

QString writePhoto(const QTemporaryDir &dir, int i)
{
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(QColor(i * 7, 0, 0));
    const QString path = dir.filePath(QStringLiteral("p%1.png").arg(i, 2, 10, QLatin1Char('0')));
    image.save(path, "PNG");
    return path;
}

// The red level of a BGRA picture in its middle.
int redOf(const Picture *picture)
{
    return picture ? picture->row(picture->height() / 2)[picture->width() / 2 * 4 + 2] : -1;
}

} // namespace

class TestFrameComposition : public QObject
{
    Q_OBJECT

private slots:
    void layersOfFrames_data();
    void layersOfFrames();
    void wipeTableOfFrame();
    void picturesFromCaches();
    void loadsKeepTheFramesPictures();
    void cacheLimit_data();
    void cacheLimit();
};

void TestFrameComposition::layersOfFrames_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<bool>("dissolveOnly");
    QTest::addColumn<bool>("useZoom");
    QTest::addColumn<QList<int>>("photos");
    QTest::addColumn<QList<int>>("alphas"); // FrameLayer::Alpha per layer
    QTest::addColumn<QList<float>>("param0"); // of each layer's transform
    QTest::addColumn<double>("dissolve"); // of the top layer

    const int own = int(Alpha::Own);
    // Hold: zoom at (25 + 10 + 0.5) / 150 of the way.
    QTest::newRow("hold") << 10 << false << true << QList<int> {0} << QList<int> {own}
                          << QList<float> {35.5f} << 1.0;
    QTest::newRow("hold without zoom")
        << 10 << false << false << QList<int> {0} << QList<int> {own} << QList<float> {0.0f} << 1.0;
    // Frame 112: 12 frames into the transition, progress 0.48; the outgoing photo's zoom at
    // 137.5 / 150, the incoming one's at 12.5 / 150.
    QTest::newRow("dissolve") << 112 << true << true << QList<int> {0, 1}
                              << QList<int> {own, int(Alpha::Dissolve)}
                              << QList<float> {137.5f, 2.5f} << 0.48;
    QTest::newRow("wipe") << 112 << false << true << QList<int> {0, 1}
                          << QList<int> {own, int(Alpha::Wipe)} << QList<float> {137.5f, 2.5f}
                          << 1.0;
    QTest::newRow("last photo held")
        << 262 << false << true << QList<int> {2} << QList<int> {own} << QList<float> {0.0f} << 1.0;
    QTest::newRow("past the end") << 350 << false << true << QList<int> {} << QList<int> {}
                                  << QList<float> {} << 1.0;
    QTest::newRow("before the start")
        << -1 << false << true << QList<int> {} << QList<int> {} << QList<float> {} << 1.0;
}

void TestFrameComposition::layersOfFrames()
{
    QFETCH(int, frame);
    QFETCH(bool, dissolveOnly);
    QFETCH(bool, useZoom);
    QFETCH(QList<int>, photos);
    QFETCH(QList<int>, alphas);
    QFETCH(QList<float>, param0);
    QFETCH(double, dissolve);

    StoryBoard board = threePhotos(dissolveOnly, useZoom);
    StoryBoardFrames frames;
    frames.setFormat(referenceFormat());
    frames.setStoryBoard(&board);
    QCOMPARE(frames.totalFrames(), 350);
    const FrameComposition composition
        = StoryBoardFrames::composeFrame(board, referenceFormat(), frames.planFrame(frame));

    QCOMPARE(int(composition.layers.size()), photos.size());
    for (qsizetype i = 0; i < photos.size(); ++i) {
        const FrameLayer &layer = composition.layers[size_t(i)];
        QCOMPARE(layer.photo, photos[i]);
        QCOMPARE(layer.orientation, board.photos[photos[i]].orientation);
        QCOMPARE(int(layer.alpha), alphas[i]);
        QCOMPARE(layer.fx.kind, useZoom ? board.photos[photos[i]].zoom.kind : 0);
        QCOMPARE(layer.fx.param0 + 1.0f, param0[i] + 1.0f);
        // Nothing is looked up: the pictures come from the caches afterwards.
        QVERIFY(!layer.picture && !layer.patternPicture);
    }
    if (!composition.layers.empty() && composition.layers.back().alpha == Alpha::Dissolve)
        QCOMPARE(composition.layers.back().dissolve, dissolve);
    if (photos.size() == 2 && useZoom) {
        // The turned photo: 12.5 / 150 of 30 degrees about (72, 54) scaled to the frame.
        const LayerFx &fx = composition.layers[1].fx;
        QCOMPARE(fx.param1, 6.0f);
        QCOMPARE(fx.param2, 4.5f);
    }
}

void TestFrameComposition::wipeTableOfFrame()
{
    StoryBoard board = threePhotos(false, true);
    StoryBoardFrames frames;
    frames.setFormat(referenceFormat());
    frames.setStoryBoard(&board);
    const auto compose = [&](int k) {
        return StoryBoardFrames::composeFrame(board, referenceFormat(), frames.planFrame(k));
    };

    // The transition out of photo k uses pattern k mod 2, at threshold 1 - 0.48.
    const FrameComposition first = compose(112);
    QCOMPARE(first.layers.back().pattern, QStringLiteral("/patterns/a.wpt"));
    QCOMPARE(first.wipeThreshold, 0.52);
    // Soft edge sin(0.52 pi) 0.1: grey levels below 107 stay hidden, from 158 on shown.
    QCOMPARE(first.wipeTable[106], 0.0);
    QCOMPARE(first.wipeTable[107], 0.0);
    QVERIFY(first.wipeTable[130] > 0.0 && first.wipeTable[130] < 255.0);
    QCOMPARE(first.wipeTable[158], 255.0);
    QCOMPARE(first.wipeTable[255], 255.0);
    QCOMPARE(compose(125 + 112).layers.back().pattern, QStringLiteral("/patterns/b.wpt"));

    // A hold frame carries no wipe.
    const FrameComposition hold = compose(10);
    QCOMPARE(hold.wipeThreshold, 0.0);
    QCOMPARE(hold.wipeTable[255], 0.0);
}

void TestFrameComposition::picturesFromCaches()
{
    QTemporaryDir dir;
    StoryBoard board = threePhotos(false, false);
    for (int i = 0; i < 3; ++i)
        board.photos[i].path = writePhoto(dir, i + 1);
    board.patterns = {dir.filePath(QStringLiteral("missing.wpt"))};
    MediaFormat small = referenceFormat();
    small.width = 32;
    small.height = 24;
    StoryBoardFrames frames;
    frames.setFormat(small);
    frames.setStoryBoard(&board);

    const FrameComposition wipe = frames.composition(112);
    QCOMPARE(int(wipe.layers.size()), 2);
    QCOMPARE(redOf(wipe.layers[0].picture), 7);
    QCOMPARE(redOf(wipe.layers[1].picture), 14);
    QCOMPARE(wipe.layers[0].contentId, wipe.layers[0].picture->serial);
    QVERIFY(wipe.layers[0].contentId != wipe.layers[1].contentId);
    // A pattern that cannot be read is an all-zero grey picture: the wipe cuts at its end.
    QVERIFY(wipe.layers[1].patternPicture);
    QCOMPARE(wipe.layers[1].patternPicture->format(), AV_PIX_FMT_GRAY8);
    QVERIFY(!wipe.layers[0].patternPicture);
    QCOMPARE(frames.cachedPhotos(), 2);
    QCOMPARE(frames.cachedPatterns(), 1);

    // The next hold frame finds its photo in the cache, with the same pixels.
    const FrameComposition hold = frames.composition(125 + 10);
    QCOMPARE(hold.layers[0].picture, wipe.layers[1].picture);
    QCOMPARE(hold.layers[0].contentId, wipe.layers[1].contentId);
    QVERIFY(frames.composition(350).layers.empty());
}

void TestFrameComposition::loadsKeepTheFramesPictures()
{
    // The outgoing photo is the oldest of a full cache when the incoming one is loaded: the
    // load must take another entry, or both layers would show the incoming photo.
    QTemporaryDir dir;
    MediaFormat small = referenceFormat();
    small.width = 32;
    small.height = 24;
    StoryBoard board = threePhotos(true, false);
    board.photos = {ImageInfo(), ImageInfo()};
    board.photos[0].path = writePhoto(dir, 0);
    board.photos[1].path = writePhoto(dir, 1);
    StoryBoardFrames frames;
    frames.setFormat(small);
    frames.setStoryBoard(&board);

    frames.photoPicture(board.photos[0]);
    for (int i = 2; i < 2 + StoryBoardFrames::CacheSize - 1; ++i) {
        ImageInfo other;
        other.path = writePhoto(dir, i);
        frames.photoPicture(other);
    }
    QCOMPARE(frames.cachedPhotos(), StoryBoardFrames::CacheSize);

    const FrameComposition dissolve = frames.composition(112);
    QCOMPARE(int(dissolve.layers.size()), 2);
    QVERIFY(dissolve.layers[0].picture != dissolve.layers[1].picture);
    QCOMPARE(redOf(dissolve.layers[0].picture), 0);
    QCOMPARE(redOf(dissolve.layers[1].picture), 7);
    QVERIFY(frames.isCached(StoryBoardFrames::photoKey(board.photos[0])));
    QCOMPARE(frames.cachedPhotos(), StoryBoardFrames::CacheSize);
}

void TestFrameComposition::cacheLimit_data()
{
    QTest::addColumn<int>("limit");
    // The most pictures held at once while every frame is drawn in order.
    QTest::addColumn<int>("photosHeld");
    QTest::addColumn<int>("patternsHeld");
    QTest::newRow("the preview's caches") << int(StoryBoardFrames::CacheSize) << 6 << 3;
    QTest::newRow("one frame's pictures") << int(StoryBoardFrames::FrameCacheSize) << 2 << 2;
    QTest::newRow("less than a frame's, raised to it") << 0 << 2 << 2;
}

void TestFrameComposition::cacheLimit()
{
    QFETCH(int, limit);
    QFETCH(int, photosHeld);
    QFETCH(int, patternsHeld);
    QTemporaryDir dir;
    MediaFormat small = referenceFormat();
    small.width = 32;
    small.height = 24;
    StoryBoard board = threePhotos(false, true);
    board.patterns.append(QStringLiteral("/patterns/c.wpt"));
    board.photos.clear();
    for (int i = 0; i < 6; ++i) {
        ImageInfo info;
        info.path = writePhoto(dir, i);
        board.photos.append(info);
    }
    StoryBoardFrames frames;
    frames.setFormat(small);
    frames.setStoryBoard(&board);
    frames.setCacheLimit(limit);

    int photos = 0;
    int patterns = 0;
    for (int k = 0; k < frames.totalFrames(); ++k) {
        const FrameComposition frame = frames.composition(k);
        // Pictures taken back for others never show in place of their own photo.
        for (const FrameLayer &layer : frame.layers)
            QCOMPARE(redOf(layer.picture), layer.photo * 7);
        photos = std::max(photos, frames.cachedPhotos());
        patterns = std::max(patterns, frames.cachedPatterns());
    }
    QCOMPARE(photos, photosHeld);
    QCOMPARE(patterns, patternsHeld);

    // Lowered, the caches keep the pictures loaded last.
    frames.setCacheLimit(StoryBoardFrames::FrameCacheSize);
    QCOMPARE(frames.cachedPhotos(), 2);
    QVERIFY(frames.isCached(StoryBoardFrames::photoKey(board.photos[5])));
    QVERIFY(frames.isCached(StoryBoardFrames::photoKey(board.photos[4])));
    QVERIFY(frames.cachedPatterns() <= 2);
}

QTEST_MAIN(TestFrameComposition)
#include "tst_framecomposition.moc"
