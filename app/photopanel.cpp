// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "media/photolistwidget.h"
#include "media/photosettingspanel.h"

#include "ui_vellumix.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
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
    photoPanel = new PhotoSettingsPanel(settingsTabs);
    settingsTabs->addTab(albumPage, QString());
    settingsTabs->addTab(photoPanel, QString());
    ui->verticalLayout_settings->insertWidget(place, settingsTabs);
    // The tabs name what they hold; the column's heading would only take the height they need.
    ui->label_7->hide();
    connect(photoPanel, &PhotoSettingsPanel::edited, this, &Vellumix::editSelectedPhotos);
    connect(ui->photoListWidget, &PhotoListWidget::transitionActivated, this,
            [this](int photo, QPoint pos) { transitionMenu(photo)->exec(pos); });
}

void Vellumix::retranslatePhotoPanel()
{
    if (!settingsTabs)
        return;
    settingsTabs->setTabText(0, tr("Album"));
    settingsTabs->setTabText(1, tr("Per Photo"));
    photoPanel->retranslate();
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
}

void Vellumix::editSelectedPhotos(const QString &name, const PhotoSettingsPanel::Change &change)
{
    editPhotos(ui->photoListWidget->selectedPhotoIndexes(), name, change);
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
