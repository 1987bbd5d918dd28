// SPDX-License-Identifier: GPL-3.0-or-later
// Per-photo settings: the timeline in whole frames, transitions of a photo's own, motion as two
// rectangles (checked against what the drawer shows), and "Sync with Audio" over own durations.
#include "storyboard/gldrawer.h"
#include "storyboard/motion.h"
#include "storyboard/picture.h"
#include "storyboard/showtimeline.h"
#include "storyboard/storyboardframes.h"
#include "storyboard/transitions.h"
#include "tests/support/testsupport.h"

#include <GL/gl.h>

#include <QTest>
#include <cmath>
#include <vector>

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif

namespace {

// Photos with own durations (0: the album's) and a cut after the photos listed in cuts.
StoryBoard boardOf(const QList<int> &durations, int albumMs, int transitionMs,
                   const QList<int> &cuts = {})
{
    StoryBoard board;
    board.patterns.clear();
    board.setPhotoDurationMs(albumMs);
    board.useTransition = transitionMs > 0;
    if (transitionMs > 0)
        board.setTransitionDurationMs(transitionMs);
    for (int i = 0; i < durations.size(); ++i) {
        ImageInfo photo;
        photo.own.durationMs = durations.at(i);
        if (cuts.contains(i))
            photo.own.transition = TransitionStyle::Cut;
        board.photos.append(photo);
    }
    return board;
}

ImageInfo photoOfSize(int width, int height)
{
    ImageInfo photo;
    photo.width = width;
    photo.height = height;
    return photo;
}

int sign(double v)
{
    return v > 1e-9 ? 1 : v < -1e-9 ? -1 : 0;
}

} // namespace

class TestPhotoSettings : public QObject
{
    Q_OBJECT
private slots:
    void timeline_data();
    void timeline();
    void transitionOfItsOwnLength();
    void transitionKinds_data();
    void transitionKinds();
    void automaticMotionIsTheOldPath_data();
    void automaticMotionIsTheOldPath();
    void presets_data();
    void presets();
    void easing();
    void pathAsDrawn_data();
    void pathAsDrawn();
    void syncScalesOwnDurations_data();
    void syncScalesOwnDurations();
};

void TestPhotoSettings::timeline_data()
{
    QTest::addColumn<QList<int>>("durations");
    QTest::addColumn<int>("albumMs");
    QTest::addColumn<int>("transitionMs");
    QTest::addColumn<QList<int>>("cuts");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<QList<int>>("holdEnds");
    QTest::addColumn<int>("total");

    // 2.2 x 25 is 55.000000000000007 in doubles; counted in milliseconds it is 55.
    QTest::newRow("2.2 s at 25 fps") << QList<int> {0, 0, 0} << 2200 << 0 << QList<int> {} << 25.0
                                     << QList<int> {0, 55, 110} << QList<int> {55, 110, 165} << 165;
    QTest::newRow("2, 4 and 1 s with a cut after the second")
        << QList<int> {2000, 4000, 1000} << 5000 << 1000 << QList<int> {1} << 25.0
        << QList<int> {0, 75, 175} << QList<int> {50, 175, 200} << 200;
    // Changes on half frames fall on the frame after, as they always did.
    QTest::newRow("album durations on half frames")
        << QList<int> {0, 0, 0} << 5000 << 1500 << QList<int> {} << 25.0 << QList<int> {0, 163, 325}
        << QList<int> {125, 288, 450} << 450;
    QTest::newRow("1001 ms at 30000/1001 fps is 30 frames")
        << QList<int> {1001, 1001, 1001} << 5000 << 0 << QList<int> {} << 30000.0 / 1001.0
        << QList<int> {0, 30, 60} << QList<int> {30, 60, 90} << 90;
    QTest::newRow("one photo") << QList<int> {0} << 3000 << 1500 << QList<int> {} << 25.0
                               << QList<int> {0} << QList<int> {75} << 75;
}

void TestPhotoSettings::timeline()
{
    QFETCH(QList<int>, durations);
    QFETCH(int, albumMs);
    QFETCH(int, transitionMs);
    QFETCH(QList<int>, cuts);
    QFETCH(double, rate);
    QFETCH(QList<int>, starts);
    QFETCH(QList<int>, holdEnds);
    QFETCH(int, total);

    const StoryBoard board = boardOf(durations, albumMs, transitionMs, cuts);
    const ShowTimeline timeline = ShowTimeline::of(board, rate);
    QCOMPARE(timeline.totalFrames, total);
    QCOMPARE(timeline.spans.size(), starts.size());
    for (int i = 0; i < starts.size(); ++i) {
        QCOMPARE(timeline.spans[i].start, starts[i]);
        QCOMPARE(timeline.spans[i].holdEnd, holdEnds[i]);
    }
    // Every frame belongs to the photo whose span holds it, and the plan agrees.
    for (int k = -1; k <= total; ++k) {
        int expected = -1;
        for (int i = 0; i < starts.size(); ++i) {
            if (k >= timeline.spans[i].start && k < timeline.spans[i].end)
                expected = i;
        }
        QCOMPARE(timeline.photoAt(k), expected);
        const auto plan = StoryBoardFrames::planFrame(board, timeline, k);
        QCOMPARE(plan.photo, expected);
        if (expected >= 0) {
            QCOMPARE(plan.phase == StoryBoardFrames::FramePlan::Hold,
                     k < timeline.spans[expected].holdEnd);
        }
    }
}

void TestPhotoSettings::transitionOfItsOwnLength()
{
    // Wipes of 1 s between 2 s photos; the first photo leaves with a dissolve of 0.4 s.
    StoryBoard board = boardOf({0, 0, 0}, 2000, 1000);
    board.patterns = {QStringLiteral("/p/a.wpt"), QStringLiteral("/p/b.wpt")};
    board.photos[0].own.transition = TransitionStyle::Dissolve;
    board.photos[0].own.transitionMs = 400;
    const ShowTimeline timeline = ShowTimeline::of(board, 25.0);
    QCOMPARE(timeline.spans[1].start, 60);
    QCOMPARE(timeline.totalFrames, 60 + 75 + 50);
    for (int k = 50; k < 60; ++k) {
        const auto plan = StoryBoardFrames::planFrame(board, timeline, k);
        QCOMPARE(plan.phase, StoryBoardFrames::FramePlan::Transition);
        QVERIFY(plan.dissolve);
        QCOMPARE(plan.progress, (k - 50) / 10.0);
    }
    QCOMPARE(StoryBoardFrames::planFrame(board, timeline, 60).phase,
             StoryBoardFrames::FramePlan::Hold);
    const auto wipe = StoryBoardFrames::planFrame(board, timeline, 60 + 50 + 5);
    QVERIFY(!wipe.dissolve);
    QCOMPARE(wipe.progress, 5 / 25.0);
    // The sound is as long as the pictures.
    QCOMPARE(board.totalDurationMs(), qint64(2000 + 400 + 2000 + 1000 + 2000));
}

void TestPhotoSettings::transitionKinds_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("dissolveOnly");
    QTest::addColumn<bool>("patterns");
    QTest::addColumn<int>("expected"); // pattern index, -1 for a dissolve

    // The photo leaving is photo 2 of 4; the program's own pick is pattern 2 mod 3.
    const int album = int(TransitionStyle::Album);
    const int wipe = int(TransitionStyle::Wipe);
    const int random = int(TransitionStyle::Random);
    QTest::newRow("album picks a wipe") << album << QString() << false << true << 2;
    QTest::newRow("album dissolves only") << album << QString() << true << true << -1;
    QTest::newRow("own dissolve among wipes")
        << int(TransitionStyle::Dissolve) << QString() << false << true << -1;
    QTest::newRow("named wipe") << wipe << QStringLiteral("b.wpt") << false << true << 1;
    QTest::newRow("named wipe in a dissolving album")
        << wipe << QStringLiteral("a.wpt") << true << true << 0;
    QTest::newRow("named wipe that is gone")
        << wipe << QStringLiteral("gone.wpt") << false << true << 2;
    QTest::newRow("random in a dissolving album") << random << QString() << true << true << 2;
    QTest::newRow("random without patterns") << random << QString() << false << false << -1;
}

void TestPhotoSettings::transitionKinds()
{
    QFETCH(int, style);
    QFETCH(QString, pattern);
    QFETCH(bool, dissolveOnly);
    QFETCH(bool, patterns);
    QFETCH(int, expected);

    StoryBoard board = boardOf({0, 0, 0, 0}, 2000, 1000);
    board.dissolveOnly = dissolveOnly;
    if (patterns)
        board.patterns
            = {QStringLiteral("/p/a.wpt"), QStringLiteral("/p/b.wpt"), QStringLiteral("/p/c.wpt")};
    board.photos[2].own.transition = static_cast<TransitionStyle>(style);
    board.photos[2].own.wipePattern = pattern;
    const TransitionKind kind = transitionKind(board, 2);
    QCOMPARE(kind.dissolve, expected < 0);
    QCOMPARE(kind.patternIndex, expected);
    if (expected >= 0)
        QCOMPARE(kind.patternPath, board.patterns.at(expected));
}

void TestPhotoSettings::automaticMotionIsTheOldPath_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("framing");
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("frame");

    QTest::newRow("landscape in 4:3, bars")
        << 0 << int(Framing::Fit) << QSize(4000, 3000) << QSize(640, 480);
    QTest::newRow("portrait in 16:9, blurred")
        << 5 << int(Framing::BlurredFit) << QSize(3000, 4000) << QSize(1280, 720);
    QTest::newRow("wide photo in 9:16, cropped")
        << 3 << int(Framing::Fill) << QSize(6000, 2000) << QSize(1080, 1920);
    QTest::newRow("square frame") << 6 << int(Framing::Fit) << QSize(800, 600) << QSize(720, 720);
}

void TestPhotoSettings::automaticMotionIsTheOldPath()
{
    QFETCH(int, counter);
    QFETCH(int, framing);
    QFETCH(QSize, photo);
    QFETCH(QSize, frame);

    ImageInfo info = photoOfSize(photo.width(), photo.height());
    info.zoom = defaultZoomFor(counter);
    AlbumSettings album;
    album.framing = static_cast<Framing>(framing);
    const std::optional<MotionPath> path
        = automaticMotion(info, album.framing, frame.width(), frame.height());
    QVERIFY(path);
    const QRectF bounds
        = frameInPhoto(shownPhotoSize(info), album.framing, frame.width(), frame.height());
    QVERIFY(holdsRect(bounds, path->start) && holdsRect(bounds, path->end));
    for (double x : {0.0, 0.37, 1.0}) {
        const LayerFx before = zoomAt(x, info, true, frame.width(), frame.height());
        const LayerFx now = photoFx(info, album, x, frame.width(), frame.height());
        QCOMPARE(now.kind, before.kind);
        const double tolerance = 1e-4 * frame.width();
        QVERIFY(std::abs(now.param0 - before.param0) < tolerance);
        QVERIFY(std::abs(now.param1 - before.param1) < tolerance);
        QVERIFY(std::abs(now.param2 - before.param2) < tolerance);
    }
    // With the album's zoom off the photo stands still, unless it moves of its own choice.
    album.useZoom = false;
    QCOMPARE(photoFx(info, album, 0.5, frame.width(), frame.height()).param2, 0.0f);
    info.own.motion = MotionStyle::Automatic;
    QVERIFY(photoFx(info, album, 0.5, frame.width(), frame.height()).param2 != 0.0f);
}

void TestPhotoSettings::presets_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("dx"); // sign of the centre's move
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("dw"); // sign of the change of size

    QTest::newRow("zoom in") << int(MotionStyle::ZoomIn) << 0 << 0 << -1;
    QTest::newRow("zoom out") << int(MotionStyle::ZoomOut) << 0 << 0 << 1;
    QTest::newRow("pan left") << int(MotionStyle::PanLeft) << -1 << 0 << 0;
    QTest::newRow("pan right") << int(MotionStyle::PanRight) << 1 << 0 << 0;
    QTest::newRow("pan up") << int(MotionStyle::PanUp) << 0 << -1 << 0;
    QTest::newRow("pan down") << int(MotionStyle::PanDown) << 0 << 1 << 0;
    QTest::newRow("still") << int(MotionStyle::Still) << 0 << 0 << 0;
}

void TestPhotoSettings::presets()
{
    QFETCH(int, style);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(int, dw);

    for (const Framing framing : {Framing::Fit, Framing::BlurredFit, Framing::Fill}) {
        const QSizeF shown(3000, 4000);
        const MotionPath path
            = presetMotion(static_cast<MotionStyle>(style), shown, framing, 1280, 720);
        const QRectF bounds = frameInPhoto(shown, framing, 1280, 720);
        QVERIFY(holdsRect(bounds, path.start) && holdsRect(bounds, path.end));
        for (const QRectF &r : {path.start, path.end})
            QVERIFY(std::abs(r.width() / r.height() - 1280.0 / 720.0) < 1e-9);
        QCOMPARE(sign(path.end.center().x() - path.start.center().x()), dx);
        QCOMPARE(sign(path.end.center().y() - path.start.center().y()), dy);
        QCOMPARE(sign(path.end.width() - path.start.width()), dw);
    }
}

void TestPhotoSettings::easing()
{
    const MotionPath path {QRectF(0, 0, 160, 90), QRectF(100, 50, 320, 180), Easing::InOut};
    QCOMPARE(motionRectAt(path, 0.0), path.start);
    QCOMPARE(motionRectAt(path, 1.0), path.end);
    QCOMPARE(motionRectAt(path, 0.5).center(), QRectF(50, 25, 240, 135).center());
    // Slow at both ends: a quarter of the time covers less than a quarter of the way.
    QVERIFY(motionRectAt(path, 0.25).width() < 160 + 0.25 * 160);
    QVERIFY(motionRectAt(path, 0.75).width() > 160 + 0.75 * 160);
    MotionPath linear = path;
    linear.easing = Easing::Linear;
    QCOMPARE(motionRectAt(linear, 0.25).width(), 200.0);
}

void TestPhotoSettings::pathAsDrawn_data()
{
    QTest::addColumn<double>("progress");
    QTest::newRow("start") << 0.0;
    QTest::newRow("middle") << 0.5;
    QTest::newRow("end") << 1.0;
}

void TestPhotoSettings::pathAsDrawn()
{
    QFETCH(double, progress);
    // A photo of the frame's shape, so that its pixels are the frame picture's; its colours are
    // smooth so that the drawer's filtering changes them little.
    const int w = 320;
    const int h = 240;
    Picture picture(w, h, AV_PIX_FMT_BGRA);
    const auto colour = [w, h](double x, double y) {
        return std::array<double, 3> {x * 255.0 / w, y * 255.0 / h, (x + y) * 255.0 / (w + h)};
    };
    for (int row = 0; row < h; ++row) {
        uint8_t *p = picture.row(row);
        const int y = h - 1 - row; // photo pictures hold the bottom row first
        for (int x = 0; x < w; ++x) {
            const auto c = colour(x, y);
            p[4 * x] = static_cast<uint8_t>(std::lround(c[0]));
            p[4 * x + 1] = static_cast<uint8_t>(std::lround(c[1]));
            p[4 * x + 2] = static_cast<uint8_t>(std::lround(c[2]));
            p[4 * x + 3] = 255;
        }
    }
    ImageInfo info = photoOfSize(w, h);
    info.own.motion = MotionStyle::Custom;
    info.own.motionStart = QRectF(32, 48, 160, 120);
    info.own.motionEnd = QRectF(120, 24, 192, 144);
    const AlbumSettings album;
    const MotionPath path = *photoMotion(info, album, w, h);
    const QRectF shows = motionRectAt(path, progress);

    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 1, true));
    drawer.beginFrame();
    QVERIFY(drawer.uploadLayer(0, picture));
    drawer.drawLayer(0, 0, photoFx(info, album, progress, w, h));
    drawer.endFrame();
    std::vector<uint8_t> frame(size_t(w) * h * 4);
    QVERIFY(drawer.grabFrame(GL_BGRA, GL_UNSIGNED_BYTE, frame.data()));
    int worst = 0;
    for (int y = 2; y < h - 2; ++y) {
        for (int x = 2; x < w - 2; ++x) {
            const auto c = colour(shows.left() + (x + 0.5) * shows.width() / w - 0.5,
                                  shows.top() + (y + 0.5) * shows.height() / h - 0.5);
            const uint8_t *p = frame.data() + (size_t(y) * w + x) * 4;
            for (int i = 0; i < 3; ++i)
                worst = std::max(worst, int(std::lround(std::abs(p[i] - c[i]))));
        }
    }
    QVERIFY2(worst <= 3, qPrintable(QStringLiteral("off by %1 levels").arg(worst)));
}

void TestPhotoSettings::syncScalesOwnDurations_data()
{
    QTest::addColumn<QList<int>>("durations");
    QTest::addColumn<int>("albumMs");
    QTest::addColumn<double>("audio");
    QTest::addColumn<int>("transitionMs");
    QTest::addColumn<int>("expectedAlbum"); // -1: no sync
    QTest::addColumn<QList<int>>("expectedOwn");

    // Each result is rounded down to whole 40 ms frames, then one frame more.
    QTest::newRow("album alone, as before")
        << QList<int> {0, 0} << 3000 << 11.5 << 1500 << 5040 << QList<int> {0, 0};
    QTest::newRow("own durations in proportion")
        << QList<int> {0, 2000, 6000} << 4000 << 24.0 << 0 << 8040 << QList<int> {0, 4040, 12040};
    QTest::newRow("transitions stay as they are")
        << QList<int> {3000, 0} << 1000 << 10.0 << 2000 << 2040 << QList<int> {6040, 0};
    QTest::newRow("none below one second") << QList<int> {0, 0, 1000, 9000} << 1000 << 5.5 << 0
                                           << 1040 << QList<int> {0, 0, 1040, 2520};
    QTest::newRow("too short for a second each")
        << QList<int> {0, 0, 2000} << 1000 << 2.5 << 0 << -1 << QList<int> {};
    QTest::newRow("own duration kept within 999 s")
        << QList<int> {0, 9990} << 1000 << 1099.0 << 0 << 100040 << QList<int> {0, 999000};
    QTest::newRow("a photo past 999 s")
        << QList<int> {1000, 9000} << 5000 << 9990.0 << 0 << -1 << QList<int> {};
}

void TestPhotoSettings::syncScalesOwnDurations()
{
    QFETCH(QList<int>, durations);
    QFETCH(int, albumMs);
    QFETCH(double, audio);
    QFETCH(int, transitionMs);
    QFETCH(int, expectedAlbum);
    QFETCH(QList<int>, expectedOwn);

    StoryBoard board = boardOf(durations, albumMs, transitionMs);
    AudioInfo clip;
    clip.duration = audio;
    clip.clipEnd = audio;
    board.audios.append(clip);
    const std::optional<SyncedDurations> synced = syncDurations(board, 25.0);
    QCOMPARE(synced.has_value(), expectedAlbum > 0);
    if (!synced)
        return;
    QCOMPARE(synced->albumMs, expectedAlbum);
    QCOMPARE(synced->ownMs, expectedOwn);
    applySyncedDurations(board, *synced);
    // The show now ends with the audio, give or take the frame each photo was rounded up by.
    const double ends = board.totalDuration();
    QVERIFY2(ends >= audio && ends <= audio + 0.04 * durations.size() + 1e-9,
             qPrintable(QString::number(ends)));
}

QTEST_MAIN(TestPhotoSettings)
#include "tst_photosettings.moc"
