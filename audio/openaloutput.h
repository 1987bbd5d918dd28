#pragma once

#include <AL/alc.h>
#include <QElapsedTimer>
#include <memory>
#include <vector>

// The preview's sound output: one OpenAL device and context, one streaming source and a fixed
// set of buffers, created once and released together.
// With no output device (none present, or a driver list that opens nothing) the source plays on
// a loopback device that this object mixes itself, paced by a monotonic clock, so that queued
// buffers still finish at real-time speed and whoever counts them keeps time.
// Not thread-safe: every call belongs to the thread that created the object (OpenAL's current
// context is process-wide; each call makes this object's context current again if needed).
class OpenALOutput
{
public:
    // Why the output runs without a device, logged once per process.
    static constexpr const char *ClockNotice
        = "AVPlayer: no sound output device; the preview keeps time with a clock instead";

    explicit OpenALOutput(int bufferCount);
    ~OpenALOutput();
    OpenALOutput(const OpenALOutput &) = delete;
    OpenALOutput &operator=(const OpenALOutput &) = delete;

    // A context, the source and all buffers exist.
    bool isValid() const { return source != 0 && !buffers.empty(); }
    // Mixing on the loopback device in step with the clock, not on an output device.
    bool usesClock() const { return loopback; }

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

    void setGain(float gain);
    float gain();
    int sizeOfBuffer(unsigned name);

private:
    struct DeviceCloser
    {
        void operator()(ALCdevice *device) const;
    };
    struct ContextDestroyer
    {
        void operator()(ALCcontext *context) const;
    };

    bool makeCurrent();
    bool openLoopback();
    void advanceClock();

    std::unique_ptr<ALCdevice, DeviceCloser> device;
    std::unique_ptr<ALCcontext, ContextDestroyer> context;
    unsigned source = 0;
    std::vector<unsigned> buffers;

    bool loopback = false;
    int mixRate = 0;
    void (*renderSamples)(ALCdevice *, void *, int) = nullptr;
    QElapsedTimer clock;
    long long mixedFrames = 0;
    std::vector<short> mixScratch;
};
