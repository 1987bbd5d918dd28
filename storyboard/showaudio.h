// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QJsonObject;
struct AlbumSettings;
struct AudioInfo;

// The show file's keys of the music settings and of each clip's measures.

// Reads "crossfadeMs" and "loudness" of the show's "audio" object. A show without "loudness"
// was saved before the loudness was evened and keeps sounding as it did: off. False, with the
// reason, for a value out of its range.
bool readAudioSettings(const QJsonObject &audio, AlbumSettings &settings, QString &error);
void writeAudioSettings(QJsonObject &audio, const AlbumSettings &settings);

// A clip's measures ("measure"). They can always be taken again, so a damaged one leaves the
// clip unmeasured instead of refusing the show.
void readClipMeasures(const QJsonObject &clip, AudioInfo &info);
void writeClipMeasures(QJsonObject &clip, const AudioInfo &info);
