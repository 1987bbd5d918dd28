// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/storyboard.h"

#include "zofc/zopref.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>
#include <cmath>
#include <utility>

StoryBoard::StoryBoard()
    : patterns(listPatterns(ZoPref::appDir()))
{ }

void StoryBoard::setPhotoDurationMs(int ms)
{
    photoDurationMs = ms;
    photoDuration = ms / 1000.0;
}

void StoryBoard::setTransitionDurationMs(int ms)
{
    transitionDurationMs = ms;
    transitionDuration = ms / 1000.0;
}

void StoryBoard::setSettings(const AlbumSettings &settings)
{
    AlbumSettings::operator=(settings);
    setPhotoDurationMs(settings.photoDurationMs);
    setTransitionDurationMs(settings.transitionDurationMs);
}

double StoryBoard::totalDuration() const
{
    const auto n = photos.size();
    if (n <= 0)
        return 0.0;
    return n * photoDuration + (n - 1) * effectiveTransition();
}

double StoryBoard::totalAudioDuration() const
{
    double sum = 0.0;
    for (const AudioInfo &clip : audios)
        sum += clip.clipEnd - clip.clipStart;
    return sum;
}

QStringList StoryBoard::listPatterns(const QString &appDir)
{
    QString folder = appDir;
    if (!folder.endsWith(QLatin1Char('\\')) && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    folder += QLatin1String("pattern/");

    QStringList result;
    const QDir dir(folder);
    const QFileInfoList entries
        = dir.entryInfoList(QStringList {QStringLiteral("*.wpt")}, QDir::NoFilter, QDir::Unsorted);
    for (const QFileInfo &entry : entries)
        result.append(entry.absoluteFilePath());
    return result;
}

int syncPhotoDurationMs(const StoryBoard &board, double frameRate)
{
    const auto n = board.photos.size();
    if (n <= 0 || frameRate <= 0.0)
        return -1;
    const double audio = board.totalAudioDuration();
    const double transitions = board.useTransition ? (n - 1) * board.transitionDuration : 0.0;
    const double perPhoto = (audio - transitions) / n;
    if (perPhoto < 1.0 || perPhoto > 999.0)
        return -1;
    const int frameMs = static_cast<int>(1000.0 / frameRate);
    if (frameMs <= 0)
        return -1;
    const int ms = static_cast<int>(1000.0 * perPhoto);
    return frameMs * (ms / frameMs + 1);
}

ZoomPath defaultZoomFor(unsigned counter)
{
    ZoomPath zoom;
    zoom.kind = LayerFx::Translate;
    zoom.start = {-25.0f, -12.5f, 50.0f, 0.0f};
    zoom.end = {25.0f, 12.5f, 100.0f, 0.0f};
    for (int axis = 0; axis < 3; ++axis) {
        if (counter & (1u << axis))
            std::swap(zoom.start[axis], zoom.end[axis]);
    }
    return zoom;
}

ZoomPath nextDefaultZoom()
{
    static std::atomic<unsigned> counter {0};
    return defaultZoomFor(counter.fetch_add(1));
}
