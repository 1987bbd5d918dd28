// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/audiofade.h"

#include <cmath>
#include <cstring>

void AudioFade::set(bool on, qint64 showSamples, int sampleRate)
{
    showLength = inLength = outLength = 0;
    if (!on || showSamples <= 0 || sampleRate <= 0)
        return;
    showLength = showSamples;
    inLength = std::llround(InSeconds * sampleRate);
    outLength = std::llround(OutSeconds * sampleRate);
    if (inLength + outLength > showLength) {
        inLength = std::llround(double(showLength) * InSeconds / (InSeconds + OutSeconds));
        outLength = showLength - inLength;
    }
}

double AudioFade::gainAt(qint64 s) const
{
    if (!isOn())
        return 1.0;
    if (s < 0 || s >= showLength)
        return 0.0;
    // Each sample frame takes the curve's value at its centre, so a fade of any length starts
    // above 0 and ends below 1 without a repeated sample at either end.
    constexpr double quarter = M_PI / 2.0;
    double gain = 1.0;
    if (s < inLength)
        gain *= std::sin(quarter * (double(s) + 0.5) / double(inLength));
    const qint64 left = showLength - s;
    if (left <= outLength)
        gain *= std::sin(quarter * (double(left) - 0.5) / double(outLength));
    return gain;
}

void AudioFade::apply(uint8_t *pcm, int bytes, qint64 offset, int blockAlign) const
{
    if (!isOn() || blockAlign <= 0 || bytes < 2)
        return;
    // Sample frames in [inLength, fullEnd) keep their level and are skipped.
    const qint64 fullEnd = showLength - outLength;
    const int values = bytes / 2;
    qint64 lastFrame = -1;
    double gain = 1.0;
    for (int i = 0; i < values; ++i) {
        const qint64 s = (offset + 2 * qint64 {i}) / blockAlign;
        if (s >= inLength && s < fullEnd) {
            // Jump to the first value of the fade-out (one before it, as the loop steps on).
            const qint64 next = (fullEnd * blockAlign - offset + 1) / 2;
            if (next >= values)
                return;
            i = static_cast<int>(next) - 1;
            continue;
        }
        if (s != lastFrame) {
            gain = gainAt(s);
            lastFrame = s;
        }
        int16_t value;
        std::memcpy(&value, pcm + 2 * i, sizeof value);
        value = static_cast<int16_t>(std::lround(value * gain));
        std::memcpy(pcm + 2 * i, &value, sizeof value);
    }
}
