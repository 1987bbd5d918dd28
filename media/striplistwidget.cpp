#include "media/striplistwidget.h"

#include "media/mediaimport.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

StripListWidget::StripListWidget(const char *dragFormat, QWidget *parent)
    : QListWidget(parent)
    , format(dragFormat)
{ }

QList<int> StripListWidget::draggedRows(const QByteArray &payload) const
{
    if (!dragging || dragVersion != rowsVersion)
        return {};
    return parseDraggedRows(payload, [this](int row) { return isDraggableRow(row); });
}

void StripListWidget::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);

    QPainter painter(viewport());
    const QString hint = dropHint();
    const int flags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap;
    const int textWidth = fontMetrics().boundingRect(hint).width();
    int left = spacing();
    if (count() > 0)
        left += visualItemRect(item(count() - 1)).right() + 4;
    else
        left += 4 - horizontalOffset();
    const QRect box(left, 3, std::max(240, textWidth), viewport()->height() - 7);
    painter.drawText(box, flags, hint);
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.drawRect(box);
}

void StripListWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragStartPos = event->position().toPoint();
    QListWidget::mousePressEvent(event);
}

void StripListWidget::mouseMoveEvent(QMouseEvent *event)
{
    // Replaces the view's own handling: a press and move here always means a drag of rows.
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if ((event->position().toPoint() - dragStartPos).manhattanLength()
        <= QApplication::startDragDistance())
        return;

    QList<int> rows;
    const QModelIndexList indexes = selectedIndexes();
    for (const QModelIndex &index : indexes) {
        if (isDraggableRow(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        return;

    QByteArray payload = QByteArray::number(rows.size()) + '\0';
    QList<QListWidgetItem *> items;
    for (int row : std::as_const(rows)) {
        payload += QByteArray::number(row) + '\0';
        items.append(item(row));
    }
    auto *mime = new QMimeData;
    mime->setData(QLatin1String(format), payload);
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    decorateDrag(drag, rows);

    dragVersion = rowsVersion;
    dragging = true;
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction);
    dragging = false;
    finishDrag(action, items);
}

void StripListWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->source() == this && event->mimeData()->hasFormat(QLatin1String(format))) {
        event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction
                                                                        : Qt::MoveAction);
        event->accept();
        return;
    }
    event->acceptProposedAction();
}
