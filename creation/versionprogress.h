// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "creation/versionrun.h"
#include "zofc/zodialog.h"

#include <memory>

namespace Ui {
class CompileProgressClass;
}

// The creation dialog of a run of several versions: which version is being made, one bar for the
// whole run, Pause and Stop; once over, each file with the result of its check, Open and Close.
// GUI thread only.
class VersionProgress : public ZoDialog
{
    Q_OBJECT

public:
    explicit VersionProgress(QWidget *parent = nullptr);
    ~VersionProgress() override;

    void setOutputFolder(const QString &folder) { run.setOutputFolder(folder); }
    bool startVersions(StoryBoardRender *renderer, const QList<VersionRun::Version> &versions);
    void reject() override;
    void retranslate() override;

    VersionRun &versionRun() { return run; }
    int progressValue() const;
    // The lines the dialog lists, one a version.
    QStringList resultLines() const;

private slots:
    void on_pause_resume_clicked();
    void on_stop_clicked();
    void on_open_clicked();
    void on_close_clicked();

private:
    void onVersionStarted(int index);
    void onRunEnded(bool ok);
    void showState();

    std::unique_ptr<Ui::CompileProgressClass> ui;
    VersionRun run;
};
