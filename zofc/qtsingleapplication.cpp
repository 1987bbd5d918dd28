#include "zofc/qtsingleapplication.h"

#include "zofc/zopref.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>
#include <unistd.h>

namespace {
constexpr int connectTimeoutMs = 500;
const QByteArray activateMessage = QByteArrayLiteral("activate\n");
const QString openPrefix = QStringLiteral("open ");
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
        if (!fileArguments().isEmpty())
            probe.write(openMessage(fileArguments()));
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
