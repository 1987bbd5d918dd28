#include "app/vellumix.h"

#include "app/startup.h"
#include "app/timeline.h"
#include "audio/storyboardrender.h"
#include "controls/gettingstartlabel.h"
#include "creation/compileprogress.h"
#include "creation/outputformat.h"
#include "creation/outputsetting.h"
#include "creation/preferences.h"
#include "media/adjustaudioorder.h"
#include "media/audiolistwidget.h"
#include "media/filetypes.h"
#include "media/importprogress.h"
#include "media/mediaimport.h"
#include "media/mediainfowidget.h"
#include "media/photolistwidget.h"
#include "preview/avplayer.h"
#include "zofc/qtsingleapplication.h"
#include "zofc/zopref.h"
#include "zofc/zoutils.h"

#include "ui_vellumix.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QOpenGLContext>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <type_traits>
#include <utility>

namespace {

const QString afterBurnKey = QStringLiteral("AfterBurnAction");
const QString geometryKey = QStringLiteral("MainWindowGeometry");
constexpr int progressMs = 40;
constexpr int doNothing = 5;
// How soon handed-over files are tried again while a dialog of the window is open.
constexpr int importRetryMs = 250;

// Reads the paths into a strip through the import dialog, as a drop does; true when the strip
// took at least one file.
template<typename Strip> bool importInto(Strip *strip, const QStringList &paths)
{
    constexpr bool photos = std::is_same_v<Strip, PhotoListWidget>;
    if (paths.isEmpty())
        return false;
    ImportProgress dialog(photos, strip);
    dialog.setFiles(paths);
    dialog.exec();
    if (!dialog.addedAny())
        return false;
    if constexpr (photos)
        strip->finishInsertion();
    else
        strip->finishAudioInsertion();
    return true;
}

} // namespace

Vellumix::Vellumix(QWidget *parent, Qt::WindowFlags flags)
    : ZoMainWindow(parent, flags)
    , render(std::make_unique<StoryBoardRender>())
    , mediaInfo(new MediaInfoWidget(this))
    , ui(std::make_unique<Ui::VellumixClass>())
{
    ui->setupUi(this);
    // Without OpenGL (Qt's off-screen platform, used when there is no display) a GL widget
    // cannot be composed into the window: the player then works unseen, outside it.
    if (QOpenGLContext probe; !probe.create()) {
        ui->avPlayer->setParent(nullptr);
        unseenPlayer.reset(ui->avPlayer);
    }
    Zo::moveCenter(mediaInfo);

    render->setFormat(previewFormat);
    render->setStoryBoard(&storyBoard);
    ui->avPlayer->open(previewFormat);
    ui->avPlayer->setRenderer(render.get());

    showPreview(false);
    ui->avPlayer->clearDisplay();
    loadSettingsPanel();
    connect(ui->checkBox_3, &QCheckBox::released, this, &Vellumix::on_audioSetting_changed);

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
    connect(photoStrip, &QListWidget::currentRowChanged, this,
            &Vellumix::on_photoListWidget_row_changed);
    connect(audioStrip, &QListWidget::currentRowChanged, this,
            &Vellumix::on_audioListWidget_row_changed);
    connect(photoStrip, &QListWidget::itemClicked, this,
            &Vellumix::on_photoListWidget_item_clicked);
    connect(audioStrip, &QListWidget::itemClicked, this,
            &Vellumix::on_audioListWidget_item_clicked);
    connect(photoStrip, &PhotoListWidget::sizeChanged, this, &Vellumix::changeScrollRange);
    connect(audioStrip, &AudioListWidget::sizeChanged, this, &Vellumix::changeScrollRange);
    connect(photoStrip, &PhotoListWidget::contextMenu, this, &Vellumix::on_photoListContextMenu);
    connect(audioStrip, &AudioListWidget::contextMenu, this, &Vellumix::on_audioListContextMenu);
    setAcceptDrops(true);
    importTimer = new QTimer(this);
    importTimer->setSingleShot(true);
    connect(importTimer, &QTimer::timeout, this, &Vellumix::importPendingFiles);
    // Files a further start of the program was given come here (that start then ends).
    if (auto *app = qobject_cast<QtSingleApplication *>(QCoreApplication::instance()))
        connect(app, &QtSingleApplication::filesReceived, this, &Vellumix::openFiles);
    connect(ui->actionProperty, &QAction::triggered, this, &Vellumix::on_fileProperty);
    connect(ui->actionCreate_DVD, &QAction::triggered, this, &Vellumix::on_burn_clicked);

    autoRotateMenu = new QMenu(this);
    autoRotateAction = autoRotateMenu->addAction(QString());
    autoRotateAllAction = autoRotateMenu->addAction(QString());
    autoRotateMenu->addSeparator();
    autoRotateMenu->addAction(ui->actionAuto_Rotate_Photoes_While_Importing);
    ui->autoRotate->setMenu(autoRotateMenu);
    for (QAction *action : {ui->actionDo_Nothing, ui->actionExit_Program, ui->actionShut_Down,
                            ui->actionHibernate, ui->actionStand_By})
        connect(action, &QAction::triggered, this, &Vellumix::on_AfterBurnAction);

    initialize();
    if (QMenu *menu = mainMenu()) {
        menu->addSeparator();
        menu->addAction(ui->actionPreferences);
    }
    connect(ui->actionPreferences, &QAction::triggered, this, &Vellumix::on_preferences_clicked);

    ui->timeCode->setText(QStringLiteral("00:00:00 / 00:00:00"));
    disableEditCommands();
    syncAfterBurnChecks();

    ui->play->setVisible(playState != 1);
    ui->pause->setVisible(playState == 1);
    updateEnabledState();
    changeScrollRange();

    // Space plays and pauses wherever the focus is, except in a field that takes the key: a
    // shortcut only fires when the focus widget does not claim the key for itself.
    playShortcut = new QShortcut(QKeySequence(Qt::Key_Space), this);
    connect(playShortcut, &QShortcut::activated, this, &Vellumix::togglePlayback);

    retranslate();

    // The window opens where the user left it; the first time it fits the screen it opens on.
    if (!restoreGeometry(ZoPref::value(geometryKey, QByteArray()).toByteArray())) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect free = screen->availableGeometry();
            resize(std::min(width(), free.width() * 9 / 10),
                   std::min(height(), free.height() * 9 / 10));
            Zo::moveCenter(this);
        }
    }

    runFirstStart(this);
    applyProcessorAffinity();
    initFileTypeLists();
}

Vellumix::~Vellumix()
{
    on_pause_clicked();
    delete mediaInfo;
    mediaInfo = nullptr;
    // The player draws through the renderer until it goes with the form's widgets.
    ui->avPlayer->setRenderer(nullptr);
}

void Vellumix::closeEvent(QCloseEvent *event)
{
    saveGeometrySetting();
    ZoMainWindow::closeEvent(event);
}

void Vellumix::saveGeometrySetting()
{
    ZoPref::setValue(geometryKey, saveGeometry());
}

void Vellumix::retranslate()
{
    ui->retranslateUi(this);
    ZoMainWindow::retranslate();
    autoRotateAction->setText(tr("Auto Rotate"));
    autoRotateAllAction->setText(tr("Auto Rotate All Photos"));
    // The skin names the picture when the label is polished.
    ui->gettingStart->ensurePolished();
    ui->gettingStart->reloadImage();
    ui->photoListWidget->retranslateItems();
    ui->audioListWidget->retranslateItems();
    mediaInfo->retranslate();
    // The form's texts include the time code's design-time value.
    updateProgress();
}

void Vellumix::loadSettingsPanel()
{
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
}

void Vellumix::on_audioSetting_changed()
{
    storyBoard.fadeInOut = ui->checkBox_3->isChecked();
    onStoryBoardDataChanged();
    showPosition(ui->avPlayer->currentFrame());
}

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

void Vellumix::syncAfterBurnChecks()
{
    const int value = ZoPref::value(afterBurnKey, doNothing).toInt();
    ui->actionExit_Program->setChecked(value == 0);
    ui->actionStand_By->setChecked(value == 1);
    ui->actionHibernate->setChecked(value == 2);
    ui->actionShut_Down->setChecked(value == 4);
    ui->actionDo_Nothing->setChecked(value == 5);
}

void Vellumix::on_AfterBurnAction()
{
    const QObject *action = sender();
    int value = doNothing;
    if (action == ui->actionExit_Program)
        value = 0;
    else if (action == ui->actionStand_By)
        value = 1;
    else if (action == ui->actionHibernate)
        value = 2;
    else if (action == ui->actionShut_Down)
        value = 4;
    ZoPref::setValue(afterBurnKey, value);
    syncAfterBurnChecks();
}

void Vellumix::on_fileProperty()
{
    mediaInfo->show();
}

void Vellumix::on_preferences_clicked()
{
    Preferences dialog(this);
    dialog.exec();
    syncAfterBurnChecks();
}

// --- preview

void Vellumix::on_play_clicked()
{
    if (playState == 1)
        return;
    AVPlayer *player = ui->avPlayer;
    render->drawFrame(player->currentFrame(), true, player);
    render->startAudio();
    player->startPlayback();
    ui->position->setTracking(false);
    progressTimer->start(progressMs);
    playState = 1;
    updateEnabledState();
    ui->play->hide();
    ui->pause->show();
    ui->pause->setFocus();
}

void Vellumix::on_pause_clicked()
{
    if (playState != 1)
        return;
    ui->avPlayer->stopPlayback();
    render->stopAudio();
    render->wait();
    ui->position->setTracking(true);
    progressTimer->stop();
    playState = 2;
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
    playState = 0;
    updateEnabledState();
}

void Vellumix::togglePlayback()
{
    if (playState == 1)
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

void Vellumix::updateProgress()
{
    int current = ui->avPlayer->currentFrame();
    const int total = render->totalFrames();
    {
        QSignalBlocker block(ui->position);
        if (total > 0) {
            ui->position->setValue(std::min(current, total));
            if (playState == 1) {
                const int half = ui->horizontalScrollBar->width() / 2;
                setScrollValue(std::max(0, static_cast<int>(current * pixelsPerFrame - half)));
            }
        } else {
            ui->position->setValue(0);
            current = 0;
        }
    }
    ui->timeCode->setText(formatTimeCode(current, previewFormat.frameRate) + QStringLiteral(" / ")
                          + formatTimeCode(total, previewFormat.frameRate));
    if (playState == 1 && current >= total) {
        on_pause_clicked();
        showPosition(0);
        setScrollValue(0);
        playState = 0;
    }
    updateEnabledState();
}

void Vellumix::updateEnabledState()
{
    const bool hasPhoto = !storyBoard.photos.isEmpty();
    const bool playing = playState == 1;
    ui->play->setEnabled(hasPhoto && ui->avPlayer->currentFrame() < render->totalFrames()
                         && !playing);
    ui->pause->setEnabled(hasPhoto && playing);
    ui->stop->setEnabled(hasPhoto && playState != 0);

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
    ui->checkBox_3->setEnabled(!playing);
}

void Vellumix::onStoryBoardDataChanged()
{
    const bool hasPhoto = !storyBoard.photos.isEmpty();
    ui->burn->setEnabled(hasPhoto);
    ui->actionCreate_DVD->setEnabled(hasPhoto);
    const int total = render->updateTiming();
    ui->position->setRange(0, total);
    ui->position->setSingleStep(static_cast<int>(render->framesPerPeriod()));
    ui->position->setPageStep(total / 10);
    ui->photoLength->setText(formatSeconds(static_cast<qint64>(storyBoard.totalDuration())));
    ui->audioLength->setText(formatSeconds(static_cast<qint64>(storyBoard.totalAudioDuration())));
    ui->play->setEnabled(hasPhoto);
    ui->syncAlbum->setEnabled(hasPhoto && !storyBoard.audios.isEmpty());
    ui->actionAuto_Rotate_All_Phtotes->setEnabled(storyBoard.totalDuration() > 0.01);
    showPreview(!storyBoard.isEmpty());
    if (storyBoard.isEmpty()) {
        ui->avPlayer->clearDisplay();
        ui->timeCode->setText(QStringLiteral("00:00:00 / 00:00:00"));
    }
    if (activeList == 0)
        ui->actionSelect_All->setEnabled(hasPhoto);
    else if (activeList == 1)
        ui->actionSelect_All->setEnabled(!storyBoard.audios.isEmpty());

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
    ui->gettingStart->setVisible(!on);
    ui->avPlayer->setVisible(on);
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
    qDebug("maximum=%d", maximum);
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
}

void Vellumix::photoListChanged(const QList<ImageInfo> &list)
{
    on_pause_clicked();
    storyBoard.setPhotos(list);
    onStoryBoardDataChanged();
}

void Vellumix::audioListChanged(const QList<AudioInfo> &list)
{
    on_pause_clicked();
    storyBoard.setAudios(list);
    onStoryBoardDataChanged();
}

void Vellumix::on_photoListWidget_row_changed(int row)
{
    const int photos = static_cast<int>(storyBoard.photos.size());
    if (row >= 0 && row / 2 < photos) {
        if (row % 2 == 0) {
            mediaInfo->setMediaInfo(photoMediaInfo(storyBoard.photos.at(row / 2)));
            mediaInfo->updateView();
        }
        const int target = photoRowFrame(row, render->framesPerPeriod(), storyBoard.photoDuration,
                                         previewFormat.frameRate);
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
    activeList = 0;
    // At most one strip has a selection. Quietly, so that the other strip's handlers do not
    // take the edit commands back to it.
    {
        const QSignalBlocker quiet(ui->audioListWidget);
        ui->audioListWidget->clearSelection();
        ui->audioListWidget->setCurrentRow(-1);
    }
    updateEnabledState();
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
    }
    menu.addSeparator();
    menu.addMenu(ui->menuSort_By);
    if (isPhoto) {
        menu.addSeparator();
        menu.addActions({ui->actionMove_Left, ui->actionMove_Right});
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

// --- files handed to the window

void Vellumix::openFiles(const QStringList &paths)
{
    pendingFiles += paths;
    if (!pendingFiles.isEmpty())
        importTimer->start(0);
}

void Vellumix::importPendingFiles()
{
    if (pendingFiles.isEmpty())
        return;
    // An import or a creation is running in a dialog of the window: the show must not change
    // under it, so the files wait for it to close.
    if (QApplication::activeModalWidget()) {
        importTimer->start(importRetryMs);
        return;
    }
    const QStringList paths = std::exchange(pendingFiles, {});
    QList<QUrl> photoUrls;
    QList<QUrl> audioUrls;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
        const bool audio = QDir::match(audioPatterns, info.fileName());
        if (info.isDir() || !audio)
            photoUrls.append(url);
        if (info.isDir() || audio)
            audioUrls.append(url);
    }
    on_pause_clicked();
    const int frame = ui->avPlayer->currentFrame();
    const bool photosAdded
        = importInto(ui->photoListWidget, expandImportPaths(photoUrls, photoPatterns, true));
    const bool audioAdded
        = importInto(ui->audioListWidget, expandImportPaths(audioUrls, audioPatterns, true));
    if (photosAdded || audioAdded)
        showPosition(frame);
}

void Vellumix::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void Vellumix::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    openFiles(paths);
}

// --- audio editing

void Vellumix::on_adjustOrder_clicked()
{
    on_pause_clicked();
    AdjustAudioOrder dialog(storyBoard.audios, this);
    if (dialog.exec() == QDialog::Accepted)
        ui->audioListWidget->setAudioList(dialog.editedClips());
}

// --- creation

void Vellumix::on_burn_clicked()
{
    on_pause_clicked();
    OutputSetting settings(this);
    if (settings.exec() != QDialog::Accepted)
        return;
    profileData = settings.profileData();
    const auto &values = profileData.values();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        qDebug().nospace() << "key:\"" << it.key() << "\", value:\"" << it.value().toString()
                           << '"';
    formatFromProfile(profileData, previewFormat);
    render->setFormat(previewFormat);
    {
        CompileProgress progress(this);
        if (progress.startCreation(render.get(), profileData, settings.outputName()))
            progress.exec();
    }
    // The preview keeps the last output's size, rate and sound, but plays at most stereo.
    previewFormat.channels = std::min(previewFormat.channels, 2);
    render->setFormat(previewFormat);
    AVPlayer *player = ui->avPlayer;
    player->open(previewFormat);
    // The same size again, so that the player lays its picture out for the new aspect (a plain
    // resize to the current size would be dropped).
    QResizeEvent relayout(player->size(), player->size());
    QCoreApplication::sendEvent(player, &relayout);
    const int total = render->updateTiming();
    ui->position->setRange(0, total);
    player->seek(total > 0 ? std::clamp(player->currentFrame(), 0, total - 1) : 0);
    updateProgress();
}
