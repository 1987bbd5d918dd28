// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Modal message boxes for user-facing notices and errors. The box's object name is
// ZoMessageBox::objectName, so that a caller (or a test) can find the open box.
class ZoMessageBox
{
public:
    static constexpr const char *objectName = "zoMessageBox";

    // An information box. With okOnly the box has an OK button alone, otherwise OK and Cancel.
    // Returns the QMessageBox::StandardButton that closed it (Cancel when closed otherwise).
    // A list (one item a line, such as file names) goes into details: it shows under the text,
    // unwrapped, and scrolls when long; it is the box's informative text.
    static int info(const QString &text, const QString &title = QString(),
                    QWidget *parent = nullptr, bool okOnly = true,
                    const QString &details = QString());
    // A warning box, buttons and details as for info(). Returns whether it was closed with OK.
    static bool alert(const QString &text, const QString &title = QString(),
                      QWidget *parent = nullptr, bool okOnly = true,
                      const QString &details = QString());
};
