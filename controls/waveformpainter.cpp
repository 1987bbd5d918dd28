// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/waveformpainter.h"

#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>

void paintWaveform(QPainter &painter, const QRect &rect, const QByteArray &pairs,
                   const QColor &colour, double from, double to)
{
    const int count = int(pairs.size() / 2);
    if (count == 0 || rect.width() <= 0 || rect.height() <= 0 || !(to > from))
        return;
    painter.save();
    painter.setPen(colour);
    const double middle = rect.top() + (rect.height() - 1) / 2.0;
    const double half = (rect.height() - 1) / 2.0;
    const double perColumn = (to - from) * count / rect.width();
    for (int x = 0; x < rect.width(); ++x) {
        const int first = std::clamp(int(std::floor(from * count + x * perColumn)), 0, count - 1);
        const int last
            = std::clamp(int(std::ceil(from * count + (x + 1) * perColumn)) - 1, first, count - 1);
        int low = 127;
        int high = -127;
        for (int i = first; i <= last; ++i) {
            low = std::min(low, int(qint8(pairs.at(2 * i))));
            high = std::max(high, int(qint8(pairs.at(2 * i + 1))));
        }
        if (high < low)
            continue;
        const int top = int(std::lround(middle - high * half / 127.0));
        const int bottom = int(std::lround(middle - low * half / 127.0));
        painter.drawLine(rect.left() + x, top, rect.left() + x, bottom);
    }
    painter.restore();
}
