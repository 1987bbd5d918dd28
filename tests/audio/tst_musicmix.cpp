// SPDX-License-Identifier: GPL-3.0-or-later
// The music of a show: clips crossfaded into each other at an even level, their loudness
// measured and evened, a limiter on the peaks, and what the show file keeps of it.
#include "audio/audioanalysis.h"
#include "audio/cliptrack.h"
#include "audio/loudness.h"
#include "audio/peaklimiter.h"
#include "audio/storyboardrender.h"
#include "storyboard/beatcut.h"
#include "storyboard/showfile.h"
#include "storyboard/showtimeline.h"
#include "tests/audio/producedsound.h"
#include "tests/support/testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTest>
#include <cmath>
#include <functional>

namespace {

constexpr int rate = 48000;

// A 16-bit stereo WAV file of a signal given as a function of the sample index (full scale 1).
bool writeWav(const QString &path, double seconds, const std::function<double(qint64)> &signal)
{
    const qint64 frames = std::llround(seconds * rate);
    QByteArray data(frames * 4, Qt::Uninitialized);
    for (qint64 i = 0; i < frames; ++i) {
        const auto v
            = static_cast<int16_t>(std::clamp(std::lround(signal(i) * 32767.0), -32768L, 32767L));
        std::memcpy(data.data() + i * 4, &v, 2);
        std::memcpy(data.data() + i * 4 + 2, &v, 2);
    }
    QByteArray header;
    const auto u32 = [&header](quint32 v) {
        header.append(reinterpret_cast<const char *>(&v), 4);
    };
    const auto u16 = [&header](quint16 v) {
        header.append(reinterpret_cast<const char *>(&v), 2);
    };
    header.append("RIFF");
    u32(quint32(36 + data.size()));
    header.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(2);
    u32(rate);
    u32(rate * 4);
    u16(4);
    u16(16);
    header.append("data");
    u32(quint32(data.size()));
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
        && file.write(header + data) == header.size() + data.size();
}

std::function<double(qint64)> sine(double hz, double dbfs, double phase = 0.0)
{
    const double amplitude = std::pow(10.0, dbfs / 20.0);
    return [=](qint64 i) {
        return amplitude * std::sin(2.0 * M_PI * hz * double(i) / rate + phase);
    };
}

AudioInfo readClip(const QString &path)
{
    AudioInfo clip;
    clip.path = path;
    if (readAudioInfo(clip))
        analyseAudio(clip);
    return clip;
}

// The show's sound from its start for a number of seconds, as the writer takes it.
QVector<int16_t> showSound(StoryBoard &board, double seconds)
{
    return producedSound(board, 0, int(std::llround(seconds * 25)));
}

// Root mean square of channel 0 over [from, to) seconds, in dBFS.
double rmsDb(const QVector<int16_t> &pcm, double from, double to)
{
    const qint64 a = std::llround(from * rate);
    const qint64 b = std::llround(to * rate);
    double sum = 0.0;
    for (qint64 i = a; i < b; ++i)
        sum += double(pcm[2 * i]) * pcm[2 * i];
    return 10.0 * std::log10(sum / double(b - a) / (32768.0 * 32768.0));
}

struct Measured
{
    double lufs;
    double peak;
};

Measured measure(const QVector<int16_t> &pcm)
{
    LoudnessMeter meter;
    meter.start(2, rate);
    meter.add(pcm.constData(), pcm.size() / 2);
    return {meter.integratedLufs(), meter.truePeakDb()};
}

} // namespace

class TestMusicMix : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void trackPlacesClips_data();
    void trackPlacesClips();
    void crossfadeKeepsLevel();
    void measuresAtImport_data();
    void measuresAtImport();
    void gainForTarget_data();
    void gainForTarget();
    void evenedShowMeetsTarget_data();
    void evenedShowMeetsTarget();
    void limiterPassesQuietSound();
    void showFileKeepsMusic_data();
    void showFileKeepsMusic();
    void waveformOfTone();
    void clickTrackBeats();
    void changesSnapToBeats_data();
    void changesSnapToBeats();

private:
    QTemporaryDir dir;
    TempSettings settings;
    QString low, high, quiet, loud, fullScale;
};

void TestMusicMix::initTestCase()
{
    low = dir.filePath(QStringLiteral("low.wav"));
    high = dir.filePath(QStringLiteral("high.wav"));
    quiet = dir.filePath(QStringLiteral("quiet.wav"));
    loud = dir.filePath(QStringLiteral("loud.wav"));
    fullScale = dir.filePath(QStringLiteral("full scale.wav"));
    QVERIFY(writeWav(low, 4.0, sine(440, -20)));
    QVERIFY(writeWav(high, 4.0, sine(660, -20)));
    // Songs around -30 and -8 LUFS: a chord whose level swells, so that the music has a crest.
    const auto chord = [](double dbfs) {
        const double a = std::pow(10.0, dbfs / 20.0);
        return [a](qint64 i) {
            const double t = double(i) / rate;
            const double swell = 0.6 + 0.4 * std::sin(2.0 * M_PI * 0.5 * t);
            return a * swell
                * (0.5 * std::sin(2 * M_PI * 220 * t) + 0.3 * std::sin(2 * M_PI * 330 * t)
                   + 0.2 * std::sin(2 * M_PI * 1250 * t));
        };
    };
    QVERIFY(writeWav(quiet, 6.0, chord(-22)));
    QVERIFY(writeWav(loud, 6.0, chord(0)));
    // A tone with a click every two seconds whose samples reach 0 dBFS and whose true peak lies
    // 3 dB higher (a quarter of the sample rate, shifted by an eighth of a turn).
    QVERIFY(writeWav(fullScale, 4.0, [base = sine(440, -20)](qint64 i) {
        if (i % (2 * rate) < 4)
            return 0.99999 * std::sqrt(2.0) * std::sin(M_PI / 2.0 * double(i) + M_PI / 4.0);
        return base(i);
    }));
}

void TestMusicMix::trackPlacesClips_data()
{
    QTest::addColumn<QList<qint64>>("lengths");
    QTest::addColumn<qint64>("crossfade");
    QTest::addColumn<bool>("loop");
    // Per entry: clip, start, fade in, fade out.
    QTest::addColumn<QList<QList<qint64>>>("expected");

    QTest::newRow("back to back") << QList<qint64> {100, 200} << qint64 {0} << false
                                  << QList<QList<qint64>> {{0, 0, 0, 0}, {1, 100, 0, 0}};
    QTest::newRow("crossfade") << QList<qint64> {100, 200, 100} << qint64 {20} << false
                               << QList<QList<qint64>> {
                                      {0, 0, 0, 20}, {1, 80, 20, 20}, {2, 260, 20, 0}};
    QTest::newRow("short clip takes half")
        << QList<qint64> {100, 30, 100} << qint64 {50} << false
        << QList<QList<qint64>> {{0, 0, 0, 15}, {1, 85, 15, 15}, {2, 100, 15, 0}};
    QTest::newRow("clip of no length left out")
        << QList<qint64> {100, 0, 100} << qint64 {10} << false
        << QList<QList<qint64>> {{0, 0, 0, 10}, {2, 90, 10, 0}};
    QTest::newRow("loop wraps into the first")
        << QList<qint64> {100, 60} << qint64 {20} << true
        << QList<QList<qint64>> {
               {0, 0, 0, 20}, {1, 80, 20, 20}, {0, 120, 20, 20}, {1, 200, 20, 20}};
    QTest::newRow("one clip loops into itself")
        << QList<qint64> {100} << qint64 {10} << true
        << QList<QList<qint64>> {{0, 0, 0, 10}, {0, 90, 10, 10}, {0, 180, 10, 10}};
}

void TestMusicMix::trackPlacesClips()
{
    QFETCH(QList<qint64>, lengths);
    QFETCH(qint64, crossfade);
    QFETCH(bool, loop);
    QFETCH(QList<QList<qint64>>, expected);
    ClipTrack track;
    track.set(lengths, crossfade, loop);
    for (int n = 0; n < expected.size(); ++n) {
        const std::optional<ClipTrack::Entry> e = track.entry(n);
        QVERIFY(e);
        QCOMPARE((QList<qint64> {e->clip, e->start, e->fadeIn, e->fadeOut}), expected.at(n));
        // Every sample lies in the entry that firstFrom names, or before it.
        QCOMPARE(track.firstFrom(e->end() - 1).value_or(-1), qint64 {n});
    }
    if (!loop)
        QVERIFY(!track.entry(expected.size()) && !track.firstFrom(1 << 20));
    // Where two entries overlap, their squared gains add up to 1; at the middle each is 1/2.
    for (int n = 0; n + 1 < expected.size(); ++n) {
        const ClipTrack::Entry a = *track.entry(n);
        const ClipTrack::Entry b = *track.entry(n + 1);
        for (qint64 s = b.start; s < a.end(); ++s) {
            const double ga = ClipTrack::gainAt(a, s);
            const double gb = ClipTrack::gainAt(b, s);
            QVERIFY2(std::abs(ga * ga + gb * gb - 1.0) < 1e-9, qPrintable(QString::number(s)));
        }
        if (a.fadeOut % 2 == 0 && a.fadeOut > 0) {
            const qint64 middle = b.start + a.fadeOut / 2;
            // The middle lies between two samples: their gains straddle 1/sqrt(2).
            QVERIFY(ClipTrack::gainAt(a, middle - 1) > M_SQRT1_2);
            QVERIFY(ClipTrack::gainAt(a, middle) < M_SQRT1_2);
            QVERIFY(std::abs(ClipTrack::gainAt(b, middle) - M_SQRT1_2) < 2.0 / a.fadeOut);
        }
    }
}

void TestMusicMix::crossfadeKeepsLevel()
{
    StoryBoard board;
    board.loudnessTarget = AlbumSettings::LoudnessOff;
    board.crossfadeMs = 2000;
    board.audios = {readClip(low), readClip(high)};
    QCOMPARE(board.totalAudioDuration(), 6.0);
    const QVector<int16_t> pcm = showSound(board, 6.0);
    const double steady = rmsDb(pcm, 0.5, 1.5);
    QVERIFY(std::abs(steady + 23.01) < 0.1);
    // The two tones each at half the power in the middle of the crossfade (3 s): the level stays.
    QVERIFY2(std::abs(rmsDb(pcm, 2.95, 3.05) - steady) < 0.2,
             qPrintable(QString::number(rmsDb(pcm, 2.95, 3.05))));
    QVERIFY(std::abs(rmsDb(pcm, 2.3, 2.4) - steady) < 0.2);
    // After the crossfade only the second clip sounds: 660 Hz.
    QVERIFY(qAbs(zeroCrossings(pcm.constData(), 2, int(4.5 * rate), int(5.5 * rate)) - 2 * 660)
            <= 2);
    QVERIFY(qAbs(zeroCrossings(pcm.constData(), 2, int(0.5 * rate), int(1.5 * rate)) - 2 * 440)
            <= 2);
}

void TestMusicMix::measuresAtImport_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("level");
    QTest::addColumn<double>("hz");
    QTest::addColumn<double>("lufs");
    QTest::addColumn<double>("peak");
    // A stereo sine of 1 kHz reads its own level in LUFS.
    QTest::newRow("sine at -20 dBFS")
        << QStringLiteral("sine.wav") << -20.0 << 1000.0 << -20.0 << -20.0;
    QTest::newRow("silence") << QStringLiteral("silence.wav") << -100.0 << 1000.0 << -70.0 << -70.0;
    // At a quarter of the rate, 45 degrees out, every sample lies 3 dB under the wave's peaks:
    // only the points between the samples find them.
    QTest::newRow("peaks between samples")
        << QStringLiteral("quarter.wav") << -2.0 << rate / 4.0 << qQNaN() << -2.0;
}

void TestMusicMix::measuresAtImport()
{
    QFETCH(QString, file);
    QFETCH(double, level);
    QFETCH(double, hz);
    QFETCH(double, lufs);
    QFETCH(double, peak);
    const QString path = dir.filePath(file);
    QVERIFY(writeWav(
        path, 3.0, level > -70.0 ? sine(hz, level, M_PI / 4) : [](qint64) { return 0.0; }));
    const AudioInfo clip = readClip(path);
    QVERIFY(clip.measured);
    if (!qIsNaN(lufs))
        QVERIFY2(std::abs(clip.loudness - lufs) < 0.2, qPrintable(QString::number(clip.loudness)));
    QVERIFY2(std::abs(clip.truePeak - peak) < 0.2, qPrintable(QString::number(clip.truePeak)));
}

void TestMusicMix::gainForTarget_data()
{
    QTest::addColumn<bool>("measured");
    QTest::addColumn<double>("loudness");
    QTest::addColumn<int>("target");
    QTest::addColumn<double>("gainDb");
    QTest::newRow("quiet clip raised") << true << -30.0 << -14 << 16.0;
    QTest::newRow("loud clip lowered") << true << -8.0 << -14 << -6.0;
    QTest::newRow("broadcast target") << true << -8.0 << -23 << -15.0;
    QTest::newRow("off") << true << -30.0 << 0 << 0.0;
    QTest::newRow("not measured") << false << -30.0 << -14 << 0.0;
    QTest::newRow("silent clip left") << true << -70.0 << -14 << 0.0;
    QTest::newRow("near silence raised no more than the cap")
        << true << -60.0 << -14 << LoudnessMaxGainDb;
}

void TestMusicMix::gainForTarget()
{
    QFETCH(bool, measured);
    QFETCH(double, loudness);
    QFETCH(int, target);
    QFETCH(double, gainDb);
    AudioInfo clip;
    clip.measured = measured;
    clip.loudness = loudness;
    QVERIFY(std::abs(20.0 * std::log10(loudnessGain(clip, target)) - gainDb) < 1e-9);
}

void TestMusicMix::evenedShowMeetsTarget_data()
{
    QTest::addColumn<QString>("song");
    QTest::addColumn<int>("target");
    QTest::newRow("quiet song to -14") << quiet << -14;
    QTest::newRow("loud song to -14") << loud << -14;
    QTest::newRow("loud song to -23") << loud << -23;
    QTest::newRow("peaks at 0 dBFS") << fullScale << -14;
}

void TestMusicMix::evenedShowMeetsTarget()
{
    QFETCH(QString, song);
    QFETCH(int, target);
    StoryBoard board;
    board.loudnessTarget = target;
    board.audios = {readClip(song)};
    QVERIFY(board.audios.constFirst().measured);
    const double seconds = board.totalAudioDuration();
    const Measured before = measure(showSound(board, seconds));
    board.loudnessTarget = AlbumSettings::LoudnessOff;
    const Measured asRecorded = measure(showSound(board, seconds));
    // Off, the show plays the file as it is.
    QVERIFY(std::abs(asRecorded.lufs - board.audios.constFirst().loudness) < 0.1);
    QVERIFY2(std::abs(before.lufs - target) < 0.5, qPrintable(QString::number(before.lufs)));
    QVERIFY2(before.peak <= LoudnessCeilingDb + 0.2, qPrintable(QString::number(before.peak)));
}

void TestMusicMix::limiterPassesQuietSound()
{
    PeakLimiter limiter;
    limiter.setup(2, rate, -1.0);
    // Below the ceiling the sound comes out unchanged, latency() frames later.
    QList<float> in;
    for (int i = 0; i < 2000; ++i)
        in << float(0.8 * std::sin(i * 0.05)) << float(-0.8 * std::sin(i * 0.07));
    QList<float> out;
    float frame[2];
    for (int i = 0; i < 1000; ++i) {
        if (limiter.push(in.constData() + 2 * i, frame))
            out << frame[0] << frame[1];
    }
    QCOMPARE(out.size(), 2 * (1000 - limiter.latency()));
    QCOMPARE(out, in.mid(0, out.size()));
    // A peak between samples counts: a tone at a quarter of the rate, shifted by an eighth of a
    // turn, is 0.707 at every sample but peaks at 1 between samples 3 and 4.
    const float window[8]
        = {0.7071f, -0.7071f, -0.7071f, 0.7071f, 0.7071f, -0.7071f, -0.7071f, 0.7071f};
    QVERIFY(PeakLimiter::intersamplePeak(window, 1) > 0.9);
}

void TestMusicMix::showFileKeepsMusic_data()
{
    QTest::addColumn<QByteArray>("audio");
    QTest::addColumn<QByteArray>("clip");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("crossfadeMs");
    QTest::addColumn<int>("loudness");
    QTest::addColumn<bool>("measured");
    const QByteArray plain = R"({"path": "/a.wav", "duration": 10})";
    const QByteArray measured
        = R"({"path": "/a.wav", "duration": 10, "measure": {"loudness": -9.5, "truePeak": 0.3, "waveform": "gX8=", "beats": [0.5, 1.25]}})";
    QTest::newRow("saved before: off, no crossfade")
        << QByteArray(R"({"loopAudio": false})") << plain << true << 0 << 0 << false;
    QTest::newRow("crossfade and target kept")
        << QByteArray(R"({"crossfadeMs": 2500, "loudness": -23})") << measured << true << 2500
        << -23 << true;
    QTest::newRow("crossfade too long")
        << QByteArray(R"({"crossfadeMs": 10001})") << plain << false << 0 << 0 << false;
    QTest::newRow("crossfade not whole")
        << QByteArray(R"({"crossfadeMs": 2.5})") << plain << false << 0 << 0 << false;
    QTest::newRow("target not offered")
        << QByteArray(R"({"loudness": -18})") << plain << false << 0 << 0 << false;
    QTest::newRow("damaged measure taken again")
        << QByteArray(R"({"loudness": -14})")
        << QByteArray(
               R"({"path": "/a.wav", "duration": 10, "measure": {"loudness": "loud", "truePeak": 0}})")
        << true << 0 << -14 << false;
    QTest::newRow("beats not rising")
        << QByteArray(R"({"loudness": -14})")
        << QByteArray(R"({"path": "/a.wav", "duration": 10, "measure": {"loudness": -9, )"
                      R"("truePeak": 0, "waveform": "gX8=", "beats": [1.0, 0.5]}})")
        << true << 0 << -14 << false;
    QTest::newRow("waveform of an odd length")
        << QByteArray(R"({"loudness": -14})")
        << QByteArray(R"({"path": "/a.wav", "duration": 10, "measure": {"loudness": -9, )"
                      R"("truePeak": 0, "waveform": "gX8B", "beats": []}})")
        << true << 0 << -14 << false;
    QTest::newRow("measure out of range")
        << QByteArray(R"({"loudness": -14})")
        << QByteArray(
               R"({"path": "/a.wav", "duration": 10, "measure": {"loudness": -9, "truePeak": 1e9}})")
        << true << 0 << -14 << false;
}

void TestMusicMix::showFileKeepsMusic()
{
    QFETCH(QByteArray, audio);
    QFETCH(QByteArray, clip);
    QFETCH(bool, ok);
    QFETCH(int, crossfadeMs);
    QFETCH(int, loudness);
    QFETCH(bool, measured);
    const QByteArray text = R"({"format": "vellumix-show", "version": 1, "audio": )" + audio
        + R"(, "audios": [)" + clip + "]}";
    const ShowReadResult read = parseShow(text, QStringLiteral("/"));
    QCOMPARE(read.ok(), ok);
    if (!ok)
        return;
    QCOMPARE(read.show.crossfadeMs, crossfadeMs);
    QCOMPARE(read.show.loudnessTarget, loudness);
    QCOMPARE(read.show.audios.constFirst().measured, measured);
    // What is written reads back the same.
    const ShowReadResult again
        = parseShow(serializeShow(read.show, QStringLiteral("/")), QStringLiteral("/"));
    QVERIFY(again.ok());
    QCOMPARE(again.show.settings(), read.show.settings());
    QCOMPARE(again.show.audios.constFirst().measured, measured);
    if (measured) {
        QCOMPARE(again.show.audios.constFirst().loudness, -9.5);
        QCOMPARE(again.show.audios.constFirst().truePeak, 0.3);
        QCOMPARE(again.show.audios.constFirst().waveform, QByteArray("\x81\x7f", 2));
        QCOMPARE(again.show.audios.constFirst().beats, (QList<double> {0.5, 1.25}));
    }
}

void TestMusicMix::waveformOfTone()
{
    // A second of a tone at -6 dBFS, then a second of silence.
    const QString path = dir.filePath(QStringLiteral("tone then silence.wav"));
    const auto tone = sine(440, -6.0);
    QVERIFY(writeWav(path, 2.0, [&tone](qint64 i) { return i < rate ? tone(i) : 0.0; }));
    const AudioInfo clip = readClip(path);
    QCOMPARE(clip.waveform.size(), 2 * AudioInfo::WaveformPairs);
    const int expected = int(127 * std::pow(10.0, -6.0 / 20.0));
    for (int i = 0; i < AudioInfo::WaveformPairs; ++i) {
        const int low = qint8(clip.waveform.at(2 * i));
        const int high = qint8(clip.waveform.at(2 * i + 1));
        if (i < AudioInfo::WaveformPairs / 2) {
            // Each stretch (5 ms) holds two periods: the tone's whole swing.
            QVERIFY2(qAbs(high - expected) <= 2 && qAbs(low + expected) <= 2,
                     qPrintable(QStringLiteral("%1: %2 %3").arg(i).arg(low).arg(high)));
        } else {
            QCOMPARE(low, 0);
            QCOMPARE(high, 0);
        }
    }
}

void TestMusicMix::clickTrackBeats()
{
    // Clicks at 100 a minute over a quiet hum: the beats found lie on the clicks.
    const QString path = dir.filePath(QStringLiteral("clicks.wav"));
    const qint64 period = rate * 60 / 100;
    const auto hum = sine(110, -40.0);
    QVERIFY(writeWav(path, 20.0, [&](qint64 i) {
        const qint64 into = i % period;
        return hum(i)
            + (into < 480 ? 0.8 * std::sin(2.0 * M_PI * 2000.0 * into / rate) * (1.0 - into / 480.0)
                          : 0.0);
    }));
    const AudioInfo clip = readClip(path);
    QVERIFY(clip.beats.size() >= 25);
    int onClick = 0;
    for (double beat : clip.beats) {
        const double offset = std::fmod(beat, 0.6);
        if (std::min(offset, 0.6 - offset) <= 0.04)
            ++onClick;
    }
    QVERIFY2(onClick >= 0.9 * clip.beats.size(),
             qPrintable(QStringLiteral("%1 of %2").arg(onClick).arg(clip.beats.size())));
}

void TestMusicMix::changesSnapToBeats_data()
{
    QTest::addColumn<int>("photoMs");
    QTest::addColumn<int>("transitionMs");
    QTest::addColumn<QList<double>>("beats");
    QTest::addColumn<QList<int>>("holds");
    // Photos of 3 s with transitions of 1 s: the changes lie at 3.5, 7.5 and 11.5 s.
    const QList<double> everySecondAndAHalf {1.5, 3.0, 4.5, 6.0, 7.5, 9.0, 10.5, 12.0, 13.5};
    QTest::newRow("each change to the nearest beat")
        << 3000 << 1000 << everySecondAndAHalf << QList<int> {2500, 3500, 3500, 2500};
    QTest::newRow("no beat within half a photo")
        << 3000 << 1000 << QList<double> {20.0} << QList<int> {3000, 3000, 3000, 3000};
    // Cuts every 1.6 s: the first change may not move to 2.4 s (the second photo would keep
    // 0.8 s), nor the second back to 2.4 s; 2.6 s leaves the second photo its second.
    QTest::newRow("no photo under a second")
        << 1600 << 0 << QList<double> {2.4, 2.6} << QList<int> {1600, 1000, 2200, 1600};
    QTest::newRow("cuts move whole")
        << 3000 << 0 << QList<double> {2.9, 6.2, 8.8} << QList<int> {2900, 3300, 2600, 3200};
}

void TestMusicMix::changesSnapToBeats()
{
    QFETCH(int, photoMs);
    QFETCH(int, transitionMs);
    QFETCH(QList<double>, beats);
    QFETCH(QList<int>, holds);
    StoryBoard board;
    board.setPhotoDurationMs(photoMs);
    board.useTransition = transitionMs > 0;
    if (transitionMs > 0)
        board.setTransitionDurationMs(transitionMs);
    board.photos.resize(4);
    AudioInfo clip;
    clip.duration = clip.clipEnd = 60.0;
    clip.beats = beats;
    board.audios = {clip};
    const qint64 total = board.totalDurationMs();
    const QList<int> snapped = beatHoldsMs(board, showBeatsMs(board, total));
    QCOMPARE(snapped, holds);
    // The show keeps its length, so a show synced with its music still ends with it.
    board.beatCut = true;
    const ShowTimeline cut = ShowTimeline::of(board, 25.0);
    board.beatCut = false;
    QCOMPARE(cut.totalFrames, ShowTimeline::of(board, 25.0).totalFrames);
    for (int i = 0; i < holds.size(); ++i)
        QCOMPARE(cut.spans.at(i).holdFrames, holds.at(i) * 0.025);
}

QTEST_GUILESS_MAIN(TestMusicMix)
#include "tst_musicmix.moc"
