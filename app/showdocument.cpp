// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/showsession.h"
#include "media/audiolistwidget.h"
#include "media/photolistwidget.h"
#include "storyboard/showfile.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopref.h"

#include "ui_vellumix.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>
#include <utility>

namespace {

// At most this many paths are named in one message; the rest are counted.
constexpr int namedFilesMax = 10;

} // namespace

void Vellumix::setUpShowCommands()
{
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
}

QString Vellumix::pathList(const QStringList &paths)
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
    followOutputFormat();
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
