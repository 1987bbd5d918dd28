// SPDX-License-Identifier: GPL-3.0-or-later
// The preview player: sound-clocked picture, buffer sizes with the carry, volume, repeated
// start and stop, a source that ran dry, the letterbox, and a machine without a sound device.
// CTest runs this program twice: on OpenAL Soft's null output and with a driver list that opens
// no device at all, where every timing check must hold just the same; and once more for a
// device that does not play in real time.
#include "audio/audioring.h"
#include "audio/openaloutput.h"
#include "audio/sourcefeeder.h"
#include "audio/storyboardrender.h"
#include "preview/avplayer.h"
#include "storyboard/photoloader.h"
#include "tests/support/testsupport.h"

#include <AL/al.h>

#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstring>
#include <memory>

namespace {

QStringList messages;
QtMessageHandler previousHandler = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    messages << text;
    if (previousHandler)
        previousHandler(type, context, text);
}

int messagesContaining(const QString &part)
{
    int count = 0;
    for (const QString &message : std::as_const(messages))
        count += message.contains(part) ? 1 : 0;
    return count;
}

bool withoutDevice()
{
    return qgetenv("ALSOFT_DRIVERS") == "nonexistent";
}

// An ALSA sink that discards the sound, as fast as it comes or not at all.
bool stalledDevice()
{
    return qgetenv("ALSOFT_DRIVERS") == "alsa";
}

// A story board with its renderer and a player on screen, driven the way the main window does.
struct Preview
{
    StoryBoard board;
    StoryBoardRender render;
    AVPlayer player;

    Preview(const QStringList &photos, const QString &audio, const MediaFormat &format)
    {
        for (const QString &path : photos) {
            ImageInfo info;
            info.path = path;
            readPhotoInfo(info);
            board.photos.append(info);
        }
        if (!audio.isEmpty()) {
            AudioInfo info;
            info.path = audio;
            if (readAudioInfo(info))
                board.audios.append(info);
        }
        render.setFormat(format);
        render.setStoryBoard(&board);
        player.setRenderer(&render);
        player.resize(320, 240);
        player.show();
        player.open(format);
    }
    ~Preview() { stop(); }

    void play(int from)
    {
        player.seek(from);
        render.startAudio();
        player.startPlayback();
    }
    // The same, with clock started just before the sound is queued: the time it then shows is
    // at least as long as the sound has been playing, however late this thread runs again.
    void play(int from, QElapsedTimer &clock)
    {
        player.seek(from);
        render.startAudio();
        clock.start();
        player.startPlayback();
    }
    void stop()
    {
        player.stopPlayback();
        render.stopAudio();
        render.wait();
    }
    // Runs the event loop until the shown frame differs from frame, or ms have passed.
    bool waitForChange(int frame, int ms)
    {
        return QTest::qWaitFor([&] { return player.currentFrame() != frame; }, ms);
    }
};

MediaFormat formatOf(int sampleRate, int channels, double frameRate)
{
    MediaFormat format;
    format.sampleRate = sampleRate;
    format.channels = channels;
    format.frameRate = frameRate;
    return format;
}

// Frames advanced per second of wall time while the event loop runs for at least ms. Both ends
// are taken right after a poll has moved the picture on, so that a poll held up on a busy
// machine delays both ends alike rather than leaving the last frames uncounted. 0 when the
// picture stands still.
double measuredRate(Preview &preview, int ms)
{
    if (!preview.waitForChange(preview.player.currentFrame(), PatienceMs))
        return 0.0;
    const int first = preview.player.currentFrame();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(ms);
    if (!preview.waitForChange(preview.player.currentFrame(), PatienceMs))
        return 0.0;
    const int frames = preview.player.currentFrame() - first;
    return frames * 1000.0 / clock.elapsed();
}

} // namespace

class TestAVPlayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void takesWholeSampleFrames_data();
    void takesWholeSampleFrames();
    void waitsForTheBytesItTakes();
    void outputOrClock();
    void picturesFollowTheSound();
    void bufferSizesCarryTheRemainder_data();
    void bufferSizesCarryTheRemainder();
    void silentVolumeKeepsPlaying();
    void stopsAndStartsRepeatedly();
    void restartsAfterRunningDry();
    void keepsTimeWhereTheDeviceDoesNot();
    void letterboxesInFloatingPoint_data();
    void letterboxesInFloatingPoint();

private:
    TempSettings settings;
    QTemporaryDir dir;
    QStringList photos;
    QString audio;
};

void TestAVPlayer::initTestCase()
{
    previousHandler = qInstallMessageHandler(recordMessage);
    QVERIFY(dir.isValid());
    const QColor colors[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colors[i]);
        photos << dir.filePath(QStringLiteral("photo%1.png").arg(i));
        QVERIFY(image.save(photos.last(), "PNG"));
    }
    audio = dir.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeToneWav(audio, {{440.0, 12.0}}));
}

void TestAVPlayer::takesWholeSampleFrames_data()
{
    QTest::addColumn<int>("bytesPerFrame");
    QTest::addColumn<int>("chunk");
    QTest::newRow("48 kHz stereo at 25 frames/s") << 7680 << 5000;
    QTest::newRow("44.1 kHz mono at 29.97 frames/s") << 2942 << 1234;
    QTest::newRow("44.1 kHz stereo at 29.97 frames/s") << 5885 << 6000;
}

// A producer appends a running 16-bit counter in uneven blocks while a consumer takes frames:
// what the consumer gets is the counter without a gap, a repeat or a split sample frame.
void TestAVPlayer::takesWholeSampleFrames()
{
    QFETCH(int, bytesPerFrame);
    QFETCH(int, chunk);
    AudioRing ring;
    QVERIFY(ring.allocate(bytesPerFrame));
    uint16_t produced = 0;
    std::vector<uint16_t> taken;
    int carry = 0;
    qint64 takenBytes = 0;
    const int frames = 1000;
    for (int frame = 0; frame < frames;) {
        const int room = std::min(ring.capacity() - ring.fill(), chunk & ~1);
        if (room > 0) {
            auto *out = reinterpret_cast<uint16_t *>(ring.writeArea());
            for (int i = 0; i < room / 2; ++i)
                out[i] = produced++;
            ring.wrote(room);
        }
        while (const auto slice = takeFrameSound(ring, bytesPerFrame, carry)) {
            QCOMPARE(slice->bytes % 4, 0);
            QVERIFY(qAbs(slice->bytes - bytesPerFrame) <= 3);
            QVERIFY(carry >= 0 && carry <= 3);
            QVERIFY(ring.readPos() <= ring.fill());
            const auto *in = reinterpret_cast<const uint16_t *>(ring.data() + slice->offset);
            taken.insert(taken.end(), in, in + slice->bytes / 2);
            takenBytes += slice->bytes;
            if (++frame == frames)
                break;
        }
    }
    // Every frame's share is taken on average; what is not yet taken is the carry.
    QCOMPARE(takenBytes, qint64(frames) * bytesPerFrame - carry);
    for (size_t i = 0; i < taken.size(); ++i) {
        if (taken[i] != uint16_t(i))
            QFAIL(qPrintable(QStringLiteral("sample %1 is %2").arg(i).arg(taken[i])));
    }
}

// A frame grown by its carry needs more than bytesPerFrame: with only bytesPerFrame unread it
// must wait instead of reading past fill.
void TestAVPlayer::waitsForTheBytesItTakes()
{
    const int b = 2942;
    AudioRing ring;
    QVERIFY(ring.allocate(b));
    int carry = 0;
    ring.wrote(2940 + b);
    QCOMPARE(takeFrameSound(ring, b, carry)->bytes, 2940);
    QCOMPARE(carry, 2);
    // b bytes left, but this frame takes 2944.
    QCOMPARE(ring.fill() - ring.readPos(), b);
    QVERIFY(!takeFrameSound(ring, b, carry));
    QCOMPARE(carry, 2);
    // The unread rest moved to the start, so the producer can append behind it.
    QCOMPARE(ring.readPos(), 0);
    QCOMPARE(ring.fill(), b);
    ring.wrote(2);
    const auto slice = takeFrameSound(ring, b, carry);
    QVERIFY(slice);
    QCOMPARE(slice->offset, 0);
    QCOMPARE(slice->bytes, 2944);
    QCOMPARE(carry, 0);
    QCOMPARE(ring.fill(), 0); // drained: both back to the start
    QCOMPARE(ring.readPos(), 0);

    AudioRing none;
    QVERIFY(!takeFrameSound(none, b, carry));
}

void TestAVPlayer::outputOrClock()
{
    AVPlayer first;
    AVPlayer second;
    QCOMPARE(first.usesClock(), withoutDevice());
    QCOMPARE(second.usesClock(), withoutDevice());
    // Said once, however many players there are.
    QCOMPARE(messagesContaining(QString::fromLatin1(OpenALOutput::ClockNotice)),
             withoutDevice() ? 1 : 0);
    QCOMPARE(first.queuedBuffers(), 0);
    QCOMPARE(first.gain(), 1.0f);
}

void TestAVPlayer::picturesFollowTheSound()
{
    Preview preview(photos, audio, MediaFormat {});
    QVERIFY(QTest::qWaitForWindowExposed(&preview.player));
    QElapsedTimer clock;
    preview.play(100, clock);
    QCOMPARE(preview.player.currentFrame(), 100);
    QVERIFY(preview.player.queuedBuffers() <= AVPlayer::BufferCount);

    // The first change comes once the first 40 ms buffer has played, and is to the next frame
    // unless the poll came late; the picture never runs ahead of the sound that has played.
    // The output mixes in periods of 1024 samples at 44.1 kHz (23 ms), and a sound started
    // within a period has that whole period's worth taken at its end: the first 40 ms buffer is
    // over no sooner than 17 ms after it was queued.
    QVERIFY(preview.waitForChange(100, PatienceMs));
    const qint64 elapsed = clock.elapsed();
    const int first = preview.player.currentFrame();
    QVERIFY2(elapsed >= 15, qPrintable(QString::number(elapsed)));
    QVERIFY2(first >= 101 && first <= 101 + elapsed / 40,
             qPrintable(QStringLiteral("frame %1 after %2 ms").arg(first).arg(elapsed)));

    const double rate = measuredRate(preview, 2000);
    qInfo("%.2f frames a second%s", rate, preview.player.usesClock() ? " on the clock" : "");
    QVERIFY2(rate > 22.5 && rate < 27.5, qPrintable(QString::number(rate)));
    QCOMPARE(preview.player.queuedBuffers(), AVPlayer::BufferCount);
    QCOMPARE(preview.player.carriedBytes(), 0);
}

void TestAVPlayer::bufferSizesCarryTheRemainder_data()
{
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<double>("frameRate");
    QTest::addColumn<int>("bytesPerFrame");
    QTest::newRow("48 kHz stereo at 25 frames/s") << 48000 << 2 << 25.0 << 7680;
    QTest::newRow("44.1 kHz mono at 29.97 frames/s") << 44100 << 1 << 30000.0 / 1001.0 << 2942;
    QTest::newRow("44.1 kHz stereo at 29.97 frames/s") << 44100 << 2 << 30000.0 / 1001.0 << 5885;
}

void TestAVPlayer::bufferSizesCarryTheRemainder()
{
    QFETCH(int, sampleRate);
    QFETCH(int, channels);
    QFETCH(double, frameRate);
    QFETCH(int, bytesPerFrame);

    Preview preview(photos, audio, formatOf(sampleRate, channels, frameRate));
    QCOMPARE(preview.render.bytesPerFrame(), bytesPerFrame);
    preview.play(0);
    // Sound the audio thread delivers after the start is queued by the polls. The queue then
    // holds consecutive frames of sound, which add up to whole frames but for the carries
    // (0..3 bytes) before the first and after the last.
    QTRY_COMPARE_WITH_TIMEOUT(preview.player.queuedBuffers(), AVPlayer::BufferCount, PatienceMs);
    qint64 total = 0;
    for (int i = 0; i < AVPlayer::BufferCount; ++i) {
        const int bytes = preview.player.bufferBytes(i);
        QCOMPARE(bytes % 4, 0);
        if (bytesPerFrame % 4 == 0)
            QCOMPARE(bytes, bytesPerFrame);
        total += bytes;
    }
    const int carry = preview.player.carriedBytes();
    QVERIFY(carry >= 0 && carry <= 3);
    const qint64 extra = total - (qint64(AVPlayer::BufferCount) * bytesPerFrame - carry);
    QVERIFY2(extra >= 0 && extra <= 3, qPrintable(QString::number(extra)));

    // Refilled buffers keep to whole sample frames too.
    QVERIFY(preview.waitForChange(0, PatienceMs));
    QTest::qWait(300);
    for (int i = 0; i < AVPlayer::BufferCount; ++i) {
        const int bytes = preview.player.bufferBytes(i);
        QCOMPARE(bytes % 4, 0);
        QVERIFY(qAbs(bytes - bytesPerFrame) <= 3);
    }
    if (bytesPerFrame % 4 == 0)
        QCOMPARE(preview.player.carriedBytes(), 0);
}

void TestAVPlayer::silentVolumeKeepsPlaying()
{
    Preview preview(photos, audio, MediaFormat {});
    preview.player.setVolume(0);
    QCOMPARE(preview.player.gain(), 0.0f);
    preview.play(0);
    QVERIFY(preview.waitForChange(0, PatienceMs));
    // Moving on, not exact timing: that is checked at full volume.
    const double rate = measuredRate(preview, 1000);
    QVERIFY2(rate > 12.5 && rate < 37.5, qPrintable(QString::number(rate)));
    preview.player.setVolume(50);
    QCOMPARE(preview.player.gain(), 0.5f);
}

void TestAVPlayer::stopsAndStartsRepeatedly()
{
    Preview preview(photos, audio, MediaFormat {});
    QElapsedTimer clock;
    clock.start();
    int from = 0;
    for (int round = 0; round < 50; ++round) {
        preview.play(from);
        QTRY_COMPARE_WITH_TIMEOUT(preview.player.queuedBuffers(), AVPlayer::BufferCount,
                                  PatienceMs);
        if (round % 10 == 0) {
            QVERIFY(preview.waitForChange(from, PatienceMs));
            QVERIFY(preview.player.currentFrame() > from);
        }
        from = preview.player.currentFrame();
        preview.stop();
        QVERIFY(!preview.player.isPlaying());
        QCOMPARE(preview.player.queuedBuffers(), 0);
        QCOMPARE(preview.player.carriedBytes(), 0);
        QVERIFY(!preview.render.isRunning());
    }
    // Every buffer still exists and none went missing on the way.
    for (int i = 0; i < AVPlayer::BufferCount; ++i)
        QVERIFY(alIsBuffer(preview.player.bufferName(i)));
    QVERIFY2(clock.elapsed() < 60000, qPrintable(QString::number(clock.elapsed())));

    // A start without the audio thread plays silence instead of waiting for ever.
    preview.player.seek(from);
    preview.player.startPlayback();
    QVERIFY(preview.player.isPlaying());
    QVERIFY(preview.waitForChange(from, PatienceMs));
}

// The GUI thread is held up for longer than the queued sound lasts: the source runs dry and
// stops. The next poll reports the lag, moves the picture on by every buffer and plays on.
void TestAVPlayer::restartsAfterRunningDry()
{
    // 250 frames/s makes the 256 queued buffers last just over a second; small frames keep
    // the drawing of 2.5 frames a poll light.
    MediaFormat format = formatOf(48000, 2, 250.0);
    format.width = 160;
    format.height = 120;
    Preview preview(photos, audio, format);
    preview.play(0);
    QVERIFY(preview.waitForChange(0, PatienceMs));
    // The polls fill the queue as the audio thread delivers.
    QTRY_COMPARE_WITH_TIMEOUT(preview.player.queuedBuffers(), AVPlayer::BufferCount, PatienceMs);
    messages.clear();
    // Well past the queue's second, so that the output has played it all even where its own
    // thread was kept waiting for a while.
    QThread::msleep(2500);
    const int before = preview.player.currentFrame();
    QVERIFY(QTest::qWaitFor(
        [&] { return preview.player.currentFrame() >= before + AVPlayer::BufferCount - 10; },
        PatienceMs));
    // The poll after the stall finds all of them finished at once.
    bool reported = false;
    for (const QString &message : std::as_const(messages)) {
        const QRegularExpressionMatch match
            = QRegularExpression(QStringLiteral("^Notice: Processed (\\d+) buffers!$"))
                  .match(message);
        reported = reported || (match.hasMatch() && match.captured(1).toInt() >= 240);
    }
    QVERIFY(reported);
    QCOMPARE(messagesContaining(QStringLiteral("ran dry")), 1);

    // Playing on at its own pace: neither stuck nor jumping by another queue's worth.
    const double rate = measuredRate(preview, 1000);
    QVERIFY2(rate > 150.0 && rate < 350.0, qPrintable(QString::number(rate)));
    QCOMPARE(messagesContaining(QStringLiteral("ran dry")), 1);
}

void TestAVPlayer::keepsTimeWhereTheDeviceDoesNot()
{
    if (!stalledDevice())
        QSKIP("Only on a device that does not play in real time.");
    Preview preview(photos, audio, MediaFormat {});
    messages.clear();
    QElapsedTimer clock;
    preview.play(0, clock);
    // A clock moves the picture on, never more than the second it takes to find the device out
    // ahead of real time (the sink would get through the whole queue of ten seconds at once),
    // and goes on doing so.
    QVERIFY(QTest::qWaitFor([&] { return preview.player.currentFrame() >= 100; }, PatienceMs));
    QVERIFY2(clock.elapsed() >= 75 * 40, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(preview.player.clockStandsInForDevice());
    QCOMPARE(messagesContaining(QString::fromLatin1(SourceFeeder::StallNotice)), 1);
    QVERIFY(preview.waitForChange(preview.player.currentFrame(), PatienceMs));
    // The next start tries the device again, and keeps time the same way.
    preview.stop();
    const int from = preview.player.currentFrame();
    preview.play(from, clock);
    QVERIFY(
        QTest::qWaitFor([&] { return preview.player.currentFrame() >= from + 100; }, PatienceMs));
    QVERIFY2(clock.elapsed() >= 75 * 40, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(preview.player.clockStandsInForDevice());
}

void TestAVPlayer::letterboxesInFloatingPoint_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("viewport");
    QTest::newRow("wide window") << QSize(640, 480) << QSize(800, 480) << QRect(80, 0, 640, 480);
    QTest::newRow("tall window") << QSize(640, 480) << QSize(640, 600) << QRect(0, 60, 640, 480);
    // 562.5 rows: the band above is 218.75, truncated, not (1000 - 562) / 2.
    QTest::newRow("fractional height")
        << QSize(640, 360) << QSize(1000, 1000) << QRect(0, 218, 1000, 562);
}

void TestAVPlayer::letterboxesInFloatingPoint()
{
    QFETCH(QSize, frame);
    QFETCH(QSize, window);
    QFETCH(QRect, viewport);
    AVPlayer player;
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    MediaFormat format;
    format.width = frame.width();
    format.height = frame.height();
    QVERIFY(player.open(format));
    player.resize(window);
    QVERIFY(QTest::qWaitFor([&] { return player.frameViewport() == viewport; }, PatienceMs));

    // A cleared display is the black background inside a mid-grey letterbox.
    player.clearDisplay();
    QCOMPARE(player.currentFrame(), 0);
    const QImage surface = player.grabSurface();
    // Raw bytes: the letterbox's alpha is 0, which a premultiplied read would turn black.
    const auto grey = [&](int x, int y) {
        const uchar *p = surface.constScanLine(y) + 4 * x;
        return qAbs(p[0] - 127) <= 1 && qAbs(p[1] - 127) <= 1 && qAbs(p[2] - 127) <= 1;
    };
    const uchar *inside = surface.constScanLine(surface.height() / 2) + 2 * surface.width();
    QCOMPARE(inside[0] + inside[1] + inside[2], 0);
    QVERIFY(viewport.x() > 0 ? grey(1, surface.height() / 2) : grey(surface.width() / 2, 1));
}

QTEST_MAIN(TestAVPlayer)
#include "tst_avplayer.moc"
