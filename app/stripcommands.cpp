// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/showedit.h"
#include "app/timeline.h"
#include "audio/storyboardrender.h"
#include "media/adjustaudioorder.h"
#include "media/audiolistwidget.h"
#include "media/mediainfowidget.h"
#include "media/photolistwidget.h"
#include "preview/avplayer.h"

#include "ui_vellumix.h"

#include <QFileInfo>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>

void Vellumix::setUpStripCommands()
{
    PhotoListWidget *photoStrip = ui->photoListWidget;
    AudioListWidget *audioStrip = ui->audioListWidget;
    connect(photoStrip, &PhotoListWidget::photoListAboutToChange, this,
            &Vellumix::on_pause_clicked);
    connect(audioStrip, &AudioListWidget::audioListAboutToChange, this,
            &Vellumix::on_pause_clicked);
    connect(photoStrip, &PhotoListWidget::photoListChanged, this, &Vellumix::photoListChanged);
    connect(audioStrip, &AudioListWidget::audioListChanged, this, &Vellumix::audioListChanged);
    connect(photoStrip, &QListWidget::itemSelectionChanged, this,
            &Vellumix::photoItemSelectChanged);
    connect(audioStrip, &QListWidget::itemSelectionChanged, this,
            &Vellumix::audioItemSelectChanged);
    connect(photoStrip, &QListWidget::currentRowChanged, this,
            &Vellumix::on_photoListWidget_row_changed);
    connect(audioStrip, &QListWidget::currentRowChanged, this,
            &Vellumix::on_audioListWidget_row_changed);
    connect(photoStrip, &QListWidget::itemClicked, this,
            &Vellumix::on_photoListWidget_item_clicked);
    connect(audioStrip, &QListWidget::itemClicked, this,
            &Vellumix::on_audioListWidget_item_clicked);
    connect(photoStrip, &PhotoListWidget::contextMenu, this, &Vellumix::on_photoListContextMenu);
    connect(audioStrip, &AudioListWidget::contextMenu, this, &Vellumix::on_audioListContextMenu);

    connect(ui->actionDelete, &QAction::triggered, this, &Vellumix::on_deleteClip_clicked);
    connect(ui->actionClear, &QAction::triggered, this, &Vellumix::on_clear_clicked);
    connect(ui->actionSelect_All, &QAction::triggered, this, &Vellumix::on_selectAll_clicked);
    connect(ui->actionTurn_Left, &QAction::triggered, this, &Vellumix::on_turnLeft_clicked);
    connect(ui->actionTurn_Right, &QAction::triggered, this, &Vellumix::on_turnRight_clicked);
    connect(ui->actionMirror, &QAction::triggered, this, &Vellumix::on_mirror_clicked);
    connect(ui->actionFlip, &QAction::triggered, this, &Vellumix::on_flip_clicked);
    connect(ui->actionAuto_Rotate_All_Phtotes, &QAction::triggered, this,
            &Vellumix::on_autoRotateAll_clicked);
    connect(ui->actionAuto_Rotate_Photoes_While_Importing, &QAction::triggered, this,
            &Vellumix::on_autoRotatewhileImporting_clicked);
    connect(ui->actionRestore, &QAction::triggered, this, &Vellumix::on_restore_clicked);
    connect(ui->actionMove_Left, &QAction::triggered, this, &Vellumix::on_moveLeft_clicked);
    connect(ui->actionMove_Right, &QAction::triggered, this, &Vellumix::on_moveRight_clicked);
    for (QAction *action :
         {ui->actionSortByName, ui->actionSortByDate, ui->actionSortByType, ui->actionSortBySize})
        connect(action, &QAction::triggered, this, &Vellumix::on_sort);
    for (QAction *action : {ui->actionSortAscending, ui->actionSortDescending})
        connect(action, &QAction::triggered, this, &Vellumix::on_sortOrder);
    photoStrip->setAutoRotate(ui->actionAuto_Rotate_Photoes_While_Importing->isChecked());

    autoRotateMenu = new QMenu(this);
    autoRotateAction = autoRotateMenu->addAction(QString());
    autoRotateAllAction = autoRotateMenu->addAction(QString());
    connect(autoRotateAction, &QAction::triggered, this, &Vellumix::on_autoRotate_clicked);
    connect(autoRotateAllAction, &QAction::triggered, this, &Vellumix::on_autoRotateAll_clicked);
    autoRotateMenu->addSeparator();
    autoRotateMenu->addAction(ui->actionAuto_Rotate_Photoes_While_Importing);
    ui->autoRotate->setMenu(autoRotateMenu);
}

void Vellumix::photoListChanged(const QList<ImageInfo> &list)
{
    on_pause_clicked();
    if (!restoring && !samePhotos(storyBoard.photos, list)) {
        undo->push(new ShowEdit<QList<ImageInfo>>(
            editName.isEmpty() ? tr("Edit Photos") : editName, storyBoard.photos, list,
            [this](const QList<ImageInfo> &photos) { restorePhotos(photos); }));
    }
    storyBoard.setPhotos(list);
    onStoryBoardDataChanged();
}

void Vellumix::audioListChanged(const QList<AudioInfo> &list)
{
    on_pause_clicked();
    if (!restoring && !sameClips(storyBoard.audios, list)) {
        undo->push(new ShowEdit<QList<AudioInfo>>(
            editName.isEmpty() ? tr("Edit Audio") : editName, storyBoard.audios, list,
            [this](const QList<AudioInfo> &clips) { restoreAudios(clips); }));
    }
    storyBoard.setAudios(list);
    onStoryBoardDataChanged();
}

void Vellumix::restorePhotos(const QList<ImageInfo> &photos)
{
    restoring = true;
    ui->photoListWidget->setPhotoList(photos);
    restoring = false;
}

void Vellumix::restoreAudios(const QList<AudioInfo> &clips)
{
    restoring = true;
    ui->audioListWidget->setAudioList(clips);
    restoring = false;
}

bool Vellumix::markVanishedFiles()
{
    const auto markGone = [](auto &records) {
        bool any = false;
        for (auto &record : records) {
            if (!record.missing && !QFileInfo::exists(record.path)) {
                record.missing = true;
                any = true;
            }
        }
        return any;
    };
    QList<ImageInfo> photos = storyBoard.photos;
    QList<AudioInfo> clips = storyBoard.audios;
    const bool photosGone = markGone(photos);
    const bool clipsGone = markGone(clips);
    if (photosGone) {
        const int row = ui->photoListWidget->currentRow();
        restorePhotos(photos);
        ui->photoListWidget->setCurrentRow(row);
    }
    if (clipsGone) {
        const int row = ui->audioListWidget->currentRow();
        restoreAudios(clips);
        ui->audioListWidget->setCurrentRow(row);
    }
    return photosGone || clipsGone;
}

void Vellumix::reformatMediaInfo()
{
    // Only while the record still describes the item at that place: the lists may have changed
    // since it was shown.
    const MediaInfo &shown = mediaInfo->mediaInfo();
    const auto describes = [&shown](const QString &path) {
        return QFileInfo(path).fileName() == shown.fileName;
    };
    if (shown.mode == MediaInfo::Photo && mediaInfoItem >= 0
        && mediaInfoItem < storyBoard.photos.size()
        && describes(storyBoard.photos.at(mediaInfoItem).path))
        mediaInfo->setMediaInfo(photoMediaInfo(storyBoard.photos.at(mediaInfoItem)));
    else if (shown.mode == MediaInfo::Audio && mediaInfoItem >= 0
             && mediaInfoItem < storyBoard.audios.size()
             && describes(storyBoard.audios.at(mediaInfoItem).path))
        mediaInfo->setMediaInfo(audioMediaInfo(storyBoard.audios.at(mediaInfoItem)));
}

void Vellumix::on_photoListWidget_row_changed(int row)
{
    const int photos = static_cast<int>(storyBoard.photos.size());
    if (row >= 0 && row / 2 < photos) {
        const ImageInfo &photo = storyBoard.photos.at(row / 2);
        // A photo whose file has gone since it was read is marked once the selection is done.
        if (!photo.missing && !QFileInfo::exists(photo.path))
            QTimer::singleShot(0, this, &Vellumix::markVanishedFiles);
        if (row % 2 == 0) {
            mediaInfoItem = row / 2;
            mediaInfo->setMediaInfo(photoMediaInfo(storyBoard.photos.at(mediaInfoItem)));
            mediaInfo->updateView();
        }
        const int target = photoRowFrame(row, render->timeline());
        on_pause_clicked();
        showPosition(target);
    } else {
        mediaInfo->setMediaInfo(MediaInfo());
        mediaInfo->updateView();
    }
    photoItemSelectChanged();
}

void Vellumix::on_audioListWidget_row_changed(int row)
{
    if (row >= 0 && row < storyBoard.audios.size()) {
        mediaInfoItem = row;
        mediaInfo->setMediaInfo(audioMediaInfo(storyBoard.audios.at(row)));
        mediaInfo->updateView();
        const int target = audioClipFrame(storyBoard.audios, row, previewFormat.frameRate);
        on_pause_clicked();
        showPosition(target);
    } else {
        mediaInfo->setMediaInfo(MediaInfo());
        mediaInfo->updateView();
    }
    audioItemSelectChanged();
}

void Vellumix::on_photoListWidget_item_clicked()
{
    on_photoListWidget_row_changed(ui->photoListWidget->currentRow());
}

void Vellumix::on_audioListWidget_item_clicked()
{
    on_audioListWidget_row_changed(ui->audioListWidget->currentRow());
}

void Vellumix::photoItemSelectChanged()
{
    stopEditingMotion();
    activeList = 0;
    // At most one strip has a selection. Quietly, so that the other strip's handlers do not
    // take the edit commands back to it.
    {
        const QSignalBlocker quiet(ui->audioListWidget);
        ui->audioListWidget->clearSelection();
        ui->audioListWidget->setCurrentRow(-1);
    }
    updateEnabledState();
    showPhotoSettings();
}

void Vellumix::audioItemSelectChanged()
{
    activeList = 1;
    {
        const QSignalBlocker quiet(ui->photoListWidget);
        ui->photoListWidget->clearSelection();
        ui->photoListWidget->setCurrentRow(-1);
    }
    updateEnabledState();
    showPhotoSettings();
}

void Vellumix::on_deleteClip_clicked()
{
    on_pause_clicked();
    if (activeList == 0) {
        PhotoListWidget *strip = ui->photoListWidget;
        runEdit(tr("Delete"), [strip] { strip->removeSelected(false); });
        if (strip->count() == 0)
            ui->avPlayer->clearDisplay();
        on_photoListWidget_row_changed(strip->currentRow());
    } else if (activeList == 1) {
        AudioListWidget *strip = ui->audioListWidget;
        runEdit(tr("Delete"), [strip] { strip->removeSelected(false); });
        on_audioListWidget_row_changed(strip->currentRow());
    }
}

void Vellumix::on_clear_clicked()
{
    on_stop_clicked();
    // The strips empty themselves without a word, so the model and the undo step are made here.
    if (activeList == 0 && !storyBoard.photos.isEmpty()) {
        undo->push(new ShowEdit<QList<ImageInfo>>(
            tr("Clear"), storyBoard.photos, {},
            [this](const QList<ImageInfo> &photos) { restorePhotos(photos); }));
        ui->photoListWidget->clearPhotos();
        storyBoard.photos.clear();
    } else if (activeList == 1 && !storyBoard.audios.isEmpty()) {
        undo->push(new ShowEdit<QList<AudioInfo>>(
            tr("Clear"), storyBoard.audios, {},
            [this](const QList<AudioInfo> &clips) { restoreAudios(clips); }));
        ui->audioListWidget->clearAudio();
        storyBoard.audios.clear();
    }
    onStoryBoardDataChanged();
    on_pause_clicked();
    ui->avPlayer->seek(0);
    updateProgress();
    updateEnabledState();
}

void Vellumix::on_selectAll_clicked()
{
    if (activeList == 0)
        ui->photoListWidget->selectAll();
    else if (activeList == 1)
        ui->audioListWidget->selectAll();
}

void Vellumix::on_moveLeft_clicked()
{
    on_pause_clicked();
    if (activeList == 0)
        runEdit(tr("Move Left"), [this] { ui->photoListWidget->moveSelectedLeft(); });
    else if (activeList == 1)
        runEdit(tr("Move Left"), [this] { ui->audioListWidget->moveSelectedLeft(); });
}

void Vellumix::on_moveRight_clicked()
{
    on_pause_clicked();
    if (activeList == 0)
        runEdit(tr("Move Right"), [this] { ui->photoListWidget->moveSelectedRight(); });
    else if (activeList == 1)
        runEdit(tr("Move Right"), [this] { ui->audioListWidget->moveSelectedRight(); });
}

void Vellumix::on_turnLeft_clicked()
{
    on_pause_clicked();
    runEdit(tr("Turn Left"), [this] { ui->photoListWidget->rotateSelected(ImageInfo::TurnLeft); });
}

void Vellumix::on_turnRight_clicked()
{
    on_pause_clicked();
    runEdit(tr("Turn Right"),
            [this] { ui->photoListWidget->rotateSelected(ImageInfo::TurnRight); });
}

void Vellumix::on_mirror_clicked()
{
    on_pause_clicked();
    runEdit(tr("Mirror"), [this] { ui->photoListWidget->rotateSelected(ImageInfo::Mirror); });
}

void Vellumix::on_flip_clicked()
{
    on_pause_clicked();
    runEdit(tr("Flip"), [this] { ui->photoListWidget->rotateSelected(ImageInfo::Flip); });
}

void Vellumix::on_autoRotate_clicked()
{
    on_pause_clicked();
    runEdit(tr("Auto Rotate"), [this] { ui->photoListWidget->restoreSelectedExifOrientation(); });
}

void Vellumix::on_autoRotateAll_clicked()
{
    on_pause_clicked();
    runEdit(tr("Auto Rotate All Photos"), [this] { ui->photoListWidget->resetAllOrientations(); });
}

void Vellumix::on_restore_clicked()
{
    on_pause_clicked();
    runEdit(tr("Restore"), [this] { ui->photoListWidget->resetSelectedOrientation(); });
}

void Vellumix::on_autoRotatewhileImporting_clicked(bool checked)
{
    ui->photoListWidget->setAutoRotate(checked);
}

void Vellumix::on_sort()
{
    const QObject *chosen = sender();
    for (QAction *action :
         {ui->actionSortByName, ui->actionSortByDate, ui->actionSortByType, ui->actionSortBySize})
        action->setChecked(action == chosen);
    applySort();
}

void Vellumix::on_sortOrder()
{
    const QObject *chosen = sender();
    for (QAction *action : {ui->actionSortAscending, ui->actionSortDescending})
        action->setChecked(action == chosen);
    applySort();
}

void Vellumix::applySort()
{
    int key = PhotoListWidget::SortByPath;
    bool ascending = true;
    for (const QAction *action : ui->menuSort_By->actions()) {
        if (!action->isChecked())
            continue;
        if (action == ui->actionSortByDate)
            key = PhotoListWidget::SortByModified;
        else if (action == ui->actionSortByType)
            key = PhotoListWidget::SortBySuffix;
        else if (action == ui->actionSortBySize)
            key = PhotoListWidget::SortByFileSize;
        else if (action == ui->actionSortDescending)
            ascending = false;
    }
    // The photo strip only when it was chosen: the audio strip is the one without a selection.
    if (activeList == 0)
        runEdit(tr("Sort"), [&] { ui->photoListWidget->sortPhotos(key, ascending); });
    else
        runEdit(tr("Sort"), [&] { ui->audioListWidget->sortAudio(key, ascending); });
}

void Vellumix::on_photoListContextMenu(bool isPhoto, QPoint pos)
{
    QMenu menu;
    if (isPhoto)
        menu.addAction(ui->actionDelete);
    menu.addAction(ui->actionClear);
    menu.addSeparator();
    menu.addAction(ui->actionSelect_All);
    if (isPhoto) {
        menu.addSeparator();
        menu.addActions({ui->actionTurn_Left, ui->actionTurn_Right, ui->actionMirror,
                         ui->actionFlip, ui->actionAuto_Rotate_All_Phtotes,
                         ui->actionAuto_Rotate_Photoes_While_Importing, ui->actionRestore});
        menu.addSeparator();
        menu.addActions({editCaptionAction, captionFromDescriptionAction, captionFromFileNameAction,
                         showCaptionStyleAction, editShowStyleAction});
        menu.addSeparator();
        menu.addActions({addTitleAction, editTitleAction});
    }
    menu.addSeparator();
    menu.addMenu(ui->menuSort_By);
    if (isPhoto) {
        menu.addSeparator();
        menu.addActions({ui->actionMove_Left, ui->actionMove_Right});
    } else if (const int row = ui->photoListWidget->currentRow(); row % 2 == 1) {
        menu.addSeparator();
        menu.addMenu(transitionMenu(row / 2));
    }
    menu.exec(pos);
}

void Vellumix::on_audioListContextMenu(QPoint pos)
{
    QMenu menu;
    menu.addActions({ui->actionDelete, ui->actionClear});
    menu.addSeparator();
    menu.addAction(ui->actionSelect_All);
    menu.addSeparator();
    menu.addMenu(ui->menuSort_By);
    menu.addSeparator();
    menu.addActions({ui->actionMove_Left, ui->actionMove_Right});
    menu.exec(pos);
}

void Vellumix::on_adjustOrder_clicked()
{
    on_pause_clicked();
    AdjustAudioOrder dialog(storyBoard.audios, this);
    if (dialog.exec() == QDialog::Accepted)
        ui->audioListWidget->setAudioList(dialog.editedClips());
}
