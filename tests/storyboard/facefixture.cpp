// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/storyboard/facefixture.h"

#include <QPainter>

QRectF drawFace(QImage &image, QPointF c, double s)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const auto oval = [&](QPointF centre, double rx, double ry, QColor colour) {
        painter.setBrush(colour);
        painter.drawEllipse(centre, rx, ry);
    };
    // Sizes in hundredths of s, the oval's height being 1.16 s.
    const double u = s / 116.0;
    oval(c + QPointF(0, -12.5 * u), 55 * u, 65 * u, QColor(60, 40, 30));
    painter.setBrush(QColor(205, 160, 130));
    painter.drawRect(QRectF(c.x() - 16.7 * u, c.y() + 50 * u, 33.4 * u, 50 * u));
    oval(c, 45 * u, 58 * u, QColor(225, 180, 150));
    for (int side : {-1, 1}) {
        oval(c + QPointF(side * 18 * u, -20 * u), 12 * u, 3 * u, QColor(70, 50, 40));
        oval(c + QPointF(side * 18 * u, -10 * u), 9 * u, 5 * u, QColor(235, 235, 235));
        oval(c + QPointF(side * 18 * u, -10 * u), 4 * u, 4 * u, QColor(20, 30, 40));
    }
    oval(c + QPointF(0, 10 * u), 6 * u, 4 * u, QColor(190, 140, 110));
    oval(c + QPointF(0, 28 * u), 16 * u, 5 * u, QColor(160, 70, 70));
    const QRectF box(c.x() - 40 * u, c.y() - 30 * u, 80 * u, 70 * u);
    return QRectF(box.x() / image.width(), box.y() / image.height(), box.width() / image.width(),
                  box.height() / image.height());
}

QImage photoWithFace(QSize size, QPointF centre, double share, QRectF *faceBox)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(60, 120, 90));
    const QRectF box
        = drawFace(image, QPointF(centre.x() * size.width(), centre.y() * size.height()),
                   share * size.height());
    if (faceBox)
        *faceBox = box;
    return image;
}
