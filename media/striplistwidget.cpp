// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/striplistwidget.h"

#include "media/importprogress.h"
#include "media/mediaimport.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelection>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

StripListWidget::StripListWidget(const char *dragFormat, int rowsPerRecord, QWidget *parent)
    : QListWidget(parent)
    , format(dragFormat)
    , step(rowsPerRecord)
{
    // One left-to-right row that the user never edits in place, and that scrolls with the main
    // window's bar.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::DragDrop);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFlow(QListView::LeftToRight);
    setDropIndicatorShown(true);
}

bool StripListWidget::importFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return false;
    ImportProgress dialog(step == 2, this);
    dialog.setFiles(paths);
    dialog.exec();
    if (!dialog.addedAny())
        return false;
    finishAdding();
    return true;
}

int StripListWidget::contentWidth() const
{
    if (count() == 0)
        return 0;
    return visualItemRect(item(count() - 1)).right() + horizontalOffset();
}

std::pair<int, int> StripListWidget::selectedSpan() const
{
    int first = count();
    int last = -1;
    const QModelIndexList indexes = selectedIndexes();
    for (const QModelIndex &index : indexes) {
        first = std::min(first, index.row());
        last = std::max(last, index.row());
    }
    return {first, last};
}

void StripListWidget::selectRows(int first, int last)
{
    if (count() == 0)
        return;
    first = std::clamp(first, 0, count() - 1);
    last = std::clamp(last, first, count() - 1);
    selectionModel()->select(QItemSelection(model()->index(first, 0), model()->index(last, 0)),
                             QItemSelectionModel::ClearAndSelect);
}

void StripListWidget::relayoutView()
{
    // Going through an empty size makes the view lay its items out again.
    const QSize previous = size();
    resize(0, 0);
    resize(previous);
}

void StripListWidget::resizeEvent(QResizeEvent *event)
{
    emit sizeChanged();
    QListWidget::resizeEvent(event);
}

void StripListWidget::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateItems();
}

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

void StripListWidget::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (mime->hasUrls()) {
        if (!expandImportPaths(mime->urls(), filePatterns(), true).isEmpty())
            event->acceptProposedAction();
        return;
    }
    if (mime->hasFormat(QLatin1String(format)) && event->source() == this)
        event->acceptProposedAction();
}

void StripListWidget::dropFiles(QDropEvent *event)
{
    announceChange();
    importFiles(expandImportPaths(event->mimeData()->urls(), filePatterns(), true));
}

int StripListWidget::dropRowAt(QPoint pos) const
{
    const QModelIndex target = indexAt(pos);
    return target.isValid() ? target.row() : count();
}

int StripListWidget::rowAfterDrop(int dropRow)
{
    return count() > 0 ? std::min(dropRow, count() - 1) : -1;
}

void StripListWidget::dropEvent(QDropEvent *event)
{
    const int dropRow = dropRowAt(event->position().toPoint());
    insertRow = dropRow;

    const QMimeData *mime = event->mimeData();
    Qt::DropAction action = Qt::IgnoreAction;
    if (event->source() == this) {
        if (mime->hasFormat(QLatin1String(format))) {
            const bool copy = event->modifiers() & Qt::ControlModifier;
            const QList<int> rows = draggedRows(mime->data(QLatin1String(format)));
            if (!rows.isEmpty()) {
                action = copy ? Qt::CopyAction : Qt::MoveAction;
                // Rows moved onto a later record land after it.
                if (!copy && *std::max_element(rows.begin(), rows.end()) < dropRow)
                    insertRow = std::min(insertRow + step, count());
                announceChange();
                insertCopies(rows);
            }
        }
    } else if (mime->hasUrls()) {
        action = Qt::CopyAction;
        dropFiles(event);
    }

    if (const int current = rowAfterDrop(dropRow); current >= 0) {
        if (current == currentRow())
            emit currentRowChanged(current);
        else
            setCurrentRow(current);
    }
    event->setDropAction(action);
    if (action == Qt::IgnoreAction)
        event->ignore();
    else
        event->accept();
    insertRow = count();
}
