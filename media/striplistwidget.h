#pragma once

#include <QList>
#include <QListWidget>
#include <QPoint>

class QDrag;

// What the photo and audio strips share: the dashed drop hint after the last item, and the drag
// of the selected rows within one strip. A drag's payload names rows; draggedRows() honours it
// only while this strip's own drag runs and its rows have not changed since the drag started.
// GUI thread only.
class StripListWidget : public QListWidget
{
    Q_OBJECT

public:
    // dragFormat names the payload of the strip's own drags; it must outlive the strip.
    StripListWidget(const char *dragFormat, QWidget *parent = nullptr);

protected:
    // The text of the drop hint, translated in the strip's own context.
    virtual QString dropHint() const = 0;
    // Whether a row is one that can be dragged, and can be named by a payload.
    virtual bool isDraggableRow(int row) const { return row >= 0 && row < count(); }
    // Gives the drag its picture; rows holds the dragged rows, in order.
    virtual void decorateDrag(QDrag *drag, const QList<int> &rows) const = 0;
    // Called when the drag has ended with action; items are the dragged items, some of which
    // the drop may already have taken out of the strip.
    virtual void finishDrag(Qt::DropAction action, const QList<QListWidgetItem *> &items) = 0;

    // Every change of the rows must call this, so that a stale payload is refused.
    void rowsChanged() { ++rowsVersion; }
    // The rows a payload names, or none if the payload is stale, foreign or malformed.
    QList<int> draggedRows(const QByteArray &payload) const;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // The strip's own rows move, or are copied with Ctrl held; anything else keeps its action.
    void dragMoveEvent(QDragMoveEvent *event) override;

private:
    const char *format;
    QPoint dragStartPos;
    quint64 rowsVersion = 0;
    quint64 dragVersion = 0;
    bool dragging = false;
};
