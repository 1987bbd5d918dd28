// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zopowerstate.h"

#include "zofc/zomessagebox.h"
#include "zofc/zowidgethelper.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

ZoPowerState::Executor &currentExecutor()
{
    static ZoPowerState::Executor executor;
    return executor;
}

} // namespace

ZoPowerState::ZoPowerState(int state, QWidget *parent)
    : ZoDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , action(isAction(state) ? static_cast<State>(state) : DoNothing)
    , message(new QLabel(this))
    , cancel(new QPushButton(this))
    , timer(new QTimer(this))
{
    setObjectName(QStringLiteral("ZoPowerState"));
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    message->setMinimumWidth(320);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addLayout(buttons);

    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &ZoPowerState::tick);
    connect(cancel, &QPushButton::clicked, this, &ZoPowerState::reject);
    retranslate();
}

bool ZoPowerState::isAction(int state)
{
    return state == ExitProgram || state == StandBy || state == Hibernate || state == ShutDown;
}

void ZoPowerState::setCountdown(int seconds)
{
    countdown = std::max(seconds, 0);
    remaining = countdown;
    updateMessage();
}

int ZoPowerState::exec()
{
    if (action == DoNothing)
        return Rejected;
    remaining = countdown;
    updateMessage();
    if (remaining > 0) {
        timer->start();
        const int result = ZoDialog::exec();
        timer->stop();
        if (result != Accepted)
            return Rejected;
    }
    // The dialog is gone before the action runs, so that it is not on screen after a resume.
    const Executor &executor = currentExecutor();
    const bool done = executor ? executor(action) : systemExecutor(action);
    if (!done) {
        ZoMessageBox::alert(tr("The computer did not carry out the post-task action."), QString(),
                            parentWidget(), true);
        return Rejected;
    }
    return Accepted;
}

void ZoPowerState::tick()
{
    if (--remaining > 0) {
        updateMessage();
        return;
    }
    timer->stop();
    accept();
}

void ZoPowerState::retranslate()
{
    widgetHelper()->setAllWindowTitle(QString());
    cancel->setText(tr("Cancel"));
    updateMessage();
}

void ZoPowerState::updateMessage()
{
    switch (action) {
    case ExitProgram:
        message->setText(tr("Vellumix will exit in %n second(s).", nullptr, remaining));
        break;
    case StandBy:
        message->setText(tr("The computer will stand by in %n second(s).", nullptr, remaining));
        break;
    case Hibernate:
        message->setText(tr("The computer will hibernate in %n second(s).", nullptr, remaining));
        break;
    case ShutDown:
        message->setText(tr("The computer will shut down in %n second(s).", nullptr, remaining));
        break;
    case DoNothing:
        message->clear();
        break;
    }
}

void ZoPowerState::setExecutor(Executor executor)
{
    currentExecutor() = std::move(executor);
}

QString ZoPowerState::loginManagerMethod(State state)
{
    switch (state) {
    case StandBy:
        return QStringLiteral("Suspend");
    case Hibernate:
        return QStringLiteral("Hibernate");
    case ShutDown:
        return QStringLiteral("PowerOff");
    case ExitProgram:
    case DoNothing:
        break;
    }
    return QString();
}

bool ZoPowerState::systemExecutor(State state)
{
    if (state == DoNothing)
        return true;
    if (state == ExitProgram) {
        // Quitting closes the windows first, so the main window still tidies up after itself.
        QCoreApplication::quit();
        return true;
    }
    return requestPowerAction(state, QDBusConnection::systemBus());
}

bool ZoPowerState::requestPowerAction(State state, const QDBusConnection &bus)
{
    const QString method = loginManagerMethod(state);
    if (method.isEmpty())
        return false;
    if (!bus.isConnected()) {
        qWarning("ZoPowerState: no connection to the login manager's bus: %s",
                 qPrintable(bus.lastError().message()));
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), method);
    // Not interactive: nobody may be at the computer to answer an authentication prompt.
    call << false;
    const QDBusMessage reply = bus.call(call);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qWarning("ZoPowerState: %s failed: %s: %s", qPrintable(method),
                 qPrintable(reply.errorName()), qPrintable(reply.errorMessage()));
        return false;
    }
    return true;
}
