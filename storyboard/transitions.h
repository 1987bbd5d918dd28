// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"

#include <QString>
#include <array>
#include <cstdint>

class Picture;

// The rules of transitions, wipe patterns and the zoom effect, free of GL so they can be used
// and tested anywhere. The drawer applies the alpha rules; the renderer picks kinds and progress.

// Wipe softness used by the renderer, and the reference frame the zoom paths are given in.
inline constexpr double WipeSoftness = 0.1;
inline constexpr double ZoomReferenceWidth = 720.0;
inline constexpr double ZoomReferenceHeight = 540.0;

// Reads a wipe-pattern image (format from content, any colour) into picture as width x height
// 8-bit grey, scaled bicubically; rows top-first as in the file. picture is (re)allocated when it
// is not already GRAY8 of that size. On a file that cannot be decoded it returns false and leaves
// an all-zero picture, so that the wipe degrades to a plain cut at its end.
bool loadPatternPicture(const QString &path, Picture &picture, int width, int height);

// How the transition out of photo outgoing is drawn: by the photo's own choice, a dissolve or the
// named pattern; else a dissolve when dissolveOnly is on (and the photo has no choice of its own)
// or there are no patterns, else a wipe with the pattern at position (outgoing mod number of
// patterns).
struct TransitionKind
{
    bool dissolve = true;
    int patternIndex = -1;
    QString patternPath;
};
TransitionKind transitionKind(const StoryBoard &board, int outgoing);

// Progress D of a transition frame f frames into its period (0 shows only the outgoing photo,
// 1 only the incoming one), clamped to 0..1. Durations in seconds, frameRate in frames/s.
double transitionProgress(double f, double photoDuration, double transitionDuration,
                          double frameRate);

// Zoom progress of the photo alone or outgoing at frame f of its period, and of the incoming
// photo during a transition; lifeFrames is (P + 2 Te) F. Transition frames clamp to 0..1.
double outgoingZoomProgress(double f, double effectiveTransition, double frameRate,
                            double lifeFrames, bool clamp);
double incomingZoomProgress(double f, double photoDuration, double frameRate, double lifeFrames);

// The layer transform of a photo at zoom progress x (0..1) in a width x height frame. Translate
// paths are scaled from the 720 x 540 reference frame; rotate paths keep the angle in degrees.
// With useZoom off, or a path kind that is neither, the values are zero.
LayerFx zoomAt(double progress, const ImageInfo &info, bool useZoom, int width, int height);

// Alpha per grey level for a wipe at threshold t (1 - D) with soft edge s: 0 below
// trunc((t - w) 255), 255 from trunc((t + w) 255), a linear ramp between; w = sin(pi t) s.
using WipeTable = std::array<double, 256>;
void buildWipeTable(WipeTable &table, double threshold, double softness);

// The alpha byte a dissolve at progress D gives every pixel: trunc(D 255).
uint8_t dissolveAlpha(double progress);

// Copies incoming (BGRA) into scratch (width x height x 4 bytes, rows packed) and rewrites every
// alpha byte: to alpha, or to trunc(table[grey]) of the pattern pixel at the same row and column.
// incoming and pattern must be frame-sized; false (scratch untouched) when they are not.
bool applyDissolveAlpha(uint8_t *scratch, int width, int height, const Picture &incoming,
                        uint8_t alpha);
bool applyWipeAlpha(uint8_t *scratch, int width, int height, const Picture &incoming,
                    const Picture &pattern, const WipeTable &table);
