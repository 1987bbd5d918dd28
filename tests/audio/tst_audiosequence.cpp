// The renderer's sound track: clips laid end to end by video frame, looping, silence, clips
// that cannot be opened, and the audio thread's start and stop.
#include "audio/storyboardrender.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

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
    void staleStopIsDiscarded();
    void startAndStopRepeatedly();

private:
    void fillRing(StoryBoardRender &render);
    QTemporaryDir dir;
    QString clip0, clip1, late;
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
}

void TestAudioSequence::fillRing(StoryBoardRender &render)
{
    const int limit = render.bytesPerFrame() * AudioRing::FramesHeld;
    QElapsedTimer timer;
    timer.start();
    while (render.ring().fill() < limit && timer.elapsed() < 10000)
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

void TestAudioSequence::staleStopIsDiscarded()
{
    StoryBoard board;
    StoryBoardRender render;
    render.setFormat(MediaFormat {});
    render.setStoryBoard(&board);
    // Two stop requests before the thread runs: the next run must not end at once.
    render.stopAudio();
    render.stopAudio();
    render.startAudio();
    QTest::qWait(100);
    QVERIFY(render.isRunning());
    render.stopAudio();
    QVERIFY(render.wait(5000));
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
        QVERIFY(render.wait(5000));
    }
    // The thread filled the ring during its last run.
    render.startAudio();
    const auto ringFill = [&render] {
        for (;;) {
            if (const AudioRing::TryLock lock(render.ring()); lock)
                return render.ring().fill();
            QThread::yieldCurrentThread();
        }
    };
    QTRY_VERIFY_WITH_TIMEOUT(ringFill() >= render.ring().capacity(), 10000);
    render.stopAudio();
    QVERIFY(render.wait(5000));
}

QTEST_GUILESS_MAIN(TestAudioSequence)
#include "tst_audiosequence.moc"
