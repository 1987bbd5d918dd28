// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct AudioInfo;

// The limiter's ceiling. Below the -1 dBTP that sharing sites ask for, so that the lossy
// encoder's own overshoot stays under it too.
inline constexpr double LoudnessCeilingDb = -1.5;
// Louder than this a clip is not raised: the gain would only lift noise.
inline constexpr double LoudnessMaxGainDb = 30.0;

// The linear gain that brings a measured clip to targetLufs; 1 when the target is off, the clip
// was not measured or is silent.
double loudnessGain(const AudioInfo &clip, int targetLufs);

// EBU R128 measure of interleaved 16-bit sound: integrated loudness and true peak. Used by one
// thread at a time.
class LoudnessMeter
{
public:
    // How the true peak is found: by the library's meter, or by the limiter's interpolator only
    // where a peak above the largest so far is possible at all (many times faster on music,
    // within a few tenths of a dB of the library's figure).
    enum class PeakScan { Library, Limiter };

    LoudnessMeter();
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter &) = delete;
    LoudnessMeter &operator=(const LoudnessMeter &) = delete;

    // Starts a new measure; false when the library refuses the format.
    bool start(int channels, int sampleRate, PeakScan scan = PeakScan::Library);
    // Adds whole sample frames.
    void add(const int16_t *samples, int64_t frames);
    bool isStarted() const { return state != nullptr; }
    // Sample frames added since start.
    int64_t frames() const { return added; }
    // -70 for silence or before start.
    double integratedLufs() const;
    // The largest true peak of all channels, in dB; -70 for silence or before start.
    double truePeakDb() const;

private:
    void scanPeaks(const int16_t *samples, int64_t frames);

    struct State;
    std::unique_ptr<State> state;
    int channelCount = 0;
    int64_t added = 0;
    PeakScan peakScan = PeakScan::Library;
    // For PeakScan::Limiter: the last frames of the previous call, then the new ones, as floats.
    std::vector<float> window;
    double scannedPeak = 0.0;
};
