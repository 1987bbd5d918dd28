// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/storyboard.h"

#include "zofc/zopref.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
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

int StoryBoard::photoDurationMsAt(int index) const
{
    const int own = photos.at(index).own.durationMs;
    return own > 0 ? own : photoDurationMs;
}

int StoryBoard::transitionMsAfter(int index) const
{
    if (index < 0 || index >= photos.size() - 1)
        return 0;
    const PhotoSettings &own = photos.at(index).own;
    if (own.transition == TransitionStyle::Cut)
        return 0;
    if (own.transition == TransitionStyle::Album && !useTransition)
        return 0;
    return own.transitionMs > 0 ? own.transitionMs : transitionDurationMs;
}

qint64 StoryBoard::totalDurationMs() const
{
    qint64 ms = 0;
    for (int i = 0; i < photos.size(); ++i)
        ms += photoDurationMsAt(i) + transitionMsAfter(i);
    return ms;
}

double StoryBoard::totalDuration() const
{
    return totalDurationMs() / 1000.0;
}

const CaptionStyle &StoryBoard::captionStyleAt(int index) const
{
    const Caption &caption = photos.at(index).caption;
    return caption.ownStyle ? caption.style : captionStyle;
}

bool StoryBoard::hasCaptions() const
{
    return std::any_of(photos.cbegin(), photos.cend(),
                       [](const ImageInfo &info) { return !info.caption.isEmpty(); });
}

double StoryBoard::totalAudioDuration() const
{
    double sum = 0.0;
    double previous = 0.0;
    const double crossfade = crossfadeMs / 1000.0;
    for (const AudioInfo &clip : audios) {
        const double length = clip.clipEnd - clip.clipStart;
        if (!(length > 0.0))
            continue;
        if (previous > 0.0)
            sum -= clipOverlap(previous, length, crossfade);
        sum += length;
        previous = length;
    }
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

std::optional<SyncedDurations> syncDurations(const StoryBoard &board, double frameRate)
{
    const auto n = board.photos.size();
    if (n <= 0 || frameRate <= 0.0)
        return std::nullopt;
    const int frameMs = static_cast<int>(1000.0 / frameRate);
    if (frameMs <= 0)
        return std::nullopt;
    constexpr double shortest = 1000.0;
    constexpr double longest = 999000.0;
    double holds = board.totalAudioDuration() * 1000.0;
    for (int i = 0; i < n; ++i)
        holds -= board.transitionMsAfter(i);

    // Group 0 is every photo that follows the album; each other photo is a group of its own.
    struct Group
    {
        double base = 0.0;
        int count = 0;
        bool atShortest = false;
    };
    QList<Group> groups {{double(board.photoDurationMs), 0, false}};
    QList<int> groupOf(n, 0);
    for (int i = 0; i < n; ++i) {
        const int own = board.photos.at(i).own.durationMs;
        if (own > 0) {
            groupOf[i] = static_cast<int>(groups.size());
            groups.append({double(own), 1, false});
        } else {
            ++groups[0].count;
        }
    }
    // Photos that would fall below the shortest are held that long, and the others share what
    // is left; each round fixes at least one more group, so it ends.
    double factor = 0.0;
    for (;;) {
        double rest = holds;
        double scaled = 0.0;
        for (const Group &g : std::as_const(groups)) {
            if (g.atShortest)
                rest -= shortest * g.count;
            else
                scaled += g.base * g.count;
        }
        if (!(scaled > 0.0) || !(rest > 0.0))
            return std::nullopt;
        factor = rest / scaled;
        bool fixed = false;
        for (Group &g : groups) {
            if (g.count > 0 && !g.atShortest && g.base * factor < shortest - 1e-6) {
                g.atShortest = true;
                fixed = true;
            }
        }
        if (!fixed)
            break;
    }
    const auto wholeFrames = [frameMs](double ms) {
        const int whole = static_cast<int>(ms + 1e-6);
        return frameMs * (whole / frameMs + 1);
    };
    QList<int> groupMs;
    for (const Group &g : std::as_const(groups)) {
        const double ms = g.atShortest ? shortest : g.base * factor;
        if (g.count > 0 && ms > longest)
            return std::nullopt;
        // The frame added may not take a hold past what a show file keeps.
        groupMs.append(g.count == 0 ? 0 : std::min(wholeFrames(ms), PhotoSettings::MaxDurationMs));
    }
    SyncedDurations synced;
    synced.albumMs = groups[0].count > 0 ? groupMs[0] : board.photoDurationMs;
    synced.ownMs.resize(n);
    for (int i = 0; i < n; ++i)
        synced.ownMs[i] = groupOf[i] == 0 ? 0 : groupMs[groupOf[i]];
    return synced;
}

int syncPhotoDurationMs(const StoryBoard &board, double frameRate)
{
    const std::optional<SyncedDurations> synced = syncDurations(board, frameRate);
    return synced ? synced->albumMs : -1;
}

void applySyncedDurations(StoryBoard &board, const SyncedDurations &synced)
{
    board.setPhotoDurationMs(synced.albumMs);
    for (int i = 0; i < board.photos.size() && i < synced.ownMs.size(); ++i)
        board.photos[i].own.durationMs = synced.ownMs.at(i);
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
