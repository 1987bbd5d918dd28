// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>

// How a photo leaves for the next one. Album follows the album's settings; Random is the
// program's own pick of a wipe pattern (a dissolve when there are no patterns).
enum class TransitionStyle { Album = 0, Dissolve = 1, Wipe = 2, Random = 3, Cut = 4 };

// How a photo moves while it is shown. Album is Automatic with the album's zoom on and Still with
// it off; Custom runs between the photo's own two rectangles.
enum class MotionStyle {
    Album = 0,
    Automatic = 1,
    Still = 2,
    ZoomIn = 3,
    ZoomOut = 4,
    PanLeft = 5,
    PanRight = 6,
    PanUp = 7,
    PanDown = 8,
    Custom = 9,
};

enum class Easing { Linear = 0, InOut = 1 };

// What one photo sets for itself instead of taking the album's values. The default value is
// "as the album" throughout, so a photo without settings of its own shows as every other.
struct PhotoSettings
{
    static constexpr int MinDurationMs = 1000;
    static constexpr int MaxDurationMs = 999000;
    static constexpr int MinTransitionMs = 100;
    static constexpr int MaxTransitionMs = 10000;

    int durationMs = 0; // 0: the album's photo duration
    TransitionStyle transition = TransitionStyle::Album;
    QString wipePattern; // file name in the pattern folder, for Wipe
    int transitionMs = 0; // 0: the album's transition duration
    MotionStyle motion = MotionStyle::Album;
    Easing easing = Easing::Linear;
    // For Custom: what the frame shows at the start and at the end, in pixels of the photo as
    // it is shown (after its orientation steps); frame-shaped, and may reach past the photo into
    // the area the framing fills around it.
    QRectF motionStart;
    QRectF motionEnd;

    bool operator==(const PhotoSettings &other) const = default;
    bool isAlbum() const { return *this == PhotoSettings(); }
};
