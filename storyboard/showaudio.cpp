// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/showaudio.h"

#include "storyboard/storyboard.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Loudness and peaks of real sound lie between these; anything else is damage.
constexpr double lowestDb = -70.0;
constexpr double highestDb = 30.0;
// As the show file's longest clip: a week.
constexpr double maxClipSeconds = 7 * 24 * 3600.0;

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
    const QJsonValue beatCut = audio.value(QLatin1String("beatCut"));
    if (!beatCut.isUndefined()) {
        if (!beatCut.isBool()) {
            error = tr("audio: \"beatCut\" must be true or false");
            return false;
        }
        settings.beatCut = beatCut.toBool();
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
    audio.insert(QStringLiteral("beatCut"), settings.beatCut);
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
    const QJsonValue waveform = measure.value(QLatin1String("waveform"));
    const QByteArray::FromBase64Result pairs = QByteArray::fromBase64Encoding(
        waveform.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!waveform.isString() || !pairs || pairs.decoded.size() % 2 != 0
        || pairs.decoded.size() > 2 * AudioInfo::WaveformPairs)
        return;
    const QJsonValue beatsValue = measure.value(QLatin1String("beats"));
    const QJsonArray list = beatsValue.toArray();
    if (!beatsValue.isArray() || list.size() > AudioInfo::MaxBeats)
        return;
    QList<double> beats;
    beats.reserve(list.size());
    for (const QJsonValue &v : list) {
        const double t = v.toDouble(-1.0);
        if (!v.isDouble() || !(t >= 0.0) || t > maxClipSeconds
            || (!beats.isEmpty() && t < beats.constLast()))
            return;
        beats.append(t);
    }
    info.measured = true;
    info.loudness = loudness;
    info.truePeak = peak;
    info.waveform = pairs.decoded;
    info.beats = beats;
}

void writeClipMeasures(QJsonObject &clip, const AudioInfo &info)
{
    if (!info.measured)
        return;
    QJsonArray beats;
    for (double t : info.beats)
        beats.append(rounded(t, 1000.0));
    QJsonObject measure {
        {QStringLiteral("loudness"), rounded(info.loudness, 100.0)},
        {QStringLiteral("truePeak"), rounded(info.truePeak, 100.0)},
        {QStringLiteral("waveform"), QString::fromLatin1(info.waveform.toBase64())},
        {QStringLiteral("beats"), beats}};
    clip.insert(QStringLiteral("measure"), measure);
}
