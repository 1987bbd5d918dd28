#include "audiodecoder.h"
#include "audioring.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <sys/stat.h>
#include <vector>

namespace {

// Interleaved 16-bit output of one decoding run.
struct Pcm
{
    std::vector<int16_t> samples;
    int channels = 0;
    int rate = 0;
    qint64 frames() const { return qint64(samples.size()) / channels; }
};

// A tone of amplitude 0.5 for every channel, one frequency per channel.
QString toneSource(const QList<double> &frequencies, int rate, double seconds)
{
    QStringList channels;
    for (double frequency : frequencies)
        channels << QStringLiteral("0.5*sin(2*PI*%1*t)").arg(frequency);
    return QStringLiteral("aevalsrc=%1:s=%2:d=%3").arg(channels.join('|')).arg(rate).arg(seconds);
}

// Frequency of one channel between two output times, from its rising zero crossings.
double frequencyOf(const Pcm &pcm, int channel, double from, double to)
{
    const qint64 first = qBound<qint64>(0, qint64(from * pcm.rate), pcm.frames());
    const qint64 last = qBound<qint64>(0, qint64(to * pcm.rate), pcm.frames());
    qint64 firstCrossing = -1;
    qint64 lastCrossing = -1;
    int crossings = 0;
    for (qint64 i = first + 1; i < last; ++i) {
        const int16_t before = pcm.samples[size_t((i - 1) * pcm.channels + channel)];
        const int16_t now = pcm.samples[size_t(i * pcm.channels + channel)];
        if (before < 0 && now >= 0) {
            if (firstCrossing < 0)
                firstCrossing = i;
            else
                ++crossings;
            lastCrossing = i;
        }
    }
    if (crossings < 2)
        return 0.0;
    return crossings * double(pcm.rate) / double(lastCrossing - firstCrossing);
}

// Root mean square of one channel between two output times, as a fraction of full scale.
double levelOf(const Pcm &pcm, int channel, double from, double to)
{
    const qint64 first = qBound<qint64>(0, qint64(from * pcm.rate), pcm.frames());
    const qint64 last = qBound<qint64>(0, qint64(to * pcm.rate), pcm.frames());
    double sum = 0.0;
    for (qint64 i = first; i < last; ++i) {
        const double value = pcm.samples[size_t(i * pcm.channels + channel)] / 32768.0;
        sum += value * value;
    }
    return last > first ? std::sqrt(sum / double(last - first)) : 0.0;
}

} // namespace

class tst_AudioDecoder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formats_data();
    void formats();
    void channelLayouts();
    void audioAfterVideo();
    void durationFromContainer();
    void outPoint_data();
    void outPoint();
    void seekLands_data();
    void seekLands();
    void corruptPacket();
    void badInput_data();
    void badInput();
    void fillsToLimit();
    void largeBlocks_data();
    void largeBlocks();

private:
    // Writes a file with the ffmpeg program: lavfi source, then codec arguments.
    QString make(const QString &name, const QString &source, const QStringList &codec,
                 const QStringList &extraInputs = {});
    // Decodes a clip until it ends, handing the ring to a consumer after every call that takes
    // drainBytes bytes from its start (all when 0).
    Pcm decode(const AudioInfo &clip, int channels, int rate, int bytesPerFrame = 7680,
               int drainBytes = 0, double seekTo = -1.0);
    QString ffmpeg;
    QTemporaryDir root;
    QString folder;
};

void tst_AudioDecoder::initTestCase()
{
    ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    QVERIFY2(!ffmpeg.isEmpty(), "the ffmpeg program is needed to write the test files");
    QVERIFY(root.isValid());
    // Every fixture lives under a name with a blank and non-ASCII letters.
    folder = root.filePath(QStringLiteral("Klänge und Töne ♪"));
    QVERIFY(QDir().mkpath(folder));
}

QString tst_AudioDecoder::make(const QString &name, const QString &source, const QStringList &codec,
                               const QStringList &extraInputs)
{
    const QString path = folder + '/' + name;
    QStringList arguments {"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i", source};
    arguments << extraInputs << codec << path;
    QProcess process;
    process.start(ffmpeg, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        qWarning() << "ffmpeg failed:" << arguments << process.readAllStandardError();
        return {};
    }
    return path;
}

Pcm tst_AudioDecoder::decode(const AudioInfo &clip, int channels, int rate, int bytesPerFrame,
                             int drainBytes, double seekTo)
{
    Pcm pcm;
    pcm.channels = channels;
    pcm.rate = rate;
    AudioInfo target;
    target.channels = channels;
    target.sampleRate = rate;
    target.clipStart = clip.clipStart;
    target.clipEnd = clip.clipEnd;
    AudioDecoder decoder;
    if (!decoder.open(clip, target))
        return pcm;
    if (seekTo >= 0.0 && decoder.seek(seekTo) < 0)
        return pcm;
    AudioRing ring;
    if (!ring.allocate(bytesPerFrame))
        return pcm;
    for (int calls = 0; calls < 100000; ++calls) {
        decoder.decodeInto(ring, bytesPerFrame);
        if (ring.fill > ring.allocation() || ring.fill % (2 * channels) != 0) {
            qWarning() << "ring fill" << ring.fill << "of" << ring.allocation();
            return {};
        }
        const int taken = drainBytes > 0 ? std::min(drainBytes, ring.fill) : ring.fill;
        const auto *begin = reinterpret_cast<const int16_t *>(ring.data());
        pcm.samples.insert(pcm.samples.end(), begin, begin + taken / 2);
        std::memmove(ring.data(), ring.data() + taken, size_t(ring.fill - taken));
        ring.fill -= taken;
        if (decoder.clipEnded() && ring.fill == 0)
            return pcm;
        if (decoder.clipEnded()) {
            // Take the rest and make sure the decoder adds nothing once it has ended.
            continue;
        }
    }
    qWarning() << "decoding did not end";
    return {};
}

void tst_AudioDecoder::formats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("codec");
    QTest::addColumn<int>("sourceRate");
    QTest::addColumn<int>("sourceChannels");
    QTest::addColumn<int>("outRate");
    QTest::addColumn<double>("packetSeconds"); // the largest packet of the format
    QTest::addColumn<double>("levelTolerance");

    const auto row = [](const char *name, const char *file, QStringList codec, int rate,
                        int channels, int outRate, double packet, double tolerance) {
        QTest::newRow(name) << file << codec << rate << channels << outRate << packet << tolerance;
    };
    row("mp3 44.1 kHz stereo", "tone.mp3", {"-c:a", "libmp3lame", "-b:a", "192k"}, 44100, 2, 48000,
        1152.0 / 44100, 0.05);
    row("mp3 44.1 kHz mono", "mono.mp3", {"-c:a", "libmp3lame", "-b:a", "128k"}, 44100, 1, 48000,
        1152.0 / 44100, 0.05);
    row("aac in m4a", "tone.m4a", {"-c:a", "aac", "-b:a", "192k"}, 44100, 2, 48000, 1024.0 / 44100,
        0.05);
    row("vorbis in ogg", "tone.ogg", {"-c:a", "libvorbis", "-q:a", "6"}, 44100, 2, 48000,
        2048.0 / 44100, 0.05);
    row("flac", "tone.flac", {"-c:a", "flac"}, 44100, 2, 48000, 4608.0 / 44100, 0.01);
    row("wav s16 at the output rate", "s16.wav", {"-c:a", "pcm_s16le"}, 48000, 2, 48000,
        4096.0 / 48000, 0.01);
    row("wav u8", "u8.wav", {"-c:a", "pcm_u8"}, 22050, 2, 48000, 4096.0 / 22050, 0.02);
    row("wav s32", "s32.wav", {"-c:a", "pcm_s32le"}, 48000, 2, 44100, 4096.0 / 48000, 0.01);
    row("wav double", "f64.wav", {"-c:a", "pcm_f64le"}, 32000, 2, 48000, 4096.0 / 32000, 0.01);
    row("wav float 96 kHz", "f32.wav", {"-c:a", "pcm_f32le"}, 96000, 2, 48000, 4096.0 / 96000,
        0.01);
    row("ac3", "tone.ac3", {"-c:a", "ac3", "-b:a", "192k"}, 48000, 2, 48000, 1536.0 / 48000, 0.05);
    row("mp2", "tone.mp2", {"-c:a", "mp2", "-b:a", "192k"}, 44100, 2, 48000, 1152.0 / 44100, 0.05);
    row("aiff", "tone.aiff", {}, 44100, 2, 48000, 4096.0 / 44100, 0.01);
    row("au", "tone.au", {}, 44100, 1, 48000, 4096.0 / 44100, 0.01);
    row("wma", "tone.wma", {"-c:a", "wmav2", "-b:a", "128k"}, 44100, 2, 48000, 2048.0 / 44100,
        0.08);
    row("ape", "tone.ape", {"-c:a", "ape"}, 44100, 2, 48000, 73728.0 / 44100, 0.01);
}

// Every format and sample format comes out as the tone it holds, at the output rate and level,
// with the length of the file.
void tst_AudioDecoder::formats()
{
    QFETCH(QString, file);
    QFETCH(QStringList, codec);
    QFETCH(int, sourceRate);
    QFETCH(int, sourceChannels);
    QFETCH(int, outRate);
    QFETCH(double, packetSeconds);
    QFETCH(double, levelTolerance);

    if (file.endsWith(".ape")) {
        QProcess probe;
        probe.start(ffmpeg, {"-hide_banner", "-encoders"});
        probe.waitForFinished();
        if (!probe.readAllStandardOutput().contains(" ape "))
            QSKIP("this ffmpeg has no APE encoder");
    }
    const double seconds = 2.0;
    const double frequency = 440.0;
    const QString path = make(
        file, toneSource(QList<double>(sourceChannels, frequency), sourceRate, seconds), codec);
    QVERIFY(!path.isEmpty());

    AudioInfo info;
    info.path = path;
    QVERIFY(readAudioInfo(info));
    QCOMPARE(info.sampleRate, sourceRate);
    QCOMPARE(info.channels, sourceChannels);
    QVERIFY2(std::abs(info.duration - seconds) <= packetSeconds + 0.03,
             qPrintable(QString::number(info.duration)));
    QCOMPARE(info.clipEnd, info.duration);
    QCOMPARE(info.fileSize, QFileInfo(path).size());
    QCOMPARE(info.suffix, QFileInfo(path).suffix());

    const Pcm pcm = decode(info, 2, outRate);
    const double decoded = double(pcm.frames()) / outRate;
    QVERIFY2(std::abs(decoded - seconds) <= packetSeconds + 0.002,
             qPrintable(QStringLiteral("%1 s decoded").arg(decoded)));
    // Mono is spread to both sides at -3 dB.
    const double expected = 0.5 / std::sqrt(2.0) / (sourceChannels == 1 ? std::sqrt(2.0) : 1.0);
    for (int channel = 0; channel < 2; ++channel) {
        const double found = frequencyOf(pcm, channel, 0.2, seconds - 0.2);
        QVERIFY2(std::abs(found - frequency) < 2.0, qPrintable(QString::number(found)));
        const double level = levelOf(pcm, channel, 0.2, seconds - 0.2);
        QVERIFY2(std::abs(level - expected) <= expected * levelTolerance,
                 qPrintable(QStringLiteral("level %1, expected %2").arg(level).arg(expected)));
    }
}

// A 5.1 file keeps its channels apart when decoded to six channels, and its front pair lands on
// the left and right of a stereo output.
void tst_AudioDecoder::channelLayouts()
{
    const QList<double> tones {300.0, 400.0, 500.0, 100.0, 600.0, 700.0};
    const QString path
        = make("surround.flac", toneSource(tones, 48000, 2.0) + ":c=5.1", {"-c:a", "flac"});
    QVERIFY(!path.isEmpty());
    AudioInfo info;
    info.path = path;
    QVERIFY(readAudioInfo(info));
    QCOMPARE(info.channels, 6);

    const Pcm six = decode(info, 6, 48000);
    QCOMPARE(six.frames(), qint64(96000));
    for (int channel = 0; channel < 6; ++channel)
        QVERIFY2(std::abs(frequencyOf(six, channel, 0.1, 1.9) - tones[channel]) < 2.0,
                 qPrintable(QString::number(channel)));

    const QString front = make("front.ac3",
                               QStringLiteral("aevalsrc=0.5*sin(2*PI*440*t)|0.5*sin(2*PI*880*t)|0|"
                                              "0|0|0:s=48000:d=2:c=5.1"),
                               {"-c:a", "ac3", "-b:a", "384k"});
    QVERIFY(!front.isEmpty());
    info.path = front;
    QVERIFY(readAudioInfo(info));
    QCOMPARE(info.channels, 6);
    const Pcm stereo = decode(info, 2, 48000);
    QVERIFY(std::abs(stereo.frames() - 96000) <= 1536);
    QVERIFY(std::abs(frequencyOf(stereo, 0, 0.2, 1.8) - 440.0) < 2.0);
    QVERIFY(std::abs(frequencyOf(stereo, 1, 0.2, 1.8) - 880.0) < 2.0);
}

// A file whose first stream is video: the audio stream is the second one.
void tst_AudioDecoder::audioAfterVideo()
{
    const QString path
        = make("film with sound.mp4", "testsrc=size=160x120:rate=25:duration=2",
               {"-map", "0:v", "-map", "1:a", "-c:v", "mpeg4", "-c:a", "aac", "-b:a", "128k"},
               {"-f", "lavfi", "-i", toneSource({440.0, 440.0}, 44100, 2.0)});
    QVERIFY(!path.isEmpty());
    AudioInfo info;
    info.path = path;
    QVERIFY(readAudioInfo(info));
    QCOMPARE(info.sampleRate, 44100);
    QVERIFY(std::abs(info.duration - 2.0) < 0.05);

    AudioInfo target;
    target.channels = 2;
    target.sampleRate = 48000;
    target.clipEnd = info.duration;
    AudioDecoder decoder;
    QVERIFY(decoder.open(info, target));
    QCOMPARE(decoder.streamIndex(), 1);
    decoder.close();
    decoder.close();
    QVERIFY(!decoder.isOpen());

    const Pcm pcm = decode(info, 2, 48000);
    QVERIFY(std::abs(pcm.frames() - 96000) <= 1024 * 48000 / 44100 + 16);
    QVERIFY(std::abs(frequencyOf(pcm, 0, 0.2, 1.8) - 440.0) < 2.0);
}

// Matroska records the length only for the whole file, not for its streams.
void tst_AudioDecoder::durationFromContainer()
{
    const QString path
        = make("no stream length.mka", toneSource({440.0, 440.0}, 48000, 3.0), {"-c:a", "flac"});
    QVERIFY(!path.isEmpty());
    AudioInfo info;
    info.path = path;
    QVERIFY(readAudioInfo(info));
    QVERIFY2(std::abs(info.duration - 3.0) < 0.01, qPrintable(QString::number(info.duration)));
    QCOMPARE(info.clipEnd, info.duration);
}

void tst_AudioDecoder::outPoint_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("codec");
    QTest::addColumn<double>("packetSeconds");
    QTest::newRow("mp3") << "cut.mp3" << QStringList {"-c:a", "libmp3lame"} << 1152.0 / 44100;
    QTest::newRow("flac") << "cut.flac" << QStringList {"-c:a", "flac"} << 4608.0 / 44100;
    QTest::newRow("wav") << "cut.wav" << QStringList {} << 4096.0 / 44100;
}

// A clip that ends before the file stops after the last whole packet at or before its
// out-point; the same clip started later by a seek ends at the same place.
void tst_AudioDecoder::outPoint()
{
    QFETCH(QString, file);
    QFETCH(QStringList, codec);
    QFETCH(double, packetSeconds);
    const QString path = make(file, toneSource({440.0, 440.0}, 44100, 4.0), codec);
    QVERIFY(!path.isEmpty());
    AudioInfo clip;
    clip.path = path;
    QVERIFY(readAudioInfo(clip));
    clip.clipStart = 1.0;
    clip.clipEnd = 2.5;

    const Pcm whole = decode(clip, 2, 48000);
    const double length = double(whole.frames()) / 48000;
    QVERIFY2(length >= 2.5 - 0.002 && length <= 2.5 + packetSeconds + 0.002,
             qPrintable(QString::number(length)));
    QVERIFY(std::abs(frequencyOf(whole, 1, 2.0, 2.45) - 440.0) < 2.0);

    const Pcm later = decode(clip, 2, 48000, 7680, 0, clip.clipStart);
    const double rest = double(later.frames()) / 48000;
    QVERIFY2(rest >= 1.5 - packetSeconds - 0.002 && rest <= 1.5 + 2 * packetSeconds + 0.002,
             qPrintable(QString::number(rest)));
}

void tst_AudioDecoder::seekLands_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("codec");
    QTest::addColumn<double>("packetSeconds");
    QTest::newRow("mp3") << "step.mp3" << QStringList {"-c:a", "libmp3lame"} << 1152.0 / 44100;
    QTest::newRow("aac") << "step.m4a" << QStringList {"-c:a", "aac"} << 1024.0 / 44100;
    QTest::newRow("flac") << "step.flac" << QStringList {"-c:a", "flac"} << 4608.0 / 44100;
    QTest::newRow("wav") << "step.wav" << QStringList {} << 4096.0 / 44100;
}

// The tone steps from 440 Hz to 880 Hz at 3 s; after seeking to 2 s the step comes one second
// into the output, give or take a packet, and a second seek starts over from its own place.
void tst_AudioDecoder::seekLands()
{
    QFETCH(QString, file);
    QFETCH(QStringList, codec);
    QFETCH(double, packetSeconds);
    const QString step = "aevalsrc=0.5*sin(2*PI*if(lt(t\\,3)\\,440\\,880)*t):s=44100:d=5";
    const QString path = make(file, step, codec);
    QVERIFY(!path.isEmpty());
    AudioInfo clip;
    clip.path = path;
    QVERIFY(readAudioInfo(clip));

    for (const double seekTo : {2.0, 0.5}) {
        const Pcm pcm = decode(clip, 1, 48000, 3840, 0, seekTo);
        const double expectedStep = 3.0 - seekTo;
        const double tolerance = packetSeconds + 0.03;
        // Find where the tone changes, window by window. MPEG audio may open with a few
        // quiet packets after a seek (their bit reservoir lies before the seek point).
        double changed = -1.0;
        for (double t = 0.0; t + 0.02 < double(pcm.frames()) / 48000; t += 0.005) {
            if (levelOf(pcm, 0, t, t + 0.02) > 0.2 && frequencyOf(pcm, 0, t, t + 0.02) > 660.0) {
                changed = t + 0.02;
                break;
            }
        }
        QVERIFY2(std::abs(changed - expectedStep) <= tolerance,
                 qPrintable(QStringLiteral("seek to %1 s: step at %2 s").arg(seekTo).arg(changed)));
        QVERIFY(std::abs(frequencyOf(pcm, 0, 0.15, expectedStep - tolerance - 0.01) - 440.0) < 3.0);
        const double length = double(pcm.frames()) / 48000;
        QVERIFY2(std::abs(length - (5.0 - seekTo)) <= tolerance,
                 qPrintable(QString::number(length)));
    }
}

// Garbage in the middle of an MPEG audio file costs the damaged packets, not the rest.
void tst_AudioDecoder::corruptPacket()
{
    const QString path = make("damaged.mp2", toneSource({440.0, 440.0}, 48000, 4.0),
                              {"-c:a", "mp2", "-b:a", "192k"});
    QVERIFY(!path.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const qint64 middle = file.size() / 2;
    QVERIFY(file.seek(middle));
    QByteArray garbage(3000, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) & 0xff);
    QVERIFY(file.write(garbage) == garbage.size());
    file.close();

    AudioInfo clip;
    clip.path = path;
    QVERIFY(readAudioInfo(clip));
    const Pcm pcm = decode(clip, 2, 48000);
    const double length = double(pcm.frames()) / 48000;
    QVERIFY2(length > 3.5 && length <= 4.05, qPrintable(QString::number(length)));
    QVERIFY(std::abs(frequencyOf(pcm, 0, length - 1.0, length - 0.1) - 440.0) < 2.0);
    QVERIFY(levelOf(pcm, 0, length - 1.0, length - 0.1) > 0.3);
}

void tst_AudioDecoder::badInput_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("zero bytes") << "empty";
    QTest::newRow("truncated mp3") << "truncated";
    QTest::newRow("text named mp3") << "text";
    QTest::newRow("video without audio") << "video";
    QTest::newRow("unknown format") << "unknown";
    QTest::newRow("folder") << "folder";
    QTest::newRow("missing") << "missing";
    QTest::newRow("named pipe, nobody writing") << "pipe";
}

// Files that are not audio are refused by both interfaces, quickly and without harm.
void tst_AudioDecoder::badInput()
{
    QFETCH(QString, kind);
    QString path = folder + "/bad " + kind;
    if (kind == "empty") {
        path += ".mp3";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == "truncated") {
        const QString whole
            = make("whole.mp3", toneSource({440.0, 440.0}, 44100, 1.0), {"-c:a", "libmp3lame"});
        QFile source(whole);
        QVERIFY(source.open(QIODevice::ReadOnly));
        path += ".mp3";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(source.read(300));
    } else if (kind == "text") {
        path += ".mp3";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("This is a list of songs, not a song.\nOne\nTwo\n");
    } else if (kind == "video") {
        path
            = make("silent film.mp4", "testsrc=size=160x120:rate=25:duration=1", {"-c:v", "mpeg4"});
        QVERIFY(!path.isEmpty());
    } else if (kind == "unknown") {
        path += ".xyz";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 2654435761u) >> 24);
        file.write(noise);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path + ".mp3"));
        path += ".mp3";
    } else if (kind == "pipe") {
        path += ".mp3";
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        path += ".mp3";
    }

    QElapsedTimer timer;
    timer.start();
    AudioInfo info;
    info.path = path;
    QVERIFY(!readAudioInfo(info));
    QCOMPARE(info.duration, 0.0);

    AudioInfo target;
    target.channels = 2;
    target.sampleRate = 48000;
    target.clipEnd = 10.0;
    AudioDecoder decoder;
    QVERIFY(!decoder.open(info, target));
    QVERIFY(!decoder.isOpen());
    QVERIFY(decoder.seek(1.0) < 0);
    AudioRing ring;
    QVERIFY(ring.allocate(7680));
    QVERIFY(decoder.decodeInto(ring, 7680));
    QVERIFY(decoder.clipEnded());
    QCOMPARE(ring.fill, 0);
    QVERIFY(timer.elapsed() < 10000);
}

// One call fills the ring to its capacity and a little beyond, then stops; a full ring takes
// nothing more until a consumer drains it.
void tst_AudioDecoder::fillsToLimit()
{
    const QString path
        = make("long.mp3", toneSource({440.0, 440.0}, 44100, 20.0), {"-c:a", "libmp3lame"});
    QVERIFY(!path.isEmpty());
    AudioInfo clip;
    clip.path = path;
    QVERIFY(readAudioInfo(clip));
    AudioInfo target = clip;
    target.channels = 2;
    target.sampleRate = 48000;
    AudioDecoder decoder;
    QVERIFY(decoder.open(clip, target));
    AudioRing ring;
    QVERIFY(ring.allocate(7680));
    QVERIFY(decoder.decodeInto(ring, 7680));
    QVERIFY(!decoder.clipEnded());
    QVERIFY(ring.fill >= ring.capacity());
    QVERIFY(ring.fill - ring.capacity() < 1152 * 4 * 2);
    const int full = ring.fill;
    QVERIFY(decoder.decodeInto(ring, 7680));
    QCOMPARE(ring.fill, full);
    QVERIFY(!decoder.clipEnded());
}

void tst_AudioDecoder::largeBlocks_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("outRate");
    QTest::newRow("stereo, no conversion") << 48000 << 2 << 48000;
    QTest::newRow("six channels at 96 kHz to 48 kHz stereo") << 96000 << 6 << 48000;
    QTest::newRow("mono 8 kHz to 96 kHz stereo") << 8000 << 1 << 96000;
}

// A decoded block bigger than the ring's reserve (65535-sample FLAC frames) is handed over in
// pieces: the ring is never written past its allocation, and the sound is the same as through
// a ring large enough to take every block whole.
void tst_AudioDecoder::largeBlocks()
{
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, outRate);
    const QString path = make(QStringLiteral("long frames %1 %2.flac").arg(rate).arg(channels),
                              toneSource(QList<double>(channels, 440.0), rate, 6.0),
                              {"-c:a", "flac", "-sample_fmt", "s16", "-frame_size", "65535"});
    QVERIFY(!path.isEmpty());
    AudioInfo clip;
    clip.path = path;
    QVERIFY(readAudioInfo(clip));

    const int bytesPerFrame = outRate * 2 * 2 / 25;
    // The consumer takes one video frame at a time from a ring of 100 bytes per frame.
    const Pcm small = decode(clip, 2, outRate, 100, 100);
    const Pcm large = decode(clip, 2, outRate, bytesPerFrame * 8);
    QVERIFY(!small.samples.empty());
    QCOMPARE(small.frames(), large.frames());
    QVERIFY(small.samples == large.samples);
    QVERIFY(std::abs(double(small.frames()) / outRate - 6.0) < 0.01);
    QVERIFY(std::abs(frequencyOf(small, 0, 0.5, 5.5) - 440.0) < 2.0);

    if (rate == outRate) {
        // Nothing to convert: the bytes are exactly what ffmpeg itself decodes.
        QProcess reference;
        reference.start(ffmpeg,
                        {"-hide_banner", "-loglevel", "error", "-i", path, "-f", "s16le", "-"});
        QVERIFY(reference.waitForFinished(60000));
        const QByteArray bytes = reference.readAllStandardOutput();
        QCOMPARE(qsizetype(small.samples.size() * 2), bytes.size());
        QVERIFY(std::memcmp(small.samples.data(), bytes.constData(), size_t(bytes.size())) == 0);
    }
}

#include "tst_audiodecoder.moc"
QTEST_GUILESS_MAIN(tst_AudioDecoder)
