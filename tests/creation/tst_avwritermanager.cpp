// SPDX-License-Identifier: GPL-3.0-or-later
// The writer manager on a real show: frames drawn off screen, read back and converted, sound
// drained from the renderer's thread, both captured byte for byte through child processes.
// What the frames show is checked on the encoded video (tst_compileprogress); that they stay
// the same, code value for code value, by the digest of a fixed show's stream.
#include "audio/audiodecoder.h"
#include "audio/storyboardrender.h"
#include "creation/avpipewriter.h"
#include "creation/avwritermanager.h"
#include "tests/support/testsupport.h"

#include <QCryptographicHash>
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

// Pictures made of sharp edges, gradients and saturated colours, pixel by pixel, so that every
// stage of the frame's way (scaling, turning, motion, blending, conversion) leaves its mark.
QImage fixturePhoto(int kind, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int r = 0;
            int g = 0;
            int b = 0;
            switch (kind) {
            case 0: // two gradients and a hard-edged white box
                r = x * 255 / (w - 1);
                g = y * 255 / (h - 1);
                b = (x ^ y) & 0xFF;
                if (x > w / 3 && x < w / 2 && y > h / 4 && y < h / 2)
                    r = g = b = 255;
                break;
            case 1: // checkerboard over a diagonal ramp
                r = (x / 10 + y / 10) % 2 ? 230 : 20;
                g = (x + y) * 255 / (w + h - 2);
                b = 255 - g;
                break;
            case 2: { // rings
                const int d = (x - w / 2) * (x - w / 2) + (y - h / 3) * (y - h / 3);
                r = (d / 40) % 2 ? 250 : 0;
                g = (d / 7) & 0xFF;
                b = 128;
                break;
            }
            default: { // bars of primaries and secondaries
                static const QRgb bars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                             0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
                const QRgb bar = bars[x * 8 / w];
                r = qRed(bar);
                g = qGreen(bar);
                b = qBlue(bar);
            }
            }
            image.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return image;
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
    void framesStayTheSame_data();
    void framesStayTheSame();

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
    bool writeFixedShow(const MediaFormat &format, AVWriterManager::Conversion conversion,
                        QByteArray &stream);

    TempSettings settings;
    QTemporaryDir dir;
    StoryBoard board;
    StoryBoard fixedShow;
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

    // Dissolve, wipe by a named pattern, wipe by the program's pick; automatic motion, a pan and
    // a zoom; a landscape, a portrait and a turned photo.
    const QSize sizes[4] = {{200, 150}, {120, 160}, {160, 120}, {180, 120}};
    const TransitionStyle leaving[4] = {TransitionStyle::Dissolve, TransitionStyle::Wipe,
                                        TransitionStyle::Random, TransitionStyle::Album};
    const MotionStyle motions[4] = {MotionStyle::Automatic, MotionStyle::PanLeft,
                                    MotionStyle::Automatic, MotionStyle::ZoomIn};
    for (int i = 0; i < 4; ++i) {
        ImageInfo info;
        info.path = dir.filePath(QStringLiteral("fixed%1.png").arg(i));
        QVERIFY(fixturePhoto(i, sizes[i].width(), sizes[i].height()).save(info.path));
        info.zoom = defaultZoomFor(unsigned(i) * 3);
        info.own.transition = leaving[i];
        info.own.wipePattern = QStringLiteral("ramp.png");
        info.own.motion = motions[i];
        info.orientation = i == 2 ? 3 : 0;
        fixedShow.photos.append(info);
    }
    QImage ramp(64, 48, QImage::Format_Grayscale8);
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < ramp.width(); ++x)
            ramp.scanLine(y)[x] = uchar((x * 3 + y) * 255 / (63 * 3 + 47));
    const QString rampPath = dir.filePath(QStringLiteral("ramp.png"));
    QVERIFY(ramp.save(rampPath));
    fixedShow.patterns = {rampPath};
    fixedShow.useZoom = true;
    fixedShow.dissolveOnly = false;
    fixedShow.setPhotoDurationMs(1000);
    fixedShow.setTransitionDurationMs(600);
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
    // Frames go once and in order: no more than one frame's pictures are kept meanwhile, and the
    // renderer's caches are as they were once the writing stops.
    QCOMPARE(render.cacheLimit(), int(StoryBoardFrames::FrameCacheSize));
    QVERIFY(render.cachedPhotos() <= StoryBoardFrames::FrameCacheSize);
    QTest::qWait(200);
    QCOMPARE(manager.videoFrames(), held);
    QVERIFY(end.isEmpty());
    manager.resume();
    QVERIFY(end.wait(PatienceMs));
    QCOMPARE(manager.videoFrames(), quint32(render.totalFrames()));
    manager.stopWriting();
    QVERIFY(!render.isRunning());
    QCOMPARE(render.cacheLimit(), int(StoryBoardFrames::CacheSize));
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

void TestAVWriterManager::framesStayTheSame_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("digest");
    // Digests of the whole YUV4MPEG2 stream converted by libswscale, as the creation path wrote
    // it when they were taken. A change of any frame by one code value changes them.
    QTest::newRow("BT.601, 192 x 144")
        << QSize(192, 144)
        << QByteArray("5922a846eb97743df78ebb43ce2044b67a4c7587c9f0d138035a0b9cd98b1e1c");
    // Chroma planes of odd width and height: the U plane ends inside a row of the GL target.
    QTest::newRow("BT.601 (525 lines), 202 x 150")
        << QSize(202, 150)
        << QByteArray("4a60f1765c46ef80460081c3acd8a33040cb6c8964f34e61b7c409d4bfa902da");
    QTest::newRow("BT.709, 1280 x 96")
        << QSize(1280, 96)
        << QByteArray("a1ed34406a04dcd06c1e3a49aa178adab6438431c9a0e36e8537ba3cc000789a");
}

bool TestAVWriterManager::writeFixedShow(const MediaFormat &format,
                                         AVWriterManager::Conversion conversion, QByteArray &stream)
{
    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&fixedShow);
    AVWriterManager manager;
    if (!manager.open(format))
        return false;
    manager.setRenderer(&render);
    manager.setConversion(conversion);
    const QString path = dir.filePath(QStringLiteral("fixed.y4m"));
    QFile::remove(path);
    auto video = std::make_unique<AVPipeWriter>(format);
    if (!video->start(captureCommand(path)))
        return false;
    manager.setVideoWriter(std::move(video));
    QSignalSpy end(&manager, &AVWriterManager::compileEnd);
    manager.startWriting();
    if (!end.wait(120000))
        return false;
    manager.stopWriting();
    QSignalSpy videoDone(manager.videoWriter(), &AVPipeWriter::finished);
    manager.closeWriters();
    if (!videoDone.wait(PatienceMs) || manager.usedConversion() != conversion)
        return false;
    manager.deleteWriters();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    stream = file.readAll();
    return true;
}

void TestAVWriterManager::framesStayTheSame()
{
    QFETCH(QSize, size);
    QFETCH(QByteArray, digest);
    MediaFormat format;
    format.width = size.width();
    format.height = size.height();
    format.aspect = double(size.width()) / size.height();
    QByteArray scaled;
    QVERIFY(writeFixedShow(format, AVWriterManager::Conversion::Scaler, scaled));
    QCOMPARE(QCryptographicHash::hash(scaled, QCryptographicHash::Sha256).toHex(), digest);

    // Converted by GL: every plane of every frame within one code value of libswscale's.
    QByteArray converted;
    QVERIFY(writeFixedShow(format, AVWriterManager::Conversion::Gl, converted));
    QCOMPARE(converted.size(), scaled.size());
    const qsizetype header = AVPipeWriter::videoHeader(format).size();
    const qsizetype luma = qsizetype {format.width} * format.height;
    const qsizetype frameBytes = 6 + luma * 3 / 2;
    const qsizetype frames = (scaled.size() - header) / frameBytes;
    QCOMPARE(frames, 145);
    const char *const planeNames[3] = {"Y", "U", "V"};
    for (qsizetype f = 0; f < frames; ++f) {
        const qsizetype start = header + f * frameBytes + 6;
        const qsizetype planeStart[4] = {0, luma, luma + luma / 4, luma * 3 / 2};
        for (int p = 0; p < 3; ++p) {
            for (qsizetype i = planeStart[p]; i < planeStart[p + 1]; ++i) {
                const int a = uint8_t(scaled[start + i]);
                const int b = uint8_t(converted[start + i]);
                if (std::abs(a - b) > 1)
                    QFAIL(qPrintable(QStringLiteral("frame %1, %2 sample %3: %4 against %5")
                                         .arg(f)
                                         .arg(QLatin1String(planeNames[p]))
                                         .arg(i - planeStart[p])
                                         .arg(b)
                                         .arg(a)));
            }
        }
    }
}

QTEST_MAIN(TestAVWriterManager)
#include "tst_avwritermanager.moc"
