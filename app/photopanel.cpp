// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/timeline.h"
#include "audio/storyboardrender.h"
#include "controls/motionrecteditor.h"
#include "media/captionsection.h"
#include "media/photolistwidget.h"
#include "media/photosettingspanel.h"
#include "preview/avplayer.h"
#include "storyboard/motion.h"
#include "storyboard/picture.h"

#include "ui_vellumix.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

void Vellumix::setUpPhotoPanel()
{
    // The album's settings and the selected photos' share the column as two tabs, so that the
    // window grows no taller.
    settingsTabs = new QTabWidget(this);
    settingsTabs->setObjectName(QStringLiteral("settingsTabs"));
    settingsTabs->setMaximumWidth(ui->groupBox->maximumWidth());
    auto *albumPage = new QWidget(settingsTabs);
    auto *albumLayout = new QVBoxLayout(albumPage);
    albumLayout->setContentsMargins(0, 0, 0, 0);
    const int place = ui->verticalLayout_settings->indexOf(ui->groupBox);
    for (QWidget *group : {ui->groupBox, ui->groupBox_2}) {
        ui->verticalLayout_settings->removeWidget(group);
        albumLayout->addWidget(group);
    }
    albumLayout->addStretch();
    // The music's settings take a tab of their own, beside the album's.
    auto *musicPage = new QWidget(settingsTabs);
    auto *musicLayout = new QVBoxLayout(musicPage);
    musicLayout->setContentsMargins(0, 0, 0, 0);
    ui->verticalLayout_settings->removeWidget(ui->groupBoxMusic);
    musicLayout->addWidget(ui->groupBoxMusic);
    musicLayout->addStretch();
    photoPanel = new PhotoSettingsPanel(settingsTabs);
    settingsTabs->addTab(albumPage, QString());
    settingsTabs->addTab(photoPanel, QString());
    settingsTabs->addTab(musicPage, QString());
    ui->verticalLayout_settings->insertWidget(place, settingsTabs);
    // The tabs name what they hold; the column's heading would only take the height they need.
    ui->label_7->hide();
    connect(photoPanel, &PhotoSettingsPanel::edited, this, &Vellumix::editSelectedPhotos);

    motionEditor = new MotionRectEditor(ui->avPlayer);
    motionEditor->hide();
    connect(photoPanel->editMotionButton(), &QPushButton::toggled, this,
            &Vellumix::editMotionOnPreview);
    connect(motionEditor, &MotionRectEditor::rectsEdited, this,
            [this](const QRectF &start, const QRectF &end) {
                const int index = ui->photoListWidget->selectedPhotoIndexes().value(0, -1);
                photoPanel->editMotionButton()->setChecked(false);
                if (index < 0)
                    return;
                editPhotos({index}, tr("Motion"), [start, end](ImageInfo &photo) {
                    photo.own.motionStart = start;
                    photo.own.motionEnd = end;
                });
                // The edited motion plays at once, from the photo's first frame.
                showPosition(photoRowFrame(index * 2, render->timeline()));
                on_play_clicked();
            });
    connect(ui->photoListWidget, &PhotoListWidget::transitionActivated, this,
            [this](int photo, QPoint pos) { transitionMenu(photo)->exec(pos); });
}

void Vellumix::retranslatePhotoPanel()
{
    if (!settingsTabs)
        return;
    settingsTabs->setTabText(0, tr("Album"));
    settingsTabs->setTabText(1, tr("Per Photo"));
    settingsTabs->setTabText(2, tr("Music"));
    photoPanel->retranslate();
    retranslateCaptionCommands();
}

void Vellumix::editMotionOnPreview(bool on)
{
    const int index = ui->photoListWidget->selectedPhotoIndexes().value(0, -1);
    if (!on || index < 0 || index >= storyBoard.photos.size()) {
        if (motionEditor->isVisible()) {
            motionEditor->hide();
            if (playState != PlayState::Playing)
                showPosition(ui->avPlayer->currentFrame());
        }
        return;
    }
    on_pause_clicked();
    // The photo whole and unmoved, with both rectangles over it.
    const ImageInfo &info = storyBoard.photos.at(index);
    FrameComposition frame;
    FrameLayer layer;
    layer.photo = index;
    layer.orientation = info.orientation;
    const Picture &picture = render->photoPicture(info);
    layer.picture = &picture;
    layer.contentId = picture.serial;
    frame.layers.push_back(layer);
    ui->avPlayer->drawFrame(frame);
    const int width = previewFormat.width;
    const int height = previewFormat.height;
    placeMotionEditor(
        frameInPhoto(shownPhotoSize(info), storyBoard.framing, width, height, framedFaces(info)));
    motionEditor->setRects(frameShaped(info.own.motionStart, width, height),
                           frameShaped(info.own.motionEnd, width, height));
    motionEditor->show();
    motionEditor->raise();
}

void Vellumix::placeMotionEditor(const QRectF &bounds)
{
    AVPlayer *player = ui->avPlayer;
    motionEditor->setGeometry(player->rect());
    // The drawer's viewport has y upwards.
    const QRect v = player->frameViewport();
    motionEditor->setBounds(
        bounds, QRect(v.x(), player->height() - v.y() - v.height(), v.width(), v.height()));
}

void Vellumix::showPhotoSettings()
{
    if (!photoPanel)
        return;
    QList<ImageInfo> selected;
    if (activeList == 0) {
        for (int index : ui->photoListWidget->selectedPhotoIndexes()) {
            if (index < storyBoard.photos.size())
                selected.append(storyBoard.photos.at(index));
        }
    }
    photoPanel->setFrameSize(previewFormat.width, previewFormat.height);
    photoPanel->setPhotos(selected, storyBoard.settings(), storyBoard.patterns);
    if (captionSection)
        captionSection->setPhotos(selected, storyBoard.captionStyle);
}

void Vellumix::editSelectedPhotos(const QString &name, const PhotoSettingsPanel::Change &change)
{
    const bool editing = motionEditor->isVisible();
    editPhotos(ui->photoListWidget->selectedPhotoIndexes(), name, change);
    // A swap while the rectangles are on the preview shows them swapped there.
    if (editing && photoPanel->editMotionButton()->isEnabled())
        photoPanel->editMotionButton()->setChecked(true);
}

void Vellumix::stopEditingMotion()
{
    if (photoPanel)
        photoPanel->editMotionButton()->setChecked(false);
}

void Vellumix::editPhotos(const QList<int> &indexes, const QString &name,
                          const PhotoSettingsPanel::Change &change)
{
    on_pause_clicked();
    const int row = ui->photoListWidget->currentRow();
    runEdit(name, [&] { ui->photoListWidget->changeOwnSettings(indexes, change); });
    // The preview shows the edited photo where it now starts.
    if (row >= 0)
        on_photoListWidget_row_changed(row);
    showPhotoSettings();
}

QMenu *Vellumix::transitionMenu(int photo)
{
    auto *menu = new QMenu(tr("Transition"), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (photo < 0 || photo + 1 >= storyBoard.photos.size()) {
        menu->setEnabled(false);
        return menu;
    }
    const PhotoSettings own = storyBoard.photos.at(photo).own;
    auto *group = new QActionGroup(menu);
    const auto choice = [&](QMenu *into, const QString &text, TransitionStyle style,
                            const QString &pattern = QString()) {
        QAction *action = into->addAction(text);
        action->setCheckable(true);
        action->setChecked(own.transition == style
                           && (style != TransitionStyle::Wipe || own.wipePattern == pattern));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, photo, style, pattern] {
            editPhotos({photo}, tr("Transition"), [style, pattern](ImageInfo &info) {
                info.own.transition = style;
                info.own.wipePattern = pattern;
            });
        });
    };
    choice(menu, tr("As the album"), TransitionStyle::Album);
    choice(menu, tr("Dissolve"), TransitionStyle::Dissolve);
    QMenu *wipes = menu->addMenu(tr("Wipe"));
    wipes->setEnabled(!storyBoard.patterns.isEmpty());
    for (const QString &path : std::as_const(storyBoard.patterns))
        choice(wipes, QFileInfo(path).completeBaseName(), TransitionStyle::Wipe,
               QFileInfo(path).fileName());
    choice(menu, tr("Random wipe"), TransitionStyle::Random);
    choice(menu, tr("Cut"), TransitionStyle::Cut);
    menu->addSeparator();
    QAction *length = menu->addAction(tr("Length..."));
    length->setEnabled(own.transition != TransitionStyle::Cut);
    connect(length, &QAction::triggered, this, [this, photo, own] {
        bool ok = false;
        const int ms = QInputDialog::getInt(
            this, tr("Transition Length"), tr("Length of this transition (ms):"),
            own.transitionMs > 0 ? own.transitionMs : storyBoard.transitionDurationMs,
            PhotoSettings::MinTransitionMs, PhotoSettings::MaxTransitionMs, 100, &ok);
        if (ok)
            editPhotos({photo}, tr("Transition Length"),
                       [ms](ImageInfo &info) { info.own.transitionMs = ms; });
    });
    QAction *albumLength = menu->addAction(tr("Album's Length"));
    albumLength->setEnabled(own.transitionMs > 0);
    connect(albumLength, &QAction::triggered, this, [this, photo] {
        editPhotos({photo}, tr("Transition Length"),
                   [](ImageInfo &info) { info.own.transitionMs = 0; });
    });
    return menu;
}
