// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The arithmetic behind the bit-rate calculator: a clip's duration, its size and its audio and
// video bit rates, kept consistent as any of them changes. Sizes are in megabytes of 1024 * 1024
// bytes and rates in kilobits of 1024 bits per second, so one megabyte is 8192 kilobits.
class ZomBitrateCalculator
{
public:
    ZomBitrateCalculator() = default;
    // The four values as given; call one of the setters to make them agree.
    ZomBitrateCalculator(int durationMs, double sizeMB, int audioKbps, int videoKbps);

    static double sizeFor(int durationMs, int audioKbps, int videoKbps);
    // The video rate that fills sizeMB over durationMs next to the audio; 0 when the audio alone
    // needs the whole size or the duration is not positive.
    static int videoRateFor(int durationMs, double sizeMB, int audioKbps);

    // Keeps both rates; the size follows.
    void setDuration(int ms);
    // Keeps the audio rate; the video rate follows.
    void setSize(double megabytes);
    // Keeps the size; the video rate follows.
    void setAudioBitrate(int kbps);
    // Keeps the audio rate; the size follows.
    void setVideoBitrate(int kbps);

    int durationMs() const { return duration; }
    double sizeInMB() const { return size; }
    int audioBitrateInKBPS() const { return audio; }
    int videoBitrateInKBPS() const { return video; }

private:
    int duration = 0;
    double size = 0.0;
    int audio = 0;
    int video = 0;
};
