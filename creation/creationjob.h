// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "creation/avwritermanager.h"
#include "creation/commandline.h"
#include "creation/jobfiles.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

class QTemporaryDir;
class QTimer;
class StoryBoard;
class StoryBoardRender;
struct ShowTimeline;
class ZomProfileData;

// One video creation from the first frame to the finished file: the two piped encoder runs fed
// by the writer manager, then the stream-copy multiplexing, the re-encoding fallback and the PSP
// thumbnail. start(), then progressChanged() and jobEnded(). The progress dialog shows a job;
// batch mode drives one with no window at all.
// Temporary files live in a folder of the job's own, and the video is written under a hidden
// name in the output folder until it is whole; cancel() and destruction before the end kill the
// encoders and remove what the job created, and only that. A start removes what jobs of earlier
// runs that died left behind (removeCreationLeftovers()).
// GUI thread only.
class CreationJob : public QObject
{
    Q_OBJECT

public:
    enum class Phase {
        Idle,
        Rendering, // frames and sound go to the two encoders
        Settling, // waiting for the encoders to finish their files
        Multiplexing, // stream copy into the output file
        Reencoding, // the fallback: both temporaries encoded again into the output file
        Palette, // an animated GIF's first pass: the show's palette
        Thumbnail, // PSP: the THM picture beside the output
        Done, // finished, with or without success
        Cancelled,
    };
    Q_ENUM(Phase)

    explicit CreationJob(QObject *parent = nullptr);
    ~CreationJob() override;

    // Prepares every command line and starts the job. False when it cannot start: a show without
    // frames, an invalid output name, an output folder that cannot be made or written, no
    // temporary folder; the reason is then failureReason(). Failures after a true return end the
    // job through finish(false), after start() has returned.
    bool start(StoryBoardRender *renderer, const ZomProfileData &profile,
               const QString &outputName);
    // The folder for the output file instead of the "OutputPath" setting. Before start().
    void setOutputFolder(const QString &folder) { outputFolderOverride = folder; }
    // A show with captions gets a SubRip file beside its video as well as the video's own text
    // track. Before start().
    void setSubtitleFileBeside(bool on) { subtitleBeside = on; }
    // The SubRip file written beside the video; empty when none was.
    QString subtitleFilePath() const { return subtitleBesidePath; }

    // The caller tells the user why the job failed, so failures are not warned about. Before
    // start().
    void setCallerReportsFailures(bool on) { callerReports = on; }

    // Ends the job: progress 100, phase Done, jobEnded().
    void finish(bool ok);
    // Stops the job and removes what it created: phase Cancelled, jobEnded(false). Nothing once
    // the job has finished or been cancelled.
    void cancel();
    // Pauses or resumes the frames; only while rendering. Returns whether the job is paused.
    bool setPaused(bool on);
    // Lets go of the writers and their processes of a finished job.
    void releaseWriters();

    Phase phase() const { return currentPhase; }
    bool isFinished() const { return finished; }
    bool succeeded() const { return succeededJob; }
    bool isPaused() const { return paused; }
    // 0-100: rendering fills 0-90, the re-encoding fallback 90-100.
    int progress() const { return progressValue; }
    // The output file of the job; empty before start(). Its name may change at the end when
    // another file took it meanwhile.
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
    void progressChanged(int value);
    void phaseChanged(CreationJob::Phase phase);
    // The job is over: finished (ok tells how) or cancelled (false).
    void jobEnded(bool ok);

private:
    // Writes the captions of board as a SubRip file into the job's folder and adds it to the
    // command lines that make the output file.
    void addSubtitles(const StoryBoard &board, const ShowTimeline &timeline, double frameRate);
    void writeSubtitleFileBeside();
    void onManagerProgress(int value);
    void onCombineFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onReencodeOutput();
    void onRecompressFinished(int exitCode, QProcess::ExitStatus exitStatus);

    bool refuse(const QString &why);
    void failSoon(const QString &why);
    void onCompileEnd();
    void onEncoderFinished();
    void startMultiplexing();
    void startReencoding();
    void startPalette();
    void startThumbnail();
    void onThumbnailDone();
    void stopEverything();
    void removeCreatedFiles();
    void setPhase(Phase phase);
    void setProgress(int value);
    QString encoderFailure(const AVPipeWriter *writer, const QString &which);
    // The last lines of every encoder log of the job so far.
    QStringList encoderLogLines() const;
    // Why the job failed when the output folder is gone or a disk is full; empty otherwise.
    QString storageReason() const;
    // The reason, and the end of the writer's log kept for encoderLog().
    QString withEncoderLog(const QString &why, const AVPipeWriter *writer);

    StoryBoardRender *renderer = nullptr;
    AVWriterManager manager;
    EncoderJob job;
    QProcess combineProcess;
    QProcess recompressProcess;
    std::unique_ptr<QProcess> thumbnailProcess;
    QTimer *thumbnailTimer = nullptr;
    std::unique_ptr<QTemporaryDir> tempFolder;
    QString tempFolderPath;
    QString thumbnailFile;
    bool thumbnailExisted = false;
    bool outputReserved = false; // the partial output is there and is the job's
    JobFileLock folderLock;
    JobFileLock outputLock;
    QString name;
    QString outputExtension;
    QString outputFolderOverride;
    QString folder;
    QString reason;
    QStringList failureLog;
    QByteArray reencodeOutput;
    Phase currentPhase = Phase::Idle;
    int progressValue = 0;
    bool callerReports = false;
    bool subtitleBeside = false;
    QString subtitleFile; // in the job's folder
    QString subtitleBesidePath;
    bool paused = false;
    bool finished = false;
    bool succeededJob = false;
    int totalFrames = 1000;
};
