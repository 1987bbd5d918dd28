// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zombitratecalculator.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kilobitsPerMegabyte = 8192.0;
}

ZomBitrateCalculator::ZomBitrateCalculator(int durationMs, double sizeMB, int audioKbps,
                                           int videoKbps)
    : duration(std::max(durationMs, 0))
    , size(std::max(sizeMB, 0.0))
    , audio(std::max(audioKbps, 0))
    , video(std::max(videoKbps, 0))
{ }

double ZomBitrateCalculator::sizeFor(int durationMs, int audioKbps, int videoKbps)
{
    const double seconds = std::max(durationMs, 0) / 1000.0;
    return (std::max(audioKbps, 0) + std::max(videoKbps, 0)) * seconds / kilobitsPerMegabyte;
}

int ZomBitrateCalculator::videoRateFor(int durationMs, double sizeMB, int audioKbps)
{
    if (durationMs <= 0 || sizeMB <= 0.0)
        return 0;
    const double total = sizeMB * kilobitsPerMegabyte / (durationMs / 1000.0);
    const double rate = std::floor(total + 1e-6) - std::max(audioKbps, 0);
    return rate > 0 ? static_cast<int>(std::min(rate, 2147483647.0)) : 0;
}

void ZomBitrateCalculator::setDuration(int ms)
{
    duration = std::max(ms, 0);
    size = sizeFor(duration, audio, video);
}

void ZomBitrateCalculator::setSize(double megabytes)
{
    size = std::max(megabytes, 0.0);
    video = videoRateFor(duration, size, audio);
}

void ZomBitrateCalculator::setAudioBitrate(int kbps)
{
    audio = std::max(kbps, 0);
    video = videoRateFor(duration, size, audio);
}

void ZomBitrateCalculator::setVideoBitrate(int kbps)
{
    video = std::max(kbps, 0);
    size = sizeFor(duration, audio, video);
}
