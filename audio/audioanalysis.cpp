// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audioanalysis.h"

#include "audio/audiodecoder.h"
#include "audio/audioring.h"
#include "audio/loudness.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace {

// The decoder's unit of buffering while measuring: about 20 ms of sound.
constexpr int ChunkFrames = 1024;
// The beat tracker hears the sound at about this rate: beats live well below its half, and
// tracking costs a quarter of what it would at 44.1 kHz.
constexpr int BeatRate = 11025;
// The beat tracker's step (about 12 ms) and window, in sample frames at the rate it hears.
constexpr int BeatHop = 128;
constexpr int BeatWindow = 256;
// A beat found by both the tempo tracker and the onset detector within this many seconds is one.
constexpr double MinBeatGap = 0.05;
constexpr int WaveformPairs = AudioInfo::WaveformPairs;
constexpr int MaxBeats = AudioInfo::MaxBeats;

// The FFT library under the beat tracker makes its plans in shared state: files read at the same
// time make and free their trackers one at a time.
std::mutex plannerLock;

struct TempoDeleter
{
    void operator()(aubio_tempo_t *t) const { del_aubio_tempo(t); }
};
struct OnsetDeleter
{
    void operator()(aubio_onset_t *o) const { del_aubio_onset(o); }
};
struct VectorDeleter
{
    void operator()(fvec_t *v) const { del_fvec(v); }
};

// The lowest and highest value of the mono mix over equal stretches of the file.
class WaveformBuilder
{
public:
    explicit WaveformBuilder(qint64 expectedFrames)
        : stretch(std::max<qint64>(1, (expectedFrames + WaveformPairs - 1) / WaveformPairs))
    { }

    void add(int value)
    {
        low = std::min(low, value);
        high = std::max(high, value);
        if (++counted == stretch)
            close();
    }
    QByteArray finish()
    {
        if (counted > 0)
            close();
        return pairs;
    }

private:
    void close()
    {
        if (pairs.size() < 2 * WaveformPairs) {
            pairs.append(char(std::clamp(low * 127 / 32767, -127, 127)));
            pairs.append(char(std::clamp(high * 127 / 32767, -127, 127)));
        }
        low = 32767;
        high = -32768;
        counted = 0;
    }

    const qint64 stretch;
    qint64 counted = 0;
    int low = 32767;
    int high = -32768;
    QByteArray pairs;
};

// Beats from the tempo tracker, and onsets strong enough to cut on where the tracker finds no
// steady tempo (music without drums), in seconds, sorted and apart by at least MinBeatGap.
class BeatFinder
{
public:
    explicit BeatFinder(int sampleRate)
        : step(std::max(1, sampleRate / BeatRate))
    {
        const uint_t rate = uint_t(sampleRate / step);
        const std::scoped_lock locker(plannerLock);
        tempo.reset(new_aubio_tempo("default", BeatWindow, BeatHop, rate));
        onset.reset(new_aubio_onset("default", BeatWindow, BeatHop, rate));
        input.reset(new_fvec(BeatHop));
        found.reset(new_fvec(1));
        if (onset) {
            // Only clear attacks: every note of a melody is no place for a cut.
            aubio_onset_set_threshold(onset.get(), 0.6f);
            aubio_onset_set_minioi_s(onset.get(), 0.25f);
        }
    }
    ~BeatFinder()
    {
        const std::scoped_lock locker(plannerLock);
        tempo.reset();
        onset.reset();
    }
    BeatFinder(const BeatFinder &) = delete;
    BeatFinder &operator=(const BeatFinder &) = delete;
    bool isValid() const { return tempo && onset && input && found; }

    void add(float value)
    {
        // The mean of each step's samples: enough against folding for finding attacks.
        sum += value;
        if (++summed < step)
            return;
        input->data[filled++] = sum / float(step);
        sum = 0.0f;
        summed = 0;
        if (filled < BeatHop)
            return;
        filled = 0;
        aubio_tempo_do(tempo.get(), input.get(), found.get());
        if (found->data[0] != 0.0f)
            times.append(aubio_tempo_get_last_s(tempo.get()));
        aubio_onset_do(onset.get(), input.get(), found.get());
        if (found->data[0] != 0.0f)
            times.append(aubio_onset_get_last_s(onset.get()));
    }
    QList<double> finish()
    {
        std::sort(times.begin(), times.end());
        QList<double> beats;
        for (double t : std::as_const(times)) {
            if (t < 0.0 || beats.size() >= MaxBeats)
                continue;
            // One beat found by both stays one.
            if (beats.isEmpty() || t - beats.constLast() >= MinBeatGap)
                beats.append(std::round(t * 1000.0) / 1000.0);
        }
        return beats;
    }

private:
    std::unique_ptr<aubio_tempo_t, TempoDeleter> tempo;
    std::unique_ptr<aubio_onset_t, OnsetDeleter> onset;
    std::unique_ptr<fvec_t, VectorDeleter> input;
    std::unique_ptr<fvec_t, VectorDeleter> found;
    const int step;
    float sum = 0.0f;
    int summed = 0;
    int filled = 0;
    QList<double> times;
};

} // namespace

bool analyseAudio(AudioInfo &info)
{
    if (info.sampleRate <= 0 || !(info.duration > 0.0))
        return false;
    AudioInfo target;
    target.channels = 2;
    target.sampleRate = info.sampleRate;
    target.clipStart = 0.0;
    target.clipEnd = info.duration;
    const int align = target.channels * 2;
    AudioRing pcm;
    AudioDecoder decoder;
    LoudnessMeter meter;
    BeatFinder beats(target.sampleRate);
    if (!beats.isValid() || !pcm.allocate(ChunkFrames * align)
        || !meter.start(target.channels, target.sampleRate, LoudnessMeter::PeakScan::Limiter)
        || !decoder.open(info, target) || decoder.seek(0.0) < 0)
        return false;
    WaveformBuilder waveform(std::llround(info.duration * info.sampleRate));
    qint64 frames = 0;
    do {
        decoder.decodeInto(pcm, ChunkFrames * align);
        const int whole = pcm.fill() / align;
        const auto *samples = reinterpret_cast<const int16_t *>(pcm.data());
        meter.add(samples, whole);
        for (int i = 0; i < whole; ++i) {
            const int mono = (samples[2 * i] + samples[2 * i + 1]) / 2;
            waveform.add(mono);
            beats.add(float(mono) / 32768.0f);
        }
        frames += whole;
        pcm.discard(whole * align);
    } while (!decoder.clipEnded());
    if (frames == 0)
        return false;
    // To the hundredth the show file keeps, so that a show sounds the same once saved.
    info.loudness = std::round(meter.integratedLufs() * 100.0) / 100.0;
    info.truePeak = std::round(meter.truePeakDb() * 100.0) / 100.0;
    info.waveform = waveform.finish();
    info.beats = beats.finish();
    info.measured = true;
    return true;
}
