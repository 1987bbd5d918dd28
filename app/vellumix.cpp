#include "app/vellumix.h"

#include "app/showedit.h"
#include "app/showsession.h"
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
#include "storyboard/showfile.h"
#include "zofc/qtsingleapplication.h"
#include "zofc/zomessagebox.h"
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
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QOpenGLContext>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <algorithm>
#include <type_traits>
#include <utility>

namespace {

const QString afterBurnKey = QStringLiteral("AfterBurnAction");
const QString geometryKey = QStringLiteral("MainWindowGeometry");
const QString photoDirKey = QStringLiteral("PhotoLastDir");
const QString audioDirKey = QStringLiteral("AudioLastDir");
constexpr int progressMs = 40;
constexpr int doNothing = 5;
// How soon handed-over files are tried again while a dialog of the window is open.
constexpr int importRetryMs = 250;
// Far more steps than anyone takes back, while a long show's lists held by the steps stay small.
constexpr int undoSteps = 200;
enum MergeId { PhotoDurationEdit = 1, TransitionDurationEdit = 2 };

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

bool isShowFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String(ShowFileSuffix), Qt::CaseInsensitive)
        == 0;
}

// At most this many paths are named in one message; the rest are counted.
constexpr int namedFilesMax = 10;

QString pathList(const QStringList &paths)
{
    QStringList named;
    for (const QString &path : paths.mid(0, namedFilesMax))
        named.append(QDir::toNativeSeparators(path));
    QString text = named.join(QLatin1Char('\n'));
    if (paths.size() > namedFilesMax) {
        text += QLatin1Char('\n')
            + QCoreApplication::translate("VellumixClass", "and %n more", nullptr,
                                          int(paths.size() - namedFilesMax));
    }
    return text;
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
    undo = new QUndoStack(this);
    undo->setUndoLimit(undoSteps);
    fillFramingChoices();
    loadSettingsPanel();
    connectSettingsPanel();

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
    connect(ui->actionImport_Picture, &QAction::triggered, this,
            &Vellumix::on_importPicture_clicked);
    connect(ui->actionImport_Picture_Directory, &QAction::triggered, this,
            &Vellumix::on_importPictureDir_clicked);
    connect(ui->actionImport_Audio, &QAction::triggered, this, &Vellumix::on_importAudio_clicked);
    connect(ui->actionCreate_DVD, &QAction::triggered, this, &Vellumix::on_burn_clicked);
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
    ui->photoListWidget->setAutoRotate(ui->actionAuto_Rotate_Photoes_While_Importing->isChecked());

    // Undo and redo head the Edit menu, as in any editor.
    QAction *first = ui->menuEdit->actions().value(0);
    makeUndoActions(first);
    ui->menuEdit->insertSeparator(first);

    session = new ShowSession(this, [this] { return currentShow(); });
    session->watch(undo);
    connect(session, &ShowSession::stateChanged, this, [this] {
        updateTitle();
        rebuildRecentMenu();
    });
    ui->actionNew_Album->setShortcut(QKeySequence::New);
    ui->actionOpen_Project->setShortcut(QKeySequence::Open);
    ui->actionSave_Project->setShortcut(QKeySequence::Save);
    ui->actionSave_Project_As->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (QAction *action : {ui->actionNew_Album, ui->actionOpen_Project, ui->actionSave_Project,
                            ui->actionSave_Project_As})
        action->setVisible(true);
    recentMenu = new QMenu(this);
    ui->menuFile->insertMenu(ui->actionSave_Project, recentMenu);
    connect(ui->actionNew_Album, &QAction::triggered, this, &Vellumix::newShow);
    connect(ui->actionOpen_Project, &QAction::triggered, this, [this] {
        if (!session->maybeSave())
            return;
        if (const QString file = session->pickShowToOpen(); !file.isEmpty())
            readShow(file);
    });
    connect(ui->actionSave_Project, &QAction::triggered, session, &ShowSession::save);
    connect(ui->actionSave_Project_As, &QAction::triggered, session, &ShowSession::saveAs);

    autoRotateMenu = new QMenu(this);
    autoRotateAction = autoRotateMenu->addAction(QString());
    autoRotateAllAction = autoRotateMenu->addAction(QString());
    connect(autoRotateAction, &QAction::triggered, this, &Vellumix::on_autoRotate_clicked);
    connect(autoRotateAllAction, &QAction::triggered, this, &Vellumix::on_autoRotateAll_clicked);
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
    rebuildRecentMenu();

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
    // Ended without closing (a termination signal, a log-out) the autosave copy of unsaved
    // changes stays for the next start to recover.
    if (!session->isModified())
        session->removeAutosave();
    on_pause_clicked();
    delete mediaInfo;
    mediaInfo = nullptr;
    // The player draws through the renderer until it goes with the form's widgets.
    ui->avPlayer->setRenderer(nullptr);
    // The children go after this object's own members, and some still signal on the way out
    // (the undo stack clears itself, the session follows it): nothing they say may reach this
    // half-destroyed window.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

void Vellumix::closeEvent(QCloseEvent *event)
{
    if (!session->maybeSave()) {
        event->ignore();
        return;
    }
    // Saved or discarded: nothing is left to recover.
    session->setSaved(session->filePath());
    saveGeometrySetting();
    ZoMainWindow::closeEvent(event);
}

void Vellumix::saveGeometrySetting()
{
    ZoPref::setValue(geometryKey, saveGeometry());
}

// The undo stack's own actions keep the words of the language they were made in; these follow
// the language.
void Vellumix::makeUndoActions(QAction *before)
{
    undoAction = new QAction(this);
    undoAction->setShortcut(QKeySequence::Undo);
    connect(undoAction, &QAction::triggered, undo, &QUndoStack::undo);
    redoAction = new QAction(this);
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redoAction, &QAction::triggered, undo, &QUndoStack::redo);
    connect(undo, &QUndoStack::canUndoChanged, this, &Vellumix::updateUndoActions);
    connect(undo, &QUndoStack::undoTextChanged, this, &Vellumix::updateUndoActions);
    connect(undo, &QUndoStack::canRedoChanged, this, &Vellumix::updateUndoActions);
    connect(undo, &QUndoStack::redoTextChanged, this, &Vellumix::updateUndoActions);
    ui->menuEdit->insertActions(before, {undoAction, redoAction});
    updateUndoActions();
}

void Vellumix::updateUndoActions()
{
    undoAction->setEnabled(undo->canUndo());
    undoAction->setText(undo->canUndo() ? tr("Undo %1").arg(undo->undoText()) : tr("Undo"));
    redoAction->setEnabled(undo->canRedo());
    redoAction->setText(undo->canRedo() ? tr("Redo %1").arg(undo->redoText()) : tr("Redo"));
}

void Vellumix::retranslate()
{
    ui->retranslateUi(this);
    ZoMainWindow::retranslate();
    fillFramingChoices();
    autoRotateAction->setText(tr("Auto Rotate"));
    autoRotateAllAction->setText(tr("Auto Rotate All Photos"));
    // The skin names the picture when the label is polished.
    ui->gettingStart->ensurePolished();
    ui->gettingStart->reloadImage();
    ui->photoListWidget->retranslateItems();
    ui->audioListWidget->retranslateItems();
    reformatMediaInfo();
    mediaInfo->retranslate();
    if (undoAction)
        updateUndoActions();
    ui->actionNew_Album->setText(tr("&New Show"));
    if (recentMenu)
        recentMenu->setTitle(tr("Open &Recent"));
    if (session)
        updateTitle();
    // The form's texts include the time code's design-time value.
    updateProgress();
}

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

void Vellumix::on_framing_changed()
{
    const AlbumSettings before = storyBoard.settings();
    storyBoard.framing = static_cast<Framing>(ui->comboBoxFraming->currentData().toInt());
    settingsEdited(before, tr("Framing"));
}

void Vellumix::on_sync_clicked()
{
    const int ms = syncPhotoDurationMs(storyBoard, previewFormat.frameRate);
    if (ms < 0)
        return;
    const AlbumSettings before = storyBoard.settings();
    {
        const QSignalBlocker quiet(ui->spinBox);
        ui->spinBox->setValue(ms);
    }
    storyBoard.setPhotoDurationMs(ms);
    settingsEdited(before, tr("Sync with Audio"));
    // The photo the user stands on is shown again at its new start.
    on_photoListWidget_row_changed(ui->photoListWidget->currentRow());
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
    const bool idle = !playing;
    for (QWidget *control : std::initializer_list<QWidget *> {
             ui->spinBox, ui->spinBox_2, ui->checkBox, ui->checkBoxUseDynamicZoom, ui->checkBox_2,
             ui->checkBox_3, ui->adjustOrder, ui->comboBoxFraming})
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
        if (row % 2 == 0) {
            mediaInfoItem = row / 2;
            mediaInfo->setMediaInfo(photoMediaInfo(storyBoard.photos.at(mediaInfoItem)));
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

// --- edit commands

template<typename Operation> void Vellumix::runEdit(const QString &name, Operation operation)
{
    editName = name;
    operation();
    editName.clear();
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
    QStringList paths = std::exchange(pendingFiles, {});
    // A show takes the place of the window's show; files given with it go into it.
    QStringList shows = paths;
    shows.removeIf([](const QString &path) { return !isShowFile(path); });
    paths.removeIf(isShowFile);
    if (!shows.isEmpty())
        openShow(shows.last());
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
    editName = tr("Import");
    const bool photosAdded
        = importInto(ui->photoListWidget, expandImportPaths(photoUrls, photoPatterns, true));
    const bool audioAdded
        = importInto(ui->audioListWidget, expandImportPaths(audioUrls, audioPatterns, true));
    editName.clear();
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

// --- import commands

namespace {

// The toolkit's own file dialog opens too narrow to read a file's size and date: it gets room,
// and its detail columns are as wide as what they show.
QFileDialog *roomyDialog(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter = {})
{
    auto *dialog = new QFileDialog(parent, caption, folder, filter);
    dialog->resize(dialog->sizeHint().expandedTo(QSize(820, 500)));
    if (auto *details = dialog->findChild<QTreeView *>(QStringLiteral("treeView"))) {
        for (int column = 1; column < details->header()->count(); ++column)
            details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    return dialog;
}

QStringList chooseFiles(QWidget *parent, const QString &caption, const QString &folder,
                        const QString &filter)
{
    const std::unique_ptr<QFileDialog> dialog(roomyDialog(parent, caption, folder, filter));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles();
}

QString chooseFolder(QWidget *parent, const QString &caption, const QString &folder)
{
    const std::unique_ptr<QFileDialog> dialog(roomyDialog(parent, caption, folder));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles().value(0);
}

QString photoStartFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString folder = ZoPref::value(photoDirKey, pictures).toString().trimmed();
    return folder.isEmpty() ? pictures : folder;
}

} // namespace

void Vellumix::importPhotos(const QStringList &paths)
{
    const int frame = ui->avPlayer->currentFrame();
    bool added = false;
    runEdit(tr("Import"), [&] { added = importInto(ui->photoListWidget, paths); });
    if (added)
        showPosition(frame);
}

void Vellumix::importAudio(const QStringList &paths)
{
    const int frame = ui->avPlayer->currentFrame();
    bool added = false;
    runEdit(tr("Import"), [&] { added = importInto(ui->audioListWidget, paths); });
    if (added)
        showPosition(frame);
}

void Vellumix::on_importPicture_clicked()
{
    on_pause_clicked();
    const QStringList files = chooseFiles(this, tr("Select One or More Files"), photoStartFolder(),
                                          openFileFilter(photoPatterns, photoTypeFilters));
    if (files.isEmpty())
        return;
    ZoPref::setValue(photoDirKey, QFileInfo(files.first()).absolutePath());
    importPhotos(files);
}

void Vellumix::on_importPictureDir_clicked()
{
    on_pause_clicked();
    const QString folder = chooseFolder(this, tr("Select one folder"), photoStartFolder());
    if (folder.isEmpty())
        return;
    const QStringList files = expandImportPaths({QUrl::fromLocalFile(folder)}, photoPatterns, true);
    if (files.isEmpty())
        return;
    ZoPref::setValue(photoDirKey, folder);
    importPhotos(files);
}

void Vellumix::on_importAudio_clicked()
{
    on_pause_clicked();
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    const QStringList files = chooseFiles(this, tr("Select One or More Files"),
                                          ZoPref::value(audioDirKey, music).toString(),
                                          openFileFilter(audioPatterns, audioTypeFilters));
    if (files.isEmpty())
        return;
    ZoPref::setValue(audioDirKey, QFileInfo(files.first()).absolutePath());
    importAudio(files);
}

// --- show files

ShowFile Vellumix::currentShow() const
{
    ShowFile show;
    show.takeFrom(storyBoard);
    show.profile = profileData;
    show.outputFolder = showOutputFolder;
    show.outputName = showOutputName;
    return show;
}

bool Vellumix::openShow(const QString &path)
{
    return session->maybeSave() && readShow(path);
}

bool Vellumix::readShow(const QString &path)
{
    ShowReadResult read = readShowFile(path);
    if (!read.ok()) {
        ZoMessageBox::alert(read.error, QString(), this);
        return false;
    }
    if (!loadShow(std::move(read.show)))
        return false;
    session->setSaved(path);
    reportMissingFiles();
    return true;
}

bool Vellumix::newShow()
{
    if (!session->maybeSave())
        return false;
    loadShow(ShowFile());
    session->setSaved(QString());
    return true;
}

void Vellumix::offerRecovery()
{
    if (!ShowSession::hasAutosave())
        return;
    const QString origin = ShowSession::autosaveOrigin();
    ShowReadResult read = readShowFile(ShowSession::autosavePath());
    if (!read.ok()) {
        // Nothing that can be offered; a damaged copy would be offered at every start.
        qWarning("%s", qPrintable(read.error));
        session->removeAutosave();
        return;
    }
    const QString name = origin.isEmpty() ? tr("Untitled") : QFileInfo(origin).completeBaseName();
    QMessageBox box(QMessageBox::Question, QString(),
                    tr("Vellumix did not close normally last time."), QMessageBox::NoButton, this);
    box.setObjectName(QLatin1String(ZoMessageBox::objectName));
    box.setInformativeText(
        tr("The show \"%1\" was saved automatically at %2. Do you want to recover it?")
            .arg(name,
                 QLocale().toString(QFileInfo(ShowSession::autosavePath()).lastModified(),
                                    QLocale::ShortFormat)));
    QPushButton *recover = box.addButton(tr("&Recover"), QMessageBox::AcceptRole);
    QAbstractButton *discard = box.addButton(QMessageBox::Discard);
    box.setDefaultButton(recover);
    box.exec();
    // Only a choice removes the copy: the box may also end with the program (a log-out).
    if (box.clickedButton() == discard)
        session->removeAutosave();
    if (box.clickedButton() != recover)
        return;
    if (loadShow(std::move(read.show))) {
        session->setRecovered(origin);
        reportMissingFiles();
    }
}

bool Vellumix::loadShow(ShowFile show)
{
    on_pause_clicked();
    if (!rereadShowMedia(show, this))
        return false;
    // Opening a show is no edit of the one before: nothing to undo back into.
    restoring = true;
    ui->photoListWidget->setPhotoList(show.photos);
    ui->audioListWidget->setAudioList(show.audios);
    show.applySettingsTo(storyBoard);
    loadSettingsPanel();
    profileData = show.profile;
    showOutputFolder = show.outputFolder;
    showOutputName = show.outputName;
    // The output settings start from the show's profile, folder and name.
    if (!show.profile.id().isEmpty())
        ZoPref::setValue(QStringLiteral("last_profile_url"), zomProfileKey(show.profile.id()));
    if (!show.outputFolder.isEmpty())
        ZoPref::setValue(QStringLiteral("OutputPath"), show.outputFolder);
    if (!show.outputName.isEmpty())
        ZoPref::setValue(QStringLiteral("OutputName"), show.outputName);
    restoring = false;
    undo->clear();
    onStoryBoardDataChanged();
    showPosition(0);
    return true;
}

void Vellumix::updateTitle()
{
    setWindowTitle(tr("%1[*] - %2").arg(session->displayName(), ZoPref::product_name()));
    setWindowModified(session->isModified());
}

void Vellumix::rebuildRecentMenu()
{
    if (!recentMenu)
        return;
    recentMenu->clear();
    const QStringList shows = session->recentShows();
    for (int i = 0; i < shows.size(); ++i) {
        const QString path = shows.at(i);
        QAction *action = recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openShow(path); });
    }
    recentMenu->setToolTipsVisible(true);
    recentMenu->setEnabled(!shows.isEmpty());
}

void Vellumix::reportMissingFiles()
{
    const QStringList missing = missingFiles(storyBoard.photos, storyBoard.audios);
    if (missing.isEmpty())
        return;
    ZoMessageBox::alert(tr("%n file(s) of this show could not be found. They stay in the show, "
                           "marked in the strips, and are left out of the video until they are "
                           "back in place:",
                           nullptr, int(missing.size()))
                            + QStringLiteral("\n\n") + pathList(missing),
                        QString(), this);
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
    const QStringList missing = missingFiles(storyBoard.photos, storyBoard.audios);
    if (!missing.isEmpty()) {
        const bool photoLeft = std::any_of(storyBoard.photos.cbegin(), storyBoard.photos.cend(),
                                           [](const ImageInfo &photo) { return !photo.missing; });
        if (!photoLeft) {
            ZoMessageBox::alert(tr("None of the photos of this show can be found, so there is "
                                   "nothing to make a video of:")
                                    + QStringLiteral("\n\n") + pathList(missing),
                                QString(), this);
            return;
        }
        if (!ZoMessageBox::alert(tr("%n file(s) of this show could not be found and will be "
                                    "left out of the video:",
                                    nullptr, int(missing.size()))
                                     + QStringLiteral("\n\n") + pathList(missing),
                                 QString(), this, false))
            return;
    }
    OutputSetting settings(this);
    settings.setEditedValues(profileData);
    if (settings.exec() != QDialog::Accepted)
        return;
    const ZomProfileData before = profileData;
    profileData = settings.profileData();
    const QString folder = ZoPref::value(QStringLiteral("OutputPath"), QString()).toString();
    if (profileData != before || settings.outputName() != showOutputName
        || folder != showOutputFolder) {
        showOutputName = settings.outputName();
        showOutputFolder = folder;
        session->setModified();
    }
    // The video is made of the files that are there; the show keeps the others.
    const QList<ImageInfo> allPhotos = storyBoard.photos;
    const QList<AudioInfo> allAudios = storyBoard.audios;
    storyBoard.photos.removeIf([](const ImageInfo &photo) { return photo.missing; });
    storyBoard.audios.removeIf([](const AudioInfo &clip) { return clip.missing; });
    const auto &values = profileData.values();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        qDebug().nospace() << "key:\"" << it.key() << "\", value:\"" << it.value().toString()
                           << '"';
    formatFromProfile(profileData, previewFormat);
    render->setFormat(previewFormat);
    render->updateTiming();
    {
        CompileProgress progress(this);
        if (progress.startCreation(render.get(), profileData, settings.outputName()))
            progress.exec();
    }
    storyBoard.setPhotos(allPhotos);
    storyBoard.setAudios(allAudios);
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
