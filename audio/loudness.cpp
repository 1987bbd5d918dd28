// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/loudness.h"

#include "audio/peaklimiter.h"

#include "storyboard/storyboard.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Floor = -70.0;
// The stretch of frames over which the limiter's scan decides whether to interpolate.
constexpr int64_t ScanBlock = 64;
constexpr int Taps = 2 * PeakLimiter::HalfTaps;

struct Ebur128Deleter
{
    void operator()(ebur128_state *s) const { ebur128_destroy(&s); }
};

} // namespace

struct LoudnessMeter::State
{
    std::unique_ptr<ebur128_state, Ebur128Deleter> handle;
};

double loudnessGain(const AudioInfo &clip, int targetLufs)
{
    if (targetLufs == 0 || !clip.measured || !(clip.loudness > Floor)
        || !std::isfinite(clip.loudness))
        return 1.0;
    const double db = std::min(LoudnessMaxGainDb, targetLufs - clip.loudness);
    return std::pow(10.0, db / 20.0);
}

LoudnessMeter::LoudnessMeter() = default;
LoudnessMeter::~LoudnessMeter() = default;

bool LoudnessMeter::start(int channels, int sampleRate, PeakScan scan)
{
    state.reset();
    channelCount = 0;
    added = 0;
    peakScan = scan;
    window.assign(size_t(std::max(0, channels)) * (Taps - 1), 0.0f);
    scannedPeak = 0.0;
    if (channels <= 0 || sampleRate <= 0)
        return false;
    ebur128_state *raw
        = ebur128_init(unsigned(channels), unsigned(sampleRate),
                       EBUR128_MODE_I | (scan == PeakScan::Library ? EBUR128_MODE_TRUE_PEAK : 0));
    if (!raw)
        return false;
    state = std::make_unique<State>();
    state->handle.reset(raw);
    channelCount = channels;
    return true;
}

void LoudnessMeter::add(const int16_t *samples, int64_t frames)
{
    if (state && frames > 0
        && ebur128_add_frames_short(state->handle.get(), samples, size_t(frames))
            == EBUR128_SUCCESS) {
        added += frames;
        if (peakScan == PeakScan::Limiter)
            scanPeaks(samples, frames);
    }
}

void LoudnessMeter::scanPeaks(const int16_t *samples, int64_t frames)
{
    // The window holds the last Taps - 1 frames before these, so that every point between two
    // samples is interpolated exactly once over the whole sound.
    const size_t kept = size_t(channelCount) * (Taps - 1);
    window.resize(kept + size_t(frames) * channelCount);
    std::transform(samples, samples + frames * channelCount, window.begin() + kept,
                   [](int16_t v) { return float(v) / 32768.0f; });
    const double bound = PeakLimiter::intersampleGain();
    for (int64_t first = 0; first < frames; first += ScanBlock) {
        const int64_t count = std::min(ScanBlock, frames - first);
        const float *begin = window.data() + first * channelCount;
        const float *end = begin + (count + Taps - 1) * channelCount;
        float loudest = 0.0f;
        for (const float *v = begin; v != end; ++v)
            loudest = std::max(loudest, std::abs(*v));
        // No point here can rise above the loudest sample around it times the bound.
        if (loudest * bound <= scannedPeak)
            continue;
        for (int64_t i = 0; i < count; ++i)
            for (int c = 0; c < channelCount; ++c)
                scannedPeak = std::max(
                    scannedPeak,
                    PeakLimiter::intersamplePeak(begin + i * channelCount + c, channelCount));
    }
    std::copy(window.end() - kept, window.end(), window.begin());
    window.resize(kept);
}

double LoudnessMeter::integratedLufs() const
{
    double lufs = Floor;
    if (!state || ebur128_loudness_global(state->handle.get(), &lufs) != EBUR128_SUCCESS
        || !std::isfinite(lufs))
        return Floor;
    return std::max(Floor, lufs);
}

double LoudnessMeter::truePeakDb() const
{
    if (!state)
        return Floor;
    if (peakScan == PeakScan::Limiter)
        return scannedPeak > 0.0 ? std::max(Floor, 20.0 * std::log10(scannedPeak)) : Floor;
    double peak = 0.0;
    for (int c = 0; c < channelCount; ++c) {
        double p = 0.0;
        if (ebur128_true_peak(state->handle.get(), unsigned(c), &p) == EBUR128_SUCCESS)
            peak = std::max(peak, p);
    }
    return peak > 0.0 ? std::max(Floor, 20.0 * std::log10(peak)) : Floor;
}
