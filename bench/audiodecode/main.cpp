// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long AudioDecoder takes to decode a 5-minute 44.1 kHz stereo MP3 and resample it
// to 48 kHz stereo, as a ratio against `ffmpeg -i FILE -ar 48000 -f s16le -` on the same file
// in the same process. Each side runs several times; the best run counts.

#include "audio/audiodecoder.h"
#include "audio/audioring.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 3;
constexpr double Seconds = 300.0;

// Decodes the whole file the way the writer drains the renderer's ring; returns the bytes.
qint64 decodeWithDecoder(const QString &path)
{
    AudioInfo clip;
    clip.path = path;
    if (!readAudioInfo(clip))
        return -1;
    AudioInfo target;
    target.channels = 2;
    target.sampleRate = 48000;
    target.clipStart = clip.clipStart;
    target.clipEnd = clip.clipEnd;
    const int bytesPerFrame = 48000 * 2 * 2 / 25;
    AudioRing ring;
    AudioDecoder decoder;
    if (!ring.allocate(bytesPerFrame) || !decoder.open(clip, target))
        return -1;
    qint64 total = 0;
    while (!decoder.clipEnded()) {
        decoder.decodeInto(ring, bytesPerFrame);
        total += ring.fill();
        ring.clear();
    }
    return total;
}

qint64 decodeWithProgram(const QString &ffmpeg, const QString &path)
{
    QProcess process;
    process.start(ffmpeg,
                  {"-nostdin", "-hide_banner", "-loglevel", "error", "-i", path, "-ar", "48000",
                   "-f", "s16le", "-"});
    qint64 total = 0;
    while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0) {
        if (process.bytesAvailable() == 0)
            process.waitForReadyRead(1000);
        total += process.readAllStandardOutput().size();
    }
    return process.exitCode() == 0 ? total : -1;
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
    // Two tones and a little noise per side, so the encoder spends its bits as on music.
    const QString path = dir.filePath(QStringLiteral("five minutes.mp3"));
    QProcess make;
    make.start(ffmpeg,
               {"-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                QStringLiteral("aevalsrc=0.3*sin(2*PI*440*t)+0.2*sin(2*PI*1234*t)+0.05*"
                               "(random(0)-0.5)|0.3*sin(2*PI*660*t)+0.2*sin(2*PI*987*t)+"
                               "0.05*(random(1)-0.5):s=44100:d=%1")
                    .arg(Seconds),
                "-c:a", "libmp3lame", "-b:a", "192k", path});
    if (!make.waitForFinished(600000) || make.exitCode() != 0) {
        std::fprintf(stderr, "could not write the MP3: %s\n", make.readAllStandardError().data());
        return 1;
    }

    double best = 1e30;
    double bestReference = 1e30;
    qint64 bytes = 0;
    qint64 referenceBytes = 0;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        referenceBytes = decodeWithProgram(ffmpeg, path);
        bestReference = std::min(bestReference, timer.nsecsElapsed() / 1e9);
        timer.restart();
        bytes = decodeWithDecoder(path);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    if (bytes <= 0 || referenceBytes <= 0) {
        std::fprintf(stderr, "decoding failed\n");
        return 1;
    }
    std::printf("5 min 44.1 kHz stereo MP3 -> 48 kHz stereo s16, best of %d runs\n", Runs);
    std::printf("  AudioDecoder:        %.3f s  (%.0f x real time, %lld bytes)\n", best,
                Seconds / best, bytes);
    std::printf("  ffmpeg -ar 48000:    %.3f s  (%.0f x real time, %lld bytes)\n", bestReference,
                Seconds / bestReference, referenceBytes);
    std::printf("  ratio AudioDecoder / ffmpeg: %.2f\n", best / bestReference);
    return 0;
}
