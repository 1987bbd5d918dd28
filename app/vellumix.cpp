// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/showsession.h"
#include "app/startup.h"
#include "audio/storyboardrender.h"
#include "controls/gettingstartlabel.h"
#include "creation/preferences.h"
#include "media/audiolistwidget.h"
#include "media/filetypes.h"
#include "media/mediainfowidget.h"
#include "media/photolistwidget.h"
#include "preview/avplayer.h"
#include "zofc/zoapplication.h"
#include "zofc/zopref.h"
#include "zofc/zoutils.h"

#include "ui_vellumix.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QOpenGLContext>
#include <QScreen>
#include <QUndoStack>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

// The window's concerns each have a file of their own: settingspanel.cpp, transport.cpp,
// windowstate.cpp, scrollsync.cpp, stripcommands.cpp, importcommands.cpp, showdocument.cpp and
// creationcommands.cpp. This one builds the window and keeps what belongs to it as a whole.

namespace {

const QString geometryKey = QStringLiteral("MainWindowGeometry");
// Far more steps than anyone takes back, while a long show's lists held by the steps stay small.
constexpr int undoSteps = 200;
// How long the program may take to end on a termination signal before it is ended outright.
constexpr int exitGraceMs = 1500;

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

    previewFormat = outputPreviewFormat();
    render->setFormat(previewFormat);
    render->setStoryBoard(&storyBoard);
    ui->avPlayer->open(previewFormat);
    ui->avPlayer->setRenderer(render.get());

    showPreview(false);
    ui->avPlayer->clearDisplay();
    undo = new QUndoStack(this);
    undo->setUndoLimit(undoSteps);
    fillFramingChoices();
    fillMusicChoices();
    loadSettingsPanel();
    connectSettingsPanel();

    setUpTransport();
    setUpScrollSync();
    setUpStripCommands();
    setUpPhotoPanel();
    setUpCaptionCommands();
    setUpImportCommands();
    setUpCreationCommands();

    // Undo and redo head the Edit menu, as in any editor.
    QAction *first = ui->menuEdit->actions().value(0);
    makeUndoActions(first);
    ui->menuEdit->insertSeparator(first);

    setUpShowCommands();

    initialize();
    if (QMenu *menu = mainMenu()) {
        menu->addSeparator();
        menu->addAction(ui->actionPreferences);
    }
    connect(ui->actionPreferences, &QAction::triggered, this, &Vellumix::on_preferences_clicked);
    connect(ui->actionProperty, &QAction::triggered, this, &Vellumix::on_fileProperty);

    ui->timeCode->setText(QStringLiteral("00:00:00 / 00:00:00"));
    disableEditCommands();
    syncAfterBurnChecks();

    ui->play->setVisible(playState != PlayState::Playing);
    ui->pause->setVisible(playState == PlayState::Playing);
    updateEnabledState();
    changeScrollRange();

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

    if (auto *app = ZoApplication::instance())
        app->setTerminationHandler([this](int number) { endOnSignal(number); });
}

Vellumix::~Vellumix()
{
    if (auto *app = ZoApplication::instance())
        app->setTerminationHandler(nullptr);
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

void Vellumix::endOnSignal(int number)
{
    if (number == SIGINT) {
        exitProgram();
        return;
    }
    // A log-out or shutdown (SIGTERM, SIGHUP) waits for no one: nothing is asked, unsaved
    // changes go to the recovery copy at once, which the next start offers, and every event
    // loop ends, a dialog's too.
    if (session->isModified())
        session->writeAutosave();
    saveGeometrySetting();
    QCoreApplication::exit(0);
    // Stopping a creation may wait for its encoders; the system will not wait that long.
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(exitGraceMs));
        std::_Exit(0);
    }).detach();
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
    fillMusicChoices();
    retranslatePhotoPanel();
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
