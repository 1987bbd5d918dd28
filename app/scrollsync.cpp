// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "audio/storyboardrender.h"
#include "media/audiolistwidget.h"
#include "media/photolistwidget.h"

#include "ui_vellumix.h"

#include <QScrollBar>
#include <QTimer>
#include <algorithm>

void Vellumix::setUpScrollSync()
{
    PhotoListWidget *photoStrip = ui->photoListWidget;
    AudioListWidget *audioStrip = ui->audioListWidget;
    scrollRangeTimer = new QTimer(this);
    scrollRangeTimer->setSingleShot(true);
    scrollRangeTimer->setInterval(0);
    connect(scrollRangeTimer, &QTimer::timeout, this, &Vellumix::changeScrollRange);
    QScrollBar *shared = ui->horizontalScrollBar;
    for (QListWidget *strip :
         {static_cast<QListWidget *>(photoStrip), static_cast<QListWidget *>(audioStrip)}) {
        const auto later = [timer = scrollRangeTimer] {
            timer->start();
        };
        connect(strip->model(), &QAbstractItemModel::rowsRemoved, scrollRangeTimer, later);
        connect(strip->model(), &QAbstractItemModel::rowsInserted, scrollRangeTimer, later);
        QScrollBar *own = strip->horizontalScrollBar();
        connect(own, &QScrollBar::valueChanged, shared, &QScrollBar::setValue);
        connect(shared, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
    }
    connect(photoStrip, &PhotoListWidget::sizeChanged, this, &Vellumix::changeScrollRange);
    connect(audioStrip, &AudioListWidget::sizeChanged, this, &Vellumix::changeScrollRange);
}

void Vellumix::changeScrollRange()
{
    QScrollBar *shared = ui->horizontalScrollBar;
    const int w = shared->width();
    QScrollBar *photoBar = ui->photoListWidget->horizontalScrollBar();
    QScrollBar *audioBar = ui->audioListWidget->horizontalScrollBar();
    for (QScrollBar *bar : {shared, photoBar, audioBar})
        bar->setPageStep(w);
    const int contentWidth = stripContentWidth();
    pixelsPerFrame = 1.0;
    const int maximum = std::max(0, contentWidth - w / 2);
    if (!storyBoard.isEmpty()) {
        const int frames = std::max(audioStripFrames(), render->totalFrames());
        if (frames > 0)
            pixelsPerFrame = double(contentWidth) / frames;
    }
    for (QScrollBar *bar : {shared, photoBar, audioBar})
        bar->setRange(0, maximum);
}

int Vellumix::stripContentWidth() const
{
    return std::max(ui->photoListWidget->contentWidth(), ui->audioListWidget->contentWidth());
}

int Vellumix::audioStripFrames() const
{
    const AudioListWidget *strip = ui->audioListWidget;
    const auto seconds = static_cast<qint64>(strip->contentWidth() * strip->secondsPerPixel());
    return static_cast<int>(seconds * previewFormat.frameRate);
}

void Vellumix::setScrollValue(int value)
{
    ui->horizontalScrollBar->setValue(value);
}

void Vellumix::resizeEvent(QResizeEvent *event)
{
    ZoMainWindow::resizeEvent(event);
    changeScrollRange();
    stopEditingMotion();
}
