// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/photofixture.h"

#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>

QImage photoLikeImage(int width, int height, quint32 seed, const PhotoLook &look)
{
    QRandomGenerator random(seed);
    QImage coarse(look.fieldWidth, look.fieldHeight, QImage::Format_RGB32);
    for (int y = 0; y < coarse.height(); ++y)
        for (int x = 0; x < coarse.width(); ++x)
            coarse.setPixel(x, y,
                            qRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
    QImage image = coarse.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < look.strokes; ++i) {
            painter.setPen(QPen(QColor::fromRgb(random.generate() | 0xFF000000u),
                                1 + random.bounded(width / look.strokeWidthDivisor + 1)));
            painter.drawLine(random.bounded(width), random.bounded(height), random.bounded(width),
                             random.bounded(height));
        }
    }
    for (int y = 0; look.grain && y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(17)) - 8;
            const QRgb p = row[x];
            row[x]
                = qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                       std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}
