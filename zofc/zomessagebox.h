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
    static int info(const QString &text, const QString &title = QString(),
                    QWidget *parent = nullptr, bool okOnly = true);
    // A warning box, buttons as for info(). Returns whether it was closed with OK.
    static bool alert(const QString &text, const QString &title = QString(),
                      QWidget *parent = nullptr, bool okOnly = true);
};
