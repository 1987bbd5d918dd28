// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/timeline.h"

#include "storyboard/showtimeline.h"
#include "storyboard/storyboard.h"
#include "zofc/zoutils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString formatTimeCode(qint64 frames, double frameRate)
{
    if (frameRate <= 0.0)
        return formatSeconds(0);
    const double f = frameRate;
    const auto h = static_cast<qint64>(frames / (3600.0 * f));
    const auto r1 = static_cast<qint64>(frames - 3600.0 * f * h);
    const auto m = static_cast<qint64>(r1 / (60.0 * f));
    const auto r2 = static_cast<qint64>(r1 - 60.0 * f * m);
    const auto s = static_cast<qint64>(r2 / f);
    return QStringLiteral("%1:%2:%3").arg(twoDigits(h), twoDigits(m), twoDigits(s));
}

QString formatSeconds(qint64 seconds)
{
    return Zo::timeText(static_cast<double>(seconds));
}

int photoRowFrame(int row, const ShowTimeline &timeline)
{
    const int photo = row / 2;
    if (row < 0 || photo >= timeline.spans.size())
        return timeline.totalFrames;
    const PhotoSpan &span = timeline.spans.at(photo);
    return row % 2 == 0 ? span.start : span.holdEnd;
}

int audioClipFrame(const QList<AudioInfo> &clips, int index, double frameRate)
{
    double seconds = 0.0;
    for (int i = 0; i < index && i < clips.size(); ++i)
        seconds += clips.at(i).clipEnd - clips.at(i).clipStart;
    return static_cast<int>(frameRate * seconds);
}

int sliderValueAtCursor(int cursorX, int left, int width, int maximum)
{
    if (width <= 0)
        return 0;
    const qint64 value = qint64(cursorX - left) * maximum / width;
    return static_cast<int>(std::clamp<qint64>(value, 0, maximum));
}

int scrollValueForFrame(int current, int lengthFrames, int barWidth, int maximum)
{
    if (lengthFrames <= 0)
        return 0;
    const int half = barWidth / 2;
    const double u = double(half + maximum) * current / lengthFrames - half;
    return u < 0.0 ? 0 : std::min(static_cast<int>(u), maximum);
}

StoryBoard withoutMissingFiles(const StoryBoard &board)
{
    StoryBoard made = board;
    made.photos.removeIf([](const ImageInfo &photo) { return photo.missing; });
    made.audios.removeIf([](const AudioInfo &clip) { return clip.missing; });
    return made;
}

MediaInfo photoMediaInfo(const ImageInfo &photo)
{
    MediaInfo info;
    info.mode = MediaInfo::Photo;
    info.fileName = QFileInfo(photo.path).fileName();
    info.format = QFileInfo(photo.path).suffix().toUpper();
    info.size = QCoreApplication::translate("MediaInfoWidget", "%1 KB").arg(photo.fileSize / 1024);
    info.resolution = QStringLiteral("%1x%2").arg(photo.width).arg(photo.height);
    const auto property = [&photo](int i) {
        return photo.exifProperties.value(i);
    };
    info.modified = property(4);
    info.make = property(0);
    info.model = property(1);
    info.software = property(2);
    info.compressedBitsPerPixel = property(5);
    info.exposureTime = property(6);
    info.fNumber = property(7);
    info.exposureMode = property(8);
    info.exposureBias = property(10);
    info.maxAperture = property(11);
    return info;
}

MediaInfo audioMediaInfo(const AudioInfo &clip)
{
    MediaInfo info;
    info.mode = MediaInfo::Audio;
    info.fileName = QFileInfo(clip.path).fileName();
    info.format = QFileInfo(clip.path).suffix().toUpper();
    info.size = QCoreApplication::translate("MediaInfoWidget", "%1 KB").arg(clip.fileSize / 1024);
    info.channels = QStringLiteral("%1").arg(clip.channels);
    info.sampleRate = QCoreApplication::translate("MediaInfoWidget", "%1 Hz").arg(clip.sampleRate);
    info.duration = formatSeconds(static_cast<qint64>(clip.duration));
    return info;
}
