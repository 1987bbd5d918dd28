// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer's sound track: clips laid end to end by video frame, looping, silence, clips
// that cannot be opened, the fade in and out, and the audio thread's start and stop.
#include "audio/storyboardrender.h"
#include "tests/audio/producedsound.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

constexpr int rate = 48000;
constexpr int samplesPerFrame = rate / 25; // 25 frames/s

AudioInfo clipOf(const QString &path, double length, double in = 0.0)
{
    AudioInfo clip;
    clip.path = path;
    clip.channels = 2;
    clip.sampleRate = rate;
    clip.duration = in + length;
    clip.clipStart = in;
    clip.clipEnd = in + length;
    return clip;
}

// Frequency of channel 0 over samples [from, to), from its zero crossings.
double frequencyAt(const int16_t *pcm, int from, int to)
{
    return zeroCrossings(pcm, 2, from, to) * rate / (2.0 * (to - from));
}

// The first sample from which a tone of `before` Hz has become one of `after` Hz, judged on
// windows of one period of the lower tone.
int switchPoint(const int16_t *pcm, int samples, double before, double after)
{
    const int window = static_cast<int>(rate / std::min(before, after)) * 2;
    const double middle = (before + after) / 2.0;
    for (int at = 0; at + window <= samples; at += window / 8) {
        const double f = frequencyAt(pcm, at, at + window);
        if ((before < after) ? f > middle : f < middle)
            return at;
    }
    return -1;
}

// Root mean square of channel 0 over samples [from, to).
double rmsAt(const QVector<int16_t> &pcm, int from, int to)
{
    double sum = 0.0;
    for (int i = from; i < to; ++i)
        sum += double(pcm[2 * i]) * pcm[2 * i];
    return std::sqrt(sum / (to - from));
}

// The bytes in the renderer's ring, read under its lock while the audio thread may run.
int filledBytes(StoryBoardRender &render)
{
    for (;;) {
        if (const AudioRing::TryLock lock(render.ring()); lock)
            return render.ring().fill();
        QThread::yieldCurrentThread();
    }
}

} // namespace

class TestAudioSequence : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sequenceByContent_data();
    void sequenceByContent();
    void inPointStartsThere();
    void noClipsGiveSilence();
    void missingClipKeepsTimeline();
    void fadeFollowsTheShow_data();
    void fadeFollowsTheShow();
    void seekKeepsWholeSamples_data();
    void seekKeepsWholeSamples();
    void staleStopIsDiscarded();
    void startAndStopRepeatedly();

private:
    void fillRing(StoryBoardRender &render);
    QTemporaryDir dir;
    QString clip0, clip1, late, steady;
    TempSettings settings;
};

void TestAudioSequence::initTestCase()
{
    clip0 = dir.filePath(QStringLiteral("clip 0 é.wav"));
    clip1 = dir.filePath(QStringLiteral("clip1.wav"));
    late = dir.filePath(QStringLiteral("late.wav"));
    // Clip 0 changes pitch at 1 s so that a position inside it can be told by ear.
    QVERIFY(writeToneWav(clip0, {{500, 1.0}, {700, 1.0}}));
    QVERIFY(writeToneWav(clip1, {{1000, 3.0}}));
    QVERIFY(writeToneWav(late, {{300, 10.0}, {800, 2.0}}));
    steady = dir.filePath(QStringLiteral("steady.wav"));
    QVERIFY(writeToneWav(steady, {{440, 20.0}}));
}

void TestAudioSequence::fillRing(StoryBoardRender &render)
{
    const int limit = render.bytesPerFrame() * AudioRing::FramesHeld;
    QElapsedTimer timer;
    timer.start();
    while (render.ring().fill() < limit && timer.elapsed() < PatienceMs)
        render.fillAudio();
    QVERIFY(render.ring().fill() >= limit);
}

void TestAudioSequence::sequenceByContent_data()
{
    QTest::addColumn<bool>("loop");
    QTest::addColumn<int>("frame");
    QTest::addColumn<double>("firstTone");
    QTest::addColumn<double>("nextTone");
    QTest::addColumn<int>("switchSample"); // where the next tone starts; -1: no change expected

    // Frame 49 is 1.96 s into clip 0: 0.04 s of its second tone, then clip 1 from its in-point.
    QTest::newRow("frame 49 ends clip 0") << false << 49 << 700.0 << 1000.0 << samplesPerFrame;
    QTest::newRow("frame 50 starts clip 1") << false << 50 << 1000.0 << 0.0 << -1;
    QTest::newRow("frame 0 starts clip 0") << false << 0 << 500.0 << 700.0 << rate;
    // Looping: the track is 125 frames long, so frame 130 is 0.2 s into clip 0.
    QTest::newRow("looped frame 130") << true << 130 << 500.0 << 700.0 << rate * 8 / 10;
}

void TestAudioSequence::sequenceByContent()
{
    QFETCH(bool, loop);
    QFETCH(int, frame);
    QFETCH(double, firstTone);
    QFETCH(double, nextTone);
    QFETCH(int, switchSample);

    StoryBoard board;
    board.audios = {clipOf(clip0, 2.0), clipOf(clip1, 3.0)};
    board.loopAudio = loop;
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);
    QCOMPARE(render.bytesPerFrame(), 7680);

    render.seekAudio(frame);
    fillRing(render);
    const auto *pcm = reinterpret_cast<const int16_t *>(render.ring().data());
    const int samples = render.ring().fill() / 4;

    QVERIFY2(qAbs(frequencyAt(pcm, 0, 960) - firstTone) < firstTone * 0.1,
             qPrintable(QString::number(frequencyAt(pcm, 0, 960))));
    if (switchSample >= 0) {
        const int at = switchPoint(pcm, samples, firstTone, nextTone);
        // Whole packets and the detection window blur the edge by a little.
        QVERIFY2(qAbs(at - switchSample) <= 1200, qPrintable(QString::number(at)));
    } else {
        // Clip 1 from its in-point: the tone starts at phase 0, rising.
        QVERIFY(qAbs(pcm[0]) < 600);
        QVERIFY(pcm[2 * 4] > pcm[0]);
    }
}

void TestAudioSequence::inPointStartsThere()
{
    StoryBoard board;
    board.audios = {clipOf(late, 2.0, 10.0)};
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);
    render.seekAudio(0);
    fillRing(render);
    const auto *pcm = reinterpret_cast<const int16_t *>(render.ring().data());
    QVERIFY(qAbs(frequencyAt(pcm, 0, 4800) - 800.0) < 40.0);
    // After the 2 s clip, silence: no loop.
    const int after = (rate * 21) / 10;
    QCOMPARE(zeroCrossings(pcm, 2, after, after + 4800), 0);
    QCOMPARE(pcm[after * 2], int16_t {0});

    // Past the end of a track without loop: silence from the start.
    render.seekAudio(125);
    render.ring().clear();
    fillRing(render);
    const QByteArray silence(render.ring().fill(), '\0');
    QVERIFY(QByteArray(reinterpret_cast<const char *>(render.ring().data()), render.ring().fill())
            == silence);
}

void TestAudioSequence::noClipsGiveSilence()
{
    StoryBoard board;
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);
    render.seekAudio(10);
    for (int round = 0; round < 3; ++round) {
        render.ring().clear();
        std::memset(render.ring().writeArea(), 0x55, render.ring().capacity());
        fillRing(render);
        QCOMPARE(render.ring().fill(), render.ring().capacity());
        for (int i = 0; i < render.ring().fill(); ++i)
            QCOMPARE(render.ring().data()[i], uint8_t {0});
    }
}

void TestAudioSequence::missingClipKeepsTimeline()
{
    StoryBoard board;
    board.audios = {clipOf(clip0, 2.0), clipOf(dir.filePath(QStringLiteral("gone.mp3")), 3.0),
                    clipOf(clip1, 3.0)};
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);

    // From the start: clip 0 for 2 s, 3 s of silence, then clip 1 at 5 s.
    render.seekAudio(0);
    fillRing(render);
    const auto *pcm = reinterpret_cast<const int16_t *>(render.ring().data());
    QCOMPARE(zeroCrossings(pcm, 2, rate * 2 + 2400, rate * 5 - 2400), 0);
    QVERIFY(qAbs(frequencyAt(pcm, rate * 5 + 2400, rate * 5 + 7200) - 1000.0) < 50.0);
    int start = rate * 4;
    while (start < rate * 6 && qAbs(pcm[start * 2]) < 100)
        ++start;
    QVERIFY2(qAbs(start - rate * 5) <= 1200, qPrintable(QString::number(start)));

    // Seeking into the missing clip: silence for what is left of it, then clip 1 on time.
    render.seekAudio(100); // 4 s: 1 s of the missing clip left
    render.ring().clear();
    fillRing(render);
    QCOMPARE(zeroCrossings(pcm, 2, 0, rate - 2400), 0);
    QVERIFY(qAbs(frequencyAt(pcm, rate + 2400, rate + 7200) - 1000.0) < 50.0);
}

void TestAudioSequence::fadeFollowsTheShow_data()
{
    QTest::addColumn<int>("photoCount");
    QTest::addColumn<int>("photoMs");
    QTest::addColumn<int>("seekFrame");
    QTest::addColumn<double>("at"); // seconds into the show
    QTest::addColumn<double>("gain"); // the curve's value there; 0: near silence

    const double half = std::sqrt(0.5); // equal power: each fade is -3 dB half-way
    // Three photos of 5 s and transitions of 1.5 s: an 18 s show, longer than the ring holds.
    QTest::newRow("rises from silence") << 3 << 5000 << 0 << 0.005 << 0.0;
    QTest::newRow("half-way up after half a second") << 3 << 5000 << 0 << 0.5 << half;
    QTest::newRow("half-way up, sought into the fade-in") << 3 << 5000 << 10 << 0.5 << half;
    QTest::newRow("full level at 1.5 s") << 3 << 5000 << 0 << 1.5 << 1.0;
    QTest::newRow("full level just before the fade-out") << 3 << 5000 << 0 << 14.9 << 1.0;
    QTest::newRow("half-way down, played from the start") << 3 << 5000 << 0 << 16.5 << half;
    QTest::newRow("half-way down, sought into the fade-out") << 3 << 5000 << 400 << 16.5 << half;
    QTest::newRow("into the fade-out, sought there")
        << 3 << 5000 << 400 << 16.005 << std::sin(M_PI / 3);
    QTest::newRow("falls to silence at the end") << 3 << 5000 << 400 << 17.995 << 0.0;
    // One photo of 5 s: the show is long enough for both fades.
    QTest::newRow("5 s show, half-way down") << 1 << 5000 << 0 << 3.5 << half;
    // A 2 s show: 0.5 s in, 1.5 s out.
    QTest::newRow("2 s show, half-way up") << 1 << 2000 << 0 << 0.25 << half;
    QTest::newRow("2 s show, full between the fades") << 1 << 2000 << 0 << 0.5 << 1.0;
    QTest::newRow("2 s show, half-way down") << 1 << 2000 << 0 << 1.25 << half;
}

void TestAudioSequence::fadeFollowsTheShow()
{
    QFETCH(int, photoCount);
    QFETCH(int, photoMs);
    QFETCH(int, seekFrame);
    QFETCH(double, at);
    QFETCH(double, gain);

    StoryBoard board;
    board.photos = QList<ImageInfo>(photoCount);
    board.setPhotoDurationMs(photoMs);
    board.audios = {clipOf(steady, 20.0)};
    const int frames = static_cast<int>(board.totalDuration() * 25);
    const int centre = static_cast<int>(at * rate) - seekFrame * samplesPerFrame;
    const int from = centre - rate / 200;
    const int to = centre + rate / 200;

    const QVector<int16_t> plain = producedSound(board, seekFrame, frames - seekFrame);
    board.fadeInOut = true;
    const QVector<int16_t> faded = producedSound(board, seekFrame, frames - seekFrame);
    const double reference = rmsAt(plain, from, to);
    QVERIFY2(reference > 1000.0, qPrintable(QString::number(reference)));
    const double measured = rmsAt(faded, from, to) / reference;
    if (gain == 0.0) {
        QVERIFY2(measured < 0.02, qPrintable(QString::number(measured)));
    } else {
        QVERIFY2(qAbs(20.0 * std::log10(measured / gain)) < 0.1,
                 qPrintable(QStringLiteral("%1 instead of %2").arg(measured).arg(gain)));
    }
}

void TestAudioSequence::seekKeepsWholeSamples_data()
{
    QTest::addColumn<double>("frameRate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("frame");
    // A frame's share of the sound is a whole number of bytes, not always of samples: 3203 bytes
    // a frame in mono at 29.97 frames/s, 6406 in stereo.
    QTest::newRow("mono at 29.97, odd frame") << 30000.0 / 1001 << 1 << 7;
    QTest::newRow("stereo at 29.97, odd frame") << 30000.0 / 1001 << 2 << 7;
    QTest::newRow("stereo at 23.976, odd frame") << 24000.0 / 1001 << 2 << 3;
    QTest::newRow("stereo at 25") << 25.0 << 2 << 7;
}

void TestAudioSequence::seekKeepsWholeSamples()
{
    QFETCH(double, frameRate);
    QFETCH(int, channels);
    QFETCH(int, frame);
    StoryBoard board;
    board.audios = {clipOf(clip0, 2.0)};
    board.loudnessTarget = AlbumSettings::LoudnessOff;
    MediaFormat format;
    format.frameRate = frameRate;
    format.channels = channels;
    const QVector<int16_t> whole = producedSound(board, 0, frame + 10, format);
    const QVector<int16_t> sought = producedSound(board, frame, 10, format);
    StoryBoardRender render;
    render.setFormat(format);
    // Playing from a frame starts at its first whole sample: the same samples as played through.
    const qsizetype skipped = qsizetype {frame} * render.bytesPerFrame() / 2 / channels * channels;
    for (qsizetype i = 0; i < sought.size() - channels; ++i)
        QVERIFY2(qAbs(sought.at(i) - whole.at(skipped + i)) <= 1,
                 qPrintable(QStringLiteral("sample %1: %2 against %3")
                                .arg(i)
                                .arg(sought.at(i))
                                .arg(whole.at(skipped + i))));
}

void TestAudioSequence::staleStopIsDiscarded()
{
    StoryBoard board;
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);
    // Two stop requests before the thread runs: the next run must not end at once. It has got
    // past the point where they would end it once it has put sound in the ring.
    render.stopAudio();
    render.stopAudio();
    render.startAudio();
    QVERIFY(QTest::qWaitFor([&] { return render.isFinished() || filledBytes(render) > 0; },
                            PatienceMs));
    QVERIFY(render.isRunning());
    render.stopAudio();
    QVERIFY(render.wait(PatienceMs));
}

void TestAudioSequence::startAndStopRepeatedly()
{
    StoryBoard board;
    board.audios = {clipOf(clip0, 2.0), clipOf(clip1, 3.0)};
    board.loopAudio = true;
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);
    for (int i = 0; i < 100; ++i) {
        render.seekAudio(i * 3);
        render.startAudio();
        // Drain a little as a consumer does, under the ring's lock.
        if (const AudioRing::TryLock lock(render.ring()); lock) {
            render.ring().discard(render.ring().fill());
        }
        render.stopAudio();
        QVERIFY(render.wait(PatienceMs));
    }
    // The thread filled the ring during its last run.
    render.startAudio();
    QTRY_VERIFY_WITH_TIMEOUT(filledBytes(render) >= render.ring().capacity(), PatienceMs);
    render.stopAudio();
    QVERIFY(render.wait(PatienceMs));
}

QTEST_GUILESS_MAIN(TestAudioSequence)
#include "tst_audiosequence.moc"
