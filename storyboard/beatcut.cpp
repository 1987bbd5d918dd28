// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/beatcut.h"

#include "storyboard/storyboard.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 shortestHoldMs = 1000;

} // namespace

QList<qint64> showBeatsMs(const StoryBoard &board, qint64 untilMs)
{
    QList<qint64> beats;
    QList<const AudioInfo *> clips;
    for (const AudioInfo &clip : board.audios) {
        if (clip.clipEnd - clip.clipStart > 0.0)
            clips.append(&clip);
    }
    if (clips.isEmpty())
        return beats;
    const double crossfade = board.crossfadeMs / 1000.0;
    double start = 0.0;
    const AudioInfo *previous = nullptr;
    for (qsizetype i = 0;; ++i) {
        if (i == clips.size()) {
            if (!board.loopAudio)
                break;
            i = 0;
        }
        const AudioInfo &clip = *clips.at(i);
        const double length = clip.clipEnd - clip.clipStart;
        if (previous)
            start -= clipOverlap(previous->clipEnd - previous->clipStart, length, crossfade);
        if (start * 1000.0 >= double(untilMs))
            break;
        for (double beat : clip.beats) {
            if (beat >= clip.clipStart && beat < clip.clipEnd)
                beats.append(std::llround((start + beat - clip.clipStart) * 1000.0));
        }
        start += length;
        previous = &clip;
    }
    std::sort(beats.begin(), beats.end());
    return beats;
}

QList<int> beatHoldsMs(const StoryBoard &board, const QList<qint64> &beats)
{
    const int n = int(board.photos.size());
    QList<int> holds;
    for (int i = 0; i < n; ++i)
        holds.append(board.photoDurationMsAt(i));
    if (beats.isEmpty())
        return holds;
    qint64 at = 0;
    qint64 movedBefore = 0; // how far the previous change moved
    for (int i = 0; i + 1 < n; ++i) {
        const int hold = board.photoDurationMsAt(i);
        const int out = board.transitionMsAfter(i);
        const qint64 change = at + hold + out / 2;
        const qint64 reach = hold / 2;
        const qint64 nextHold = board.photoDurationMsAt(i + 1);
        // The nearest beat in reach that leaves both photos held long enough.
        auto first = std::lower_bound(beats.cbegin(), beats.cend(), change - reach);
        qint64 best = 0;
        bool found = false;
        for (auto it = first; it != beats.cend() && *it <= change + reach; ++it) {
            const qint64 move = *it - change;
            if (hold + move - movedBefore < shortestHoldMs || nextHold - move < shortestHoldMs)
                continue;
            if (!found || std::abs(move) < std::abs(best)) {
                best = move;
                found = true;
            }
        }
        holds[i] = int(hold + best - movedBefore);
        movedBefore = best;
        at += hold + out;
    }
    if (n > 0)
        holds[n - 1] = int(board.photoDurationMsAt(n - 1) - movedBefore);
    return holds;
}
