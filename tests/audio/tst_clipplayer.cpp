// SPDX-License-Identifier: GPL-3.0-or-later
// The clip player of the audio editing dialog: its own source beside another output on the same
// device, 44100 Hz stereo buffers whatever the file holds, the pace of the finished buffers, the
// silence after the end of a file and of a file that cannot be read. CTest runs this program on
// OpenAL Soft's null output and once more with no device at all.
#include "audio/clipplayer.h"
#include "audio/openaloutput.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Buffers finished per second of wall time, counted from a poll that finds one finished to a
// poll at least ms later. The clock is read just before each poll, so that a poll held up on a
// busy machine delays the count and the clock alike; 0 when nothing finishes at all.
double finishRate(ClipPlayer &player, int ms)
{
    QElapsedTimer clock;
    clock.start();
    qint64 start = 0;
    for (;;) {
        start = clock.elapsed();
        if (player.poll() > 0)
            break;
        if (start > PatienceMs)
            return 0.0;
        QTest::qWait(5);
    }
    qint64 finished = 0;
    for (;;) {
        QTest::qWait(5);
        const qint64 now = clock.elapsed();
        finished += player.poll();
        if (now - start >= ms)
            return finished * 1000.0 / (now - start);
    }
}

} // namespace

class TestClipPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buffersAreOneTwentyFifthOfASecond();
    void keepsRealTimeBesideAnotherOutput();
    void silenceAfterTheEnd_data();
    void silenceAfterTheEnd();

private:
    QTemporaryDir dir;
    QString monoFile;
};

void TestClipPlayer::initTestCase()
{
    monoFile = dir.filePath(QStringLiteral("mono48k.wav"));
    QVERIFY(writeToneWav(monoFile, {{440.0, 20.0}}, 48000, 1));
}

// A mono 48 kHz file still fills every buffer with 1/25 s of 44.1 kHz stereo: 7056 bytes.
void TestClipPlayer::buffersAreOneTwentyFifthOfASecond()
{
    ClipPlayer player;
    QVERIFY(player.open(monoFile));
    player.play(3.0);
    QVERIFY(player.isPlaying());
    for (int i = 0; i < ClipPlayer::BufferCount; i += 51)
        QCOMPARE(player.bufferBytes(i), 7056);
    player.stop();
    QVERIFY(!player.isPlaying());
    QCOMPARE(player.poll(), 0);
}

// With the preview's output alive but idle, and while it plays too, the clip's buffers finish at
// 25 a second; the two outputs share one device and agree on whether a clock paces it.
void TestClipPlayer::keepsRealTimeBesideAnotherOutput()
{
    OpenALOutput preview(8);
    QVERIFY(preview.isValid());
    ClipPlayer player;
    QCOMPARE(player.usesClock(), preview.usesClock());
    QVERIFY(player.open(monoFile));

    player.play(0.0);
    const double rate = finishRate(player, 2000);
    QVERIFY2(rate > 22.0 && rate < 27.0, qPrintable(QString::number(rate)));

    // The other output starts and stops again; the clip plays on at the same pace.
    std::vector<short> silence(1000, 0);
    std::vector<unsigned> names;
    for (int i = 0; i < preview.bufferCount(); ++i) {
        names.push_back(preview.buffer(i));
        preview.fillBuffer(names.back(), silence.data(), 2000, 2, 48000);
    }
    preview.playQueued(names.data(), preview.bufferCount());
    QTest::qWait(100);
    preview.stop();
    const double rateAfter = finishRate(player, 1500);
    QVERIFY2(rateAfter > 22.0 && rateAfter < 27.0, qPrintable(QString::number(rateAfter)));
}

void TestClipPlayer::silenceAfterTheEnd_data()
{
    QTest::addColumn<bool>("readable");
    QTest::newRow("the last second of a file") << true;
    QTest::newRow("a file that cannot be read") << false;
}

// Past the end of a file, and for a file that cannot be read, the buffers carry silence and
// still finish at real-time pace, so a position counted from them keeps moving.
void TestClipPlayer::silenceAfterTheEnd()
{
    QFETCH(bool, readable);
    ClipPlayer player;
    const QString missing = dir.filePath(QStringLiteral("missing.mp3"));
    QCOMPARE(player.open(readable ? monoFile : missing), readable);
    player.play(readable ? 19.0 : 0.0);
    for (int i = 0; i < ClipPlayer::BufferCount; i += 85)
        QCOMPARE(player.bufferBytes(i), 7056);
    const double rate = finishRate(player, 1500);
    QVERIFY2(rate > 22.0 && rate < 27.0, qPrintable(QString::number(rate)));
}

QTEST_GUILESS_MAIN(TestClipPlayer)
#include "tst_clipplayer.moc"
