// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audiodecoder.h"
#include "audio/audioring.h"

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
    int channels = 1;
    int rate = 48000;
    qint64 frames() const { return qint64(samples.size()) / channels; }
    double seconds() const { return double(frames()) / rate; }
};

struct Tone
{
    double frequency = 0.0; // from the rising zero crossings
    double level = 0.0; // root mean square, as a fraction of full scale
};

Tone toneOf(const Pcm &pcm, int channel, double from, double to)
{
    const qint64 first = qBound<qint64>(0, qint64(from * pcm.rate), pcm.frames());
    const qint64 last = qBound<qint64>(0, qint64(to * pcm.rate), pcm.frames());
    qint64 firstCrossing = -1, lastCrossing = -1;
    int crossings = 0;
    double sum = 0.0;
    for (qint64 i = first; i < last; ++i) {
        const int16_t now = pcm.samples[size_t(i * pcm.channels + channel)];
        sum += double(now) * now / (32768.0 * 32768.0);
        if (i == first || pcm.samples[size_t((i - 1) * pcm.channels + channel)] >= 0 || now < 0)
            continue;
        crossings += firstCrossing >= 0;
        firstCrossing = firstCrossing < 0 ? i : firstCrossing;
        lastCrossing = i;
    }
    Tone tone;
    if (crossings >= 2)
        tone.frequency = crossings * double(pcm.rate) / double(lastCrossing - firstCrossing);
    if (last > first)
        tone.level = std::sqrt(sum / double(last - first));
    return tone;
}

// A tone of amplitude 0.5 on every channel, one frequency per channel.
QString toneSource(const QList<double> &frequencies, int rate, double seconds)
{
    QStringList channels;
    for (double frequency : frequencies)
        channels << QStringLiteral("0.5*sin(2*PI*%1*t)").arg(frequency);
    return QStringLiteral("aevalsrc=%1:s=%2:d=%3").arg(channels.join('|')).arg(rate).arg(seconds);
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
    void seekAndOutPoint_data();
    void seekAndOutPoint();
    void corruptPacket();
    void badInput_data();
    void badInput();
    void fillsToLimit();
    void largeBlocks_data();
    void largeBlocks();

private:
    // Writes a file into the fixture folder with the ffmpeg program from a lavfi source.
    QString make(const QString &name, const QString &source, const QStringList &codec,
                 const QStringList &extraInputs = {});
    // Decodes a clip (from seekTo when not negative) until it ends; after every call a consumer
    // takes drainBytes from the ring's start, or everything when 0.
    Pcm decode(const AudioInfo &clip, int channels, int rate, double seekTo = -1.0,
               int bytesPerFrame = 7680, int drainBytes = 0);
    AudioInfo info(const QString &path);

    QString ffmpeg;
    QTemporaryDir root;
    QString folder;
};

void tst_AudioDecoder::initTestCase()
{
    ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    QVERIFY2(!ffmpeg.isEmpty(), "the ffmpeg program is needed to write the test files");
    QVERIFY(root.isValid());
    // Every fixture lives under a name with blanks and non-ASCII letters.
    folder = root.filePath(QStringLiteral("Klänge und Töne ♪"));
    QVERIFY(QDir().mkpath(folder));
}

QString tst_AudioDecoder::make(const QString &name, const QString &source, const QStringList &codec,
                               const QStringList &extraInputs)
{
    const QString path = folder + '/' + name;
    QStringList arguments {"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i", source};
    QProcess process;
    process.start(ffmpeg, arguments << extraInputs << codec << path);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        qWarning() << "ffmpeg failed:" << arguments << process.readAllStandardError();
        return {};
    }
    return path;
}

AudioInfo tst_AudioDecoder::info(const QString &path)
{
    AudioInfo clip;
    clip.path = path;
    if (path.isEmpty() || !readAudioInfo(clip))
        qWarning() << "cannot read" << path;
    return clip;
}

Pcm tst_AudioDecoder::decode(const AudioInfo &clip, int channels, int rate, double seekTo,
                             int bytesPerFrame, int drainBytes)
{
    Pcm pcm {{}, channels, rate};
    AudioInfo target = clip;
    target.channels = channels;
    target.sampleRate = rate;
    AudioDecoder decoder;
    AudioRing ring;
    if (!ring.allocate(bytesPerFrame) || !decoder.open(clip, target)
        || (seekTo >= 0.0 && decoder.seek(seekTo) < 0))
        return pcm;
    for (int calls = 0; calls < 100000; ++calls) {
        decoder.decodeInto(ring, bytesPerFrame);
        if (ring.fill() > ring.allocation() || ring.fill() % (2 * channels) != 0) {
            qWarning() << "ring fill" << ring.fill() << "of" << ring.allocation();
            return {};
        }
        const int taken = drainBytes > 0 ? std::min(drainBytes, ring.fill()) : ring.fill();
        const auto *begin = reinterpret_cast<const int16_t *>(ring.data());
        pcm.samples.insert(pcm.samples.end(), begin, begin + taken / 2);
        ring.discard(taken);
        if (decoder.clipEnded() && ring.fill() == 0)
            return pcm;
    }
    qWarning() << "decoding did not end";
    return {};
}

void tst_AudioDecoder::formats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("codec");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("outRate");
    QTest::addColumn<int>("packet"); // the largest packet of the format, in samples
    QTest::addColumn<double>("tolerance"); // of the level

    const QStringList pcm;
    QTest::newRow("mp3") << "tone.mp3" << QStringList {"-c:a", "libmp3lame", "-b:a", "192k"}
                         << 44100 << 2 << 48000 << 1152 << 0.05;
    QTest::newRow("mp3 mono") << "mono.mp3" << QStringList {"-c:a", "libmp3lame"} << 44100 << 1
                              << 48000 << 1152 << 0.05;
    QTest::newRow("aac in m4a") << "tone.m4a" << QStringList {"-c:a", "aac", "-b:a", "192k"}
                                << 44100 << 2 << 48000 << 1024 << 0.05;
    QTest::newRow("vorbis") << "tone.ogg" << QStringList {"-c:a", "libvorbis"} << 44100 << 2
                            << 48000 << 2048 << 0.05;
    QTest::newRow("flac") << "tone.flac" << QStringList {"-c:a", "flac"} << 44100 << 2 << 48000
                          << 4608 << 0.01;
    // Matroska records no length for its streams, only for the whole file.
    QTest::newRow("flac in mka") << "tone.mka" << QStringList {"-c:a", "flac"} << 48000 << 2
                                 << 48000 << 4608 << 0.01;
    QTest::newRow("wav s16") << "s16.wav" << pcm << 48000 << 2 << 48000 << 4096 << 0.01;
    QTest::newRow("wav u8") << "u8.wav" << QStringList {"-c:a", "pcm_u8"} << 22050 << 2 << 48000
                            << 4096 << 0.02;
    QTest::newRow("wav s32") << "s32.wav" << QStringList {"-c:a", "pcm_s32le"} << 48000 << 2
                             << 44100 << 4096 << 0.01;
    QTest::newRow("wav double") << "f64.wav" << QStringList {"-c:a", "pcm_f64le"} << 32000 << 2
                                << 48000 << 4096 << 0.01;
    QTest::newRow("wav float 96 kHz")
        << "f32.wav" << QStringList {"-c:a", "pcm_f32le"} << 96000 << 2 << 48000 << 4096 << 0.01;
    QTest::newRow("ac3") << "tone.ac3" << QStringList {"-c:a", "ac3", "-b:a", "192k"} << 48000 << 2
                         << 48000 << 1536 << 0.05;
    QTest::newRow("mp2") << "tone.mp2" << QStringList {"-c:a", "mp2", "-b:a", "192k"} << 44100 << 2
                         << 48000 << 1152 << 0.05;
    QTest::newRow("aiff") << "tone.aiff" << pcm << 44100 << 2 << 48000 << 4096 << 0.01;
    QTest::newRow("au") << "tone.au" << pcm << 44100 << 1 << 48000 << 4096 << 0.01;
    QTest::newRow("wma") << "tone.wma" << QStringList {"-c:a", "wmav2", "-b:a", "128k"} << 44100
                         << 2 << 48000 << 2048 << 0.08;
    QTest::newRow("ape") << "tone.ape" << QStringList {"-c:a", "ape"} << 44100 << 2 << 48000
                         << 73728 << 0.01;
}

// Every format and sample format comes out as the tone it holds, at the output rate and level
// and with the length of the file.
void tst_AudioDecoder::formats()
{
    QFETCH(QString, file);
    QFETCH(QStringList, codec);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, outRate);
    QFETCH(int, packet);
    QFETCH(double, tolerance);
    if (file.endsWith(".ape")) {
        QProcess probe;
        probe.start(ffmpeg, {"-hide_banner", "-encoders"});
        probe.waitForFinished();
        if (!probe.readAllStandardOutput().contains(" ape "))
            QSKIP("this ffmpeg has no APE encoder");
    }
    const AudioInfo clip
        = info(make(file, toneSource(QList<double>(channels, 440.0), rate, 2.0), codec));
    QCOMPARE(clip.sampleRate, rate);
    QCOMPARE(clip.channels, channels);
    const double packetSeconds = double(packet) / rate;
    QVERIFY2(std::abs(clip.duration - 2.0) <= packetSeconds + 0.03,
             qPrintable(QString::number(clip.duration)));
    QCOMPARE(clip.clipEnd, clip.duration);
    QCOMPARE(clip.fileSize, QFileInfo(clip.path).size());
    QCOMPARE(clip.suffix, QFileInfo(clip.path).suffix());

    const Pcm pcm = decode(clip, 2, outRate);
    QVERIFY2(std::abs(pcm.seconds() - 2.0) <= packetSeconds + 0.002,
             qPrintable(QString::number(pcm.seconds())));
    // Mono is spread to both sides at -3 dB.
    const double expected = 0.5 / std::sqrt(2.0) / (channels == 1 ? std::sqrt(2.0) : 1.0);
    for (int channel = 0; channel < 2; ++channel) {
        const Tone tone = toneOf(pcm, channel, 0.2, 1.8);
        QVERIFY2(std::abs(tone.frequency - 440.0) < 2.0,
                 qPrintable(QString::number(tone.frequency)));
        QVERIFY2(std::abs(tone.level - expected) <= expected * tolerance,
                 qPrintable(QString::number(tone.level)));
    }
}

// A 5.1 file keeps its channels apart when decoded to six channels, and its front pair lands on
// the left and right of a stereo output.
void tst_AudioDecoder::channelLayouts()
{
    const QList<double> tones {300.0, 400.0, 500.0, 100.0, 600.0, 700.0};
    const AudioInfo surround
        = info(make("surround.flac", toneSource(tones, 48000, 2.0) + ":c=5.1", {"-c:a", "flac"}));
    QCOMPARE(surround.channels, 6);
    const Pcm six = decode(surround, 6, 48000);
    QCOMPARE(six.frames(), qint64(96000));
    for (int channel = 0; channel < 6; ++channel)
        QVERIFY(std::abs(toneOf(six, channel, 0.1, 1.9).frequency - tones[channel]) < 2.0);

    const QString front = "aevalsrc=0.5*sin(2*PI*440*t)|0.5*sin(2*PI*880*t)|0|0|0|0:s=48000:d=2"
                          ":c=5.1";
    const Pcm stereo = decode(info(make("front.ac3", front, {"-c:a", "ac3"})), 2, 48000);
    QVERIFY(std::abs(stereo.frames() - 96000) <= 1536);
    QVERIFY(std::abs(toneOf(stereo, 0, 0.2, 1.8).frequency - 440.0) < 2.0);
    QVERIFY(std::abs(toneOf(stereo, 1, 0.2, 1.8).frequency - 880.0) < 2.0);
}

// A file whose first stream is video: the audio stream is the second one.
void tst_AudioDecoder::audioAfterVideo()
{
    const AudioInfo clip
        = info(make("film with sound.mp4", "testsrc=size=160x120:rate=25:duration=2",
                    {"-map", "0:v", "-map", "1:a", "-c:v", "mpeg4", "-c:a", "aac"},
                    {"-f", "lavfi", "-i", toneSource({440.0, 440.0}, 44100, 2.0)}));
    QCOMPARE(clip.sampleRate, 44100);
    QVERIFY(std::abs(clip.duration - 2.0) < 0.05);
    AudioInfo target = clip;
    target.sampleRate = 48000;
    AudioDecoder decoder;
    QVERIFY(decoder.open(clip, target));
    QCOMPARE(decoder.streamIndex(), 1);
    const Pcm pcm = decode(clip, 2, 48000);
    QVERIFY(std::abs(pcm.seconds() - 2.0) <= 0.025);
    QVERIFY(std::abs(toneOf(pcm, 0, 0.2, 1.8).frequency - 440.0) < 2.0);
}

void tst_AudioDecoder::seekAndOutPoint_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("codec");
    QTest::addColumn<int>("packet");
    QTest::newRow("mp3") << "step.mp3" << QStringList {"-c:a", "libmp3lame"} << 1152;
    QTest::newRow("aac") << "step.m4a" << QStringList {"-c:a", "aac"} << 1024;
    QTest::newRow("flac") << "step.flac" << QStringList {"-c:a", "flac"} << 4608;
    QTest::newRow("wav") << "step.wav" << QStringList {} << 4096;
}

// The tone steps from 440 Hz to 880 Hz at 3 s of a 5 s file. A clip from 2 s to 4 s, positioned
// at its in-point, hears the step 1 s in and stops after the last whole packet at or before 4 s;
// a clip positioned at 0.5 s with an out-point past the end hears the step at 2.5 s.
void tst_AudioDecoder::seekAndOutPoint()
{
    QFETCH(QString, file);
    QFETCH(QStringList, codec);
    QFETCH(int, packet);
    const QString step = "aevalsrc=0.5*sin(2*PI*if(lt(t\\,3)\\,440\\,880)*t):s=44100:d=5";
    AudioInfo clip = info(make(file, step, codec));
    const double packetSeconds = packet / 44100.0;
    const double tolerance = packetSeconds + 0.03;

    for (const auto &[in, out] : {std::pair {2.0, 4.0}, std::pair {0.5, 10.0}}) {
        clip.clipStart = in;
        clip.clipEnd = out;
        const Pcm pcm = decode(clip, 1, 48000, in, 3840);
        // MPEG audio may open with a few quiet packets after a seek: their bit reservoir lies
        // before the seek point.
        double step = -1.0;
        for (double t = 0.0; t + 0.02 < pcm.seconds() && step < 0.0; t += 0.005) {
            const Tone tone = toneOf(pcm, 0, t, t + 0.02);
            step = tone.level > 0.2 && tone.frequency > 660.0 ? t + 0.02 : -1.0;
        }
        QVERIFY2(std::abs(step - (3.0 - in)) <= tolerance,
                 qPrintable(QStringLiteral("from %1 s: step at %2 s").arg(in).arg(step)));
        QVERIFY(std::abs(toneOf(pcm, 0, 0.15, 2.9 - in - tolerance).frequency - 440.0) < 3.0);
        const double length = pcm.seconds();
        const double expected = std::min(out, 5.0) - in;
        QVERIFY2(length >= expected - tolerance && length <= expected + packetSeconds + tolerance,
                 qPrintable(QStringLiteral("from %1 s: %2 s").arg(in).arg(length)));
    }
}

// Garbage in the middle of an MPEG audio file costs the damaged packets, not the rest.
void tst_AudioDecoder::corruptPacket()
{
    const QString path = make("damaged.mp2", toneSource({440.0, 440.0}, 48000, 4.0),
                              {"-c:a", "mp2", "-b:a", "192k"});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() / 2));
    QByteArray garbage(3000, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) & 0xff);
    QCOMPARE(file.write(garbage), qint64(garbage.size()));
    file.close();

    const Pcm pcm = decode(info(path), 2, 48000);
    QVERIFY2(pcm.seconds() > 3.5 && pcm.seconds() <= 4.05,
             qPrintable(QString::number(pcm.seconds())));
    const Tone end = toneOf(pcm, 0, pcm.seconds() - 1.0, pcm.seconds() - 0.1);
    QVERIFY(std::abs(end.frequency - 440.0) < 2.0 && end.level > 0.3);
}

void tst_AudioDecoder::badInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 24);
    QTest::newRow("zero bytes") << "empty.mp3" << QByteArray();
    QTest::newRow("truncated mp3") << "truncated.mp3" << QByteArray("first 300 bytes");
    QTest::newRow("text named mp3") << "text.mp3" << QByteArray("A list of songs.\nOne\nTwo\n");
    QTest::newRow("video without audio") << "silent film.mp4" << QByteArray("video");
    QTest::newRow("unknown format") << "noise.xyz" << noise;
    QTest::newRow("folder") << "folder.mp3" << QByteArray("folder");
    QTest::newRow("missing") << "missing.mp3" << QByteArray("missing");
    QTest::newRow("named pipe, nobody writing") << "pipe.mp3" << QByteArray("pipe");
}

// Files that are not audio are refused by both interfaces, quickly and without harm.
void tst_AudioDecoder::badInput()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QString path = folder + "/bad " + name;
    if (content == "video") {
        path = make(name, "testsrc=size=160x120:rate=25:duration=1", {"-c:v", "mpeg4"});
    } else if (content == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (content == "pipe") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (content != "missing") {
        if (content.startsWith("first 300")) {
            QFile whole(make("whole.mp3", toneSource({440.0}, 44100, 1.0), {}));
            QVERIFY(whole.open(QIODevice::ReadOnly));
            content = whole.read(300);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

    QElapsedTimer timer;
    timer.start();
    AudioInfo clip;
    clip.path = path;
    QVERIFY(!readAudioInfo(clip));
    QCOMPARE(clip.duration, 0.0);
    AudioInfo target;
    target.channels = 2;
    target.sampleRate = 48000;
    target.clipEnd = 10.0;
    AudioDecoder decoder;
    QVERIFY(!decoder.open(clip, target));
    QVERIFY(decoder.seek(1.0) < 0);
    AudioRing ring;
    QVERIFY(ring.allocate(7680));
    QVERIFY(decoder.decodeInto(ring, 7680));
    QVERIFY(decoder.clipEnded());
    QCOMPARE(ring.fill(), 0);
    QVERIFY(timer.elapsed() < 10000);
}

// One call fills the ring to its capacity and a little beyond, then stops; a full ring takes
// nothing more until a consumer drains it.
void tst_AudioDecoder::fillsToLimit()
{
    AudioInfo clip
        = info(make("long.mp3", toneSource({440.0, 440.0}, 44100, 20.0), {"-c:a", "libmp3lame"}));
    AudioInfo target = clip;
    target.sampleRate = 48000;
    AudioDecoder decoder;
    AudioRing ring;
    QVERIFY(decoder.open(clip, target) && ring.allocate(7680));
    for (int call = 0; call < 2; ++call) {
        QVERIFY(decoder.decodeInto(ring, 7680));
        QVERIFY(!decoder.clipEnded());
        QVERIFY(ring.fill() >= ring.capacity());
        QVERIFY(ring.fill() - ring.capacity() < 1152 * 4 * 2);
    }
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
    const AudioInfo clip
        = info(make(QStringLiteral("long frames %1 %2.flac").arg(rate).arg(channels),
                    toneSource(QList<double>(channels, 440.0), rate, 6.0),
                    {"-c:a", "flac", "-sample_fmt", "s16", "-frame_size", "65535"}));
    // The consumer takes 100 bytes at a time from a ring of 100 bytes per video frame.
    const Pcm small = decode(clip, 2, outRate, -1.0, 100, 100);
    const Pcm large = decode(clip, 2, outRate, -1.0, outRate * 4 / 25 * 8);
    QVERIFY(std::abs(small.seconds() - 6.0) < 0.01);
    QVERIFY(small.samples == large.samples);
    QVERIFY(std::abs(toneOf(small, 0, 0.5, 5.5).frequency - 440.0) < 2.0);
    if (rate == outRate) {
        // Nothing to convert: the bytes are exactly what the ffmpeg program decodes.
        QProcess reference;
        reference.start(ffmpeg, {"-loglevel", "error", "-i", clip.path, "-f", "s16le", "-"});
        QVERIFY(reference.waitForFinished(60000));
        const QByteArray bytes = reference.readAllStandardOutput();
        QVERIFY(bytes.size() == qsizetype(small.samples.size() * 2)
                && std::memcmp(small.samples.data(), bytes.constData(), size_t(bytes.size())) == 0);
    }
}

#include "tst_audiodecoder.moc"
QTEST_GUILESS_MAIN(tst_AudioDecoder)
