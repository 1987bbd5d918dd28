// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class ZoWidgetHelper;

// Base of the program's dialogs: carries the title and size helper and re-applies its texts when
// the interface language changes. exec() and show() are QDialog's.
class ZoDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ZoDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    ZoWidgetHelper *widgetHelper() const { return helper; }

    // Re-applies every translated text of the dialog; called on each language change.
    virtual void retranslate();

protected:
    void changeEvent(QEvent *event) override;

private:
    ZoWidgetHelper *helper = nullptr;
};
