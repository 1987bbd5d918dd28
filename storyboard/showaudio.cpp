// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/showaudio.h"

#include "storyboard/storyboard.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Loudness and peaks of real sound lie between these; anything else is damage.
constexpr double lowestDb = -70.0;
constexpr double highestDb = 30.0;

QString tr(const char *text)
{
    return QCoreApplication::translate("ShowFile", text);
}

double rounded(double d, double scale)
{
    return std::round(d * scale) / scale;
}

} // namespace

bool readAudioSettings(const QJsonObject &audio, AlbumSettings &settings, QString &error)
{
    const QJsonValue crossfade = audio.value(QLatin1String("crossfadeMs"));
    if (!crossfade.isUndefined()) {
        const double ms = crossfade.toDouble(-1.0);
        if (!crossfade.isDouble() || ms != std::floor(ms) || ms < 0
            || ms > AlbumSettings::MaxCrossfadeMs) {
            error = tr("audio: \"crossfadeMs\" must be a whole number from 0 to %1")
                        .arg(AlbumSettings::MaxCrossfadeMs);
            return false;
        }
        settings.crossfadeMs = int(ms);
    }
    const QJsonValue loudness = audio.value(QLatin1String("loudness"));
    settings.loudnessTarget = AlbumSettings::LoudnessOff;
    if (!loudness.isUndefined()) {
        const double lufs = loudness.toDouble(1.0);
        const auto *begin = std::begin(AlbumSettings::LoudnessTargets);
        const auto *end = std::end(AlbumSettings::LoudnessTargets);
        if (!loudness.isDouble() || std::find(begin, end, lufs) == end) {
            error = tr("audio: \"loudness\" must be 0 (off), -14, -16 or -23");
            return false;
        }
        settings.loudnessTarget = int(lufs);
    }
    return true;
}

void writeAudioSettings(QJsonObject &audio, const AlbumSettings &settings)
{
    audio.insert(QStringLiteral("crossfadeMs"), settings.crossfadeMs);
    audio.insert(QStringLiteral("loudness"), settings.loudnessTarget);
}

void readClipMeasures(const QJsonObject &clip, AudioInfo &info)
{
    const QJsonObject measure = clip.value(QLatin1String("measure")).toObject();
    const double loudness = measure.value(QLatin1String("loudness")).toDouble(NAN);
    const double peak = measure.value(QLatin1String("truePeak")).toDouble(NAN);
    const auto inRange = [](double d) {
        return std::isfinite(d) && d >= lowestDb && d <= highestDb;
    };
    if (!inRange(loudness) || !inRange(peak))
        return;
    info.measured = true;
    info.loudness = loudness;
    info.truePeak = peak;
}

void writeClipMeasures(QJsonObject &clip, const AudioInfo &info)
{
    if (!info.measured)
        return;
    QJsonObject measure {{QStringLiteral("loudness"), rounded(info.loudness, 100.0)},
                         {QStringLiteral("truePeak"), rounded(info.truePeak, 100.0)}};
    clip.insert(QStringLiteral("measure"), measure);
}
