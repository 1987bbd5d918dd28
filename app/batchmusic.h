// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QCommandLineParser;
struct AlbumSettings;

// The music options of "vellumix create" (--crossfade, --loudness) put into the settings; the
// problem when one is not understood.
std::optional<QString> applyMusicOptions(const QCommandLineParser &parser, AlbumSettings &settings);
