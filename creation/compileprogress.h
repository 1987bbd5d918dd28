#pragma once

#include "creation/avwritermanager.h"
#include "creation/commandline.h"
#include "zofc/zodialog.h"

#include <QProcess>
#include <QString>
#include <memory>

class QTemporaryDir;
class QTimer;
class StoryBoardRender;
class ZomProfileData;

namespace Ui {
class CompileProgressClass;
}

// Runs one video creation from the first frame to the finished file and shows its progress:
// the two piped encoder runs fed by the writer manager, then the stream-copy multiplexing, the
// re-encoding fallback and the PSP thumbnail. Works shown (modal, the main window's create
// command) or hidden (batch): startCreation(), then progressChanged() and jobEnded().
// Temporary files live in a folder of the job's own; Stop, Escape, closing the window and
// destruction before the end kill the encoders and remove what the job created, and only that.
// GUI thread only.
class CompileProgress : public ZoDialog
{
    Q_OBJECT

public:
    enum class Phase {
        Idle,
        Rendering, // frames and sound go to the two encoders
        Settling, // waiting for the encoders to finish their files
        Multiplexing, // stream copy into the output file
        Reencoding, // the fallback: both temporaries encoded again into the output file
        Thumbnail, // PSP: the THM picture beside the output
        Done, // finished, with or without success
        Cancelled,
    };
    Q_ENUM(Phase)

    explicit CompileProgress(QWidget *parent = nullptr);
    ~CompileProgress() override;

    // Prepares every command line and starts the job. False when it cannot start: a show without
    // frames, an invalid output name, an output folder that cannot be made or written, no
    // temporary folder. The reason is then failureReason(), and the interactive dialog shows it
    // in a message box. Failures after a true return end the job through finish(false).
    bool startCreation(StoryBoardRender *renderer, const ZomProfileData &profile,
                       const QString &outputName);
    // The folder for the output file instead of the "OutputPath" setting. Before startCreation.
    void setOutputFolder(const QString &folder) { outputFolderOverride = folder; }
    // Batch use: no message boxes and no post-task action. Before startCreation.
    void setInteractive(bool on) { interactive = on; }

    // Ends the job: the result in the label, the buttons for a finished job, the post-task
    // action, and jobEnded().
    void finish(bool ok);
    // Stops the job as the Stop button does (also while hidden).
    void cancel() { reject(); }
    void reject() override;
    void retranslate() override;

    Phase phase() const { return currentPhase; }
    bool isFinished() const { return finished; }
    bool succeeded() const { return succeededJob; }
    bool isPaused() const { return paused; }
    int progressValue() const;
    // The output file of the job; empty before startCreation.
    QString outputPath() const { return job.outputPath(); }
    QString outputFolder() const { return folder; }
    // Why the job could not start or failed; empty after success.
    QString failureReason() const { return reason; }
    // The last lines of the failed encoder's log, which the job's folder no longer holds once
    // the job has ended; empty when no encoder failed.
    QStringList encoderLog() const { return failureLog; }
    // The job's own folder for the temporary files (gone once the job has ended).
    QString temporaryFolder() const { return tempFolderPath; }
    // The command lines and file names of the job.
    const EncoderJob &encoderJob() const { return job; }
    AVWriterManager &writerManager() { return manager; }

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
    void on_close_clicked();

private:
    void on_progressChanged(int value);
    void on_combineFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void on_readyReadStandardOutput();
    void on_recompressFinished(int exitCode, QProcess::ExitStatus exitStatus);

    bool refuse(const QString &why);
    void failSoon(const QString &why);
    void onCompileEnd();
    void onEncoderFinished();
    void startMultiplexing();
    void startReencoding();
    void startThumbnail();
    void onThumbnailDone();
    void stopEverything();
    void removeCreatedFiles();
    void setPhase(Phase phase);
    void setBar(int value);
    QString encoderFailure(const AVPipeWriter *writer, const QString &which);
    // The reason, and the end of the writer's log kept for encoderLog().
    QString withEncoderLog(const QString &why, const AVPipeWriter *writer);

    std::unique_ptr<Ui::CompileProgressClass> ui;
    StoryBoardRender *renderer = nullptr;
    AVWriterManager manager;
    EncoderJob job;
    QString muxCommand;
    QString reencodeCommand;
    QString videoTempPath;
    QString audioTempPath;
    QString finalPath;
    QProcess combineProcess;
    QProcess recompressProcess;
    std::unique_ptr<QProcess> thumbnailProcess;
    QTimer *thumbnailTimer = nullptr;
    std::unique_ptr<QTemporaryDir> tempFolder;
    QString tempFolderPath;
    QString thumbnailFile;
    bool thumbnailExisted = false;
    bool outputReserved = false;
    QString outputFolderOverride;
    QString folder;
    QString reason;
    QStringList failureLog;
    QByteArray reencodeOutput;
    Phase currentPhase = Phase::Idle;
    bool interactive = true;
    bool paused = false;
    bool finished = false;
    bool succeededJob = false;
    bool isPsp = false;
    bool isNds = false;
    int totalFrames = 1000;
};
