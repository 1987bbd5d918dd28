// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class StoryBoard;

// The beats of the show's music, in milliseconds from the start of the show: each clip's beats
// between its in- and out-points, where the clip plays on the sound track (each clip overlapping
// the one before by the crossfade); with looping the music repeats up to untilMs. Sorted.
QList<qint64> showBeatsMs(const StoryBoard &board, qint64 untilMs);

// How long each photo is held when every photo change (the middle of a transition, or a cut)
// moves to the nearest beat: by no more than half the photo's own hold, and never leaving a
// photo held under a second. The last photo ends where it did, so the show keeps its length.
// A change with no beat within reach stays where it was.
QList<int> beatHoldsMs(const StoryBoard &board, const QList<qint64> &beats);
