// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a photo whose shape differs from the frame's fills it: fitted between black bars, fitted
// over a blurred, darkened copy of itself that covers the frame, or covering the frame with the
// overhang cropped evenly.
enum class Framing { Fit = 0, BlurredFit = 1, Fill = 2 };

// The album and audio settings of a show, as one value: the story board holds them, a show file
// keeps them and an edit of them can be undone. A new setting is added here; the show file's
// reader and writer then give it its key.
struct AlbumSettings
{
    int photoDurationMs = 5000;
    int transitionDurationMs = 1500;
    bool useTransition = true;
    bool dissolveOnly = false;
    bool useZoom = true;
    bool loopAudio = false;
    bool fadeInOut = false;
    Framing framing = Framing::Fit;
    // How long one audio clip overlaps the next, 0 to MaxCrossfadeMs; 0 plays them back to back.
    int crossfadeMs = 0;
    // The integrated loudness, in LUFS, the clips are evened to; 0 leaves them as they are. New
    // shows even to -14, what sharing sites play at; shows saved without it read as off.
    int loudnessTarget = -14;
    // Each photo change moves to the nearest beat of the music playing then.
    bool beatCut = false;

    static constexpr int MaxCrossfadeMs = 10000;
    static constexpr int LoudnessOff = 0;
    // The targets offered, the first being off.
    static constexpr int LoudnessTargets[] = {LoudnessOff, -14, -16, -23};

    bool operator==(const AlbumSettings &other) const = default;
};
