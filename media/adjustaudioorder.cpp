// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/adjustaudioorder.h"

#include "audio/audioanalysis.h"
#include "audio/audiodecoder.h"
#include "controls/waveformpainter.h"
#include "media/filetypes.h"
#include "ui_adjustaudioorder.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopref.h"
#include "zofc/zoutils.h"
#include "zofc/zowidgethelper.h"

#include <QCursor>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int pointColumnWidth = 80;
// In- and out-points are set to a tenth of a second: the slider counts tenths.
constexpr double TicksPerSecond = 10.0;

int ticksOf(double seconds)
{
    return static_cast<int>(std::lround(seconds * TicksPerSecond));
}

double secondsOf(int ticks)
{
    return ticks / TicksPerSecond;
}

} // namespace

AdjustAudioOrder::AdjustAudioOrder(const QList<AudioInfo> &list, QWidget *parent)
    : ZoDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
    , ui(std::make_unique<Ui::AdjustAudioOrderClass>())
    , clips(list)
{
    ui->setupUi(this);
    widgetHelper()->setAllWindowTitle(tr("Edit Audio"));
    setFixedSize(360, 450);

    QHeaderView *header = ui->treeWidget->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column <= 3; ++column) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, pointColumnWidth);
    }

    ZoSliderBar *slider = ui->sliderClipping;
    slider->setType(ZoSliderBar::ShowThumb | ZoSliderBar::ShowClipRegion
                    | ZoSliderBar::ShowClipTags);
    slider->setMinClipGap(ticksOf(1.0));
    connect(slider, &ZoSliderBar::clipStartChanged, this, &AdjustAudioOrder::onClipStartChanged);
    connect(slider, &ZoSliderBar::clipEndChanged, this, &AdjustAudioOrder::onClipEndChanged);
    connect(slider, &ZoSliderBar::thumbMouseRelease, this, &AdjustAudioOrder::onThumbMouseRelease);
    connect(slider, &ZoSliderBar::valueChanged, this, &AdjustAudioOrder::onSliderValueChanged);

    ui->volume->setRange(0, 100);
    ui->volume->setValue(100);
    connect(ui->volume, &QSlider::valueChanged, this, &AdjustAudioOrder::setVolume);
    connect(ui->volume, &QSlider::actionTriggered, this,
            &AdjustAudioOrder::on_volumePositionAction_triggered);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &AdjustAudioOrder::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &AdjustAudioOrder::reject);

    pollTimer = new QTimer(this);
    connect(pollTimer, &QTimer::timeout, this, &AdjustAudioOrder::updateAudioBuffer);

    for (int row = 0; row < clips.size(); ++row) {
        ui->treeWidget->addTopLevelItem(new QTreeWidgetItem);
        fillRow(row);
    }
    if (clips.isEmpty())
        updateControls();
    else
        setCurrentRow(0);
    showTime();
}

AdjustAudioOrder::~AdjustAudioOrder() = default;

void AdjustAudioOrder::retranslate()
{
    ui->retranslateUi(this);
    widgetHelper()->setAllWindowTitle(tr("Edit Audio"));
    showTime();
}

void AdjustAudioOrder::done(int result)
{
    if (playing)
        on_pause_clicked();
    ZoDialog::done(result);
}

QString AdjustAudioOrder::pointText(double seconds)
{
    // Tenths, rounded as the slider rounds them; NaN and negative times show as 0.
    const qint64 tenths = seconds > 0 ? std::llround(std::min(seconds, 1e9) * TicksPerSecond) : 0;
    const qint64 whole = tenths / 10;
    const QString minutes = whole >= 3600
        ? QStringLiteral("%1:%2").arg(whole / 3600).arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        : QString::number(whole / 60);
    return QStringLiteral("%1:%2.%3")
        .arg(minutes)
        .arg(whole % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

void AdjustAudioOrder::fillRow(int row)
{
    QTreeWidgetItem *item = ui->treeWidget->topLevelItem(row);
    const AudioInfo &clip = clips.at(row);
    item->setText(0, QFileInfo(clip.path).fileName());
    item->setToolTip(0, QDir::toNativeSeparators(clip.path));
    item->setText(1, pointText(clip.clipEnd - clip.clipStart));
    item->setText(2, pointText(clip.clipStart));
    item->setText(3, pointText(clip.clipEnd));
}

void AdjustAudioOrder::setCurrentRow(int row)
{
    if (row < 0 || row >= clips.size())
        return;
    {
        const QSignalBlocker blocker(ui->treeWidget);
        ui->treeWidget->setCurrentItem(ui->treeWidget->topLevelItem(row));
    }
    on_treeWidget_currentItemChanged(ui->treeWidget->topLevelItem(row), nullptr);
}

void AdjustAudioOrder::on_treeWidget_currentItemChanged(QTreeWidgetItem *item, QTreeWidgetItem *)
{
    on_stop_clicked();
    current = item ? ui->treeWidget->indexOfTopLevelItem(item) : -1;
    ZoSliderBar *slider = ui->sliderClipping;
    if (current < 0) {
        player.close();
        updateControls();
        showTime();
        return;
    }
    const AudioInfo &clip = clips.at(current);
    // A file that cannot be opened plays as silence, at the same pace.
    player.open(clip.path);
    // A range needs two distinct ends, even for a clip shorter than a second.
    slider->setRange(0, std::max(1, ticksOf(clip.duration)));
    slider->setClipStartValue(ticksOf(clip.clipStart));
    slider->setClipEndValue(ticksOf(clip.clipEnd));
    slider->setWaveform(clip.waveform);
    slider->setValue(0);
    position = 0.0;
    showTime();
    updateControls();
}

void AdjustAudioOrder::on_add_clicked()
{
    const QString folder
        = ZoPref::value(QStringLiteral("AudioLastDir"),
                        QStandardPaths::writableLocation(QStandardPaths::MusicLocation))
              .toString();
    const QString filter = openFileFilter(audioPatterns, audioTypeFilters);
    const QStringList paths
        = QFileDialog::getOpenFileNames(this, tr("Select One or More Files"), folder, filter);
    if (paths.isEmpty())
        return;
    ZoPref::setValue(QStringLiteral("AudioLastDir"), QFileInfo(paths.first()).absolutePath());

    const QStringList failed = addFiles(paths);
    if (failed.isEmpty())
        return;
    ZoMessageBox::info(tr("Some files have not been added to the list:"), QString(), this, true,
                       unreadableFileList(failed, false));
}

QStringList AdjustAudioOrder::addFiles(const QStringList &paths)
{
    QStringList failed;
    int added = 0;
    for (const QString &path : paths) {
        AudioInfo clip;
        clip.path = path;
        if (!readAudioInfo(clip)) {
            failed << path;
            continue;
        }
        analyseAudio(clip);
        clips.append(clip);
        ui->treeWidget->addTopLevelItem(new QTreeWidgetItem);
        fillRow(static_cast<int>(clips.size()) - 1);
        ++added;
    }
    if (added > 0)
        setCurrentRow(static_cast<int>(clips.size()) - 1);
    return failed;
}

void AdjustAudioOrder::on_delete_2_clicked()
{
    if (current < 0)
        return;
    const int row = current;
    on_stop_clicked();
    clips.removeAt(row);
    {
        const QSignalBlocker blocker(ui->treeWidget);
        delete ui->treeWidget->takeTopLevelItem(row);
    }
    current = -1;
    if (clips.isEmpty()) {
        on_treeWidget_currentItemChanged(nullptr, nullptr);
        return;
    }
    setCurrentRow(std::min(row, static_cast<int>(clips.size()) - 1));
}

void AdjustAudioOrder::swapRows(int a, int b)
{
    clips.swapItemsAt(a, b);
    fillRow(a);
    fillRow(b);
    // The clip stays the same, so whatever plays goes on.
    const QSignalBlocker blocker(ui->treeWidget);
    ui->treeWidget->setCurrentItem(ui->treeWidget->topLevelItem(b));
    current = b;
    updateControls();
}

void AdjustAudioOrder::on_moveUp_clicked()
{
    if (current > 0)
        swapRows(current, current - 1);
}

void AdjustAudioOrder::on_moveDown_clicked()
{
    if (current >= 0 && current + 1 < clips.size())
        swapRows(current, current + 1);
}

void AdjustAudioOrder::on_play_clicked()
{
    if (current >= 0)
        startPlaying(secondsOf(ui->sliderClipping->value()), false);
}

void AdjustAudioOrder::on_playSegment_clicked()
{
    if (current < 0)
        return;
    const double start = clips.at(current).clipStart;
    ui->sliderClipping->setValue(ticksOf(start));
    startPlaying(start, true);
}

void AdjustAudioOrder::startPlaying(double seconds, bool segment)
{
    playing = true;
    segmentMode = segment;
    position = seconds;
    runStart = seconds;
    buffersPlayed = 0;
    player.play(seconds);
    pollTimer->start(PollMs);
    updateControls();
    showTime();
    ui->pause->setFocus();
}

void AdjustAudioOrder::updateAudioBuffer()
{
    const int processed = player.poll();
    if (processed == 0 || current < 0)
        return;
    if (processed > LagNotice)
        qDebug("Notice: Processed %d buffers!", processed);
    buffersPlayed += processed;
    position = runStart + double(buffersPlayed) / ClipPlayer::BuffersPerSecond;

    const AudioInfo &clip = clips.at(current);
    ui->sliderClipping->setValue(ticksOf(position));
    showTime();
    if ((segmentMode && clip.clipEnd <= position) || position >= clip.duration) {
        on_stop_clicked();
        return;
    }
    updateControls();
}

void AdjustAudioOrder::on_pause_clicked()
{
    playing = false;
    pollTimer->stop();
    player.stop();
    updateControls();
    if (segmentMode)
        ui->playSegment->setFocus();
    else
        ui->play->setFocus();
}

void AdjustAudioOrder::on_stop_clicked()
{
    on_pause_clicked();
    position = 0.0;
    ui->sliderClipping->setValue(0);
    showTime();
    updateControls();
}

void AdjustAudioOrder::on_setInPoint_clicked()
{
    if (current < 0)
        return;
    AudioInfo &clip = clips[current];
    const int value = ui->sliderClipping->value();
    if (secondsOf(value) >= clip.clipEnd)
        return;
    clip.clipStart = secondsOf(value);
    ui->sliderClipping->setClipStartValue(value);
    fillRow(current);
    updateControls();
}

void AdjustAudioOrder::on_setOutPoint_clicked()
{
    if (current < 0)
        return;
    AudioInfo &clip = clips[current];
    const int value = ui->sliderClipping->value();
    if (secondsOf(value) <= clip.clipStart)
        return;
    clip.clipEnd = std::min(secondsOf(value), clip.duration);
    ui->sliderClipping->setClipEndValue(value);
    fillRow(current);
    updateControls();
}

void AdjustAudioOrder::onClipStartChanged(int value)
{
    if (current < 0)
        return;
    clips[current].clipStart = secondsOf(value);
    fillRow(current);
    updateControls();
}

void AdjustAudioOrder::onClipEndChanged(int value)
{
    if (current < 0)
        return;
    clips[current].clipEnd = std::min(secondsOf(value), clips.at(current).duration);
    fillRow(current);
    updateControls();
}

void AdjustAudioOrder::onThumbMouseRelease(int value)
{
    if (current < 0)
        return;
    position = secondsOf(value);
    if (playing) {
        // A seek plays on from there, the whole clip.
        segmentMode = false;
        runStart = position;
        buffersPlayed = 0;
        player.play(position);
    }
    showTime();
    updateControls();
}

void AdjustAudioOrder::onSliderValueChanged(int value)
{
    if (playing || current < 0)
        return;
    position = secondsOf(value);
    showTime();
    updateControls();
}

void AdjustAudioOrder::setVolume(int value)
{
    player.setGain(float(value) / 100.0f);
}

void AdjustAudioOrder::on_volumePositionAction_triggered(int action)
{
    // Only a click on the groove jumps; keys and the wheel step as usual.
    if (action != QAbstractSlider::SliderPageStepAdd
        && action != QAbstractSlider::SliderPageStepSub)
        return;
    const int width = ui->volume->width();
    if (width <= 0)
        return;
    const int x = ui->volume->mapFromGlobal(QCursor::pos()).x();
    ui->volume->setSliderPosition(std::clamp(x * 100 / width, 0, 100));
}

void AdjustAudioOrder::on_mute_clicked()
{
    muted = true;
    player.setGain(0.0f);
    updateControls();
    ui->unmute->setFocus();
}

void AdjustAudioOrder::on_unmute_clicked()
{
    muted = false;
    player.setGain(float(ui->volume->value()) / 100.0f);
    updateControls();
    ui->mute->setFocus();
}

void AdjustAudioOrder::showTime()
{
    const double duration = current >= 0 ? clips.at(current).duration : 0.0;
    ui->timeCode->setText(pointText(current >= 0 ? position : 0.0) + QStringLiteral(" / ")
                          + pointText(duration));
}

void AdjustAudioOrder::updateControls()
{
    const bool hasClip = current >= 0;
    const int count = static_cast<int>(clips.size());
    ui->delete_2->setEnabled(hasClip);
    ui->moveUp->setEnabled(hasClip && current > 0);
    ui->moveDown->setEnabled(hasClip && current + 1 < count);
    ui->sliderClipping->setEnabled(hasClip);

    const bool playingWhole = playing && !segmentMode;
    const bool playingSegment = playing && segmentMode;
    ui->play->setVisible(!playingWhole);
    ui->play->setEnabled(hasClip && !playingSegment);
    ui->playSegment->setVisible(!playingSegment);
    ui->playSegment->setEnabled(hasClip && !playingWhole);
    ui->pause->setVisible(playing);
    ui->pause->setEnabled(playing);
    ui->stop->setEnabled(hasClip && (playing || position > 0.0));

    // A clip keeps at least a second between its in- and out-point.
    const AudioInfo *clip = hasClip ? &clips.at(current) : nullptr;
    ui->setInPoint->setEnabled(clip && clip->clipEnd - 1 > position);
    ui->setOutPoint->setEnabled(clip && clip->clipStart + 1 < position);

    ui->mute->setVisible(!muted);
    ui->unmute->setVisible(muted);
    ui->volume->setEnabled(!muted);
}
