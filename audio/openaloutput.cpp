// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/openaloutput.h"

#include "clib/handles.h"
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <QDebug>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>

namespace {

// The loopback mixer's own format; sources at other rates are resampled by OpenAL.
constexpr int loopbackRate = 48000;
constexpr int loopbackChannels = 2;
// Sample frames mixed per call while catching up with the clock.
constexpr int mixChunkFrames = 1024;
// After a longer stall than this the clock drops the excess instead of mixing it all: the
// source has long run dry by then, as it would have on a device.
constexpr int maxCatchUpSeconds = 16;

std::atomic_bool clockNoticeGiven {false};

} // namespace

// The device and context every output plays on and, without an output device, the loopback
// mixer's clock. Shared by the outputs alive at one time.
struct OpenALOutput::Mixer
{
    Mixer();
    bool openLoopback();
    bool makeCurrent();
    void advanceClock();

    // Declared in this order so that the context goes before its device.
    ALDevicePtr device;
    ALContextPtr context;

    bool loopback = false;
    int mixRate = 0;
    void (*renderSamples)(ALCdevice *, void *, int) = nullptr;
    QElapsedTimer clock;
    long long mixedFrames = 0;
    std::vector<short> mixScratch;
    // Outputs that play now.
    int sounding = 0;
    // The output device rests (pauseDevice()).
    bool paused = false;
};

// Outputs are made and used on one thread only.
std::weak_ptr<OpenALOutput::Mixer> &OpenALOutput::sharedMixer()
{
    static std::weak_ptr<Mixer> mixer;
    return mixer;
}

OpenALOutput::Mixer::Mixer()
{
    device.reset(alcOpenDevice(nullptr));
    if (device) {
        context.reset(alcCreateContext(device.get(), nullptr));
        if (!context)
            qWarning("OpenALOutput: no context on the output device");
    } else {
        if (!clockNoticeGiven.exchange(true))
            qDebug("%s", ClockNotice);
        if (!openLoopback())
            qWarning("OpenALOutput: no loopback device either; the preview cannot keep time");
    }
}

bool OpenALOutput::Mixer::openLoopback()
{
    using OpenLoopback = ALCdevice *(ALC_APIENTRY *)(const ALCchar *);
    using FormatSupported = ALCboolean(ALC_APIENTRY *)(ALCdevice *, ALCsizei, ALCenum, ALCenum);
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback"))
        return false;
    const auto openDevice
        = reinterpret_cast<OpenLoopback>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    const auto supported = reinterpret_cast<FormatSupported>(
        alcGetProcAddress(nullptr, "alcIsRenderFormatSupportedSOFT"));
    renderSamples = reinterpret_cast<decltype(renderSamples)>(
        alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!openDevice || !supported || !renderSamples)
        return false;
    device.reset(openDevice(nullptr));
    if (!device || !supported(device.get(), loopbackRate, ALC_STEREO_SOFT, ALC_SHORT_SOFT)) {
        device.reset();
        return false;
    }
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                 ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,
                                 ALC_SHORT_SOFT,
                                 ALC_FREQUENCY,
                                 loopbackRate,
                                 0};
    context.reset(alcCreateContext(device.get(), attributes));
    if (!context) {
        device.reset();
        return false;
    }
    loopback = true;
    mixRate = loopbackRate;
    mixScratch.assign(static_cast<size_t>(mixChunkFrames) * loopbackChannels, 0);
    return true;
}

bool OpenALOutput::Mixer::makeCurrent()
{
    if (!context)
        return false;
    if (alcGetCurrentContext() == context.get())
        return true;
    return alcMakeContextCurrent(context.get()) == ALC_TRUE;
}

void OpenALOutput::Mixer::advanceClock()
{
    if (!loopback || !clock.isValid())
        return;
    const long long due = clock.nsecsElapsed() * mixRate / 1000000000LL;
    const long long limit = static_cast<long long>(mixRate) * maxCatchUpSeconds;
    if (due - mixedFrames > limit)
        mixedFrames = due - limit;
    while (mixedFrames < due) {
        const auto frames
            = static_cast<int>(std::min<long long>(due - mixedFrames, mixChunkFrames));
        renderSamples(device.get(), mixScratch.data(), frames);
        mixedFrames += frames;
    }
}

OpenALOutput::OpenALOutput(int bufferCount)
{
    mixer = sharedMixer().lock();
    if (!mixer) {
        mixer = std::make_shared<Mixer>();
        sharedMixer() = mixer;
    }
    if (!makeCurrent())
        return;

    alGetError();
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        qWarning("OpenALOutput: cannot create a source");
        source = 0;
        return;
    }
    buffers.resize(static_cast<size_t>(std::max(bufferCount, 0)));
    alGenBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
    if (alGetError() != AL_NO_ERROR) {
        qWarning("OpenALOutput: cannot create %d buffers", bufferCount);
        buffers.clear();
        return;
    }
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSource3f(source, AL_VELOCITY, 0.0f, 0.0f, 0.0f);
    alSource3f(source, AL_DIRECTION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
}

OpenALOutput::~OpenALOutput()
{
    setSounding(false);
    if (makeCurrent()) {
        if (source) {
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
            alDeleteSources(1, &source);
        }
        if (!buffers.empty())
            alDeleteBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
    }
}

bool OpenALOutput::usesClock() const
{
    return mixer->loopback;
}

bool OpenALOutput::makeCurrent()
{
    return mixer->makeCurrent();
}

void OpenALOutput::setSounding(bool on)
{
    if (on == sounding)
        return;
    sounding = on;
    mixer->sounding += on ? 1 : -1;
    if (mixer->sounding == 0)
        mixer->clock.invalidate();
}

void OpenALOutput::fillBuffer(unsigned name, const void *pcm, int bytes, int channels, int rate)
{
    if (!makeCurrent())
        return;
    alBufferData(name, channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pcm, bytes, rate);
}

void OpenALOutput::playQueued(const unsigned *names, int count)
{
    if (!isValid() || !makeCurrent())
        return;
    alSourceRewind(source);
    alSourceQueueBuffers(source, count, names);
    alSourcePlay(source);
    setSounding(true);
    // The clock starts with the first output that plays; others join it where it is.
    if (mixer->loopback && mixer->sounding == 1) {
        mixer->mixedFrames = 0;
        mixer->clock.start();
    }
}

int OpenALOutput::processedBuffers()
{
    if (!isValid() || !makeCurrent())
        return 0;
    mixer->advanceClock();
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    return processed;
}

void OpenALOutput::unqueue(unsigned *names, int count)
{
    if (isValid() && makeCurrent())
        alSourceUnqueueBuffers(source, count, names);
}

void OpenALOutput::queue(const unsigned *names, int count)
{
    if (isValid() && makeCurrent())
        alSourceQueueBuffers(source, count, names);
}

int OpenALOutput::queuedBuffers()
{
    ALint queued = 0;
    if (isValid() && makeCurrent())
        alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
    return queued;
}

bool OpenALOutput::sourceStopped()
{
    ALint state = AL_INITIAL;
    if (isValid() && makeCurrent())
        alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_STOPPED;
}

void OpenALOutput::resume()
{
    if (isValid() && makeCurrent())
        alSourcePlay(source);
}

void OpenALOutput::stop()
{
    setSounding(false);
    if (!isValid() || !makeCurrent())
        return;
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
}

void OpenALOutput::pauseDevice()
{
    if (mixer->loopback || !mixer->device
        || !alcIsExtensionPresent(mixer->device.get(), "ALC_SOFT_pause_device"))
        return;
    const auto pause = reinterpret_cast<LPALCDEVICEPAUSESOFT>(
        alcGetProcAddress(mixer->device.get(), "alcDevicePauseSOFT"));
    if (pause) {
        pause(mixer->device.get());
        mixer->paused = true;
    }
}

void OpenALOutput::resumeDevice()
{
    if (!mixer->paused)
        return;
    const auto resume = reinterpret_cast<LPALCDEVICERESUMESOFT>(
        alcGetProcAddress(mixer->device.get(), "alcDeviceResumeSOFT"));
    if (resume)
        resume(mixer->device.get());
    mixer->paused = false;
}

void OpenALOutput::setGain(float gain)
{
    if (isValid() && makeCurrent())
        alSourcef(source, AL_GAIN, std::max(gain, 0.0f));
}

float OpenALOutput::gain()
{
    ALfloat value = 0.0f;
    if (isValid() && makeCurrent())
        alGetSourcef(source, AL_GAIN, &value);
    return value;
}

int OpenALOutput::sizeOfBuffer(unsigned name)
{
    ALint size = 0;
    if (makeCurrent())
        alGetBufferi(name, AL_SIZE, &size);
    return size;
}
