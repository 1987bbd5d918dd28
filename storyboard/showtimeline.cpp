// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/showtimeline.h"

#include "storyboard/beatcut.h"
#include "storyboard/storyboard.h"

#include <algorithm>
#include <cmath>

int frameAtMs(qint64 ms, double frameRate)
{
    if (ms <= 0 || !(frameRate > 0.0))
        return 0;
    // The margin absorbs the rounding of rates such as 30000/1001 written as a double, far
    // below a frame's length.
    return static_cast<int>(std::ceil(static_cast<double>(ms) * frameRate / 1000.0 - 1e-6));
}

ShowTimeline ShowTimeline::of(const StoryBoard &board, double frameRate)
{
    ShowTimeline timeline;
    const int n = static_cast<int>(board.photos.size());
    if (n == 0 || !(frameRate > 0.0))
        return timeline;
    const double perMs = frameRate / 1000.0;
    timeline.spans.reserve(n);
    qint64 at = 0;
    double previousOut = board.effectiveTransitionMs() * perMs;
    const QList<int> holds = board.beatCut
        ? beatHoldsMs(board, showBeatsMs(board, board.totalDurationMs()))
        : QList<int>();
    for (int i = 0; i < n; ++i) {
        PhotoSpan span;
        const int hold = holds.isEmpty() ? board.photoDurationMsAt(i) : holds.at(i);
        const int out = board.transitionMsAfter(i);
        span.start = frameAtMs(at, frameRate);
        span.holdEnd = frameAtMs(at + hold, frameRate);
        span.end = frameAtMs(at + hold + out, frameRate);
        span.holdFrames = hold * perMs;
        span.inFrames = previousOut;
        span.outFrames = i == n - 1 ? board.effectiveTransitionMs() * perMs : out * perMs;
        previousOut = out * perMs;
        at += hold + out;
        timeline.spans.append(span);
    }
    timeline.totalFrames = timeline.spans.constLast().end;
    return timeline;
}

int ShowTimeline::photoAt(int k) const
{
    if (k < 0 || k >= totalFrames)
        return -1;
    const auto after
        = std::upper_bound(spans.cbegin(), spans.cend(), k,
                           [](int frame, const PhotoSpan &span) { return frame < span.start; });
    return static_cast<int>(after - spans.cbegin()) - 1;
}
