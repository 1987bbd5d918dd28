// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zofc/zodialog.h"

#include <memory>

class QAbstractButton;
namespace Ui {
class PreferencesClass;
}

// The preferences: default output folder, update check, processor cores for video creation and
// the post-task action. OK and Apply store them and apply the processor choice at once.
class Preferences : public ZoDialog
{
    Q_OBJECT

public:
    // processors is the machine's processor count; 0 asks the system.
    explicit Preferences(QWidget *parent = nullptr, int processors = 0);
    ~Preferences() override;

    void retranslate() override;

    // The "AfterBurnAction" value of a post-task combo index and back; unknown values give 0/5.
    static int afterBurnActionForIndex(int index);
    static int indexForAfterBurnAction(int action);

private slots:
    void on_browse_clicked();
    void on_open_clicked();
    void on_resetToDefault_clicked();
    void on_resetToDefault_2_clicked();
    void on_buttonBox_clicked(QAbstractButton *button);

public:
    // Enables Apply. Connected explicitly to every editor of the dialog; not a slot, so that the
    // form's by-name wiring does not look for an object called "Settings".
    void on_Settings_Changed();

private:
    bool store();

    std::unique_ptr<Ui::PreferencesClass> ui;
    int processors = 1;
};
