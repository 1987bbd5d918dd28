// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zofc/zomessagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers the framework's modal message boxes while a test drives a dialog: every box that opens
// is recorded (its text and the list under it) and closed with OK.
class AlertCatcher : public QObject
{
public:
    AlertCatcher()
    {
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->objectName() != QLatin1String(ZoMessageBox::objectName))
                return;
            // A list shown under the text counts as its next lines.
            texts.append(box->informativeText().isEmpty()
                             ? box->text()
                             : box->text() + QLatin1Char('\n') + box->informativeText());
            box->button(QMessageBox::Ok)->click();
        });
        timer.start();
    }

    QStringList texts;

private:
    QTimer timer;
};
