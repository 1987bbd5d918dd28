// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>

class QPainter;
class QRect;

// Draws a clip's waveform (pairs of lowest and highest value, -127 to 127, over equal stretches
// of the file) into rect: one vertical line a column from the lowest to the highest value of the
// stretches that fall in it, for the part of the file from `from` to `to` (0 to 1).
void paintWaveform(QPainter &painter, const QRect &rect, const QByteArray &pairs,
                   const QColor &colour, double from = 0.0, double to = 1.0);
