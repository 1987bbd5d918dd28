// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <cstdint>

// The gain that fades a show's sound in at its start and out at its end, as equal-power
// (quarter-sine) curves over sample frames counted from the start of the show. The fades last
// one second in and three seconds out; a show shorter than both together shares its length
// between them in the same 1 : 3 proportion. Past the end of the show the gain is 0.
// Plain value type; the owner keeps it per thread.
class AudioFade
{
public:
    static constexpr double InSeconds = 1.0;
    static constexpr double OutSeconds = 3.0;

    // Off (gain 1 everywhere) unless on and the show has a length.
    void set(bool on, qint64 showSamples, int sampleRate);
    bool isOn() const { return showLength > 0; }
    qint64 inSamples() const { return inLength; }
    qint64 outSamples() const { return outLength; }

    // Gain of sample frame s of the show, 0 to 1.
    double gainAt(qint64 s) const;

    // Applies the gain to interleaved 16-bit PCM whose first byte lies `offset` bytes into the
    // show's sound; blockAlign is the size of one sample frame in bytes. Bytes past the last
    // whole 16-bit value are left alone.
    void apply(uint8_t *pcm, int bytes, qint64 offset, int blockAlign) const;

private:
    qint64 showLength = 0;
    qint64 inLength = 0;
    qint64 outLength = 0;
};
