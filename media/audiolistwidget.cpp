// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audiolistwidget.h"

#include "controls/waveformpainter.h"
#include "media/adjustaudioorder.h"
#include "media/filetypes.h"
#include "zofc/zopref.h"
#include "zofc/zoutils.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QDrag>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

// The bar leaves 3 pixels above and below it inside its 32-pixel item.
constexpr int barTop = 3;
// The label starts right of the head picture's note.
constexpr int labelLeft = 30;

QImage skinPicture(const char *name)
{
    return QImage(ZoPref::skinDir() + QLatin1String("/app_vellumix/") + QLatin1String(name));
}

QString toolTipLine(const QString &label, const QString &value)
{
    return QStringLiteral("<br /><nobr>") + label + QStringLiteral(":&nbsp;<b>")
        + value.toHtmlEscaped() + QStringLiteral("</b><nobr/>");
}

} // namespace

AudioListWidget::AudioListWidget(QWidget *parent)
    : StripListWidget(dragFormat, 1, parent)
{
    // One row of bars, 32 pixels high.
    setMinimumHeight(36);
    setMaximumHeight(36);
    setSpacing(0);
    connect(this, &QListWidget::itemDoubleClicked, this, &AudioListWidget::on_itemDoubleClicked);
}

void AudioListWidget::addAudio(const AudioInfo &record)
{
    insertRow = std::clamp(insertRow, 0, static_cast<int>(records.size()));
    rowsChanged();
    records.insert(insertRow, record);
    insertItem(insertRow, new QListWidgetItem);
    ++insertRow;
}

void AudioListWidget::finishAudioInsertion()
{
    insertRow = count();
    relayout();
    emit audioListChanged(records);
}

void AudioListWidget::setAudioList(const QList<AudioInfo> &list)
{
    clearAudio();
    for (const AudioInfo &record : list)
        addAudio(record);
    finishAudioInsertion();
}

void AudioListWidget::clearAudio()
{
    rowsChanged();
    clear();
    records.clear();
    insertRow = 0;
}

void AudioListWidget::setTimelineScale(int width, double secondsPerPixel)
{
    lineWidth = width;
    scale = secondsPerPixel < 0.001 ? DefaultSecondsPerPixel : secondsPerPixel;
    relayout();
}

void AudioListWidget::relayout()
{
    const QImage head = skinPicture("head.png");
    const QImage body = skinPicture("body.png");
    const QFontMetrics metrics(font());
    int x = 0;
    for (int i = 0; i < records.size(); ++i) {
        QListWidgetItem *bar = item(i);
        const AudioInfo &record = records.at(i);
        bar->setToolTip(toolTipFor(i));
        int width = 0;
        int grey = 0;
        if (x < lineWidth) {
            width = static_cast<int>((record.clipEnd - record.clipStart) / scale);
            // A clip may reach past the last photo by the overflow allowance; that part is grey.
            if (x + width > lineWidth) {
                width = std::min(width, lineWidth - x + OverflowWidth);
                grey = x + width - lineWidth;
            }
        } else {
            width = OverflowWidth;
            grey = width;
        }
        // Even a clip too short to measure stays wide enough to be seen and picked.
        width = std::max(width, 1);
        bar->setSizeHint(QSize(width, ItemHeight));
        bar->setData(GreyWidthRole, grey);
        const QString label = clipLabel(i, record, &metrics, width - 1 - labelLeft);
        QImage image = clipImage(width, grey, label, head, body, font());
        if (record.duration > 0.0) {
            // The trimmed part of the file, under the label, where the music swells and fades.
            QPainter painter(&image);
            paintWaveform(painter, QRect(2, 4, width - 8, ItemHeight - 9), record.waveform,
                          QColor(0, 0, 0, 70), record.clipStart / record.duration,
                          record.clipEnd / record.duration);
        }
        if (record.missing)
            markMissing(image);
        bar->setData(Qt::DecorationRole, image);
        x += width;
    }
    if (!records.isEmpty())
        refreshGeometry();
}

void AudioListWidget::refreshGeometry()
{
    // Switching the flow makes the view place every item again at its new size.
    setFlow(QListView::TopToBottom);
    setFlow(QListView::LeftToRight);
}

QString AudioListWidget::clipLabel(int row, const AudioInfo &record, const QFontMetrics *metrics,
                                   int width)
{
    const QString pattern = QStringLiteral("#%1 %2 | %3");
    const QString number = QString::number(row + 1);
    const QString length = Zo::timeText(record.clipEnd - record.clipStart);
    QString name = QDir::toNativeSeparators(QFileInfo(record.path).fileName());
    if (record.missing)
        name = tr("Missing: %1").arg(name);
    if (metrics) {
        const int rest = metrics->horizontalAdvance(pattern.arg(number, QString(), length));
        name = metrics->elidedText(name, Qt::ElideMiddle, std::max(width - rest, 0));
    }
    return pattern.arg(number, name, length);
}

QImage AudioListWidget::clipImage(int width, int grey, const QString &label, const QImage &head,
                                  const QImage &body, const QFont &font)
{
    QImage image(std::max(width, 1), ItemHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const int barHeight = ItemHeight - 2 * barTop;
    QPainter painter(&image);
    if (!head.isNull()) {
        painter.drawImage(QRect(0, barTop, head.width(), barHeight), head);
        if (head.width() < width && !body.isNull() && body.width() > 0) {
            for (int x = head.width(); x < width; x += body.width())
                painter.drawImage(QRect(x, barTop, body.width(), barHeight), body);
        }
    }
    painter.end();

    // The part that plays after the last photo loses its colour.
    const int firstGrey = std::max(width - grey, 0);
    for (int y = barTop; y <= ItemHeight - 4 && grey > 0; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = firstGrey; x < width; ++x) {
            const QRgb pixel = line[x];
            const int level = static_cast<int>(0.299 * qRed(pixel) + 0.587 * qGreen(pixel)
                                               + 0.114 * qBlue(pixel));
            line[x] = qRgb(level, level, level);
        }
    }

    painter.begin(&image);
    painter.drawRect(QRect(QPoint(1, barTop), QPoint(width - 5, ItemHeight - 4)));
    painter.setFont(font);
    painter.drawText(QRect(QPoint(labelLeft, 0), QPoint(width - 1, ItemHeight - 1)),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
    return image;
}

void AudioListWidget::markMissing(QImage &image)
{
    // Red hatching over the bar: the clip is kept but has no file to play.
    QPainter painter(&image);
    painter.fillRect(QRect(1, barTop, image.width() - 5, ItemHeight - 2 * barTop),
                     QBrush(QColor(0xc0, 0x20, 0x20, 0xa0), Qt::BDiagPattern));
    painter.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2));
    painter.drawRect(QRect(1, barTop, image.width() - 6, ItemHeight - 2 * barTop - 1));
}

QString AudioListWidget::toolTipFor(int row) const
{
    const AudioInfo &record = records.at(row);
    if (record.missing) {
        return QStringLiteral("<nobr>#%1&nbsp;<b>%2</b>:&nbsp;%3<nobr/>")
            .arg(row + 1)
            .arg(tr("Missing").toHtmlEscaped(),
                 QDir::toNativeSeparators(record.path).toHtmlEscaped());
    }
    QString tip = QStringLiteral("<nobr>#%1&nbsp;<b>%2</b><nobr/>")
                      .arg(row + 1)
                      .arg(QFileInfo(record.path).fileName().toHtmlEscaped());
    tip += toolTipLine(tr("Duration"), Zo::timeText(record.clipEnd - record.clipStart));
    tip += toolTipLine(tr("Channels"), QString::number(record.channels));
    tip += toolTipLine(tr("Sample Rate"), QString::number(record.sampleRate));
    if (record.clipStart != 0.0 || record.clipEnd != record.duration) {
        tip += toolTipLine(tr("Start Point"), Zo::timeText(record.clipStart));
        tip += toolTipLine(tr("End Point"), Zo::timeText(record.clipEnd));
    }
    return tip;
}

void AudioListWidget::retranslateItems()
{
    for (int i = 0; i < records.size(); ++i) {
        if (QListWidgetItem *bar = item(i))
            bar->setToolTip(toolTipFor(i));
    }
}

void AudioListWidget::removeSelected(bool quiet)
{
    const auto [first, last] = selectedSpan();
    if (last < first)
        return;
    rowsChanged();
    for (int row = first; row <= last; ++row) {
        delete takeItem(first);
        records.removeAt(first);
    }
    if (quiet)
        return;
    insertRow = count();
    relayout();
    emit audioListChanged(records);
    if (count() > 0) {
        const int current = std::min(first, count() - 1);
        scrollToItem(item(current));
        setCurrentRow(current);
    }
    relayoutView();
}

void AudioListWidget::moveSelectedLeft()
{
    const auto [first, last] = selectedSpan();
    if (last < first || first == 0)
        return;
    const QList<AudioInfo> moved = records.mid(first, last - first + 1);
    removeSelected(true);
    {
        const QSignalBlocker blocker(this);
        const QSignalBlocker modelBlocker(model());
        insertRow = first - 1;
        for (const AudioInfo &record : moved)
            addAudio(record);
    }
    finishAudioInsertion();
    const int newFirst = first - 1;
    scrollToItem(item(std::max(newFirst, 0)));
    setCurrentRow(newFirst);
    selectRows(newFirst, newFirst + static_cast<int>(moved.size()) - 1);
}

void AudioListWidget::moveSelectedRight()
{
    const auto [first, last] = selectedSpan();
    if (last < first || last + 1 >= count())
        return;
    const QList<AudioInfo> moved = records.mid(first, last - first + 1);
    removeSelected(true);
    int end = 0;
    {
        const QSignalBlocker blocker(this);
        const QSignalBlocker modelBlocker(model());
        insertRow = std::min(first + 1, count());
        for (const AudioInfo &record : moved)
            addAudio(record);
        end = insertRow;
    }
    finishAudioInsertion();
    scrollToItem(item(std::min(end, count() - 1)));
    setCurrentRow(std::min(end - 1, count() - 1));
    selectRows(end - static_cast<int>(moved.size()), end - 1);
}

void AudioListWidget::sortAudio(int key, bool ascending)
{
    if (!sortRecords(records, key, ascending))
        return;
    rowsChanged();
    insertRow = count();
    relayout();
    emit audioListChanged(records);
}

void AudioListWidget::on_itemDoubleClicked(QListWidgetItem *clicked)
{
    const int clickedRow = row(clicked);
    if (clickedRow < 0)
        return;
    AdjustAudioOrder dialog(records, this);
    dialog.setCurrentRow(clickedRow);
    if (dialog.exec() == QDialog::Accepted)
        setAudioList(dialog.editedClips());
}

QString AudioListWidget::dropHint() const
{
    return tr("Drag Audio File(s) Here");
}

void AudioListWidget::decorateDrag(QDrag *drag, const QList<int> &rows) const
{
    const QImage first = item(rows.first())->data(Qt::DecorationRole).value<QImage>();
    if (!first.isNull())
        drag->setPixmap(QPixmap::fromImage(first));
}

void AudioListWidget::finishDrag(Qt::DropAction action, const QList<QListWidgetItem *> &items)
{
    if (action == Qt::MoveAction) {
        rowsChanged();
        for (QListWidgetItem *dragged : items) {
            const int row = this->row(dragged);
            if (row < 0)
                continue;
            records.removeAt(row);
            delete takeItem(row);
        }
    }
    // Whatever became of the drag, the bars and the main window see the list as it is now.
    insertRow = count();
    relayout();
    emit audioListChanged(records);
    clearSelection();
}

void AudioListWidget::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenu(event->globalPos());
}

const QStringList &AudioListWidget::filePatterns() const
{
    return audioPatterns;
}

void AudioListWidget::announceChange()
{
    emit audioListAboutToChange();
}

void AudioListWidget::finishAdding()
{
    finishAudioInsertion();
}

void AudioListWidget::insertCopies(const QList<int> &rows)
{
    QList<AudioInfo> copies;
    for (int row : rows)
        copies.append(records.at(row));
    for (const AudioInfo &record : std::as_const(copies))
        addAudio(record);
    finishAudioInsertion();
}
