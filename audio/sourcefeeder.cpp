// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/sourcefeeder.h"

#include "audio/openaloutput.h"

#include <QDebug>
#include <algorithm>
#include <atomic>

SourceFeeder::SourceFeeder(int bufferCount, double rate)
    : out(std::make_unique<OpenALOutput>(bufferCount))
    , unitsPerSecond(rate)
{
    scratch.reserve(static_cast<size_t>(out->bufferCount()));
    aside.reserve(static_cast<size_t>(out->bufferCount()));
}

SourceFeeder::~SourceFeeder() = default;

void SourceFeeder::start(const Supply &supply)
{
    stop();
    if (!out->isValid())
        return;
    playing = true;
    // A device slow to start the first time may well keep time now.
    clockInstead = false;
    out->resumeDevice();
    for (int i = 0; i < out->bufferCount(); ++i)
        aside.push_back(out->buffer(i));
    int filled = 0;
    while (filled < static_cast<int>(aside.size()) && supply(aside[static_cast<size_t>(filled)]))
        ++filled;
    // Played even when empty, so that the source counts as sounding; it stops at once and the
    // polls start it again once buffers are queued.
    out->playQueued(aside.data(), filled);
    aside.erase(aside.begin(), aside.begin() + filled);
    sinceProgress.start();
    sinceStart.start();
    unitsPlayed = 0;
}

void SourceFeeder::stop()
{
    out->stop();
    playing = dry = false;
    aside.clear();
}

void SourceFeeder::recycle(int count)
{
    if (count <= 0)
        return;
    scratch.resize(static_cast<size_t>(count));
    out->unqueue(scratch.data(), count);
    aside.insert(aside.end(), scratch.begin(), scratch.end());
}

int SourceFeeder::feed(const Supply &supply)
{
    int filled = 0;
    while (filled < static_cast<int>(aside.size()) && supply(aside[static_cast<size_t>(filled)]))
        ++filled;
    if (filled > 0) {
        out->queue(aside.data(), filled);
        aside.erase(aside.begin(), aside.begin() + filled);
    }
    return filled;
}

int SourceFeeder::poll(const Supply &supply)
{
    dry = false;
    if (!playing)
        return 0;
    if (clockInstead)
        return pollClock(supply);
    const int queued = out->queuedBuffers();
    int played = std::min(out->processedBuffers(), queued);
    // A stopped source has played everything it holds. (OpenAL also counts buffers queued on
    // a stopped source as processed, so the count is taken before any go on again.)
    const bool stopped = out->sourceStopped();
    if (stopped)
        played = queued;
    recycle(played);
    feed(supply);
    if (!stopped && out->sourceStopped()) {
        // It ran dry while being refilled. The refilled buffers went on as one batch, too late
        // to be played; everything queued ahead of them has been.
        const int more = queued - played;
        recycle(more);
        played += more;
        feed(supply);
    }
    dry = played > 0 && out->sourceStopped();
    if (out->sourceStopped() && out->queuedBuffers() > 0)
        out->resume();

    // Checked only while the source holds sound, so that a supplier that falls behind is not
    // taken for a device that does.
    const qint64 realTime = static_cast<qint64>(sinceStart.elapsed() * unitsPerSecond / 1000.0);
    unitsPlayed += played;
    if (unitsPlayed - realTime > unitsPerSecond) {
        // Through the sound faster than it can be heard: the picture keeps to real time.
        played = static_cast<int>(std::max<qint64>(0, played - (unitsPlayed - realTime)));
        switchToClock();
    } else if (played > 0 || out->queuedBuffers() == 0) {
        sinceProgress.restart();
    } else if (sinceProgress.elapsed() >= StallMs) {
        switchToClock();
    }
    return played;
}

void SourceFeeder::switchToClock()
{
    static std::atomic<bool> warned {false};
    if (warned.exchange(true))
        qDebug("%s", StallNotice);
    else
        qWarning("%s", StallNotice);
    out->stop();
    out->pauseDevice();
    aside.clear();
    clockInstead = true;
    clock.start();
    clockUnits = 0;
}

int SourceFeeder::pollClock(const Supply &supply)
{
    const qint64 due = static_cast<qint64>(clock.elapsed() * unitsPerSecond / 1000.0) - clockUnits;
    // Every buffer is off the source: any one takes the sound that the clock has played.
    const unsigned name = out->buffer(0);
    int played = 0;
    while (played < due && played < out->bufferCount() && supply(name))
        ++played;
    // Time without sound to take is not made up later in one jump.
    clockUnits += played < due && played < out->bufferCount() ? due : played;
    return played;
}
