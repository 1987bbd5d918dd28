// SPDX-License-Identifier: GPL-3.0-or-later
// The writer manager on a real show: frames drawn off screen, read back and converted, sound
// drained from the renderer's thread, both captured byte for byte through child processes.
// What the frames show is checked on the encoded video (tst_compileprogress).
#include "audio/audiodecoder.h"
#include "audio/storyboardrender.h"
#include "creation/avpipewriter.h"
#include "creation/avwritermanager.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

constexpr int W = 160;
constexpr int H = 120;
const QColor colours[3] = {Qt::red, Qt::green, Qt::blue};

QString captureCommand(const QString &path)
{
    return QStringLiteral("\"/bin/dd\" \"of=%1\" bs=65536 status=none").arg(path);
}

} // namespace

class TestAVWriterManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void writesShow_data();
    void writesShow();
    void pauseAndResume();
    void endsWithoutAudioWriter();

private:
    struct Run
    {
        QByteArray video;
        QByteArray audio;
        QList<int> progress;
        int ends = 0;
        int bytesPerFrame = 0;
        int total = 0;
    };
    bool runShow(const MediaFormat &format, Run &run, bool withAudio = true);

    TempSettings settings;
    QTemporaryDir dir;
    StoryBoard board;
};

void TestAVWriterManager::initTestCase()
{
    QVERIFY(dir.isValid());
    for (int i = 0; i < 3; ++i) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colours[i]);
        ImageInfo info;
        info.path = dir.filePath(QStringLiteral("p%1.png").arg(i));
        QVERIFY(image.save(info.path));
        board.photos.append(info);
    }
    AudioInfo tone;
    tone.path = dir.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeToneWav(tone.path, {{440.0, 10.0}}));
    QVERIFY(readAudioInfo(tone));
    board.audios.append(tone);
    board.patterns.clear();
    board.dissolveOnly = true;
    board.useZoom = false;
    board.setPhotoDurationMs(1000);
    board.setTransitionDurationMs(500);
}

bool TestAVWriterManager::runShow(const MediaFormat &format, Run &run, bool withAudio)
{
    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    run.total = render.totalFrames();
    run.bytesPerFrame = render.bytesPerFrame();

    const QString videoPath = dir.filePath(QStringLiteral("v.y4m"));
    const QString audioPath = dir.filePath(QStringLiteral("a.wav"));
    QFile::remove(videoPath);
    QFile::remove(audioPath);
    AVWriterManager manager;
    if (!manager.open(format))
        return false;
    manager.setRenderer(&render);
    auto video = std::make_unique<AVPipeWriter>(format);
    if (!video->start(captureCommand(videoPath)))
        return false;
    manager.setVideoWriter(std::move(video));
    if (withAudio) {
        auto audio = std::make_unique<AVPipeWriter>(format);
        if (!audio->start(captureCommand(audioPath)))
            return false;
        manager.setAudioWriter(std::move(audio));
    }
    connect(&manager, &AVWriterManager::progressChanged, this,
            [&run](int percent) { run.progress.append(percent); });
    QSignalSpy end(&manager, &AVWriterManager::compileEnd);
    render.drawFrame(0, true, &manager);
    manager.startWriting();
    if (!end.wait(60000))
        return false;
    QTest::qWait(50); // the ticks have stopped: no second end
    run.ends = end.size();
    manager.stopWriting();

    QSignalSpy videoDone(manager.videoWriter(), &AVPipeWriter::finished);
    manager.closeWriters();
    if (!videoDone.wait(PatienceMs))
        return false;
    if (withAudio
        && !QTest::qWaitFor([&] { return manager.audioWriter()->hasExited(); }, PatienceMs))
        return false;
    manager.deleteWriters();

    QFile v(videoPath);
    QFile a(audioPath);
    if (!v.open(QIODevice::ReadOnly))
        return false;
    run.video = v.readAll();
    if (withAudio && a.open(QIODevice::ReadOnly))
        run.audio = a.readAll();
    return true;
}

void TestAVWriterManager::writesShow_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("sampleRate");
    QTest::newRow("25 fps, stereo 48 kHz") << 25.0 << 2 << 48000;
    // 2942.0 bytes a frame is not a whole number of samples a frame.
    QTest::newRow("29.97 fps, mono 44.1 kHz") << 30000.0 / 1001.0 << 1 << 44100;
}

void TestAVWriterManager::writesShow()
{
    QFETCH(double, rate);
    QFETCH(int, channels);
    QFETCH(int, sampleRate);
    MediaFormat format;
    format.width = W;
    format.height = H;
    format.frameRate = rate;
    format.channels = channels;
    format.sampleRate = sampleRate;
    Run run;
    QVERIFY(runShow(format, run));
    // Every frame that starts before the show's 4 s are up.
    QCOMPARE(run.total, int(std::ceil((3 * 1.0 + 2 * 0.5) * rate)));
    QCOMPARE(run.ends, 1);
    QVERIFY(!run.progress.isEmpty());
    QCOMPARE(run.progress.last(), 100);
    QVERIFY(std::is_sorted(run.progress.begin(), run.progress.end()));

    // The video stream: one header line, then every frame whole.
    const QByteArray header = AVPipeWriter::videoHeader(format);
    const qsizetype frameBytes = 6 + W * H * 3 / 2;
    QCOMPARE(run.video.size(), header.size() + run.total * frameBytes);
    QVERIFY(run.video.startsWith(header));

    // The sound: a WAV header and exactly one frame's worth per video frame, in whole samples.
    const qint64 block = channels * 2;
    const qint64 pcmBytes = qint64 {run.bytesPerFrame} * run.total / block * block;
    QCOMPARE(run.audio.size(), 44 + pcmBytes);
    QCOMPARE(run.audio.left(4), QByteArray("RIFF"));
    // The tone keeps its pitch all through: 2 x 440 zero crossings a second.
    const auto *pcm = reinterpret_cast<const int16_t *>(run.audio.constData() + 44);
    const int samples = int(pcmBytes / block);
    const double seconds = double(samples) / sampleRate;
    const int crossings = zeroCrossings(pcm, channels, 0, samples);
    QVERIFY2(qAbs(crossings - 880.0 * seconds) <= 4, qPrintable(QString::number(crossings)));
}

void TestAVWriterManager::pauseAndResume()
{
    MediaFormat format;
    format.width = W;
    format.height = H;
    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    AVWriterManager manager;
    QVERIFY(manager.open(format));
    manager.setRenderer(&render);
    QSignalSpy end(&manager, &AVWriterManager::compileEnd);
    connect(&manager, &AVWriterManager::progressChanged, this, [&manager] {
        if (manager.videoFrames() == 10)
            manager.pause();
    });
    render.drawFrame(0, true, &manager);
    manager.startWriting();
    QTRY_VERIFY_WITH_TIMEOUT(manager.isPaused(), PatienceMs);
    const quint32 held = manager.videoFrames();
    QCOMPARE(held, 10u);
    QTest::qWait(200);
    QCOMPARE(manager.videoFrames(), held);
    QVERIFY(end.isEmpty());
    manager.resume();
    QVERIFY(end.wait(PatienceMs));
    QCOMPARE(manager.videoFrames(), quint32(render.totalFrames()));
    manager.stopWriting();
    QVERIFY(!render.isRunning());
}

void TestAVWriterManager::endsWithoutAudioWriter()
{
    MediaFormat format;
    format.width = W;
    format.height = H;
    Run run;
    QVERIFY(runShow(format, run, false));
    QCOMPARE(run.ends, 1);
    QCOMPARE(run.video.size(),
             AVPipeWriter::videoHeader(format).size() + run.total * (6 + W * H * 3 / 2));
}

QTEST_MAIN(TestAVWriterManager)
#include "tst_avwritermanager.moc"
