// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zofc/zoapplication.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QLocalServer;
class QLockFile;

// An application object that knows whether another instance of the same user (and the same
// settings folder) is running: the running one holds a lock file in the runtime folder and
// listens on a local socket, through which a further start asks it to raise its window. GUI
// thread only.
class QtSingleApplication : public ZoApplication
{
    Q_OBJECT
public:
    QtSingleApplication(const QString &appId, int &argc, char **argv);
    ~QtSingleApplication() override;

    // True when another instance runs (it has then been handed this start's file arguments and
    // asked to activate its window; a start at the same moment as the running one waits until
    // that one listens). Otherwise this instance takes the lock, starts listening and becomes
    // the one that runs.
    bool isRunning(const QString &id = QString());
    void setActivationWindow(QWidget *window, bool activateOnMessage = true);
    QWidget *activationWindow() const { return activationWindow_; }

    // The socket name for an identifier: per user and per settings file.
    static QString serverName(const QString &appId, const QString &id);

    // The line that hands files to the running instance, and the files in such a line (empty
    // for any other line). Paths travel as encoded file URLs, so no name can break the line.
    static QByteArray openMessage(const QStringList &paths);
    static QStringList filesInMessage(const QString &message);

signals:
    void messageReceived(const QString &message);
    // A further start was given these files (absolute paths).
    void filesReceived(const QStringList &paths);

public slots:
    void activateWindow();

private:
    void onNewConnection();
    // Sends this start's files and the activation to the instance listening on name.
    bool handOver(const QString &name);

    QString appId_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
    QPointer<QWidget> activationWindow_;
    bool activateOnMessage_ = false;
};
