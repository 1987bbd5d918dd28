// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <optional>

// Where the audio clips of a show lie on its sound track, in sample frames from the start of
// the show: each clip for its own length, starting where the one before it begins to fade out,
// so that one crossfades into the next (by clipOverlap: at most half of either, so no more than
// two ever sound together). Clips of no length are left out. With looping the list repeats, and
// the last clip crossfades into the first. Plain value type.
class ClipTrack
{
public:
    // One clip's place: it sounds over [start, start + length), rising over its first fadeIn
    // sample frames and falling over its last fadeOut ones.
    struct Entry
    {
        int clip = -1;
        qint64 start = 0;
        qint64 length = 0;
        qint64 fadeIn = 0;
        qint64 fadeOut = 0;
        qint64 end() const { return start + length; }
    };

    // lengths: one per clip of the show, in sample frames.
    void set(const QList<qint64> &lengths, qint64 crossfade, bool loop);
    bool isEmpty() const { return entries.isEmpty(); }

    // The n-th clip to sound (counting the repeats when looping), none past the end.
    std::optional<Entry> entry(qint64 n) const;
    // The index of the first entry still sounding at or after sample frame s, or of the one to
    // come; none when nothing sounds from s on.
    std::optional<qint64> firstFrom(qint64 s) const;

    // The crossfade gain of an entry at sample frame s: quarter-sine rising, quarter-cosine
    // falling, each taken at the middle of the sample frame, so that the two clips of a
    // crossfade always keep the sum of their squared gains at 1 (the level does not dip). 0
    // outside the entry.
    static double gainAt(const Entry &entry, qint64 s);

private:
    // One pass of the list; the first entry's fadeIn is that of a repeat.
    QList<Entry> entries;
    qint64 period = 0;
    bool looping = false;
};
