// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QWidget>

// Drawn over the paused preview while a photo is shown whole: the start and the end rectangle of
// its motion, which the user moves by dragging inside and resizes by a corner with the shape
// held. Rectangles are in the shown photo's pixels; bounds is the whole frame in those pixels,
// shown at the widget's frameArea. GUI thread only.
class MotionRectEditor : public QWidget
{
    Q_OBJECT

public:
    explicit MotionRectEditor(QWidget *parent = nullptr);

    void setBounds(const QRectF &bounds, const QRect &frameArea);
    void setRects(const QRectF &start, const QRectF &end);
    QRectF startRect() const { return rects[0]; }
    QRectF endRect() const { return rects[1]; }
    // Where a rectangle of the photo shows in the widget.
    QRectF toWidget(const QRectF &rect) const;

signals:
    // A drag ended with these rectangles.
    void rectsEdited(const QRectF &start, const QRectF &end);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Grip { None, Move, TopLeft, TopRight, BottomLeft, BottomRight };
    QPointF toPhoto(const QPointF &point) const;
    // The rectangle and grip under a widget point, the end rectangle first as it is drawn on
    // top.
    std::pair<int, Grip> gripAt(const QPointF &point) const;

    QRectF bounds;
    QRect frameArea;
    QRectF rects[2];
    int dragged = -1;
    Grip grip = Grip::None;
    QPointF pressedAt;
    QRectF pressedRect;
};
