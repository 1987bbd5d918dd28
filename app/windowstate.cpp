// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/timeline.h"
#include "audio/storyboardrender.h"
#include "controls/gettingstartlabel.h"
#include "media/audiolistwidget.h"
#include "media/photolistwidget.h"
#include "preview/avplayer.h"

#include "ui_vellumix.h"

#include <algorithm>

void Vellumix::disableEditCommands()
{
    for (QToolButton *button : {ui->burn, ui->play, ui->stop, ui->previous, ui->next, ui->moveLeft,
                                ui->moveRight, ui->deleteClip, ui->turnLeft, ui->turnRight,
                                ui->mirror, ui->flip, ui->autoRotate, ui->restore})
        button->setEnabled(false);
    for (QAction *action :
         {ui->actionCreate_DVD, ui->actionSelect_All, ui->actionInvert_Select, ui->actionDelete,
          ui->actionTurn_Left, ui->actionTurn_Right, ui->actionMirror, ui->actionFlip,
          ui->actionRestore, ui->actionAuto_Rotate_All_Phtotes, ui->actionMove_Left,
          ui->actionMove_Right})
        action->setEnabled(false);
    ui->pause->hide();
}

void Vellumix::updateEnabledState()
{
    const bool hasPhoto = !storyBoard.photos.isEmpty();
    const bool playing = playState == PlayState::Playing;
    ui->play->setEnabled(hasPhoto && ui->avPlayer->currentFrame() < render->totalFrames()
                         && !playing);
    ui->pause->setEnabled(hasPhoto && playing);
    ui->stop->setEnabled(hasPhoto && playState != PlayState::Stopped);

    // Previous and Next step through the strip the user last selected in.
    int row = -1;
    int rows = 0;
    if (activeList == 0) {
        row = ui->photoListWidget->currentRow();
        rows = ui->photoListWidget->count();
    } else if (activeList == 1) {
        row = ui->audioListWidget->currentRow();
        rows = ui->audioListWidget->count();
    }
    ui->previous->setEnabled(row > 0 && row < rows);
    ui->next->setEnabled(row >= 0 && row < rows - 1);

    // Settings change the show, so they wait for a pause.
    const bool idle = !playing;
    for (QWidget *control : std::initializer_list<QWidget *> {
             ui->spinBox, ui->spinBox_2, ui->checkBox, ui->checkBoxUseDynamicZoom, ui->checkBox_2,
             ui->checkBox_3, ui->adjustOrder, ui->comboBoxFraming, ui->crossfade, ui->loudness,
             ui->beatCut})
        control->setEnabled(idle);
    const bool transitions = idle && ui->checkBox->isChecked();
    ui->radioButton->setEnabled(transitions);
    ui->radioButton_2->setEnabled(transitions && !storyBoard.patterns.isEmpty());
    ui->syncAlbum->setEnabled(idle && hasPhoto && !storyBoard.audios.isEmpty());
    ui->actionAuto_Rotate_All_Phtotes->setEnabled(storyBoard.totalDuration() > 0.01);
    updateEditCommands();
}

void Vellumix::updateEditCommands()
{
    // With no strip chosen yet the commands keep the state they start in.
    if (activeList < 0)
        return;
    const bool photos = activeList == 0;
    const QListWidget *strip = photos ? static_cast<QListWidget *>(ui->photoListWidget)
                                      : static_cast<QListWidget *>(ui->audioListWidget);
    QList<int> rows;
    for (const QModelIndex &index : strip->selectionModel()->selectedIndexes()) {
        // Transition markers are not moved, turned or deleted by themselves.
        if (!photos || index.row() % 2 == 0)
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    const int count = strip->count();
    const bool selected = !rows.isEmpty();
    const bool left = selected && rows.first() != 0;
    const bool right = selected && rows.last() + 1 != count;
    ui->moveLeft->setEnabled(left);
    ui->actionMove_Left->setEnabled(left);
    ui->moveRight->setEnabled(right);
    ui->actionMove_Right->setEnabled(right);
    ui->actionSelect_All->setEnabled(count > 0);
    ui->actionInvert_Select->setEnabled(count > 0);
    ui->deleteClip->setEnabled(selected);
    ui->actionDelete->setEnabled(selected);
    const bool turnable = photos && selected;
    for (QToolButton *button :
         {ui->turnLeft, ui->turnRight, ui->mirror, ui->flip, ui->autoRotate, ui->restore})
        button->setEnabled(turnable);
    for (QAction *action : {ui->actionTurn_Left, ui->actionTurn_Right, ui->actionMirror,
                            ui->actionFlip, ui->actionRestore})
        action->setEnabled(turnable);
    if (editTitleAction) {
        const int photo = photos && rows.size() == 1 ? rows.first() / 2 : -1;
        editTitleAction->setEnabled(photo >= 0 && photo < storyBoard.photos.size()
                                    && storyBoard.photos.at(photo).titleCard);
    }
}

void Vellumix::onStoryBoardDataChanged()
{
    const bool hasPhoto = !storyBoard.photos.isEmpty();
    ui->burn->setEnabled(hasPhoto);
    ui->actionCreate_DVD->setEnabled(hasPhoto);
    const int total = render->updateTiming();
    showPhotoSettings();
    ui->position->setRange(0, total);
    ui->position->setSingleStep(static_cast<int>(render->framesPerPeriod()));
    ui->position->setPageStep(total / 10);
    // The lengths of the video: files that are missing are left out of it.
    const StoryBoard made = withoutMissingFiles(storyBoard);
    ui->photoLength->setText(formatSeconds(static_cast<qint64>(made.totalDuration())));
    ui->audioLength->setText(formatSeconds(static_cast<qint64>(made.totalAudioDuration())));
    ui->play->setEnabled(hasPhoto);
    showPreview(!storyBoard.isEmpty());
    if (storyBoard.isEmpty()) {
        ui->avPlayer->clearDisplay();
        ui->timeCode->setText(QStringLiteral("00:00:00 / 00:00:00"));
    }

    // The clips are measured on the photos' time scale, so that the music lines up with them.
    const int photoWidth = ui->photoListWidget->contentWidth();
    const double seconds = storyBoard.totalDuration();
    double secondsPerPixel = AudioListWidget::DefaultSecondsPerPixel;
    if (seconds > 0 && photoWidth > 0)
        secondsPerPixel = seconds / photoWidth;
    ui->audioListWidget->setTimelineScale(photoWidth, secondsPerPixel);
    changeScrollRange();

    // The preview shows the frame it had reached, or the last one when the show got shorter.
    if (!storyBoard.isEmpty())
        showPosition(ui->avPlayer->currentFrame());
    else
        updateProgress();
}

void Vellumix::showPreview(bool on)
{
    if (unseenPlayer)
        on = false;
    // Hidden before the other is shown: for a moment both would count, and the window would
    // grow by one of them to make room, past the screen's edge.
    QWidget *shown = on ? static_cast<QWidget *>(ui->avPlayer) : ui->gettingStart;
    QWidget *hidden = on ? static_cast<QWidget *>(ui->gettingStart) : ui->avPlayer;
    hidden->setVisible(false);
    shown->setVisible(true);
}
