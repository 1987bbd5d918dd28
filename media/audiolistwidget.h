// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/striplistwidget.h"
#include "storyboard/storyboard.h"

#include <QImage>
#include <QList>
#include <QPoint>

class QFont;
class QFontMetrics;
class QListWidgetItem;

// The audio strip under the photo strip: one row of clips, each a bar as wide as its playing
// time on the photo strip's time scale, so that the music lines up with the photos above it; the
// part of a clip that plays past the last photo is grey. It owns the ordered audio records;
// every completed change ends with audioListChanged(). Row i shows record i. GUI thread only.
class AudioListWidget : public StripListWidget
{
    Q_OBJECT

public:
    // The drag format of clips moved or copied within one strip.
    static constexpr const char *dragFormat = "AudioList";
    static constexpr int ItemHeight = 32;
    // How far a clip may reach past the end of the photos: one transition and two photos of the
    // photo strip (44 + 88 + 88 pixels).
    static constexpr int OverflowWidth = 220;
    // The photo strip's scale when it gives none: 33 pixels a second.
    static constexpr double DefaultSecondsPerPixel = 1.0 / 33.0;
    // The item data role that holds the grey width of a clip's bar.
    static constexpr int GreyWidthRole = Qt::UserRole + 1;

    explicit AudioListWidget(QWidget *parent = nullptr);

    const QList<AudioInfo> &audioList() const { return records; }

    // Inserts one clip at the insertion row without telling anyone; the import dialog calls it
    // for every file it has read.
    Q_INVOKABLE void addAudio(const AudioInfo &record);
    // Closes a run of addAudio() calls: lays the bars out and emits the list.
    void finishAudioInsertion();
    void setAudioList(const QList<AudioInfo> &list);
    // Removes everything; emits nothing.
    void clearAudio();
    // The photo time line's width in pixels and its scale; a scale below 0.001 s a pixel falls
    // back to 33 pixels a second. Lays the bars out again; emits nothing.
    void setTimelineScale(int width, double secondsPerPixel);
    int timelineWidth() const { return lineWidth; }
    double secondsPerPixel() const { return scale; }

    // Removes the selected clips; quiet emits nothing and leaves the layout alone.
    void removeSelected(bool quiet = false);
    // Move the selected clips one place; nothing happens at the first or last clip.
    void moveSelectedLeft();
    void moveSelectedRight();
    // A stable sort by SortKey; equal keys keep their order. An unknown key changes nothing.
    void sortAudio(int key, bool ascending);
    void retranslateItems() override;

    // The text on a clip's bar: "#row+1 file name | playing length". With metrics, a file name
    // too long for width pixels is shortened in the middle so that the length stays readable.
    static QString clipLabel(int row, const AudioInfo &record,
                             const QFontMetrics *metrics = nullptr, int width = 0);
    // A clip's bar: the skin's head and tiled body pictures, the rightmost grey columns turned
    // to grey, an outline and the label. A missing picture leaves the bar white.
    static QImage clipImage(int width, int grey, const QString &label, const QImage &head,
                            const QImage &body, const QFont &font);
    // Hatches the bar of a clip whose file is missing.
    static void markMissing(QImage &image);
    QString toolTipFor(int row) const;

signals:
    void audioListAboutToChange();
    void audioListChanged(QList<AudioInfo> photoList);
    void contextMenu(QPoint pos);

public slots:
    // Opens the audio editing dialog on the clicked clip.
    void on_itemDoubleClicked(QListWidgetItem *item);

protected:
    QString dropHint() const override;
    const QStringList &filePatterns() const override;
    void decorateDrag(QDrag *drag, const QList<int> &rows) const override;
    void finishDrag(Qt::DropAction action, const QList<QListWidgetItem *> &items) override;
    void announceChange() override;
    void insertCopies(const QList<int> &rows) override;
    void finishAdding() override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Sizes and paints every bar from the records and the time scale.
    void relayout();
    // Forces the view to place the items again after their sizes changed.
    void refreshGeometry();

    QList<AudioInfo> records;
    int lineWidth = 0;
    double scale = DefaultSecondsPerPixel;
};
