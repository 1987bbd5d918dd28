// SPDX-License-Identifier: GPL-3.0-or-later
// playshow [options] file...: plays the photos and audio files given, in that order, as one
// story board in the preview player, and quits when the show has ended (or after --seconds).
// Play, pause and the 40 ms progress update follow the main window's preview controls.
#include "audio/audiodecoder.h"
#include "audio/storyboardrender.h"
#include "preview/avplayer.h"
#include "storyboard/photoloader.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QImageReader>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

// The main window's progress period while playing.
constexpr int progressMs = 40;

void print(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays photos and audio files as a slide show."));
    parser.addHelpOption();
    const QCommandLineOption fromOption(QStringLiteral("from"),
                                        QStringLiteral("First frame to play."),
                                        QStringLiteral("frame"), QStringLiteral("0"));
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                           QStringLiteral("Stop after this many seconds."),
                                           QStringLiteral("seconds"), QStringLiteral("0"));
    const QCommandLineOption photoOption(QStringLiteral("photo-ms"),
                                         QStringLiteral("Time each photo is shown."),
                                         QStringLiteral("ms"), QStringLiteral("5000"));
    const QCommandLineOption transitionOption(QStringLiteral("transition-ms"),
                                              QStringLiteral("Length of each transition."),
                                              QStringLiteral("ms"), QStringLiteral("1500"));
    const QCommandLineOption volumeOption(QStringLiteral("volume"),
                                          QStringLiteral("Volume, 0 to 100."),
                                          QStringLiteral("volume"), QStringLiteral("100"));
    parser.addOptions({fromOption, secondsOption, photoOption, transitionOption, volumeOption});
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Photo or audio file."),
                                 QStringLiteral("file..."));
    parser.process(app);

    StoryBoard board;
    board.setPhotoDurationMs(parser.value(photoOption).toInt());
    board.setTransitionDurationMs(parser.value(transitionOption).toInt());
    board.useTransition = board.transitionDurationMs > 0;
    for (const QString &path : parser.positionalArguments()) {
        ImageInfo photo;
        photo.path = path;
        if (!QImageReader::imageFormat(path).isEmpty() && readPhotoInfo(photo)) {
            board.photos.append(photo);
            continue;
        }
        AudioInfo audio;
        audio.path = path;
        if (readAudioInfo(audio))
            board.audios.append(audio);
        else
            print(QStringLiteral("skipped %1: neither a photo nor audio").arg(path));
    }
    if (board.photos.isEmpty()) {
        print(QStringLiteral("no photos to show"));
        return 2;
    }

    const MediaFormat format;
    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    AVPlayer player;
    player.setRenderer(&render);
    player.setWindowTitle(QStringLiteral("playshow"));
    player.show();
    player.open(format);
    // Start once the window is up, so that the first paint does not hold up the first polls.
    QElapsedTimer exposing;
    exposing.start();
    while (!(player.windowHandle() && player.windowHandle()->isExposed())
           && exposing.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    player.setVolume(parser.value(volumeOption).toInt());
    const int total = render.totalFrames();
    print(QStringLiteral("%1 photos, %2 audio clips, %3 frames%4")
              .arg(board.photos.size())
              .arg(board.audios.size())
              .arg(total)
              .arg(player.usesClock() ? QStringLiteral(", no sound device") : QString()));

    const auto pause = [&] {
        player.stopPlayback();
        render.stopAudio();
        render.wait();
    };
    const int from = qBound(0, parser.value(fromOption).toInt(), qMax(total - 1, 0));
    QElapsedTimer clock;
    clock.start();
    player.seek(from);
    render.startAudio();
    player.startPlayback();

    const qint64 limitMs = qint64(parser.value(secondsOption).toDouble() * 1000.0);
    int lastSecond = 0;
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &app, [&] {
        const int frame = player.currentFrame();
        const qint64 elapsed = clock.elapsed();
        if (elapsed / 1000 > lastSecond) {
            lastSecond = int(elapsed / 1000);
            print(QStringLiteral("%1 s: frame %2").arg(lastSecond).arg(frame));
        }
        const bool ended = frame >= total;
        if (ended || (limitMs > 0 && elapsed >= limitMs)) {
            progress.stop();
            pause();
            print(QStringLiteral("%1 after %2 ms: %3 frames from frame %4")
                      .arg(ended ? QStringLiteral("ended") : QStringLiteral("stopped"))
                      .arg(elapsed)
                      .arg(frame - from)
                      .arg(from));
            // The show ends stopped at frame 0, as the main window leaves it.
            if (ended)
                player.seek(0);
            app.quit();
        }
    });
    progress.start(progressMs);
    const int result = app.exec();
    pause();
    return result;
}
