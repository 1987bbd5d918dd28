// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/showsession.h"

#include "media/showmedia.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopref.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QUndoStack>
#include <atomic>
#include <memory>

namespace {

const QString recentKey = QStringLiteral("RecentShows");
const QString lastDirKey = QStringLiteral("ShowLastDir");

QString tr(const char *text)
{
    return QCoreApplication::translate("ShowSession", text);
}

QString fileFilter()
{
    return tr("Vellumix Shows (*.%1)").arg(QLatin1String(ShowFileSuffix));
}

QString lastFolder()
{
    const QString stored = ZoPref::value(lastDirKey, QString()).toString();
    return QFileInfo(stored).isDir() ? stored : QDir::homePath();
}

// Beside the autosave copy, the file of the show it was made from.
QString originOf(const QString &copy)
{
    return copy + QStringLiteral(".origin");
}

} // namespace

ShowSession::ShowSession(QWidget *w, std::function<ShowFile()> show)
    : QObject(w)
    , window(w)
    , current(std::move(show))
    , copy(autosavePath())
    , autosaveTimer(new QTimer(this))
{
    // Not restarted by further changes: a user who keeps editing still gets a copy in time.
    autosaveTimer->setSingleShot(true);
    autosaveTimer->setInterval(AutosaveDelayMs);
    connect(autosaveTimer, &QTimer::timeout, this, &ShowSession::writeAutosave);
}

ShowSession::~ShowSession() = default;

QString ShowSession::displayName() const
{
    return path.isEmpty() ? tr("Untitled") : QFileInfo(path).completeBaseName();
}

void ShowSession::watch(QUndoStack *stack)
{
    edits = stack;
    connect(stack, &QUndoStack::indexChanged, this, &ShowSession::changed);
    connect(stack, &QUndoStack::cleanChanged, this, &ShowSession::changed);
}

bool ShowSession::isModified() const
{
    return modified || (edits && !edits->isClean());
}

void ShowSession::changed()
{
    const bool now = isModified();
    if (now && !autosaveTimer->isActive())
        autosaveTimer->start();
    if (now != wasModified) {
        wasModified = now;
        emit stateChanged();
    }
}

void ShowSession::setModified()
{
    modified = true;
    changed();
}

void ShowSession::setSaved(const QString &file)
{
    autosaveTimer->stop();
    removeAutosave();
    path = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    modified = false;
    wasModified = false;
    if (edits)
        edits->setClean();
    if (!path.isEmpty())
        addRecent(path);
    emit stateChanged();
}

void ShowSession::setRecovered(const QString &file)
{
    path = file;
    modified = true;
    wasModified = true;
    // The copy stays until the recovered show is saved or the program ends normally.
    emit stateChanged();
}

bool ShowSession::save()
{
    return path.isEmpty() ? saveAs() : saveTo(path);
}

bool ShowSession::saveAs()
{
    QString start = path;
    if (start.isEmpty())
        start = QDir(lastFolder())
                    .filePath(displayName() + QLatin1Char('.') + QLatin1String(ShowFileSuffix));
    QString file = QFileDialog::getSaveFileName(window, tr("Save Show As"), start, fileFilter());
    if (file.isEmpty())
        return false;
    if (QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + QLatin1String(ShowFileSuffix);
    ZoPref::setValue(lastDirKey, QFileInfo(file).absolutePath());
    return saveTo(file);
}

bool ShowSession::saveTo(const QString &file)
{
    QString error;
    if (!writeShowFile(file, current(), &error)) {
        ZoMessageBox::alert(error, QString(), window);
        return false;
    }
    setSaved(file);
    return true;
}

bool ShowSession::maybeSave()
{
    if (!isModified())
        return true;
    QMessageBox box(QMessageBox::Warning, QString(),
                    tr("The show \"%1\" has changes that are not saved.").arg(displayName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window);
    box.setObjectName(QLatin1String(ZoMessageBox::objectName));
    box.setInformativeText(tr("Do you want to save them?"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

QString ShowSession::pickShowToOpen()
{
    const QString file
        = QFileDialog::getOpenFileName(window, tr("Open Show"), lastFolder(), fileFilter());
    if (!file.isEmpty())
        ZoPref::setValue(lastDirKey, QFileInfo(file).absolutePath());
    return file;
}

QStringList ShowSession::recentShows() const
{
    return ZoPref::value(recentKey, QStringList()).toStringList();
}

void ShowSession::addRecent(const QString &file)
{
    QStringList list = recentShows();
    const QString absolute = QFileInfo(file).absoluteFilePath();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > RecentCount)
        list.removeLast();
    ZoPref::setValue(recentKey, list);
    emit stateChanged();
}

QString ShowSession::autosavePath()
{
    // One copy per settings file: a set-up with settings of its own (another XDG_CONFIG_HOME, a
    // test) neither sees nor removes the copy of the usual one.
    const QByteArray key = QCryptographicHash::hash(
        QFileInfo(ZoPref::fileName()).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/')
        + ZoPref::product_name() + QStringLiteral("/autosave-")
        + QString::fromLatin1(key.toHex().left(12)) + QLatin1Char('.')
        + QLatin1String(ShowFileSuffix);
}

QString ShowSession::autosaveOriginPath()
{
    return originOf(autosavePath());
}

bool ShowSession::writeAutosave()
{
    if (!isModified())
        return true;
    QDir().mkpath(QFileInfo(copy).absolutePath());
    QString error;
    if (!writeShowFile(copy, current(), &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    // Without its origin a recovered copy would come back as a new show, its name lost.
    QSaveFile origin(originOf(copy));
    if (!origin.open(QIODevice::WriteOnly) || origin.write(path.toUtf8()) < 0 || !origin.commit()) {
        qWarning("Cannot write %s: %s", qPrintable(origin.fileName()),
                 qPrintable(origin.errorString()));
        return false;
    }
    return true;
}

void ShowSession::removeAutosave()
{
    autosaveTimer->stop();
    QFile::remove(copy);
    QFile::remove(originOf(copy));
}

bool ShowSession::hasAutosave()
{
    return QFileInfo(autosavePath()).isFile();
}

QString ShowSession::autosaveOrigin()
{
    QFile origin(autosaveOriginPath());
    if (!origin.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(origin.read(64 * 1024)).trimmed();
}

bool rereadShowMedia(ShowFile &show, QWidget *parent)
{
    const int total = int(show.photos.size() + show.audios.size());
    if (total == 0)
        return true;
    std::atomic<int> done {0};
    std::atomic<bool> cancelled {false};
    // The thread works on the show's own lists; the GUI thread touches them again only after the
    // thread has ended.
    std::unique_ptr<QThread> thread(QThread::create([&show, &done, &cancelled] {
        for (ImageInfo &photo : show.photos) {
            if (cancelled)
                return;
            if (!photo.missing)
                rereadShowPhoto(photo);
            ++done;
        }
        for (AudioInfo &clip : show.audios) {
            if (cancelled)
                return;
            if (!clip.missing)
                rereadShowAudio(clip);
            ++done;
        }
    }));
    QProgressDialog progress(tr("Opening the show..."), tr("Cancel"), 0, total, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        progress.setValue(done);
        if (progress.wasCanceled())
            cancelled = true;
    });
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    poll.start();
    loop.exec();
    thread->wait();
    return !cancelled;
}
