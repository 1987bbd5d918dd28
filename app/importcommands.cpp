// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "media/audiolistwidget.h"
#include "media/filetypes.h"
#include "media/mediaimport.h"
#include "media/photolistwidget.h"
#include "preview/avplayer.h"
#include "storyboard/showfile.h"
#include "zofc/qtsingleapplication.h"
#include "zofc/zopref.h"

#include "ui_vellumix.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <memory>
#include <utility>

namespace {

const QString photoDirKey = QStringLiteral("PhotoLastDir");
const QString audioDirKey = QStringLiteral("AudioLastDir");
// How soon handed-over files are tried again while a dialog of the window is open.
constexpr int importRetryMs = 250;

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

void Vellumix::setUpImportCommands()
{
    setAcceptDrops(true);
    importTimer = new QTimer(this);
    importTimer->setSingleShot(true);
    connect(importTimer, &QTimer::timeout, this, &Vellumix::importPendingFiles);
    // Files a further start of the program was given come here (that start then ends).
    if (auto *app = qobject_cast<QtSingleApplication *>(QCoreApplication::instance()))
        connect(app, &QtSingleApplication::filesReceived, this, &Vellumix::openFiles);
    connect(ui->actionImport_Picture, &QAction::triggered, this,
            &Vellumix::on_importPicture_clicked);
    connect(ui->actionImport_Picture_Directory, &QAction::triggered, this,
            &Vellumix::on_importPictureDir_clicked);
    connect(ui->actionImport_Audio, &QAction::triggered, this, &Vellumix::on_importAudio_clicked);
}

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
        = ui->photoListWidget->importFiles(expandImportPaths(photoUrls, photoPatterns, true));
    const bool audioAdded
        = ui->audioListWidget->importFiles(expandImportPaths(audioUrls, audioPatterns, true));
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

void Vellumix::importInto(StripListWidget *strip, const QStringList &paths)
{
    const int frame = ui->avPlayer->currentFrame();
    bool added = false;
    runEdit(tr("Import"), [&] { added = strip->importFiles(paths); });
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
    importInto(ui->photoListWidget, files);
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
    importInto(ui->photoListWidget, files);
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
    importInto(ui->audioListWidget, files);
}
