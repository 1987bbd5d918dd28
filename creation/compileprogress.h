// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "creation/creationjob.h"
#include "zofc/zodialog.h"

#include <QString>
#include <memory>

class StoryBoardRender;
class ZomProfileData;

namespace Ui {
class CompileProgressClass;
}

// The "Create Video File" dialog: runs one creation job and shows its state, with Pause, Stop,
// and Open and Close once it has ended; after success also the video's path and Play.
// startCreation(), then progressChanged() and jobEnded(). Stop, Escape, closing the window and
// destruction before the end stop the job, which removes what it created. The job itself is
// CreationJob; batch mode drives one without this dialog. GUI thread only.
class CompileProgress : public ZoDialog
{
    Q_OBJECT

public:
    using Phase = CreationJob::Phase;

    explicit CompileProgress(QWidget *parent = nullptr);
    ~CompileProgress() override;

    // Starts the job (CreationJob::start). False when it cannot start; the reason is then
    // failureReason(), and the interactive dialog shows it in a message box.
    bool startCreation(StoryBoardRender *renderer, const ZomProfileData &profile,
                       const QString &outputName);
    // The folder for the output file instead of the "OutputPath" setting. Before startCreation.
    void setOutputFolder(const QString &folder) { creation.setOutputFolder(folder); }
    // No message boxes and no post-task action. Before startCreation.
    void setInteractive(bool on)
    {
        interactive = on;
        creation.setCallerReportsFailures(!on);
    }

    // Ends the job: the result in the label, the buttons for a finished job, the post-task
    // action, and jobEnded().
    void finish(bool ok) { creation.finish(ok); }
    // Stops the job as the Stop button does (also while hidden).
    void cancel() { reject(); }
    void reject() override;
    void retranslate() override;

    Phase phase() const { return creation.phase(); }
    bool isFinished() const { return creation.isFinished(); }
    bool succeeded() const { return creation.succeeded(); }
    bool isPaused() const { return creation.isPaused(); }
    int progressValue() const;
    // The output file of the job; empty before startCreation.
    QString outputPath() const { return creation.outputPath(); }
    QString outputFolder() const { return creation.outputFolder(); }
    // Why the job could not start or failed; empty after success.
    QString failureReason() const { return creation.failureReason(); }
    // The last lines of the failed encoder's log (CreationJob::encoderLog).
    QStringList encoderLog() const { return creation.encoderLog(); }
    // The job's own folder for the temporary files (gone once the job has ended).
    QString temporaryFolder() const { return creation.temporaryFolder(); }
    // The command lines and file names of the job.
    const EncoderJob &encoderJob() const { return creation.encoderJob(); }
    AVWriterManager &writerManager() { return creation.writerManager(); }
    CreationJob &creationJob() { return creation; }

signals:
    // The bar's value: rendering fills 0-90, the re-encoding fallback 90-100.
    void progressChanged(int value);
    void phaseChanged(CompileProgress::Phase phase);
    // The job is over: finished (ok tells how) or cancelled (false).
    void jobEnded(bool ok);

private slots:
    void on_pause_resume_clicked();
    void on_stop_clicked();
    void on_open_clicked();
    void on_play_clicked();
    void on_close_clicked();

private:
    void onProgressChanged(int value);
    void onPhaseChanged(Phase phase);
    void onJobEnded(bool ok);

    std::unique_ptr<Ui::CompileProgressClass> ui;
    CreationJob creation;
    bool interactive = true;
};
