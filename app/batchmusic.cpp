// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchmusic.h"

#include "storyboard/albumsettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <iterator>

std::optional<QString> applyMusicOptions(const QCommandLineParser &parser, AlbumSettings &settings)
{
    if (parser.isSet(QStringLiteral("crossfade"))) {
        const QString given = parser.value(QStringLiteral("crossfade"));
        bool ok = false;
        const double seconds = given.toDouble(&ok);
        if (!ok || !(seconds >= 0.0) || seconds * 1000.0 > AlbumSettings::MaxCrossfadeMs)
            return QCoreApplication::translate("BatchCreate",
                                               "--crossfade takes seconds from 0 to 10, not '%1'")
                .arg(given);
        settings.crossfadeMs = int(std::lround(seconds * 1000.0));
    }
    if (parser.isSet(QStringLiteral("loudness"))) {
        const QString given = parser.value(QStringLiteral("loudness"));
        bool ok = false;
        const int lufs = given.toInt(&ok);
        const auto *begin = std::begin(AlbumSettings::LoudnessTargets);
        const auto *end = std::end(AlbumSettings::LoudnessTargets);
        if (given == QLatin1String("off"))
            settings.loudnessTarget = AlbumSettings::LoudnessOff;
        else if (ok && lufs != AlbumSettings::LoudnessOff && std::find(begin, end, lufs) != end)
            settings.loudnessTarget = lufs;
        else
            return QCoreApplication::translate("BatchCreate",
                                               "--loudness takes off, -14, -16 or -23, not '%1'")
                .arg(given);
    }
    settings.beatCut = settings.beatCut || parser.isSet(QStringLiteral("beat-cut"));
    return std::nullopt;
}
