// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/photolistwidget.h"

#include "media/filetypes.h"
#include "media/mediaimport.h"
#include "storyboard/photoloader.h"
#include "zofc/zopref.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QDebug>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QItemSelection>
#include <QPainter>
#include <algorithm>

namespace {

const QSize photoItemSize(88, 66);
const QSize transitionItemSize(44, 33);
// Pictures sit inside their cells with 4 pixels on either side and 3 above and below.
const QSize transitionImageSize = transitionItemSize - QSize(8, 6);

QImage loadTransitionImage()
{
    const QImage marker(ZoPref::skinDir() + QLatin1String("/app_vellumix/transition.png"));
    if (marker.isNull())
        return marker;
    return marker.scaled(transitionImageSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

bool isPhotoRow(int row)
{
    return row >= 0 && row % 2 == 0;
}

void pushStep(ImageInfo &record, int step)
{
    record.operations.prepend(step);
    foldOrientation(record);
}

void clearSteps(ImageInfo &record, int)
{
    restoreOrientation(record);
}

void cameraSteps(ImageInfo &record, int)
{
    applyCameraOrientation(record);
}

} // namespace

PhotoListWidget::PhotoListWidget(QWidget *parent)
    : StripListWidget(dragFormat, 2, parent)
    , transitionImage(loadTransitionImage())
{
    setMinimumHeight(72);
    setMaximumHeight(72);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *clicked) {
        const int at = row(clicked);
        if (at % 2 == 1)
            emit transitionActivated(at / 2, QCursor::pos());
    });
    // Markers stay where they are while photos move past them: after every change each shows
    // again what the photo before it chose.
    connect(this, &PhotoListWidget::photoListChanged, this, [this] {
        for (int i = 0; i < records.size(); ++i)
            refreshTransitionItem(i);
    });
}

QListWidgetItem *PhotoListWidget::makeTransitionItem() const
{
    auto *item = new QListWidgetItem;
    item->setSizeHint(transitionItemSize);
    item->setData(Qt::DecorationRole, transitionImage);
    return item;
}

QImage PhotoListWidget::missingThumbnail()
{
    // A struck-through frame that no photo looks like, with the word, so that it reads at once.
    QImage image(ThumbnailWidth, ThumbnailHeight, QImage::Format_RGB32);
    image.fill(QColor(0x5a, 0x1e, 0x1e));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xe0, 0x70, 0x70), 2));
    painter.drawRect(image.rect().adjusted(1, 1, -2, -2));
    painter.drawLine(QPoint(4, ThumbnailHeight - 5), QPoint(ThumbnailWidth - 5, 4));
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, tr("Missing"));
    return image;
}

QImage PhotoListWidget::orientedThumbnail(const ImageInfo &record)
{
    if (record.missing)
        return missingThumbnail();
    switch (record.orientation) {
    case 0:
        return record.thumbnail;
    case 1:
        return record.thumbnail.mirrored(false, true);
    case 2:
        return record.thumbnail.mirrored(true, false);
    case 3:
        return record.thumbnail.mirrored(true, true);
    case 4:
        return record.thumbnailRotated.mirrored(false, true);
    case 5:
        return record.thumbnailRotated.mirrored(true, true);
    case 6:
        return record.thumbnailRotated;
    case 7:
        return record.thumbnailRotated.mirrored(true, false);
    default:
        qDebug() << "I Don't think this will happen!";
        return record.thumbnail;
    }
}

QString PhotoListWidget::toolTipFor(const ImageInfo &record) const
{
    const QString name = QFileInfo(record.path).fileName().toHtmlEscaped();
    if (record.missing) {
        return QLatin1String("<nobr><b>") + tr("Missing").toHtmlEscaped()
            + QLatin1String("</b>:&nbsp;") + QDir::toNativeSeparators(record.path).toHtmlEscaped()
            + QLatin1String("<nobr/>");
    }
    return QLatin1String("<nobr>") + tr("Name") + QLatin1String(":&nbsp;<b>") + name
        + QLatin1String("</b><nobr/><br />") + QLatin1String("<nobr>") + tr("Dimension")
        + QLatin1String(":&nbsp;<b>")
        + QStringLiteral("%1 x %2").arg(record.width).arg(record.height)
        + QLatin1String("</b><nobr/><br />") + QLatin1String("<nobr>") + tr("Depth")
        + QLatin1String(":&nbsp;<b>") + QString::number(record.depth) + tr("Bits").toHtmlEscaped()
        + QLatin1String("</b><nobr/>");
}

void PhotoListWidget::refreshPhotoItem(int index)
{
    QListWidgetItem *photoItem = item(index * 2);
    if (!photoItem)
        return;
    ImageInfo &record = records[index];
    foldOrientation(record);
    const QImage thumbnail = orientedThumbnail(record);
    photoItem->setData(Qt::DecorationRole,
                       record.own.isAlbum() ? thumbnail : markedThumbnail(thumbnail));
    photoItem->setToolTip(toolTipFor(record));
    refreshTransitionItem(index);
}

void PhotoListWidget::refreshTransitionItem(int index)
{
    QListWidgetItem *marker = item(index * 2 + 1);
    // While rows are being rearranged the row may not hold a marker yet.
    if (!marker || index >= records.size() || marker->sizeHint() != transitionItemSize)
        return;
    const PhotoSettings &own = records.at(index).own;
    const bool chosen = own.transition != TransitionStyle::Album || own.transitionMs > 0;
    marker->setData(Qt::DecorationRole,
                    chosen ? markedThumbnail(transitionImage) : QVariant(transitionImage));
}

QImage PhotoListWidget::markedThumbnail(const QImage &thumbnail)
{
    // A small filled corner, readable on light and dark photos alike.
    QImage image = thumbnail.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int size = std::max(6, std::min(image.width(), image.height()) / 4);
    const QPolygon corner(
        {QPoint(image.width() - size, 0), QPoint(image.width(), 0), QPoint(image.width(), size)});
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(QColor(0xff, 0x9f, 0x1c));
    painter.drawPolygon(corner);
    return image;
}

void PhotoListWidget::setOwnSettings(const QList<PhotoSettings> &settings)
{
    bool any = false;
    for (int i = 0; i < records.size() && i < settings.size(); ++i) {
        if (records.at(i).own == settings.at(i))
            continue;
        records[i].own = settings.at(i);
        refreshPhotoItem(i);
        any = true;
    }
    if (any)
        emit photoListChanged(records);
}

QList<int> PhotoListWidget::selectedPhotoIndexes() const
{
    QList<int> indexes;
    const Span span = selectedPhotos();
    for (int row = span.first; row <= span.last; row += 2)
        indexes.append(row / 2);
    return indexes;
}

void PhotoListWidget::changeOwnSettings(const QList<int> &indexes,
                                        const std::function<void(ImageInfo &)> &change)
{
    bool any = false;
    for (int index : indexes) {
        if (index < 0 || index >= records.size())
            continue;
        const PhotoSettings before = records.at(index).own;
        const Caption captionBefore = records.at(index).caption;
        ImageInfo changed = records.at(index);
        change(changed);
        records[index].own = changed.own;
        records[index].caption = changed.caption;
        if (records.at(index).own == before && records.at(index).caption == captionBefore)
            continue;
        any = true;
        refreshPhotoItem(index);
    }
    if (any)
        emit photoListChanged(records);
}

void PhotoListWidget::addPhoto(const ImageInfo &record, bool isNew)
{
    rowsChanged();
    if (insertRow % 2 == 1) {
        insertItem(insertRow, makeTransitionItem());
        ++insertRow;
    }
    ImageInfo copy = record;
    if (isNew)
        prepareNewPhoto(copy, autoRotate);
    else
        foldOrientation(copy);
    const int index = insertRow / 2;
    records.insert(index, copy);

    auto *photoItem = new QListWidgetItem;
    photoItem->setSizeHint(photoItemSize);
    insertItem(insertRow, photoItem);
    if (firstAddedRow < 0)
        firstAddedRow = insertRow;
    ++insertRow;
    refreshPhotoItem(index);
}

void PhotoListWidget::finishInsertion()
{
    if (insertRow < count() && insertRow % 2 == 1) {
        insertItem(insertRow, makeTransitionItem());
        rowsChanged();
    }
    insertRow = count();
    emit photoListChanged(records);
}

void PhotoListWidget::setPhotoList(const QList<ImageInfo> &list)
{
    clearPhotos();
    for (const ImageInfo &record : list)
        addPhoto(record, false);
    firstAddedRow = -1;
    finishInsertion();
}

void PhotoListWidget::clearPhotos()
{
    rowsChanged();
    clear();
    records.clear();
    insertRow = 0;
}

PhotoListWidget::Span PhotoListWidget::selectedPhotos() const
{
    Span span;
    const auto [first, last] = selectedSpan();
    if (last < first)
        return span;
    span.first = first;
    span.last = last;
    if (span.first % 2 == 1)
        ++span.first;
    if (span.last % 2 == 1)
        --span.last;
    return span;
}

void PhotoListWidget::removeSelected(bool quiet)
{
    const auto [selectionFirst, selectionLast] = selectedSpan();
    if (selectionLast < selectionFirst)
        return;
    const Span span = selectedPhotos();
    if (span.isEmpty() && !(selectionFirst == 0 && selectionLast == count() - 1))
        return; // only a transition is selected

    // The widget's own signals stay quiet until the rows are consistent again; the model keeps
    // the view informed, so the view never looks at rows that are gone.
    QSignalBlocker blocker(this);
    rowsChanged();
    int first = span.first;
    if (selectionFirst == 0 && selectionLast == count() - 1) {
        clear();
        records.clear();
        first = 0;
    } else {
        for (int row = span.first; row <= span.last; ++row) {
            delete takeItem(span.first);
            if (row % 2 == 0)
                records.removeAt(span.first / 2);
        }
        delete takeItem(first > 0 ? first - 1 : 0);
    }
    insertRow = count();
    blocker.unblock();

    if (quiet)
        return;
    emit photoListChanged(records);
    if (count() > 0) {
        const int current = std::min(first, count() - 1);
        setCurrentRow(current);
        scrollToItem(item(current));
    }
    relayoutView();
}

void PhotoListWidget::moveSelectedLeft()
{
    const Span span = selectedPhotos();
    if (span.isEmpty() || span.first < 2)
        return;
    const QList<ImageInfo> moved = records.mid(span.first / 2, span.size() / 2 + 1);
    removeSelected(true);
    {
        const QSignalBlocker blocker(this);
        insertRow = span.first - 2;
        for (const ImageInfo &record : moved)
            addPhoto(record, false);
    }
    finishInsertion();

    const int target = span.first - 2;
    scrollToItem(item(std::max(span.first - 3, 0)));
    setCurrentRow(target);
    selectRows(target, target + span.size() - 1);
}

void PhotoListWidget::moveSelectedRight()
{
    const Span span = selectedPhotos();
    if (span.isEmpty() || span.last >= count() - 1)
        return;
    const QList<ImageInfo> moved = records.mid(span.first / 2, span.size() / 2 + 1);
    removeSelected(true);
    int end = 0;
    {
        const QSignalBlocker blocker(this);
        insertRow = std::min(span.first + 2, count());
        for (const ImageInfo &record : moved)
            addPhoto(record, false);
        end = insertRow;
    }
    finishInsertion();

    scrollToItem(item(std::min(end, count() - 1)));
    setCurrentRow(std::min(end - 1, count() - 1));
    selectRows(end - span.size(), end - 1);
    if (end >= count())
        relayoutView();
}

void PhotoListWidget::changeSelectedOrientation(void (*change)(ImageInfo &, int), int step)
{
    const QModelIndexList indexes = selectedIndexes();
    for (const QModelIndex &index : indexes) {
        if (!isPhotoRow(index.row()))
            continue;
        change(records[index.row() / 2], step);
        refreshPhotoItem(index.row() / 2);
    }
    emit photoListChanged(records);
    // Leaving the current photo and coming back makes the main window show it anew; the
    // selection stays as it is.
    for (const QModelIndex &index : indexes) {
        if (!isPhotoRow(index.row()))
            continue;
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        break;
    }
}

void PhotoListWidget::rotateSelected(int step)
{
    changeSelectedOrientation(pushStep, step);
}

void PhotoListWidget::resetSelectedOrientation()
{
    changeSelectedOrientation(clearSteps, 0);
}

void PhotoListWidget::restoreSelectedExifOrientation()
{
    changeSelectedOrientation(cameraSteps, 0);
}

void PhotoListWidget::resetAllOrientations()
{
    for (int i = 0; i < records.size(); ++i) {
        restoreOrientation(records[i]);
        refreshPhotoItem(i);
    }
    emit photoListChanged(records);
}

void PhotoListWidget::sortPhotos(int key, bool ascending)
{
    if (!sortRecords(records, key, ascending))
        return;
    rowsChanged();
    for (int i = 0; i < records.size(); ++i)
        refreshPhotoItem(i);
    emit photoListChanged(records);
}

void PhotoListWidget::retranslateItems()
{
    for (int i = 0; i < records.size(); ++i) {
        if (QListWidgetItem *photoItem = item(i * 2))
            photoItem->setToolTip(toolTipFor(records.at(i)));
    }
}

QString PhotoListWidget::dropHint() const
{
    return tr("Drag Photo(s) Here");
}

bool PhotoListWidget::isDraggableRow(int row) const
{
    return isPhotoRow(row) && row < count();
}

void PhotoListWidget::decorateDrag(QDrag *drag, const QList<int> &rows) const
{
    const QPixmap picture = QPixmap::fromImage(orientedThumbnail(records.at(rows.first() / 2)));
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
}

void PhotoListWidget::finishDrag(Qt::DropAction action, const QList<QListWidgetItem *> &items)
{
    if (action == Qt::MoveAction) {
        rowsChanged();
        for (QListWidgetItem *dragged : items) {
            const int row = this->row(dragged);
            if (row < 0)
                continue;
            records.removeAt(row / 2);
            delete takeItem(row);
            if (row < count())
                delete takeItem(row);
            else if (row > 0)
                delete takeItem(row - 1);
        }
        insertRow = count();
        emit photoListChanged(records);
    }
    // The photos the drop brought in stay selected, the first of them current (the preview shows
    // it); their rows are known only now that the originals of a move are gone.
    int first = count();
    int last = -1;
    if (action != Qt::IgnoreAction) {
        for (QListWidgetItem *dropped : std::as_const(droppedPhotos)) {
            const int at = row(dropped);
            if (at >= 0) {
                first = std::min(first, at);
                last = std::max(last, at);
            }
        }
    }
    droppedPhotos.clear();
    if (last < 0) {
        clearSelection();
    } else {
        if (first == currentRow())
            emit currentRowChanged(first);
        else
            setCurrentRow(first);
        selectRows(first, last);
    }
    // Rows moved under the spot where the drag was drawn; paint the strip anew.
    viewport()->update();
}

void PhotoListWidget::contextMenuEvent(QContextMenuEvent *event)
{
    const int current = currentRow();
    emit contextMenu(current < 0 || current % 2 == 0, event->globalPos());
}

const QStringList &PhotoListWidget::filePatterns() const
{
    return photoPatterns;
}

void PhotoListWidget::announceChange()
{
    emit photoListAboutToChange();
}

void PhotoListWidget::finishAdding()
{
    finishInsertion();
}

void PhotoListWidget::insertCopies(const QList<int> &rows)
{
    QList<ImageInfo> copies;
    for (int row : rows)
        copies.append(records.at(row / 2));
    droppedPhotos.clear();
    for (const ImageInfo &record : std::as_const(copies)) {
        addPhoto(record, false);
        droppedPhotos.append(item(insertRow - 1));
    }
    finishInsertion();
}

int PhotoListWidget::dropRowAt(QPoint pos) const
{
    // A drop on a transition goes after it.
    const int row = StripListWidget::dropRowAt(pos);
    return row < count() && row % 2 == 1 ? row + 1 : row;
}

int PhotoListWidget::rowAfterDrop(int dropRow)
{
    // The first photo the drop brought in; without one, the photo at the drop.
    int current = firstAddedRow;
    if (current < 0 && count() > 0)
        current = std::min(dropRow, count() - 1) & ~1;
    firstAddedRow = -1;
    return current;
}

void PhotoListWidget::dropEvent(QDropEvent *event)
{
    firstAddedRow = -1;
    StripListWidget::dropEvent(event);
}
