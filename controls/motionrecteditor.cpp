// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/motionrecteditor.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr double gripPixels = 8.0;
// The smallest rectangle, as a share of the whole frame: closer than that the photo's pixels
// would be blown up past use.
constexpr double smallest = 0.1;

const QColor startColour(0x3c, 0xd0, 0x70);
const QColor endColour(0xff, 0x9f, 0x1c);

} // namespace

MotionRectEditor::MotionRectEditor(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("motionRectEditor"));
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void MotionRectEditor::setBounds(const QRectF &area, const QRect &frame)
{
    bounds = area;
    frameArea = frame;
    update();
}

void MotionRectEditor::setRects(const QRectF &start, const QRectF &end)
{
    rects[0] = start;
    rects[1] = end;
    update();
}

QRectF MotionRectEditor::toWidget(const QRectF &rect) const
{
    if (bounds.isEmpty())
        return QRectF();
    const double k = frameArea.width() / bounds.width();
    return QRectF(frameArea.left() + (rect.left() - bounds.left()) * k,
                  frameArea.top() + (rect.top() - bounds.top()) * k, rect.width() * k,
                  rect.height() * k);
}

QPointF MotionRectEditor::toPhoto(const QPointF &point) const
{
    const double k = bounds.width() / std::max(1, frameArea.width());
    return QPointF(bounds.left() + (point.x() - frameArea.left()) * k,
                   bounds.top() + (point.y() - frameArea.top()) * k);
}

std::pair<int, MotionRectEditor::Grip> MotionRectEditor::gripAt(const QPointF &point) const
{
    for (int i : {1, 0}) {
        const QRectF r = toWidget(rects[i]);
        const auto near = [&](const QPointF &corner) {
            return std::abs(point.x() - corner.x()) <= gripPixels
                && std::abs(point.y() - corner.y()) <= gripPixels;
        };
        if (near(r.topLeft()))
            return {i, Grip::TopLeft};
        if (near(r.topRight()))
            return {i, Grip::TopRight};
        if (near(r.bottomLeft()))
            return {i, Grip::BottomLeft};
        if (near(r.bottomRight()))
            return {i, Grip::BottomRight};
    }
    for (int i : {1, 0}) {
        if (toWidget(rects[i]).contains(point))
            return {i, Grip::Move};
    }
    return {-1, Grip::None};
}

void MotionRectEditor::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QString names[2] = {tr("Start"), tr("End")};
    const QColor colours[2] = {startColour, endColour};
    for (int i = 0; i < 2; ++i) {
        const QRectF r = toWidget(rects[i]);
        painter.setPen(QPen(colours[i], 2, i == 0 ? Qt::SolidLine : Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r);
        painter.setBrush(colours[i]);
        for (const QPointF &corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            painter.drawRect(QRectF(corner - QPointF(4, 4), QSizeF(8, 8)));
        const QRectF label = painter.boundingRect(r.adjusted(6, 6, -6, -6),
                                                  Qt::AlignLeft | Qt::AlignTop, names[i]);
        painter.fillRect(label.adjusted(-3, -1, 3, 1), QColor(0, 0, 0, 150));
        painter.setPen(colours[i]);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignTop, names[i]);
    }
}

void MotionRectEditor::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    std::tie(dragged, grip) = gripAt(event->position());
    if (dragged < 0)
        return;
    pressedAt = toPhoto(event->position());
    pressedRect = rects[dragged];
}

void MotionRectEditor::mouseMoveEvent(QMouseEvent *event)
{
    if (dragged < 0) {
        const Grip over = gripAt(event->position()).second;
        setCursor(over == Grip::Move                                       ? Qt::SizeAllCursor
                      : over == Grip::TopLeft || over == Grip::BottomRight ? Qt::SizeFDiagCursor
                      : over == Grip::None                                 ? Qt::ArrowCursor
                                                                           : Qt::SizeBDiagCursor);
        return;
    }
    const QPointF at = toPhoto(event->position());
    QRectF r = pressedRect;
    if (grip == Grip::Move) {
        r.translate(at - pressedAt);
        // Kept inside the frame's area as far as it fits.
        r.moveLeft(std::clamp(r.left(), bounds.left(),
                              std::max(bounds.left(), bounds.right() - r.width())));
        r.moveTop(std::clamp(r.top(), bounds.top(),
                             std::max(bounds.top(), bounds.bottom() - r.height())));
    } else {
        // The corner opposite the grip stays; the width follows the pointer and the height the
        // shape.
        const bool left = grip == Grip::TopLeft || grip == Grip::BottomLeft;
        const bool top = grip == Grip::TopLeft || grip == Grip::TopRight;
        const QPointF anchor(left ? pressedRect.right() : pressedRect.left(),
                             top ? pressedRect.bottom() : pressedRect.top());
        const double aspect = pressedRect.width() / pressedRect.height();
        const double roomX = left ? anchor.x() - bounds.left() : bounds.right() - anchor.x();
        const double roomY = top ? anchor.y() - bounds.top() : bounds.bottom() - anchor.y();
        double width = std::abs(at.x() - anchor.x());
        width = std::clamp(width, bounds.width() * smallest,
                           std::max(bounds.width() * smallest, std::min(roomX, roomY * aspect)));
        const double height = width / aspect;
        r = QRectF(left ? anchor.x() - width : anchor.x(), top ? anchor.y() - height : anchor.y(),
                   width, height);
    }
    rects[dragged] = r;
    update();
}

void MotionRectEditor::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || dragged < 0)
        return;
    dragged = -1;
    grip = Grip::None;
    emit rectsEdited(rects[0], rects[1]);
}
