// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

class ZomProfileData;
struct MediaFormat;

// Sets the output format from a profile's "s" (frame size), "r" (frame rate), "ac" (channels)
// and "ar" (sample rate). A value containing "ignore" or "auto" does not count: the size is then
// 640 x 480 and the others keep their values. The width is rounded down to a multiple of 4 and
// the height to an even number; aspect becomes width / height; bitsPerSample is kept. A value
// that counts but is not usable (not a size the encoder reads, as "720x576" or "pal"; a rate or
// count that is not positive) is treated as one that does not count.
void formatFromProfile(const ZomProfileData &profile, MediaFormat &format);

// The shape of a show's frames as width to height: 16:9, 9:16 (phones), 1:1, 4:5.
struct FrameShape
{
    int across = 0;
    int down = 0;
    bool isValid() const { return across > 0 && down > 0; }
};

// "W:H" with two positive whole numbers (at most 100 each); anything else is not a shape.
FrameShape parseFrameShape(const QString &text);
// The frame size of a shape at the resolution class of a profile's size: the shorter side of
// the size the profile gives (read as formatFromProfile reads it) stays, the other side follows
// the shape. The width is made a multiple of 4 and the height even, so that the size reaches
// the writer and the encoder as it is.
QSize shapedFrameSize(const ZomProfileData &profile, FrameShape shape);
// Sets the profile's "s" to that size. An invalid shape leaves the profile as it is.
void applyFrameShape(ZomProfileData &profile, FrameShape shape);
