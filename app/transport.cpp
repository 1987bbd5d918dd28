// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/timeline.h"
#include "audio/storyboardrender.h"
#include "preview/avplayer.h"

#include "ui_vellumix.h"

#include <QCursor>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int progressMs = 40;

} // namespace

void Vellumix::setUpTransport()
{
    ui->position->setMaximum(0);
    ui->position->setValue(0);
    connect(ui->position, &QSlider::sliderPressed, this, &Vellumix::on_sliderPosition_presssed);
    connect(ui->position, &QSlider::sliderReleased, this, &Vellumix::on_sliderPosition_released);
    connect(ui->position, &QSlider::actionTriggered, this,
            &Vellumix::on_sliderPositionAction_triggered);
    connect(ui->position, &QSlider::valueChanged, this, &Vellumix::on_sliderPosition_changed);
    ui->mute->show();
    ui->unmute->hide();
    ui->volume->setMaximum(100);
    ui->volume->setValue(100);
    connect(ui->volume, &QSlider::valueChanged, ui->avPlayer, &AVPlayer::setVolume);
    connect(ui->volume, &QSlider::actionTriggered, this,
            &Vellumix::on_volumePositionAction_triggered);

    progressTimer = new QTimer(this);
    connect(progressTimer, &QTimer::timeout, this, &Vellumix::updateProgress);

    // Space plays and pauses wherever the focus is, except in a field that takes the key: a
    // shortcut only fires when the focus widget does not claim the key for itself.
    playShortcut = new QShortcut(QKeySequence(Qt::Key_Space), this);
    connect(playShortcut, &QShortcut::activated, this, &Vellumix::togglePlayback);
}

void Vellumix::on_play_clicked()
{
    if (playState == PlayState::Playing)
        return;
    stopEditingMotion();
    markVanishedFiles();
    AVPlayer *player = ui->avPlayer;
    render->drawFrame(player->currentFrame(), true, player);
    render->startAudio();
    player->startPlayback();
    ui->position->setTracking(false);
    progressTimer->start(progressMs);
    playState = PlayState::Playing;
    updateEnabledState();
    ui->play->hide();
    ui->pause->show();
    ui->pause->setFocus();
}

void Vellumix::on_pause_clicked()
{
    if (playState != PlayState::Playing)
        return;
    ui->avPlayer->stopPlayback();
    render->stopAudio();
    render->wait();
    ui->position->setTracking(true);
    progressTimer->stop();
    playState = PlayState::Paused;
    updateEnabledState();
    ui->pause->hide();
    ui->play->show();
    ui->play->setFocus();
}

void Vellumix::on_stop_clicked()
{
    on_pause_clicked();
    showPosition(0);
    setScrollValue(0);
    playState = PlayState::Stopped;
    updateEnabledState();
}

void Vellumix::togglePlayback()
{
    if (playState == PlayState::Playing)
        on_pause_clicked();
    else if (ui->play->isEnabled())
        on_play_clicked();
}

void Vellumix::on_previous_clicked()
{
    QListWidget *strip = activeList == 0 ? static_cast<QListWidget *>(ui->photoListWidget)
                                         : static_cast<QListWidget *>(ui->audioListWidget);
    strip->setCurrentRow(strip->currentRow() - 1);
}

void Vellumix::on_next_clicked()
{
    QListWidget *strip = activeList == 0 ? static_cast<QListWidget *>(ui->photoListWidget)
                                         : static_cast<QListWidget *>(ui->audioListWidget);
    strip->setCurrentRow(strip->currentRow() + 1);
}

void Vellumix::on_mute_clicked()
{
    ui->avPlayer->setVolume(0);
    ui->volume->setEnabled(false);
    ui->mute->hide();
    ui->unmute->show();
    ui->unmute->setFocus();
}

void Vellumix::on_unmute_clicked()
{
    ui->avPlayer->setVolume(ui->volume->value());
    ui->volume->setEnabled(true);
    ui->unmute->hide();
    ui->mute->show();
    ui->mute->setFocus();
}

void Vellumix::on_volumePositionAction_triggered()
{
    QSlider *slider = ui->volume;
    const int left = slider->mapToGlobal(QPoint(0, 0)).x();
    slider->setSliderPosition(
        sliderValueAtCursor(QCursor::pos().x(), left, slider->width(), slider->maximum()));
}

void Vellumix::on_sliderPosition_presssed()
{
    on_pause_clicked();
}

void Vellumix::on_sliderPosition_released()
{
    showPosition(ui->position->value());
}

void Vellumix::on_sliderPositionAction_triggered()
{
    QSlider *slider = ui->position;
    const int left = slider->mapToGlobal(QPoint(0, 0)).x();
    slider->setSliderPosition(
        sliderValueAtCursor(QCursor::pos().x(), left, slider->width(), render->totalFrames()));
}

void Vellumix::on_sliderPosition_changed(int value)
{
    showPosition(value);
    int current = ui->avPlayer->currentFrame();
    const int length = std::max(render->totalFrames(), audioStripFrames());
    if (length == 0) {
        QSignalBlocker block(ui->position);
        ui->position->setValue(0);
        current = 0;
    }
    QScrollBar *bar = ui->horizontalScrollBar;
    setScrollValue(scrollValueForFrame(current, length, bar->width(), bar->maximum()));
}

void Vellumix::showPosition(int k)
{
    on_pause_clicked();
    const int total = render->totalFrames();
    k = total > 0 ? std::clamp(k, 0, total - 1) : 0;
    ui->avPlayer->seek(k);
    updateProgress();
}

void Vellumix::markShownPhoto(int frame)
{
    int row = -1;
    for (int photo = 0; photo < static_cast<int>(storyBoard.photos.size()); ++photo) {
        if (photoRowFrame(photo * 2, render->timeline()) > frame)
            break;
        row = photo * 2;
    }
    if (row < 0 || row == ui->photoListWidget->currentRow())
        return;
    {
        // Quietly: a row chosen by the user seeks there and pauses.
        const QSignalBlocker quiet(ui->photoListWidget);
        ui->photoListWidget->setCurrentRow(row);
    }
    photoItemSelectChanged();
}

void Vellumix::updateProgress()
{
    int current = ui->avPlayer->currentFrame();
    const int total = render->totalFrames();
    {
        QSignalBlocker block(ui->position);
        if (total > 0) {
            ui->position->setValue(std::min(current, total));
            if (playState == PlayState::Playing) {
                const int half = ui->horizontalScrollBar->width() / 2;
                setScrollValue(std::max(0, static_cast<int>(current * pixelsPerFrame - half)));
                markShownPhoto(current);
            }
        } else {
            ui->position->setValue(0);
            current = 0;
        }
    }
    ui->timeCode->setText(formatTimeCode(current, previewFormat.frameRate) + QStringLiteral(" / ")
                          + formatTimeCode(total, previewFormat.frameRate));
    if (playState == PlayState::Playing && current >= total) {
        on_pause_clicked();
        showPosition(0);
        setScrollValue(0);
        playState = PlayState::Stopped;
    }
    updateEnabledState();
}
