// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QListWidget>
#include <QPoint>
#include <QStringList>
#include <algorithm>
#include <utility>

class QDrag;

// What the photo and audio strips share: the dashed drop hint after the last item, the drag of
// the selected rows within one strip, drops of files and of the strip's own rows, the selection
// as one span of rows, the layout and the sort. A drag's payload names rows; draggedRows()
// honours it only while this strip's own drag runs and its rows have not changed since the drag
// started. GUI thread only.
class StripListWidget : public QListWidget
{
    Q_OBJECT

public:
    enum SortKey { SortByPath = 0, SortByModified = 1, SortBySuffix = 2, SortByFileSize = 3 };

    // dragFormat names the payload of the strip's own drags; it must outlive the strip.
    // rowsPerRecord is the number of rows each record takes (a photo is followed by its
    // transition).
    StripListWidget(const char *dragFormat, int rowsPerRecord, QWidget *parent = nullptr);

    // Reads the files into the strip at the insertion row through the import dialog and closes
    // the insertion; true when the strip took at least one of them.
    bool importFiles(const QStringList &paths);
    // The width of all items, for the main window's scroll bar; 0 when empty.
    int contentWidth() const;
    // The items' tool tips again, in the language now chosen.
    virtual void retranslateItems() = 0;

signals:
    void sizeChanged();

protected:
    // The text of the drop hint, translated in the strip's own context.
    virtual QString dropHint() const = 0;
    // The file names the strip takes from a drop.
    virtual const QStringList &filePatterns() const = 0;
    // Whether a row is one that can be dragged, and can be named by a payload.
    virtual bool isDraggableRow(int row) const { return row >= 0 && row < count(); }
    // Gives the drag its picture; rows holds the dragged rows, in order.
    virtual void decorateDrag(QDrag *drag, const QList<int> &rows) const = 0;
    // Called when the drag has ended with action; items are the dragged items, some of which
    // the drop may already have taken out of the strip.
    virtual void finishDrag(Qt::DropAction action, const QList<QListWidgetItem *> &items) = 0;
    // Emits the strip's signal that its list is about to change.
    virtual void announceChange() = 0;
    // Inserts copies of the records of the rows at the insertion row and closes the insertion.
    virtual void insertCopies(const QList<int> &rows) = 0;
    // Closes a run of insertions: lays the items out and emits the list.
    virtual void finishAdding() = 0;
    // The row a drop at pos inserts at.
    virtual int dropRowAt(QPoint pos) const;
    // The row made current after a drop at dropRow; -1 for none.
    virtual int rowAfterDrop(int dropRow);

    // Every change of the rows must call this, so that a stale payload is refused.
    void rowsChanged() { ++rowsVersion; }
    // The rows a payload names, or none if the payload is stale, foreign or malformed.
    QList<int> draggedRows(const QByteArray &payload) const;
    // The first and last selected rows; last < first when nothing is selected.
    std::pair<int, int> selectedSpan() const;
    // Selects the rows first to last, clamped to the strip, and nothing else.
    void selectRows(int first, int last);
    // Makes the view lay its items out again and tells the main window (sizeChanged) that the
    // content width may have changed.
    void relayoutView();

    // A stable sort by SortKey; equal keys keep their order. False, and nothing changed, for an
    // unknown key.
    template<typename Record>
    static bool sortRecords(QList<Record> &records, int key, bool ascending)
    {
        if (key < SortByPath || key > SortByFileSize)
            return false;
        const auto less = [key](const Record &a, const Record &b) {
            switch (key) {
            case SortByPath:
                return a.path < b.path;
            case SortByModified:
                return a.modified < b.modified;
            case SortBySuffix:
                return a.suffix < b.suffix;
            default:
                return a.fileSize < b.fileSize;
            }
        };
        std::stable_sort(records.begin(), records.end(),
                         [&less, ascending](const Record &a, const Record &b) {
                             return ascending ? less(a, b) : less(b, a);
                         });
        return true;
    }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    // The strip's own rows move, or are copied with Ctrl held; anything else keeps its action.
    void dragMoveEvent(QDragMoveEvent *event) override;
    // The strip's own rows are moved or copied to the drop; files are read in there.
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Where the next record goes.
    int insertRow = 0;

private:
    void dropFiles(QDropEvent *event);

    const char *format;
    const int step;
    QPoint dragStartPos;
    quint64 rowsVersion = 0;
    quint64 dragVersion = 0;
    bool dragging = false;
};
