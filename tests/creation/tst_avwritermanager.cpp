// The writer manager on a real show: frames drawn off screen, read back and converted, sound
// drained from the renderer's thread, both captured byte for byte through child processes.
#include "audiodecoder.h"
#include "avpipewriter.h"
#include "avwritermanager.h"
#include "storyboardrender.h"
#include "testsupport.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int W = 160;
constexpr int H = 120;
const QColor colours[3] = {QColor(220, 40, 30), QColor(30, 200, 60), QColor(40, 60, 210)};

QString captureCommand(const QString &path)
{
    return QStringLiteral("\"/bin/dd\" \"of=%1\" bs=65536 status=none").arg(path);
}

// Limited-range BT.601, as the scaler writes it.
QColor yuvToRgb(int y, int u, int v)
{
    const double c = (y - 16) * 255.0 / 219.0;
    const double d = (u - 128) * 255.0 / 224.0;
    const double e = (v - 128) * 255.0 / 224.0;
    const auto clip = [](double x) {
        return qBound(0, qRound(x), 255);
    };
    return QColor(clip(c + 1.402 * e), clip(c - 0.344136 * d - 0.714136 * e), clip(c + 1.772 * d));
}

bool near(QColor a, QColor b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

QString describe(QColor c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
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
    auto *video = new AVPipeWriter(format);
    if (!video->start(captureCommand(videoPath)))
        return false;
    manager.setVideoWriter(video);
    if (withAudio) {
        auto *audio = new AVPipeWriter(format);
        if (!audio->start(captureCommand(audioPath)))
            return false;
        manager.setAudioWriter(audio);
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

    QSignalSpy videoDone(video, &AVPipeWriter::finished);
    manager.closeWriters();
    if (!videoDone.wait(10000))
        return false;
    for (int i = 0; withAudio && i < 1000 && !manager.audioWriter()->hasExited(); ++i)
        QTest::qWait(10);
    if (withAudio && !manager.audioWriter()->hasExited())
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
    QCOMPARE(run.total, int((3 * 1.0 + 2 * 0.5) * rate));
    QCOMPARE(run.ends, 1);
    QVERIFY(!run.progress.isEmpty());
    QCOMPARE(run.progress.last(), 100);
    QVERIFY(std::is_sorted(run.progress.begin(), run.progress.end()));

    // The video stream: one header line, then every frame whole.
    const QByteArray header = AVPipeWriter::videoHeader(format);
    const qsizetype frameBytes = 6 + W * H * 3 / 2;
    QCOMPARE(run.video.size(), header.size() + run.total * frameBytes);
    QVERIFY(run.video.startsWith(header));

    StoryBoardRender plan;
    plan.setFormat(format);
    plan.setStoryBoard(&board);
    const auto pixel = [&](int frame, int x, int y) {
        const char *f = run.video.constData() + header.size() + frame * frameBytes;
        if (QByteArray(f, 6) != "FRAME\n")
            return QColor(Qt::transparent);
        const uint8_t *yp = reinterpret_cast<const uint8_t *>(f + 6);
        const uint8_t *up = yp + W * H;
        const uint8_t *vp = up + (W / 2) * (H / 2);
        const int c = (y / 2) * (W / 2) + x / 2;
        return yuvToRgb(yp[y * W + x], up[c], vp[c]);
    };
    // Hold frames show their photo; the middle of a dissolve shows the mix.
    const int fps = qRound(rate);
    for (int i = 0; i < 3; ++i) {
        const int k = int(i * 1.5 * rate) + fps / 2;
        QCOMPARE(int(plan.planFrame(k).phase), int(StoryBoardRender::FramePlan::Hold));
        for (const QPoint at : {QPoint(W / 2, H / 2), QPoint(2, 2), QPoint(W - 3, H - 3)}) {
            const QColor got = pixel(k, at.x(), at.y());
            QVERIFY2(near(got, colours[i], 3),
                     qPrintable(QStringLiteral("frame %1: %2").arg(k).arg(describe(got))));
        }
    }
    int middle = 0;
    for (int k = 0; k < run.total; ++k) {
        const auto p = plan.planFrame(k);
        if (p.phase == StoryBoardRender::FramePlan::Transition && p.photo == 0
            && qAbs(p.progress - 0.5) < qAbs(plan.planFrame(middle).progress - 0.5))
            middle = k;
    }
    const double p = plan.planFrame(middle).progress;
    const QColor mix(qRound(colours[0].red() * (1 - p) + colours[1].red() * p),
                     qRound(colours[0].green() * (1 - p) + colours[1].green() * p),
                     qRound(colours[0].blue() * (1 - p) + colours[1].blue() * p));
    const QColor got = pixel(middle, W / 2, H / 2);
    QVERIFY2(near(got, mix, 4), qPrintable(describe(got) + " vs " + describe(mix)));

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
    QTRY_VERIFY(manager.isPaused());
    const quint32 held = manager.videoFrames();
    QCOMPARE(held, 10u);
    QTest::qWait(200);
    QCOMPARE(manager.videoFrames(), held);
    QVERIFY(end.isEmpty());
    manager.resume();
    QVERIFY(end.wait(30000));
    QCOMPARE(manager.videoFrames(), quint32(render.totalFrames()));
    QVERIFY(manager.stopWriting());
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
