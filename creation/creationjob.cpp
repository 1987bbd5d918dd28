// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/creationjob.h"

#include "audio/storyboardrender.h"
#include "creation/avpipewriter.h"
#include "creation/jobfiles.h"
#include "creation/outputfolder.h"
#include "creation/storagefailure.h"
#include "creation/subtitles.h"
#include "storyboard/storyboard.h"
#include "zofc/zopref.h"
#include "zofc/zoutils.h"
#include "zomprofile/zomprofiledata.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int thumbnailTimeoutMs = 30000;
// Lines of a failed encoder's log shown under the reason.
constexpr int failureLogLines = 10;

bool hasContent(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

void killProcess(QProcess &process)
{
    process.disconnect();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

CreationJob::CreationJob(QObject *parent)
    : QObject(parent)
    , thumbnailTimer(new QTimer(this))
{
    thumbnailTimer->setSingleShot(true);
    connect(thumbnailTimer, &QTimer::timeout, this, &CreationJob::onThumbnailDone);
}

CreationJob::~CreationJob()
{
    if (!finished && currentPhase != Phase::Cancelled) {
        stopEverything();
        removeCreatedFiles();
    } else {
        releaseWriters();
    }
    manager.close();
}

void CreationJob::setProgress(int value)
{
    value = std::clamp(value, 0, 100);
    if (progressValue == value)
        return;
    progressValue = value;
    emit progressChanged(value);
}

void CreationJob::setPhase(Phase phase)
{
    if (currentPhase == phase)
        return;
    currentPhase = phase;
    emit phaseChanged(phase);
}

bool CreationJob::refuse(const QString &why)
{
    reason = why;
    // The caller tells the user, from failureReason().
    qDebug().noquote() << "CreationJob:" << why;
    return false;
}

void CreationJob::failSoon(const QString &why)
{
    reason = why;
    if (callerReports)
        qDebug().noquote() << "CreationJob:" << why;
    else
        qWarning().noquote() << "CreationJob:" << why;
    // The caller learns of the failure from jobEnded(), after start() has returned.
    QTimer::singleShot(0, this, [this] {
        if (!finished && currentPhase != Phase::Cancelled) {
            stopEverything();
            finish(false);
        }
    });
}

bool CreationJob::start(StoryBoardRender *render, const ZomProfileData &profile,
                        const QString &outputName)
{
    if (currentPhase != Phase::Idle)
        return refuse(tr("A video is already being created."));
    renderer = render;
    reason.clear();
    failureLog.clear();
    if (!renderer || renderer->totalFrames() <= 0)
        return refuse(tr("The slide show is empty: add photos before creating a video."));
    if (!isOutputNameValid(outputName))
        return refuse(tr("\"%1\" cannot be used as a file name.").arg(outputName));
    const QString extension = profile.text(QStringLiteral("/ext_name"));
    if (!isOutputExtensionValid(extension))
        return refuse(tr("The profile's file extension \"%1\" cannot be used.").arg(extension));

    folder = outputFolderOverride;
    if (folder.isEmpty())
        folder = ZoPref::value(QStringLiteral("OutputPath"), QString()).toString();
    if (folder.isEmpty())
        folder = defaultOutputFolder();
    folder = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (!QDir().mkpath(folder))
        return refuse(tr("The output folder %1 cannot be created.").arg(folder));
    if (!Zo::isFolderWritable(folder))
        return refuse(tr("The output folder %1 cannot be written to.").arg(folder));

    // What earlier runs that died left behind goes before this job makes its own files.
    const QString lockPath = creationStartLockPath();
    QLockFile startLock(lockPath);
    startLock.setStaleLockTime(0);
    if (!lockPath.isEmpty() && startLock.tryLock(2000))
        removeCreationLeftovers(folder);

    const QString systemTemp = Zo::tempPath();
    if (!systemTemp.isEmpty())
        tempFolder
            = std::make_unique<QTemporaryDir>(systemTemp + QStringLiteral("/vellumix-XXXXXX"));
    if (tempFolder && tempFolder->isValid()) {
        tempFolderPath = tempFolder->path();
        folderLock.hold(tempFolderPath);
    }
    if (!tempFolder || !tempFolder->isValid()) {
        tempFolder.reset();
        return refuse(tr("No temporary folder can be created in %1.")
                          .arg(systemTemp.isEmpty() ? tr("the system") : systemTemp));
    }

    // The video is written under a hidden name beside its final one and renamed once whole, so
    // that a job that dies leaves nothing under the name the user chose.
    const QString partial = outputLock.createPartialOutput(folder, outputName, extension);
    if (partial.isEmpty()) {
        tempFolder.reset();
        folderLock.release();
        return refuse(tr("The output file cannot be created in %1.").arg(folder));
    }
    startLock.unlock();
    outputReserved = true;
    name = outputName;
    outputExtension = extension;
    // Every command line of the job, built at once.
    const MediaFormat &format = renderer->mediaFormat();
    job = buildEncoderJob(profile, format, folder, outputName, tempFolder->path(), ZoPref::appDir(),
                          partial);
    totalFrames = renderer->totalFrames();
    if (const StoryBoard *board = renderer->board(); board && board->hasCaptions())
        addSubtitles(*board, renderer->timeline(), format.frameRate);
    if (job.psp) {
        thumbnailFile = thumbnailPath(job.finalPath);
        thumbnailExisted = QFileInfo::exists(thumbnailFile);
    }

    // The encoders' logs stay in the job's folder; a failure shows their end.
    const QDir logs(tempFolderPath);
    combineProcess.setProcessChannelMode(QProcess::MergedChannels);
    combineProcess.setStandardOutputFile(logs.filePath(QStringLiteral("mux.log")));
    recompressProcess.setStandardErrorFile(logs.filePath(QStringLiteral("reencode.log")));

    auto video = std::make_unique<AVPipeWriter>(format);
    video->setLogFile(logs.filePath(QStringLiteral("video.log")));
    if (!video->start(job.videoCommand)) {
        failSoon(tr("The video encoder cannot be started."));
        return true;
    }
    // Queued: the writer and its process must not be destroyed inside their own signal.
    connect(video.get(), &AVPipeWriter::finished, this, &CreationJob::onEncoderFinished,
            Qt::QueuedConnection);
    manager.setVideoWriter(std::move(video));
    if (job.hasAudio()) {
        auto audio = std::make_unique<AVPipeWriter>(format);
        audio->setLogFile(logs.filePath(QStringLiteral("audio.log")));
        if (!audio->start(job.audioCommand)) {
            failSoon(tr("The audio encoder cannot be started."));
            return true;
        }
        connect(audio.get(), &AVPipeWriter::finished, this, &CreationJob::onEncoderFinished,
                Qt::QueuedConnection);
        manager.setAudioWriter(std::move(audio));
    }

    if (!manager.open(format)) {
        failSoon(tr("No OpenGL context for drawing %1 x %2 frames.")
                     .arg(format.width)
                     .arg(format.height));
        return true;
    }
    manager.setRenderer(renderer);
    connect(&manager, &AVWriterManager::progressChanged, this, &CreationJob::onManagerProgress);
    connect(&manager, &AVWriterManager::compileEnd, this, &CreationJob::onCompileEnd);
    connect(&manager, &AVWriterManager::writeFailed, this, [this] {
        AVPipeWriter *video = manager.videoWriter();
        AVPipeWriter *audio = manager.audioWriter();
        // A write fails as soon as the pipe breaks, often before the encoder's exit and its last
        // words have arrived.
        AVPipeWriter *dead = video && video->inputBroken() ? video : audio;
        if (dead)
            dead->waitForExit(3000);
        reason = encoderFailure(dead, dead == video ? tr("video") : tr("audio"));
        stopEverything();
        finish(false);
    });
    connect(&combineProcess, &QProcess::finished, this, &CreationJob::onCombineFinished);
    connect(&recompressProcess, &QProcess::readyReadStandardOutput, this,
            &CreationJob::onReencodeOutput);
    connect(&recompressProcess, &QProcess::finished, this, &CreationJob::onRecompressFinished);

    renderer->drawFrame(0, true, &manager);
    manager.startWriting();
    setPhase(Phase::Rendering);
    return true;
}

void CreationJob::addSubtitles(const StoryBoard &board, const ShowTimeline &timeline,
                               double frameRate)
{
    const QByteArray srt = subRipText(subtitleCues(board, timeline, frameRate));
    if (srt.isEmpty())
        return;
    QSaveFile file(QDir(tempFolderPath).filePath(QStringLiteral("captions.srt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(srt) != srt.size() || !file.commit()) {
        qWarning() << "CreationJob: cannot write the captions" << file.errorString();
        return;
    }
    subtitleFile = file.fileName();
    // Only the runs that join the video and sound can take a further input.
    const QString codec = subtitleCodecFor(job.extension);
    if (codec.isEmpty() || !job.hasAudio())
        return;
    job.muxCommand = withSubtitleInput(job.muxCommand, subtitleFile, codec);
    job.reencodeCommand = withSubtitleInput(job.reencodeCommand, subtitleFile, codec);
}

void CreationJob::writeSubtitleFileBeside()
{
    if (!subtitleBeside || subtitleFile.isEmpty())
        return;
    const QFileInfo video(job.outputPath());
    const QString path = video.dir().filePath(video.completeBaseName() + QStringLiteral(".srt"));
    // A file of the user's is never replaced.
    if (QFileInfo::exists(path)) {
        qWarning() << "CreationJob: not replacing" << path;
        return;
    }
    if (QFile::copy(subtitleFile, path))
        subtitleBesidePath = path;
    else
        qWarning() << "CreationJob: cannot write" << path;
}

QString CreationJob::encoderFailure(const AVPipeWriter *writer, const QString &which)
{
    return withEncoderLog(tr("The %1 encoder stopped before the end of the show.").arg(which),
                          writer);
}

QString CreationJob::withEncoderLog(const QString &why, const AVPipeWriter *writer)
{
    // Read now: the log goes with the job's folder when the job ends.
    failureLog = writer ? lastLogLines(writer->logFile(), failureLogLines) : QStringList();
    if (failureLog.isEmpty() && writer && !writer->lastMessage().isEmpty())
        return why + QLatin1Char(' ') + writer->lastMessage();
    return why;
}

void CreationJob::onManagerProgress(int value)
{
    // A removed output folder is found at once rather than after the whole show is rendered.
    if (!QFileInfo(folder).isDir()) {
        stopEverything();
        finish(false);
        return;
    }
    setProgress(value * 9 / 10);
}

void CreationJob::onCompileEnd()
{
    // Both streams are complete: end them, and go on once both encoders have exited, so that
    // their files are whole before anything reads them.
    manager.stopWriting();
    manager.closeWriters();
    if (manager.soundMeasured())
        qInfo("Creation: the sound written measures %.1f LUFS, true peak %.1f dBTP",
              manager.writtenLoudness(), manager.writtenTruePeak());
    setPhase(Phase::Settling);
    onEncoderFinished();
}

void CreationJob::onEncoderFinished()
{
    if (finished || currentPhase == Phase::Cancelled)
        return;
    const AVPipeWriter *video = manager.videoWriter();
    const AVPipeWriter *audio = manager.audioWriter();
    if (currentPhase == Phase::Rendering) {
        // An encoder that exits while the show is still being written has failed.
        const AVPipeWriter *dead = video && video->hasExited() ? video : audio;
        reason = encoderFailure(dead, dead == video ? tr("video") : tr("audio"));
        stopEverything();
        finish(false);
        return;
    }
    if (currentPhase != Phase::Settling)
        return;
    if ((video && !video->hasExited()) || (audio && !audio->hasExited()))
        return;
    if ((video && !video->succeeded()) || (audio && !audio->succeeded())) {
        const AVPipeWriter *bad = video && !video->succeeded() ? video : audio;
        reason = withEncoderLog(
            tr("The %1 encoder failed.").arg(bad == video ? tr("video") : tr("audio")), bad);
        manager.deleteWriters();
        finish(false);
        return;
    }
    manager.deleteWriters();
    if (job.gif) {
        startPalette();
    } else if (job.muxCommand.isEmpty()) {
        if (!hasContent(job.writtenPath))
            reason = tr("The encoder wrote no video.");
        finish(hasContent(job.writtenPath));
    } else if (job.nds) {
        startReencoding();
    } else {
        startMultiplexing();
    }
}

void CreationJob::startMultiplexing()
{
    if (!QFileInfo(folder).isDir()) {
        finish(false);
        return;
    }
    // Each run starts before its phase is announced, so that a Stop made on the announcement
    // finds it and kills it.
    if (!startCommandLine(combineProcess, job.muxCommand, ZoPref::appDir())) {
        qWarning() << "CreationJob: cannot start" << job.muxCommand;
        startReencoding();
        return;
    }
    setPhase(Phase::Multiplexing);
}

void CreationJob::startPalette()
{
    if (!startCommandLine(combineProcess, job.muxCommand, ZoPref::appDir())) {
        reason = tr("The encoder cannot be started.");
        finish(false);
        return;
    }
    setProgress(92);
    setPhase(Phase::Palette);
}

void CreationJob::onCombineFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    const bool ok = exitStatus == QProcess::NormalExit && exitCode == 0;
    if (!finished && currentPhase == Phase::Palette) {
        if (ok && hasContent(job.paletteFile)) {
            startReencoding();
            return;
        }
        reason = tr("The encoder could not make the GIF's palette.");
        failureLog = lastLogLines(QDir(tempFolderPath).filePath(QStringLiteral("mux.log")),
                                  failureLogLines);
        finish(false);
        return;
    }
    if (finished || currentPhase != Phase::Multiplexing)
        return;
    if (ok && hasContent(job.writtenPath)) {
        if (job.psp)
            startThumbnail();
        else
            finish(true);
        return;
    }
    // Re-encoding into a folder that is gone or onto a disk that is full would fail the same way.
    if (storageFailure(folder, tempFolderPath, encoderLogLines()).failure != StorageFailure::None) {
        finish(false);
        return;
    }
    qDebug() << "CreationJob: multiplexing failed (status" << exitCode << "); re-encoding";
    startReencoding();
}

void CreationJob::startReencoding()
{
    reencodeOutput.clear();
    // What a failed stream copy left behind is dropped; the reservation stays. A file that
    // cannot even be cut short takes no new video either (its folder gone, the disk failing).
    if (!QFile::resize(job.writtenPath, 0)) {
        reason = tr("The output file cannot be created in %1.").arg(folder);
        finish(false);
        return;
    }
    if (!startCommandLine(recompressProcess, job.reencodeCommand, ZoPref::appDir())) {
        reason = tr("The encoder cannot be started.");
        finish(false);
        return;
    }
    setPhase(Phase::Reencoding);
}

void CreationJob::onReencodeOutput()
{
    reencodeOutput += recompressProcess.readAllStandardOutput();
    const qint64 frame = takeProgressFrame(reencodeOutput);
    if (frame < 0)
        return;
    const int frames = std::max(1, totalFrames);
    setProgress(90 + static_cast<int>(std::min<qint64>(frame, frames) * 10 / frames));
}

void CreationJob::onRecompressFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (finished || currentPhase != Phase::Reencoding)
        return;
    const bool ok
        = exitStatus == QProcess::NormalExit && exitCode == 0 && hasContent(job.writtenPath);
    if (!ok) {
        reason = tr("The encoder could not write the output file.");
        failureLog = lastLogLines(QDir(tempFolderPath).filePath(QStringLiteral("reencode.log")),
                                  failureLogLines);
    } else if (job.psp) {
        startThumbnail();
        return;
    }
    finish(ok);
}

void CreationJob::startThumbnail()
{
    thumbnailProcess = std::make_unique<QProcess>();
    connect(thumbnailProcess.get(), &QProcess::finished, this, &CreationJob::onThumbnailDone,
            Qt::QueuedConnection);
    if (!startCommandLine(*thumbnailProcess, thumbnailCommand(job.writtenPath, thumbnailFile),
                          ZoPref::appDir())) {
        qWarning("CreationJob: cannot start the thumbnail run");
        thumbnailProcess.reset();
        finish(true);
        return;
    }
    // A thumbnail that takes longer is abandoned; the video is there either way.
    thumbnailTimer->start(thumbnailTimeoutMs);
    setPhase(Phase::Thumbnail);
}

void CreationJob::onThumbnailDone()
{
    if (finished || currentPhase != Phase::Thumbnail)
        return;
    thumbnailTimer->stop();
    if (thumbnailProcess) {
        killProcess(*thumbnailProcess);
        thumbnailProcess.reset();
    }
    finish(true);
}

void CreationJob::stopEverything()
{
    thumbnailTimer->stop();
    manager.stopWriting();
    manager.deleteWriters();
    killProcess(combineProcess);
    killProcess(recompressProcess);
    if (thumbnailProcess) {
        killProcess(*thumbnailProcess);
        thumbnailProcess.reset();
    }
}

void CreationJob::removeCreatedFiles()
{
    // The temporaries live in the job's own folder; the output and the thumbnail are removed
    // only when this job made them.
    tempFolder.reset();
    folderLock.release();
    if (outputReserved) {
        QFile::remove(job.writtenPath);
        outputReserved = false;
    }
    outputLock.release();
    if (job.psp && !thumbnailExisted && !thumbnailFile.isEmpty())
        QFile::remove(thumbnailFile);
}

QStringList CreationJob::encoderLogLines() const
{
    QStringList lines;
    if (tempFolderPath.isEmpty())
        return lines;
    const QDir logs(tempFolderPath);
    // ffmpeg reports a failed write before the encoder's closing statistics, a dozen lines.
    constexpr int linesAfterWriteError = 60;
    for (const char *log : {"video.log", "audio.log", "mux.log", "reencode.log"})
        lines += lastLogLines(logs.filePath(QLatin1String(log)), linesAfterWriteError);
    return lines;
}

QString CreationJob::storageReason() const
{
    const StorageProblem problem = storageFailure(folder, tempFolderPath, encoderLogLines());
    const QString where = QDir::toNativeSeparators(problem.folder);
    switch (problem.failure) {
    case StorageFailure::FolderGone:
        return tr("The output folder %1 was removed while the video was being created.").arg(where);
    case StorageFailure::DiskFull:
        return tr("The disk is full: there is no room left in %1.").arg(where);
    case StorageFailure::FileTooLarge:
        return tr("The disk is full or takes no file this large: there is no room left for the "
                  "video in %1.")
            .arg(where);
    case StorageFailure::None:
        break;
    }
    return QString();
}

void CreationJob::finish(bool ok)
{
    if (finished)
        return;
    if (ok && outputReserved) {
        const QString path = publishPartialOutput(job.writtenPath, folder, name, outputExtension);
        if (path.isEmpty()) {
            ok = false;
            reason = tr("The output file cannot be created in %1.").arg(folder);
        } else {
            job.setOutputPath(path);
            outputReserved = false;
            outputLock.release();
            writeSubtitleFileBeside();
        }
    }
    if (!ok) {
        // Looked at while the partial files still take up their room and the logs are there.
        const QString storage = storageReason();
        if (!storage.isEmpty())
            reason = storage;
        removeCreatedFiles();
    }
    tempFolder.reset();
    folderLock.release();
    finished = true;
    succeededJob = ok;
    if (ok) {
        reason.clear();
        failureLog.clear();
    } else if (reason.isEmpty())
        reason = tr("Failed to create video.");
    setProgress(100);
    setPhase(Phase::Done);
    emit jobEnded(ok);
}

void CreationJob::cancel()
{
    if (finished || currentPhase == Phase::Cancelled)
        return;
    stopEverything();
    removeCreatedFiles();
    reason = tr("Stopped.");
    setPhase(Phase::Cancelled);
    emit jobEnded(false);
}

bool CreationJob::setPaused(bool on)
{
    if (currentPhase != Phase::Rendering || paused == on)
        return paused;
    paused = on;
    if (paused)
        manager.pause();
    else
        manager.resume();
    return paused;
}

void CreationJob::releaseWriters()
{
    manager.stopWriting();
    manager.deleteWriters();
}
