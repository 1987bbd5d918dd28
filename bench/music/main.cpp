// SPDX-License-Identifier: GPL-3.0-or-later
// Prints two figures for the show's music.
//
// What measuring adds to importing a song: a 5-minute 44.1 kHz stereo MP3 with a beat is decoded
// on one thread the way the measuring decodes it (whole, at its own rate, in stereo), then read
// and measured as an import does (loudness, true peak, waveform, beats). The runs alternate; the
// best of each counts, and the share printed is (measured import - decode) / decode.
//
// Cuts on the beat: a click track at 100 beats a minute is imported and a show of photos held
// 3 s (with 1 s transitions, then with cuts) cuts on its beats at 25 frames/s. Printed is the
// share of photo changes (the middle of a transition, or a cut) within one frame of a click.

#include "audio/audioanalysis.h"
#include "audio/audiodecoder.h"
#include "audio/audioring.h"
#include "audio/loudness.h"
#include "storyboard/beatcut.h"
#include "storyboard/showtimeline.h"
#include "storyboard/storyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 3;
constexpr double SongSeconds = 300.0;
constexpr double ClickPeriod = 0.6;
constexpr double FrameRate = 25.0;

bool makeAudio(const QString &ffmpeg, const QString &expression, double seconds,
               const QStringList &codec, const QString &path)
{
    QProcess make;
    make.start(ffmpeg,
               QStringList {"-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi",
                            "-i",
                            QStringLiteral("aevalsrc=%1:s=44100:d=%2").arg(expression).arg(seconds)}
                   + codec + QStringList {path});
    if (make.waitForFinished(600000) && make.exitCode() == 0)
        return true;
    std::fprintf(stderr, "could not write %s: %s\n", qPrintable(path),
                 make.readAllStandardError().constData());
    return false;
}

// Decodes the whole file as the measuring does, without measuring; returns the sample frames,
// and keeps the sound in kept when given.
qint64 decodeOnly(const QString &path, std::vector<int16_t> *kept = nullptr)
{
    AudioInfo clip;
    clip.path = path;
    if (!readAudioInfo(clip))
        return -1;
    AudioInfo target;
    target.channels = 2;
    target.sampleRate = clip.sampleRate;
    target.clipStart = 0.0;
    target.clipEnd = clip.duration;
    constexpr int chunk = 1024 * 4;
    AudioRing pcm;
    AudioDecoder decoder;
    if (!pcm.allocate(chunk) || !decoder.open(clip, target) || decoder.seek(0.0) < 0)
        return -1;
    qint64 frames = 0;
    do {
        decoder.decodeInto(pcm, chunk);
        if (kept) {
            const auto *samples = reinterpret_cast<const int16_t *>(pcm.data());
            kept->insert(kept->end(), samples, samples + pcm.fill() / 2);
        }
        frames += pcm.fill() / 4;
        pcm.clear();
    } while (!decoder.clipEnded());
    return frames;
}

bool importMeasured(const QString &path, AudioInfo &clip)
{
    clip = AudioInfo();
    clip.path = path;
    return readAudioInfo(clip) && analyseAudio(clip);
}

int measureImport(const QString &ffmpeg, const QString &dir)
{
    // Two tones, a little noise and a kick every half second, so that the beat tracker has work
    // as on music and the encoder spends its bits as on music.
    const QString path = dir + QStringLiteral("/five minutes.mp3");
    const QString kick = QStringLiteral("0.5*sin(2*PI*60*t)*max(0\\,1-mod(t\\,0.5)/0.08)");
    if (!makeAudio(ffmpeg,
                   QStringLiteral("0.2*sin(2*PI*440*t)+0.1*sin(2*PI*1234*t)+0.05*(random(0)-0.5)"
                                  "+%1|0.2*sin(2*PI*660*t)+0.1*sin(2*PI*987*t)+0.05*"
                                  "(random(1)-0.5)+%1")
                       .arg(kick),
                   SongSeconds, {"-c:a", "libmp3lame", "-b:a", "192k"}, path))
        return 1;
    double bestDecode = 1e30;
    double bestImport = 1e30;
    qint64 frames = 0;
    AudioInfo clip;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        frames = decodeOnly(path);
        bestDecode = std::min(bestDecode, timer.nsecsElapsed() / 1e9);
        timer.restart();
        if (!importMeasured(path, clip)) {
            std::fprintf(stderr, "measuring failed\n");
            return 1;
        }
        bestImport = std::min(bestImport, timer.nsecsElapsed() / 1e9);
    }
    if (frames <= 0) {
        std::fprintf(stderr, "decoding failed\n");
        return 1;
    }
    std::printf("5 min 44.1 kHz stereo MP3, best of %d runs\n", Runs);
    std::printf("  decoding alone, one thread:  %.3f s  (%lld sample frames)\n", bestDecode,
                frames);
    std::printf("  read and measured as import: %.3f s  (%.1f LUFS, %.1f dBTP, %lld beats)\n",
                bestImport, clip.loudness, clip.truePeak, qint64(clip.beats.size()));
    std::printf("  measuring adds %.2f of the decoding time\n",
                (bestImport - bestDecode) / bestDecode);
    // The loudness library's share of that: its integrated loudness alone, over sound in memory.
    std::vector<int16_t> sound;
    decodeOnly(path, &sound);
    double bestLoudness = 1e30;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        LoudnessMeter meter;
        meter.start(2, clip.sampleRate, LoudnessMeter::PeakScan::Limiter);
        // In the pieces the measuring gives it.
        for (size_t at = 0; at < sound.size(); at += 2 * 1024)
            meter.add(sound.data() + at, qint64(std::min<size_t>(2 * 1024, sound.size() - at) / 2));
        bestLoudness = std::min(bestLoudness, timer.nsecsElapsed() / 1e9);
    }
    std::printf("  of which loudness and true peak alone (sound in memory): %.3f s, %.2f of the "
                "decoding time\n",
                bestLoudness, bestLoudness / bestDecode);
    return 0;
}

// The share of photo changes within one frame of a click.
double changesOnClicks(StoryBoard &board, int transitionMs, int *changes)
{
    board.useTransition = transitionMs > 0;
    if (transitionMs > 0)
        board.setTransitionDurationMs(transitionMs);
    const ShowTimeline timeline = ShowTimeline::of(board, FrameRate);
    int onClick = 0;
    *changes = 0;
    for (int i = 0; i + 1 < timeline.spans.size(); ++i) {
        const PhotoSpan &span = timeline.spans.at(i);
        const double seconds = (span.holdEnd + span.end) / 2.0 / FrameRate;
        const double offset = std::fmod(seconds, ClickPeriod);
        if (std::min(offset, ClickPeriod - offset) <= 1.0 / FrameRate + 1e-9)
            ++onClick;
        ++*changes;
    }
    return *changes > 0 ? double(onClick) / *changes : 0.0;
}

int measureBeatCut(const QString &ffmpeg, const QString &dir)
{
    const QString path = dir + QStringLiteral("/clicks.wav");
    const double seconds = 90.0;
    // A 2 kHz click of 10 ms every 0.6 s over a quiet hum.
    if (!makeAudio(ffmpeg,
                   QStringLiteral("0.8*sin(2*PI*2000*t)*max(0\\,1-mod(t\\,0.6)/0.01)"
                                  "+0.01*sin(2*PI*110*t)"),
                   seconds, {"-c:a", "pcm_s16le"}, path))
        return 1;
    AudioInfo clip;
    if (!importMeasured(path, clip)) {
        std::fprintf(stderr, "measuring the click track failed\n");
        return 1;
    }
    StoryBoard board;
    board.photos.resize(25);
    board.setPhotoDurationMs(3000);
    board.audios = {clip};
    board.beatCut = true;
    std::printf("click track at 100 beats a minute, %lld beats found; 25 photos of 3 s at %.0f "
                "frames/s\n",
                qint64(clip.beats.size()), FrameRate);
    for (int transitionMs : {1000, 0}) {
        int changes = 0;
        const double share = changesOnClicks(board, transitionMs, &changes);
        std::printf("  %s: %.0f %% of %d changes within one frame of a click\n",
                    transitionMs > 0 ? "1 s transitions" : "cuts", share * 100.0, changes);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    QTemporaryDir dir;
    if (ffmpeg.isEmpty() || !dir.isValid()) {
        std::fprintf(stderr, "needs the ffmpeg program and a temporary folder\n");
        return 1;
    }
    if (const int failed = measureImport(ffmpeg, dir.path()))
        return failed;
    return measureBeatCut(ffmpeg, dir.path());
}
