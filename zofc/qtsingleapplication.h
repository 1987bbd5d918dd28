#pragma once

#include "zofc/zoapplication.h"

#include <QPointer>
#include <QWidget>

class QLocalServer;

// An application object that knows whether another instance of the same user (and the same
// settings folder) is running, through a local socket. A further start asks the running
// instance to raise its window. GUI thread only.
class QtSingleApplication : public ZoApplication
{
    Q_OBJECT
public:
    QtSingleApplication(const QString &appId, int &argc, char **argv);
    ~QtSingleApplication() override;

    // True when another instance runs (it has then been asked to activate its window).
    // Otherwise this instance starts listening and becomes the one that runs.
    bool isRunning(const QString &id = QString());
    void setActivationWindow(QWidget *window, bool activateOnMessage = true);
    QWidget *activationWindow() const { return activationWindow_; }

    // The socket name for an identifier: per user and per settings file.
    static QString serverName(const QString &appId, const QString &id);

signals:
    void messageReceived(const QString &message);

public slots:
    void activateWindow();

private:
    void onNewConnection();

    QString appId_;
    QLocalServer *server_ = nullptr;
    QPointer<QWidget> activationWindow_;
    bool activateOnMessage_ = false;
};
