#include "zofc/qtsingleapplication.h"

#include "zofc/zopref.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {
constexpr int connectTimeoutMs = 500;
const QByteArray activateMessage = QByteArrayLiteral("activate\n");
} // namespace

QtSingleApplication::QtSingleApplication(const QString &appId, int &argc, char **argv)
    : ZoApplication(argc, argv)
    , appId_(appId)
{ }

QtSingleApplication::~QtSingleApplication() = default;

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

    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(connectTimeoutMs)) {
        probe.write(activateMessage);
        probe.waitForBytesWritten(connectTimeoutMs);
        probe.disconnectFromServer();
        return true;
    }

    // Nobody answers: a socket file left by a crashed instance is stale.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name))
        qWarning("Cannot listen on %s: %s", qPrintable(name), qPrintable(server_->errorString()));
    connect(server_, &QLocalServer::newConnection, this, &QtSingleApplication::onNewConnection);
    return false;
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
                if (activateOnMessage_ && message == QLatin1String("activate"))
                    activateWindow();
            }
        });
    }
}
