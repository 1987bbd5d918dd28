// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/striplistwidget.h"
#include "storyboard/storyboard.h"

#include <QList>
#include <QPoint>
#include <QStringList>
#include <functional>

class QListWidgetItem;

// The story-board strip: one row of photo thumbnails with a transition marker between every two
// neighbours. It owns the ordered photo records and is the only place where photos are added,
// removed, moved, sorted and turned; every completed change ends with photoListChanged().
// Rows alternate: even rows are photos (record row / 2), odd rows transitions. GUI thread only.
class PhotoListWidget : public StripListWidget
{
    Q_OBJECT

public:
    // The drag format of photos moved or copied within one strip.
    static constexpr const char *dragFormat = "ImageList";

    explicit PhotoListWidget(QWidget *parent = nullptr);

    void setAutoRotate(bool on) { autoRotate = on; }
    bool isAutoRotate() const { return autoRotate; }
    const QList<ImageInfo> &photoList() const { return records; }

    // Inserts one photo at the insertion row without telling anyone; isNew for a freshly read
    // file (camera orientation, next move and zoom), false for a moved or copied record.
    void addPhoto(const ImageInfo &record, bool isNew);
    // Closes a run of addPhoto() calls: mends the transition after the run, emits the list.
    void finishInsertion();
    // Replaces every photo with the records as they are (an earlier state of the list, for
    // undo); emits the list.
    void setPhotoList(const QList<ImageInfo> &list);
    // Removes everything; emits nothing.
    void clearPhotos();
    // Removes the selected photos and the transitions that go with them; quiet emits nothing
    // and leaves the current row and the layout alone.
    void removeSelected(bool quiet = false);
    // Move the selected photos one place; nothing happens at the first or last photo.
    void moveSelectedLeft();
    void moveSelectedRight();
    // Orientation of the selected photos: a step (ImageInfo::Operation) put before the others,
    // upright again, or as the camera asks.
    void rotateSelected(int step);
    void resetSelectedOrientation();
    void restoreSelectedExifOrientation();
    void resetAllOrientations();
    // The records of the selected photos, in order.
    QList<int> selectedPhotoIndexes() const;
    // Changes the own settings of the photos at indexes and emits the list once, so that the
    // change is one step however many photos it touches.
    // change may look at the whole record but keeps to its own settings and caption.
    void changeOwnSettings(const QList<int> &indexes,
                           const std::function<void(ImageInfo &)> &change);
    // Every photo's own settings at once, in order; emits the list once when any changed.
    void setOwnSettings(const QList<PhotoSettings> &settings);
    // A stable sort by SortKey; equal keys keep their order. An unknown key changes nothing.
    void sortPhotos(int key, bool ascending);
    void retranslateItems() override;

    // The picture a photo item shows for a record's folded orientation code.
    // A missing photo shows missingThumbnail() instead.
    static QImage orientedThumbnail(const ImageInfo &record);
    static QImage missingThumbnail();
    // The thumbnail with the small mark of a photo that has settings of its own.
    static QImage markedThumbnail(const QImage &thumbnail);

signals:
    void photoListAboutToChange();
    void photoListChanged(QList<ImageInfo> photoList);
    void contextMenu(bool isPhoto, QPoint pos);
    // The transition marker after photo was double-clicked.
    void transitionActivated(int photo, QPoint pos);

protected:
    QString dropHint() const override;
    const QStringList &filePatterns() const override;
    bool isDraggableRow(int row) const override;
    void decorateDrag(QDrag *drag, const QList<int> &rows) const override;
    void finishDrag(Qt::DropAction action, const QList<QListWidgetItem *> &items) override;
    void announceChange() override;
    void insertCopies(const QList<int> &rows) override;
    void finishAdding() override;
    int dropRowAt(QPoint pos) const override;
    int rowAfterDrop(int dropRow) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct Span
    {
        int first = 0;
        int last = -1;
        int size() const { return last - first + 1; }
        bool isEmpty() const { return last < first; }
    };

    QListWidgetItem *makeTransitionItem() const;
    void refreshPhotoItem(int index);
    void refreshTransitionItem(int index);
    QString toolTipFor(const ImageInfo &record) const;
    // The selected rows with transitions trimmed from both ends.
    Span selectedPhotos() const;
    void changeSelectedOrientation(void (*change)(ImageInfo &, int), int step);

    QList<ImageInfo> records;
    bool autoRotate = true;
    QImage transitionImage;
    // The first photo row a drop added, to make it current.
    int firstAddedRow = -1;
    // The photo rows a drop within the strip added, to select once the drag has ended.
    QList<QListWidgetItem *> droppedPhotos;
};
