// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/cliptrack.h"

#include "storyboard/storyboard.h"

#include <algorithm>
#include <cmath>

void ClipTrack::set(const QList<qint64> &lengths, qint64 crossfade, bool loop)
{
    entries.clear();
    period = 0;
    looping = loop;
    for (int i = 0; i < lengths.size(); ++i) {
        if (lengths.at(i) > 0)
            entries.append(Entry {i, 0, lengths.at(i), 0, 0});
    }
    if (entries.isEmpty())
        return;
    qint64 at = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        Entry &e = entries[i];
        e.start = at;
        if (i + 1 < entries.size()) {
            e.fadeOut = clipOverlap(e.length, entries.at(i + 1).length, crossfade);
            entries[i + 1].fadeIn = e.fadeOut;
        }
        at += e.length - e.fadeOut;
    }
    if (loop) {
        Entry &last = entries.last();
        // A single clip crossfades into itself.
        last.fadeOut = clipOverlap(last.length, entries.constFirst().length, crossfade);
        entries.first().fadeIn = last.fadeOut;
        period = last.end() - last.fadeOut;
    }
}

std::optional<ClipTrack::Entry> ClipTrack::entry(qint64 n) const
{
    const qint64 count = entries.size();
    if (n < 0 || count == 0 || (!looping && n >= count))
        return std::nullopt;
    Entry e = entries.at(n % count);
    e.start += (n / count) * period;
    if (n == 0)
        e.fadeIn = 0;
    if (!looping && n == count - 1)
        e.fadeOut = 0;
    return e;
}

std::optional<qint64> ClipTrack::firstFrom(qint64 s) const
{
    const qint64 count = entries.size();
    if (count == 0)
        return std::nullopt;
    qint64 base = 0;
    if (looping && s > 0 && period > 0)
        base = (s / period) * count;
    // A repeat's first entries may still be ending when the next pass starts: look a pass back.
    for (qint64 n = std::max<qint64>(0, base - count);; ++n) {
        const std::optional<Entry> e = entry(n);
        if (!e)
            return std::nullopt;
        if (e->end() > s)
            return n;
    }
}

double ClipTrack::gainAt(const Entry &entry, qint64 s)
{
    const qint64 into = s - entry.start;
    if (into < 0 || into >= entry.length)
        return 0.0;
    constexpr double quarter = M_PI / 2.0;
    double gain = 1.0;
    if (into < entry.fadeIn)
        gain *= std::sin(quarter * (double(into) + 0.5) / double(entry.fadeIn));
    const qint64 outFrom = entry.length - entry.fadeOut;
    if (into >= outFrom)
        gain *= std::cos(quarter * (double(into - outFrom) + 0.5) / double(entry.fadeOut));
    return gain;
}
