// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <deque>
#include <vector>

// Keeps interleaved float sound (full scale 1.0) under a ceiling, counting the peaks between
// samples too (four times oversampled, as true-peak meters do). It looks ahead: the gain falls
// smoothly over the lookahead before a peak and recovers after it, and every output sample
// is delayed by latency() sample frames. Below the ceiling the sound passes unchanged.
// Plain value type used by one thread.
class PeakLimiter
{
public:
    // Taps on either side of an interpolated point.
    static constexpr int HalfTaps = 4;

    void setup(int channels, int sampleRate, double ceilingDb);
    // Forgets the sound so far: the next latency() frames pushed give no output.
    void reset();
    int latency() const { return lookahead + HalfTaps - 1; }

    // Takes one sample frame; once latency() frames are in, gives the one that many frames
    // earlier, limited, in out (channels values) and returns true.
    bool push(const float *frame, float *out);

    // The largest of |x| at the samples i and at three points between i and i + 1 of a signal
    // given by its samples x[i - HalfTaps + 1 .. i + HalfTaps] (2 * HalfTaps values).
    static double intersamplePeak(const float *window, int stride);
    // The largest |value| intersamplePeak can give for samples no larger than 1 in magnitude.
    static double intersampleGain();

private:
    struct Floor
    {
        long long index;
        double gain;
    };

    int channels = 0;
    int lookahead = 1;
    double ceiling = 1.0;
    double release = 0.0;
    // The last frames pushed, newest at position (pushed - 1) % size.
    std::vector<float> history;
    int historyFrames = 0;
    long long pushed = 0;
    // The smallest gain the peaks ahead need, over the lookahead (rising gains).
    std::deque<Floor> floors;
    // The recovering gain and the window of its last values that the output gain averages.
    double held = 1.0;
    std::vector<double> window;
    double windowSum = 0.0;
    long long produced = 0;
    std::vector<float> scratch;
};
