// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zofc/zodialog.h"

#include <functional>

class QDBusConnection;
class QLabel;
class QPushButton;
class QTimer;

// The countdown dialog that carries out the post-task action after a video has been created:
// exit the program, stand by, hibernate or shut down, unless the user cancels in time.
// GUI thread only.
class ZoPowerState : public ZoDialog
{
    Q_OBJECT

public:
    // The post-task codes as they are stored in the settings.
    enum State { ExitProgram = 0, StandBy = 1, Hibernate = 2, ShutDown = 4, DoNothing = 5 };

    // Carries out one action; returns whether it was done (or, for the power actions, accepted
    // by the system).
    using Executor = std::function<bool(State state)>;

    explicit ZoPowerState(int state, QWidget *parent = nullptr);

    // Counts down and then carries out the action. Returns Accepted when the action was carried
    // out, Rejected when it was cancelled, failed (the user is told) or there is nothing to do.
    int exec() override;

    State state() const { return action; }
    // Whether the code names an action (0, 1, 2 or 4).
    static bool isAction(int state);

    // The countdown length in seconds [30]; set before exec().
    void setCountdown(int seconds);
    int secondsLeft() const { return remaining; }

    // Replaces the process-wide executor; an empty one restores the default.
    static void setExecutor(Executor executor);
    // The default: quits the application, or asks the login manager over the system bus.
    static bool systemExecutor(State state);
    // Asks the login manager reachable over bus to carry out a power action.
    static bool requestPowerAction(State state, const QDBusConnection &bus);
    // The login manager's method for a power action; empty for the others.
    static QString loginManagerMethod(State state);

    void retranslate() override;

private:
    void tick();
    void updateMessage();

    State action = DoNothing;
    int countdown = 30;
    int remaining = 30;
    QLabel *message = nullptr;
    QPushButton *cancel = nullptr;
    QTimer *timer = nullptr;
};
