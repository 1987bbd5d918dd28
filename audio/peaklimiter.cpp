// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/peaklimiter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Phases = 4;
constexpr int Taps = 2 * PeakLimiter::HalfTaps;

// Windowed-sinc interpolators for the points a quarter, a half and three quarters of the way
// from one sample to the next.
const std::array<std::array<double, Taps>, Phases - 1> &interpolators()
{
    static const auto table = [] {
        std::array<std::array<double, Taps>, Phases - 1> t {};
        for (int p = 1; p < Phases; ++p) {
            const double f = double(p) / Phases;
            for (int k = 0; k < Taps; ++k) {
                // Tap k is sample i + k - HalfTaps + 1.
                const double d = f - double(k - PeakLimiter::HalfTaps + 1);
                const double sinc = std::sin(M_PI * d) / (M_PI * d);
                const double hann = 0.5 + 0.5 * std::cos(M_PI * d / (PeakLimiter::HalfTaps + 0.5));
                t[p - 1][k] = sinc * hann;
            }
        }
        return t;
    }();
    return table;
}

} // namespace

void PeakLimiter::setup(int newChannels, int sampleRate, double ceilingDb)
{
    channels = std::max(1, newChannels);
    // 5 ms to lower the gain before a peak, about 50 ms to let it rise again: short enough that
    // a lone peak hardly lowers the loudness around it.
    lookahead = std::max(1, int(std::lround(0.005 * sampleRate)));
    release = std::exp(-1.0 / (0.05 * std::max(1, sampleRate)));
    ceiling = std::pow(10.0, ceilingDb / 20.0);
    historyFrames = latency() + Taps + 2;
    history.assign(size_t(historyFrames) * channels, 0.0f);
    window.assign(size_t(lookahead), 1.0);
    scratch.assign(Taps, 0.0f);
    reset();
}

void PeakLimiter::reset()
{
    std::fill(history.begin(), history.end(), 0.0f);
    pushed = 0;
    floors.clear();
    held = 1.0;
    std::fill(window.begin(), window.end(), 1.0);
    windowSum = double(lookahead);
    produced = 0;
}

double PeakLimiter::intersamplePeak(const float *x, int stride)
{
    double peak = std::abs(double(x[(HalfTaps - 1) * stride]));
    for (const auto &taps : interpolators()) {
        double v = 0.0;
        for (int k = 0; k < Taps; ++k)
            v += taps[k] * x[k * stride];
        peak = std::max(peak, std::abs(v));
    }
    return peak;
}

double PeakLimiter::intersampleGain()
{
    static const double gain = [] {
        double largest = 1.0;
        for (const auto &taps : interpolators()) {
            double sum = 0.0;
            for (double t : taps)
                sum += std::abs(t);
            largest = std::max(largest, sum);
        }
        return largest;
    }();
    return gain;
}

bool PeakLimiter::push(const float *frame, float *out)
{
    const auto slot = [this](long long index) {
        return history.data() + size_t(index % historyFrames) * channels;
    };
    std::copy(frame, frame + channels, slot(pushed));
    ++pushed;
    // The newest sample lets the points after sample i = pushed - HalfTaps - 1 be interpolated.
    const long long i = pushed - 1 - HalfTaps;
    if (i < 0)
        return false;
    double peak = 0.0;
    for (int c = 0; c < channels; ++c) {
        for (int k = 0; k < Taps; ++k) {
            const long long at = i - HalfTaps + 1 + k;
            scratch[k] = at >= 0 ? slot(at)[c] : 0.0f;
        }
        peak = std::max(peak, intersamplePeak(scratch.data(), 1));
    }
    const double need = peak > ceiling ? ceiling / peak : 1.0;
    while (!floors.empty() && floors.back().gain >= need)
        floors.pop_back();
    floors.push_back({i, need});
    while (floors.front().index <= i - lookahead)
        floors.pop_front();
    // The gain at sample u may be no more than what any sample of [u, u + lookahead) needs;
    // the average of lookahead such values (each window holds u) still keeps u under the
    // ceiling, and ramps the gain down smoothly.
    const long long u = i - lookahead + 1;
    if (u < 0)
        return false;
    held = std::min(floors.front().gain, 1.0 - (1.0 - held) * release);
    if (produced == 0) {
        // Sample frames before the first have no floors; counting them at the first one's keeps
        // the average under what the first frames need.
        std::fill(window.begin(), window.end(), held);
        windowSum = held * lookahead;
    }
    double &oldest = window[size_t(produced % lookahead)];
    windowSum += held - oldest;
    oldest = held;
    ++produced;
    const double gain = std::min(1.0, windowSum / lookahead);
    const float *source = slot(u);
    for (int c = 0; c < channels; ++c)
        out[c] = float(source[c] * gain);
    return true;
}
