// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/qtsingleapplication.h"

#include "zofc/zopref.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <unistd.h>

namespace {
constexpr int connectTimeoutMs = 500;
// How long a further start waits for the instance holding the lock to listen, and between tries.
constexpr int handOverPatienceMs = 20000;
constexpr int retryMs = 50;
const QByteArray activateMessage = QByteArrayLiteral("activate\n");
const QString openPrefix = QStringLiteral("open ");
} // namespace

QtSingleApplication::QtSingleApplication(const QString &appId, int &argc, char **argv)
    : ZoApplication(argc, argv)
    , appId_(appId)
{ }

QtSingleApplication::~QtSingleApplication()
{
    // The socket goes before the lock, so that the next instance finds neither.
    delete server_;
    server_ = nullptr;
}

QString QtSingleApplication::serverName(const QString &appId, const QString &id)
{
    const QByteArray key
        = (appId + QLatin1Char('\n') + id + QLatin1Char('\n') + ZoPref::fileName()).toUtf8();
    const QByteArray hash
        = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("vellumix-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool QtSingleApplication::isRunning(const QString &id)
{
    if (server_)
        return false;
    const QString name = serverName(appId_, id);

    // Whoever holds the lock is the one instance; the socket only carries messages to it. A lock
    // whose process has died is taken over; a live one never goes stale, however long it runs.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    lock_ = std::make_unique<QLockFile>(folder + QLatin1Char('/') + name + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    QElapsedTimer waited;
    waited.start();
    while (!lock_->tryLock(0)) {
        if (lock_->error() != QLockFile::LockFailedError) {
            qWarning("Cannot lock %s; starting without the single-instance check",
                     qPrintable(lock_->fileName()));
            lock_.reset();
            break;
        }
        // The holder may still be on its way to listening.
        if (handOver(name))
            return true;
        if (waited.elapsed() > handOverPatienceMs) {
            qWarning("Another instance holds %s but does not answer",
                     qPrintable(lock_->fileName()));
            lock_.reset();
            return true;
        }
        QThread::msleep(retryMs);
    }

    // A socket file left by a crashed instance is stale.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name))
        qWarning("Cannot listen on %s: %s", qPrintable(name), qPrintable(server_->errorString()));
    connect(server_, &QLocalServer::newConnection, this, &QtSingleApplication::onNewConnection);
    return false;
}

bool QtSingleApplication::handOver(const QString &name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    if (!probe.waitForConnected(connectTimeoutMs))
        return false;
    if (!fileArguments().isEmpty())
        probe.write(openMessage(fileArguments()));
    probe.write(activateMessage);
    const bool sent = probe.waitForBytesWritten(connectTimeoutMs) || probe.bytesToWrite() == 0;
    probe.disconnectFromServer();
    return sent;
}

QByteArray QtSingleApplication::openMessage(const QStringList &paths)
{
    QByteArray line = openPrefix.toUtf8();
    for (int i = 0; i < paths.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += QUrl::fromLocalFile(paths.at(i)).toEncoded();
    }
    return line + '\n';
}

QStringList QtSingleApplication::filesInMessage(const QString &message)
{
    if (!message.startsWith(openPrefix))
        return {};
    QStringList paths;
    const QStringList urls
        = message.mid(openPrefix.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &text : urls) {
        const QUrl url = QUrl::fromEncoded(text.toUtf8(), QUrl::StrictMode);
        if (url.isValid() && url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void QtSingleApplication::setActivationWindow(QWidget *window, bool activateOnMessage)
{
    activationWindow_ = window;
    activateOnMessage_ = activateOnMessage;
}

void QtSingleApplication::activateWindow()
{
    if (!activationWindow_)
        return;
    activationWindow_->setWindowState(activationWindow_->windowState() & ~Qt::WindowMinimized);
    activationWindow_->show();
    activationWindow_->raise();
    activationWindow_->activateWindow();
}

void QtSingleApplication::onNewConnection()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QString message = QString::fromUtf8(socket->readLine()).trimmed();
                emit messageReceived(message);
                const QStringList files = filesInMessage(message);
                if (!files.isEmpty())
                    emit filesReceived(files);
                if (activateOnMessage_ && message == QLatin1String("activate"))
                    activateWindow();
            }
        });
    }
}
