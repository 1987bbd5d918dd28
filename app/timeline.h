// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/mediainfowidget.h"

#include <QList>
#include <QString>

struct AudioInfo;
struct ImageInfo;
class StoryBoard;
struct ShowTimeline;

// The timeline arithmetic of the main window, apart from any widget.

// "hh:mm:ss" of a frame index at a frame rate; hours take as many digits as they need.
QString formatTimeCode(qint64 frames, double frameRate);
// "hh:mm:ss" of whole seconds.
QString formatSeconds(qint64 seconds);

// The show as its video is made: the photos and clips whose files are missing are left out.
StoryBoard withoutMissingFiles(const StoryBoard &board);

// The frame a photo-strip row starts at: even rows are photos, odd rows the transition after
// the photo before them.
int photoRowFrame(int row, const ShowTimeline &timeline);
// The frame the audio clip at index starts at: the clips before it, as trimmed, end to end.
int audioClipFrame(const QList<AudioInfo> &clips, int index, double frameRate);

// The value a click at cursorX (screen coordinates) on a slider whose groove starts at left and
// is width pixels wide jumps to, for a range 0..maximum. Clamped to the range.
int sliderValueAtCursor(int cursorX, int left, int width, int maximum);

// The shared scroll bar's value that keeps frame current in view: the strips' length in frames is
// lengthFrames, the bar is barWidth wide with the given maximum.
int scrollValueForFrame(int current, int lengthFrames, int barWidth, int maximum);

// The properties window's strings for a photo and for an audio clip.
MediaInfo photoMediaInfo(const ImageInfo &photo);
MediaInfo audioMediaInfo(const AudioInfo &clip);
