// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/loudness.h"

#include "storyboard/storyboard.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Floor = -70.0;

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

bool LoudnessMeter::start(int channels, int sampleRate)
{
    state.reset();
    channelCount = 0;
    added = 0;
    if (channels <= 0 || sampleRate <= 0)
        return false;
    ebur128_state *raw = ebur128_init(unsigned(channels), unsigned(sampleRate),
                                      EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK);
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
            == EBUR128_SUCCESS)
        added += frames;
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
    double peak = 0.0;
    for (int c = 0; c < channelCount; ++c) {
        double p = 0.0;
        if (ebur128_true_peak(state->handle.get(), unsigned(c), &p) == EBUR128_SUCCESS)
            peak = std::max(peak, p);
    }
    return peak > 0.0 ? std::max(Floor, 20.0 * std::log10(peak)) : Floor;
}
