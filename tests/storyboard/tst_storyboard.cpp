// SPDX-License-Identifier: GPL-3.0-or-later
// The story-board model: timeline arithmetic, "Sync with Audio", zoom defaults, pattern list.
#include "storyboard/storyboard.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

StoryBoard boardWith(int photos, const QList<double> &clipLengths = {})
{
    StoryBoard board;
    for (int i = 0; i < photos; ++i)
        board.photos.append(ImageInfo {});
    for (double length : clipLengths) {
        AudioInfo clip;
        clip.duration = length + 3.0;
        clip.clipStart = 3.0;
        clip.clipEnd = 3.0 + length;
        board.audios.append(clip);
    }
    return board;
}

} // namespace

class TestStoryBoard : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void timeline();
    void syncWithAudio_data();
    void syncWithAudio();
    void zoomDefaultsCycle();
    void patternList();
};

void TestStoryBoard::defaults()
{
    TempSettings settings;
    const StoryBoard board;
    QCOMPARE(board.photoDurationMs, 5000);
    QCOMPARE(board.photoDuration, 5.0);
    QCOMPARE(board.transitionDurationMs, 1500);
    QCOMPARE(board.transitionDuration, 1.5);
    QVERIFY(board.useTransition && !board.dissolveOnly && board.useZoom);
    QVERIFY(!board.loopAudio && !board.fadeInOut);
    QVERIFY(board.isEmpty());

    const MediaFormat preview;
    QCOMPARE(preview.width, 640);
    QCOMPARE(preview.height, 480);
    QCOMPARE(preview.frameRate, 25.0);
    QCOMPARE(preview.channels, 2);
    QCOMPARE(preview.sampleRate, 48000);
}

void TestStoryBoard::timeline()
{
    StoryBoard none = boardWith(0, {30.0});
    QCOMPARE(none.totalDuration(), 0.0);
    QVERIFY(!none.isEmpty());

    // One photo: no transition, whatever its length.
    StoryBoard one = boardWith(1);
    one.setTransitionDurationMs(4000);
    QCOMPARE(one.totalDuration(), 5.0);

    StoryBoard three = boardWith(3, {2.0, 3.5});
    QCOMPARE(three.totalDuration(), 3 * 5.0 + 2 * 1.5);
    QCOMPARE(three.totalAudioDuration(), 5.5);
    // The audio does not lengthen the show.
    three.audios.append(three.audios.first());
    three.audios.last().clipEnd += 100.0;
    QCOMPARE(three.totalDuration(), 18.0);

    // Switching transitions off shrinks the show but keeps the transition length for later.
    three.useTransition = false;
    QCOMPARE(three.effectiveTransition(), 0.0);
    QCOMPARE(three.totalDuration(), 15.0);
    QCOMPARE(three.transitionDuration, 1.5);
    three.useTransition = true;
    three.setPhotoDurationMs(2500);
    QCOMPARE(three.photoDuration, 2.5);
    QCOMPARE(three.totalDuration(), 3 * 2.5 + 2 * 1.5);
}

void TestStoryBoard::syncWithAudio_data()
{
    QTest::addColumn<int>("photos");
    QTest::addColumn<double>("audio");
    QTest::addColumn<bool>("transitions");
    QTest::addColumn<double>("frameRate");
    QTest::addColumn<int>("expected");

    // (A - B) / n seconds per photo, rounded down to whole frames, then one frame more.
    QTest::newRow("5 s a photo at 25 fps") << 2 << 11.5 << true << 25.0 << 5040;
    QTest::newRow("without transitions") << 2 << 10.0 << false << 25.0 << 5040;
    QTest::newRow("exactly 1 s accepted") << 1 << 1.0 << true << 25.0 << 1040;
    // The frame added would take it past 999 s, which a saved show could not be opened with.
    QTest::newRow("exactly 999 s accepted") << 1 << 999.0 << true << 25.0 << 999000;
    QTest::newRow("0.99 s refused") << 1 << 0.99 << true << 25.0 << -1;
    QTest::newRow("999.5 s refused") << 1 << 999.5 << true << 25.0 << -1;
    QTest::newRow("transitions eat the audio") << 3 << 4.0 << true << 25.0 << -1;
    QTest::newRow("30 fps frame of 33 ms") << 1 << 2.0 << true << 30.0 << 2013;
    QTest::newRow("no photos") << 0 << 10.0 << true << 25.0 << -1;
}

void TestStoryBoard::syncWithAudio()
{
    QFETCH(int, photos);
    QFETCH(double, audio);
    QFETCH(bool, transitions);
    QFETCH(double, frameRate);
    QFETCH(int, expected);

    StoryBoard board = boardWith(photos, {audio});
    board.useTransition = transitions;
    QCOMPARE(syncPhotoDurationMs(board, frameRate), expected);
}

void TestStoryBoard::zoomDefaultsCycle()
{
    const ZoomPath first = defaultZoomFor(0);
    QCOMPARE(first.kind, int(LayerFx::Translate));
    QCOMPARE(first.start, (std::array<float, 4> {-25.0f, -12.5f, 50.0f, 0.0f}));
    QCOMPARE(first.end, (std::array<float, 4> {25.0f, 12.5f, 100.0f, 0.0f}));

    // Bit 0 reverses x, bit 1 y, bit 2 z (the photo zooms out).
    const ZoomPath seventh = defaultZoomFor(7);
    QCOMPARE(seventh.start, (std::array<float, 4> {25.0f, 12.5f, 100.0f, 0.0f}));
    QCOMPARE(defaultZoomFor(2).start[1], 12.5f);
    QCOMPARE(defaultZoomFor(2).start[0], -25.0f);

    // Successive photos run through all eight directions before one repeats.
    QSet<QString> seen;
    for (int i = 0; i < 8; ++i) {
        const ZoomPath path = nextDefaultZoom();
        seen.insert(
            QStringLiteral("%1 %2 %3").arg(path.start[0]).arg(path.start[1]).arg(path.start[2]));
    }
    QCOMPARE(seen.size(), 8);
}

void TestStoryBoard::patternList()
{
    QTemporaryDir app;
    QVERIFY(QDir(app.path()).mkdir(QStringLiteral("pattern")));
    for (const char *name : {"a.wpt", "b.wpt", "c.wpt", "readme.txt", "d.png"}) {
        QFile file(app.filePath(QStringLiteral("pattern/") + QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QStringList found = StoryBoard::listPatterns(app.path());
    found.sort();
    QCOMPARE(found.size(), 3);
    QCOMPARE(found.first(), app.filePath(QStringLiteral("pattern/a.wpt")));
    QCOMPARE(StoryBoard::listPatterns(app.path() + QLatin1Char('/')).size(), 3);

    QTemporaryDir empty;
    QVERIFY(StoryBoard::listPatterns(empty.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestStoryBoard)
#include "tst_storyboard.moc"
