// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <vector>

class OpenALOutput;

// Keeps one streaming source fed: each buffer holds one unit of sound (a video frame's worth
// for the preview, 1/25 s for a clip), given by a supplier that may not have the next unit yet.
// Buffers it could not fill wait aside, in order, and are filled and queued at a later poll, so
// that nobody waits for the supplier. Where the device does not play in real time (it takes
// buffers but plays none of them for StallMs, or it gets through them more than a second ahead
// of real time, as a sink that discards the sound may), the source is stopped, the device is
// paused and a clock counts the units instead, still taking them from the supplier, until the
// next start tries the device again.
// Not thread-safe: every call belongs to the thread that made it.
class SourceFeeder
{
public:
    // Gives buffer name the next unit of sound; false when that is not there yet.
    using Supply = std::function<bool(unsigned name)>;
    static constexpr int StallMs = 1000;
    static constexpr const char *StallNotice
        = "SourceFeeder: the sound device does not play in real time; keeping time with a clock "
          "instead";

    SourceFeeder(int bufferCount, double unitsPerSecond);
    ~SourceFeeder();
    SourceFeeder(const SourceFeeder &) = delete;
    SourceFeeder &operator=(const SourceFeeder &) = delete;

    OpenALOutput &output() const { return *out; }
    void setUnitsPerSecond(double rate) { unitsPerSecond = rate; }

    // Stops, then queues as many buffers as supply fills, in order, and plays them.
    void start(const Supply &supply);
    // The units played since the last poll (all that were queued when the source ran dry).
    // Their buffers and those waiting aside are filled again as far as supply gives and queued
    // behind the others; a source that ran dry plays on.
    int poll(const Supply &supply);
    void stop();

    bool isPlaying() const { return playing; }
    // Whether the last poll found the source stopped after playing all it had been given.
    bool ranDry() const { return dry; }
    // Whether the clock stands in for a device that does not play in real time.
    bool keepsClock() const { return clockInstead; }

private:
    // Takes the count oldest buffers off the source and puts them aside.
    void recycle(int count);
    // Fills the buffers aside in order as far as supply gives and queues them; how many.
    int feed(const Supply &supply);
    int pollClock(const Supply &supply);
    void switchToClock();

    std::unique_ptr<OpenALOutput> out;
    double unitsPerSecond = 25.0;
    std::vector<unsigned> aside; // oldest first
    std::vector<unsigned> scratch;
    QElapsedTimer sinceProgress;
    QElapsedTimer sinceStart;
    qint64 unitsPlayed = 0; // since the start, by the device's count
    QElapsedTimer clock;
    qint64 clockUnits = 0; // units counted, or skipped for want of sound, since the clock started
    bool playing = false;
    bool dry = false;
    bool clockInstead = false;
};
