// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class StoryBoard;
struct ShowTimeline;

// One subtitle: the caption of a photo over the photo's time on the show's timeline (from its
// first frame alone on screen to the end of its transition to the next).
struct SubtitleCue
{
    qint64 startMs = 0;
    qint64 endMs = 0;
    QString text;
};

// The captions of board as cues on timeline at frameRate, in show order.
QList<SubtitleCue> subtitleCues(const StoryBoard &board, const ShowTimeline &timeline,
                                double frameRate);
// The cues as a SubRip file (UTF-8, numbered from 1, "HH:MM:SS,mmm --> HH:MM:SS,mmm").
QByteArray subRipText(const QList<SubtitleCue> &cues);
// The subtitle codec the encoder writes into a container of extension ext: "mov_text" for the
// MP4 family, "srt" for Matroska; empty where no text track is carried.
QString subtitleCodecFor(const QString &ext);
// A multiplexing or re-encoding command line of the encoder ("... -i video -i audio ... -y
// "out"") with the SubRip file srtPath as a further input, mapped as a text track of codec that
// players leave off until chosen. The command line unchanged when it has not that shape.
QString withSubtitleInput(const QString &commandLine, const QString &srtPath, const QString &codec);
