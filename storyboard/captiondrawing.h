// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/caption.h"

#include <QImage>
#include <QPainterPath>
#include <QRect>

class Picture;

// A caption laid out for one frame size: its glyphs as one path in frame pixels (top row 0), the
// lines' box, and what the drawing covers once outline, shadow and box are added.
struct CaptionShape
{
    QPainterPath glyphs;
    QRectF lines;
    QRect covered;
    double pixelSize = 0.0;
};

// Lays text out with the toolkit's shaping (right-to-left and combining scripts, fallback fonts)
// and places it at anchor inside the frame's safe area.
CaptionShape layoutCaption(const QString &text, CaptionAnchor anchor, const CaptionStyle &style,
                           QSize frame);

// The darkest and lightest luminance of photo (a frame-sized BGRA picture, bottom row first)
// inside area (frame pixels, top row 0), less a two-hundredth of the area at either end. Both 0
// for an empty area.
void backgroundLuminance(const Picture &photo, const QRect &area, double &darkest,
                         double &lightest);

// Draws shape with style into picture, a frame-sized BGRA picture (bottom row first) that is
// cleared to transparent first. Colours are not premultiplied, as the drawer blends them.
void drawCaption(const CaptionShape &shape, const CaptionStyle &style, Picture &picture);

// The caption of a photo drawn for a frame of picture's size over photo: the style made readable
// against the part of photo the caption may cover while the photo moves. Returns the box it
// covers (frame pixels, top row 0), empty when there is nothing to draw.
QRect renderCaption(const QString &text, CaptionAnchor anchor, const CaptionStyle &style,
                    const Picture *photo, Picture &picture);
