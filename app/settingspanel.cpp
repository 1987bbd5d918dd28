// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/showedit.h"
#include "app/timeline.h"
#include "media/photolistwidget.h"

#include "ui_vellumix.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUndoStack>
#include <cmath>

namespace {

// Steps of one duration box that follow each other are undone as one.
enum MergeId { PhotoDurationEdit = 1, TransitionDurationEdit = 2, CrossfadeEdit = 3 };

} // namespace

void Vellumix::loadSettingsPanel()
{
    const QSignalBlocker quietPhoto(ui->spinBox);
    const QSignalBlocker quietTransition(ui->spinBox_2);
    const QSignalBlocker quietUse(ui->checkBox);
    const QSignalBlocker quietDissolve(ui->radioButton);
    const QSignalBlocker quietZoom(ui->checkBoxUseDynamicZoom);
    ui->spinBox->setValue(storyBoard.photoDurationMs);
    ui->spinBox_2->setValue(storyBoard.transitionDurationMs);
    ui->checkBox->setChecked(storyBoard.useTransition);
    const bool patterns = !storyBoard.patterns.isEmpty();
    ui->radioButton->setChecked(storyBoard.dissolveOnly || !patterns);
    ui->radioButton_2->setChecked(!storyBoard.dissolveOnly && patterns);
    ui->radioButton_2->setEnabled(patterns);
    ui->checkBoxUseDynamicZoom->setChecked(storyBoard.useZoom);
    ui->checkBox_2->setChecked(storyBoard.loopAudio);
    ui->checkBox_3->setChecked(storyBoard.fadeInOut);
    const QSignalBlocker quietFraming(ui->comboBoxFraming);
    ui->comboBoxFraming->setCurrentIndex(ui->comboBoxFraming->findData(int(storyBoard.framing)));
    const QSignalBlocker quietCrossfade(ui->crossfade);
    ui->crossfade->setValue(storyBoard.crossfadeMs / 1000.0);
    const QSignalBlocker quietLoudness(ui->loudness);
    ui->loudness->setCurrentIndex(ui->loudness->findData(storyBoard.loudnessTarget));
    ui->beatCut->setChecked(storyBoard.beatCut);
}

void Vellumix::fillMusicChoices()
{
    const QSignalBlocker quiet(ui->loudness);
    ui->loudness->clear();
    for (int lufs : AlbumSettings::LoudnessTargets) {
        ui->loudness->addItem(
            lufs == AlbumSettings::LoudnessOff ? tr("Off") : tr("%1 LUFS").arg(lufs), lufs);
    }
    ui->loudness->setCurrentIndex(ui->loudness->findData(storyBoard.loudnessTarget));
}

void Vellumix::fillFramingChoices()
{
    const QSignalBlocker quiet(ui->comboBoxFraming);
    const int current = ui->comboBoxFraming->currentIndex();
    ui->comboBoxFraming->clear();
    ui->comboBoxFraming->addItem(tr("Fit (black bars)"), int(Framing::Fit));
    ui->comboBoxFraming->addItem(tr("Fit on a blurred background"), int(Framing::BlurredFit));
    ui->comboBoxFraming->addItem(tr("Fill (crop)"), int(Framing::Fill));
    ui->comboBoxFraming->setCurrentIndex(
        current >= 0 ? current : ui->comboBoxFraming->findData(int(storyBoard.framing)));
}

void Vellumix::connectSettingsPanel()
{
    // A typed duration counts once it is confirmed, not at every digit.
    for (QSpinBox *box : {ui->spinBox, ui->spinBox_2})
        box->setKeyboardTracking(false);
    connect(ui->spinBox, &QSpinBox::valueChanged, this, &Vellumix::on_photoDur_changed);
    connect(ui->spinBox_2, &QSpinBox::valueChanged, this, &Vellumix::on_transtionDur_changed);
    connect(ui->checkBox, &QCheckBox::stateChanged, this, &Vellumix::on_transition_changed);
    connect(ui->radioButton, &QRadioButton::toggled, this, &Vellumix::on_transitionType_changed);
    connect(ui->checkBoxUseDynamicZoom, &QCheckBox::stateChanged, this,
            &Vellumix::on_dynamicZoom_changed);
    // Clicks only: loading the panel does not count as an edit.
    connect(ui->checkBox_2, &QCheckBox::released, this, &Vellumix::on_audioSetting_changed);
    connect(ui->checkBox_3, &QCheckBox::released, this, &Vellumix::on_audioSetting_changed);
    connect(ui->syncAlbum, &QToolButton::released, this, &Vellumix::on_sync_clicked);
    // Picked by the user only: the panel's own loading is silenced.
    connect(ui->comboBoxFraming, &QComboBox::currentIndexChanged, this,
            &Vellumix::on_framing_changed);
    ui->crossfade->setKeyboardTracking(false);
    connect(ui->crossfade, &QDoubleSpinBox::valueChanged, this, &Vellumix::on_crossfade_changed);
    connect(ui->loudness, &QComboBox::currentIndexChanged, this, &Vellumix::on_loudness_changed);
    connect(ui->beatCut, &QCheckBox::released, this, &Vellumix::on_beatCut_changed);
}

void Vellumix::settingsEdited(const AlbumSettings &before, const QString &name, int mergeId)
{
    on_pause_clicked();
    const AlbumSettings after = storyBoard.settings();
    if (!restoring && !(after == before)) {
        undo->push(new ShowEdit<AlbumSettings>(
            name, before, after, [this](const AlbumSettings &s) { restoreSettings(s); }, mergeId));
    }
    onStoryBoardDataChanged();
}

void Vellumix::restoreSettings(const AlbumSettings &settings)
{
    on_pause_clicked();
    storyBoard.setSettings(settings);
    loadSettingsPanel();
    onStoryBoardDataChanged();
}

void Vellumix::on_photoDur_changed(int value)
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.setPhotoDurationMs(value);
    settingsEdited(before, tr("Photo Duration"), PhotoDurationEdit);
}

void Vellumix::on_transtionDur_changed(int value)
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.setTransitionDurationMs(value);
    settingsEdited(before, tr("Transition Duration"), TransitionDurationEdit);
}

void Vellumix::on_transition_changed(int state)
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.useTransition = state == Qt::Checked;
    settingsEdited(before, tr("Use Transition"));
}

void Vellumix::on_dynamicZoom_changed(int state)
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.useZoom = state == Qt::Checked;
    settingsEdited(before, tr("Use Zoom Effect"));
}

void Vellumix::on_transitionType_changed()
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.dissolveOnly = ui->radioButton->isChecked();
    settingsEdited(before, tr("Transition"));
}

void Vellumix::on_audioSetting_changed()
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.loopAudio = ui->checkBox_2->isChecked();
    storyBoard.fadeInOut = ui->checkBox_3->isChecked();
    settingsEdited(before, tr("Audio Settings"));
}

void Vellumix::on_crossfade_changed(double seconds)
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.crossfadeMs = int(std::lround(seconds * 1000.0));
    settingsEdited(before, tr("Crossfade"), CrossfadeEdit);
}

void Vellumix::on_loudness_changed()
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.loudnessTarget = ui->loudness->currentData().toInt();
    settingsEdited(before, tr("Loudness"));
}

void Vellumix::on_beatCut_changed()
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.beatCut = ui->beatCut->isChecked();
    settingsEdited(before, tr("Cut on the Beat"));
}

void Vellumix::on_framing_changed()
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.framing = static_cast<Framing>(ui->comboBoxFraming->currentData().toInt());
    settingsEdited(before, tr("Framing"));
}

void Vellumix::on_sync_clicked()
{
    const std::optional<SyncedDurations> synced
        = syncDurations(storyBoard, previewFormat.frameRate);
    if (!synced)
        return;
    // The album's duration and the photos' own ones change together, as one step.
    undo->beginMacro(tr("Sync with Audio"));
    const AlbumSettings before = storyBoard.settings();
    {
        const QSignalBlocker quiet(ui->spinBox);
        ui->spinBox->setValue(synced->albumMs);
    }
    storyBoard.setPhotoDurationMs(synced->albumMs);
    settingsEdited(before, tr("Sync with Audio"));
    QList<PhotoSettings> own;
    for (int i = 0; i < storyBoard.photos.size(); ++i) {
        own.append(storyBoard.photos.at(i).own);
        own.last().durationMs = synced->ownMs.value(i);
    }
    runEdit(tr("Sync with Audio"), [&] { ui->photoListWidget->setOwnSettings(own); });
    undo->endMacro();
    // The photo the user stands on is shown again at its new start.
    on_photoListWidget_row_changed(ui->photoListWidget->currentRow());
}
