// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <AL/alc.h>
#include <memory>
#include <vector>

// A sound output: one streaming OpenAL source and a fixed set of buffers, created once and
// released together. Every output of the process plays on one device and context: the first
// output opens them, later ones (the preview's and the audio editing dialog's) add their source
// to it, and the last one closes them.
// With no output device (none present, or a driver list that opens nothing) the sources play on
// a loopback device that the outputs mix themselves, paced by a monotonic clock that runs while
// any of them plays, so that queued buffers still finish at real-time speed and whoever counts
// them keeps time.
// Not thread-safe: every call belongs to the thread that created the object (OpenAL's current
// context is process-wide; each call makes this object's context current again if needed).
class OpenALOutput
{
public:
    // Why the output runs without a device, logged once per process.
    static constexpr const char *ClockNotice
        = "OpenALOutput: no sound output device; the preview keeps time with a clock instead";

    explicit OpenALOutput(int bufferCount);
    ~OpenALOutput();
    OpenALOutput(const OpenALOutput &) = delete;
    OpenALOutput &operator=(const OpenALOutput &) = delete;

    // A context, the source and all buffers exist.
    bool isValid() const { return source != 0 && !buffers.empty(); }
    // Mixing on the loopback device in step with the clock, not on an output device.
    bool usesClock() const;

    int bufferCount() const { return static_cast<int>(buffers.size()); }
    unsigned buffer(int index) const { return buffers.at(static_cast<size_t>(index)); }

    // Gives buffer name bytes of interleaved 16-bit PCM (mono or stereo) at rate Hz.
    void fillBuffer(unsigned name, const void *pcm, int bytes, int channels, int rate);
    // Rewinds the source, queues count buffers and plays them.
    void playQueued(const unsigned *names, int count);
    // Buffers the source has finished playing. Without a device the clock advances the mixer to
    // the present first.
    int processedBuffers();
    // Takes count finished buffers off the source into names, oldest first.
    void unqueue(unsigned *names, int count);
    void queue(const unsigned *names, int count);
    int queuedBuffers();
    // True when the source has played everything it was given and stopped.
    bool sourceStopped();
    // Plays the source again after it stopped.
    void resume();
    // Stops the source and detaches all its buffers.
    void stop();
    // Lets the output device rest: a device that does not play in real time may still keep its
    // mixing thread busy. Every output of the process stops sounding until resumeDevice().
    void pauseDevice();
    void resumeDevice();

    void setGain(float gain);
    float gain();
    int sizeOfBuffer(unsigned name);

private:
    struct Mixer;
    // The mixer of the outputs alive now, if any.
    static std::weak_ptr<Mixer> &sharedMixer();

    bool makeCurrent();
    // Counts this output as playing or not; the loopback clock runs while any output plays.
    void setSounding(bool on);

    std::shared_ptr<Mixer> mixer;
    unsigned source = 0;
    std::vector<unsigned> buffers;
    bool sounding = false;
};
