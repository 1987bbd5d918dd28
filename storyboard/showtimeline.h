// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class StoryBoard;

// The frame at or after a time: the first frame k with k / frameRate >= ms / 1000. Worked out
// from whole milliseconds, so that 2.2 s at 25 frames/s is frame 55 and not 56.
int frameAtMs(qint64 ms, double frameRate);

// Where one photo lies on the show's timeline, in whole frames: shown alone from start to
// holdEnd, then joined to the next photo until end, which is where the next photo starts.
struct PhotoSpan
{
    int start = 0;
    int holdEnd = 0;
    int end = 0;
    // The hold and the transitions into and out of the photo, in (fractional) frames as the
    // durations give them; the photo's motion runs over inFrames + holdFrames + outFrames.
    double holdFrames = 0.0;
    double inFrames = 0.0;
    double outFrames = 0.0;
};

// The show's timeline in whole frames: every photo change falls on the frame its accumulated
// duration gives, so rounding never piles up over a long show.
struct ShowTimeline
{
    QList<PhotoSpan> spans;
    int totalFrames = 0;

    static ShowTimeline of(const StoryBoard &board, double frameRate);
    // The photo frame k belongs to (its hold or its transition out), or -1 outside the show.
    int photoAt(int k) const;
};
