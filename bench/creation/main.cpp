// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long a whole video creation takes against the encoder alone, as a ratio measured
// in the same process: 12 photos of 4000 x 3000, 5 s each with 1.5 s wipes, zoom on, one MP3,
// the default H.264 profile, at 640 x 480, 1280 x 720 and 1920 x 1080 (or the sizes given as
// arguments, such as 1280x720).
//
// For each size: the creation (every frame drawn, read back, converted and piped to the video
// and audio encoders, then multiplexed) is timed from startCreation() to its end. The same
// frames are then captured once into a file, and the reference is the video command of the same
// job reading that file: the time the encoder needs for these frames when nothing else runs.
// Peak memory is this process's resident maximum (the encoders are separate processes). The
// processor time a frame is given for this process (drawing, read-back, conversion, sound) and for
// the encoders.
// With --runs N, the creation and the reference run N times in turn and the median ratio is
// printed as well. With --framing blur or --framing fill the photos (4:3, so with bars in a 16:9
// frame) are fitted over their blurred copy or fill the frame. Several framings, as in
// --framing fit,blur, are measured in turn within each run, so that all of them meet the same
// drift of a shared machine; the median difference of each one's ratio from the first's is
// printed at the end. With --own, every photo has settings of its own (its duration, transition
// and motion, eased), as a show edited photo by photo. With --captions, every photo has a
// two-line caption (drawn into its frames and carried as a subtitle track), measured in turn
// with the same show without captions as framings are. With --frames-only, only the frames are
// made (three times, or --runs times, into /dev/null) and the best processor time a frame is
// printed, with where that run's time went: the figure to watch when making frame production
// cheaper. With --gl-yuv the frames are converted to YUV by GL instead of by libswscale.
// Each creation also prints where its time went, in milliseconds a frame: preparing the frame
// (photos decoded and uploaded), GL's painting, reading back, converting to YUV, handing it to the
// video pipe, moving the sound, waiting while the encoder's queue was full, and the rest (the
// event loop, the pipes' own writing).

#include "audio/storyboardrender.h"
#include "bench/photofixture.h"
#include "creation/avpipewriter.h"
#include "creation/avwritermanager.h"
#include "creation/creationjob.h"
#include "creation/outputformat.h"
#include "storyboard/offscreenglcontext.h"
#include "storyboard/photoloader.h"
#include "zofc/zopref.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int photoCount = 12;

// Coarse colour fields with many hard-edged strokes: detail an encoder has to work for.
constexpr PhotoLook encoderLook {32, 24, 600, 300, false};

bool runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode()) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     p.readAllStandardError().constData());
        return false;
    }
    return true;
}

double cpuSeconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakKiB(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

void printStages(const AVWriterManager::StageTimes &t, double wallMs, double frames)
{
    const auto ms = [frames](qint64 ns) {
        return double(ns) / 1e6 / frames;
    };
    const qint64 sum
        = t.preparing + t.painting + t.readingBack + t.converting + t.writing + t.sound + t.waiting;
    std::printf("            a frame: preparing %.2f ms, painting %.2f, reading back %.2f, "
                "converting %.2f, writing %.2f, sound %.2f, waiting for the encoder %.2f, "
                "the rest %.2f\n",
                ms(t.preparing), ms(t.painting), ms(t.readingBack), ms(t.converting), ms(t.writing),
                ms(t.sound), ms(t.waiting), wallMs / frames - ms(sum));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

void waitFor(const auto *sender, auto signal, int timeoutMs)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
}

// Draws, converts and writes every frame of render into target (through dd), as the creation
// does but with no encoder; returns false on failure.
bool captureFrames(StoryBoardRender &render, const MediaFormat &format, const QString &target,
                   AVWriterManager::StageTimes *stages = nullptr,
                   AVWriterManager::Conversion conversion = AVWriterManager::Conversion::Scaler)
{
    AVWriterManager manager;
    if (!manager.open(format))
        return false;
    manager.setRenderer(&render);
    manager.setConversion(conversion);
    auto writer = std::make_unique<AVPipeWriter>(format);
    writer->start(QStringLiteral("\"/bin/dd\" \"of=%1\" bs=1M status=none").arg(target));
    manager.setVideoWriter(std::move(writer));
    render.drawFrame(0, true, &manager);
    manager.startWriting();
    waitFor(&manager, &AVWriterManager::compileEnd, 3600000);
    manager.stopWriting();
    manager.closeWriters();
    waitFor(manager.videoWriter(), &AVPipeWriter::finished, 600000);
    if (stages)
        *stages = manager.stageTimes();
    return manager.videoFrames() == static_cast<quint32>(render.totalFrames());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("VELLUMIX_APP_DIR"))
        qputenv("VELLUMIX_APP_DIR", VELLUMIX_BUILD_APP_DIR);
    // Frames are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the application does.
    OffscreenGLContext::rasterizeOnCallingThread();
    QApplication app(argc, argv);
    QTemporaryDir work;
    ZoPref::setFileName(work.filePath(QStringLiteral("settings.conf")));
    ZoPref::setValue(QStringLiteral("AfterBurnAction"), 5);
    const QString appDir = ZoPref::appDir();
    if (!ZoProfileManager::instance()->loadTemplates(appDir + QStringLiteral("/profiles"))) {
        std::fprintf(stderr, "no profiles in %s\n", qPrintable(appDir));
        return 1;
    }
    QList<QSize> sizes;
    bool framesOnly = false;
    auto conversion = AVWriterManager::Conversion::Scaler;
    bool ownSettings = false;
    bool captions = false;
    int runs = 1;
    bool runsGiven = false;
    QList<Framing> framings;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--framing") == 0 && i + 1 < argc) {
            for (const QByteArray &name : QByteArray(argv[++i]).split(','))
                framings.append(name == "blur"       ? Framing::BlurredFit
                                    : name == "fill" ? Framing::Fill
                                                     : Framing::Fit);
            continue;
        }
        if (qstrcmp(argv[i], "--frames-only") == 0)
            framesOnly = true;
        if (qstrcmp(argv[i], "--gl-yuv") == 0)
            conversion = AVWriterManager::Conversion::Gl;
        if (qstrcmp(argv[i], "--own") == 0)
            ownSettings = true;
        if (qstrcmp(argv[i], "--captions") == 0)
            captions = true;
        if (qstrcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, QByteArray(argv[++i]).toInt());
            runsGiven = true;
        }
        const QStringList wh = QString::fromLocal8Bit(argv[i]).split(QLatin1Char('x'));
        if (wh.size() == 2)
            sizes.append(QSize(wh[0].toInt(), wh[1].toInt()));
    }
    if (sizes.isEmpty())
        sizes = {QSize(640, 480), QSize(1280, 720), QSize(1920, 1080)};
    if (framings.isEmpty())
        framings.append(Framing::Fit);
    // What is measured in turn within each run: every framing, each without and with captions.
    struct Variant
    {
        Framing framing;
        bool captions;
    };
    QList<Variant> variants;
    for (Framing framing : std::as_const(framings)) {
        variants.append({framing, false});
        if (captions)
            variants.append({framing, true});
    }

    // The show.
    StoryBoard board;
    board.patterns = StoryBoard::listPatterns(appDir);
    board.dissolveOnly = false;
    board.useZoom = true;
    board.framing = framings.first();
    board.setPhotoDurationMs(5000);
    board.setTransitionDurationMs(1500);
    std::printf("writing %d photos of 4000 x 3000 ...\n", photoCount);
    std::fflush(stdout);
    for (int i = 0; i < photoCount; ++i) {
        ImageInfo info;
        info.path = work.filePath(QStringLiteral("photo%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        if (!photoLikeImage(4000, 3000, 100 + i, encoderLook).save(info.path, "JPEG", 90)
            || !readPhotoInfo(info)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(info.path));
            return 1;
        }
        info.zoom = nextDefaultZoom();
        if (ownSettings) {
            // Durations around the album's, every kind of transition and of motion in turn.
            static constexpr TransitionStyle transitions[]
                = {TransitionStyle::Dissolve, TransitionStyle::Random, TransitionStyle::Cut};
            static constexpr MotionStyle motions[]
                = {MotionStyle::ZoomIn,  MotionStyle::PanLeft,  MotionStyle::ZoomOut,
                   MotionStyle::PanUp,   MotionStyle::PanRight, MotionStyle::Automatic,
                   MotionStyle::PanDown, MotionStyle::Still};
            info.own.durationMs = 4000 + 1000 * (i % 3);
            info.own.transition = transitions[i % 3];
            info.own.transitionMs = 1000 + 250 * (i % 3);
            info.own.motion = motions[i % 8];
            info.own.easing = Easing::InOut;
        }
        board.photos.append(info);
    }
    AudioInfo music;
    music.path = work.filePath(QStringLiteral("music.mp3"));
    const double seconds = board.totalDuration() + 2.0;
    if (!runTool(QStringLiteral("ffmpeg"),
                 {"-v", "error", "-y", "-f", "lavfi", "-i",
                  QStringLiteral("aevalsrc=0.3*sin(2*PI*220*t)+0.2*sin(2*PI*330*t)*sin(PI*t/3)|"
                                 "0.3*sin(2*PI*277*t)+0.1*sin(2*PI*440*t):s=44100:d=%1")
                      .arg(seconds),
                  "-c:a", "libmp3lame", "-b:a", "192k", music.path})
        || !readAudioInfo(music)) {
        std::fprintf(stderr, "cannot write the MP3\n");
        return 1;
    }
    board.audios.append(music);
    const char *framingNames[] = {"black bars", "blurred background", "filled"};
    const auto nameOf = [&framingNames](const Variant &variant) {
        return QString::fromLatin1(framingNames[int(variant.framing)])
            + QLatin1String(variant.captions ? " with captions" : "");
    };
    const auto useVariant = [&board](const Variant &variant) {
        board.framing = variant.framing;
        for (qsizetype i = 0; i < board.photos.size(); ++i)
            board.photos[i].caption.text = variant.captions
                ? QStringLiteral("Photo %1 of the show\nsummer by the sea").arg(i + 1)
                : QString();
    };
    QStringList shownFramings;
    for (const Variant &variant : std::as_const(variants))
        shownFramings.append(nameOf(variant));
    std::printf("show: %d photos%s, %.1f s, %d wipe patterns, zoom on, %s, %s\n", photoCount,
                ownSettings ? " with settings of their own" : "", board.totalDuration(),
                int(board.patterns.size()), qPrintable(QFileInfo(music.path).fileName()),
                qPrintable(shownFramings.join(QStringLiteral(", then "))));
    std::fflush(stdout);

    for (const QSize &size : sizes) {
        ZomProfileData profile(QStringLiteral("mpeg4h264"));
        ZoProfileManager::instance()->getPresetData(profile);
        profile.setValue(QStringLiteral("s"),
                         QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
        MediaFormat format;
        formatFromProfile(profile, format);
        StoryBoardRender render;
        render.setFormat(format);
        render.setStoryBoard(&board);
        const QString outDir = work.filePath(QStringLiteral("out%1").arg(size.width()));
        const double frameCount = std::max(1, render.totalFrames());

        if (framesOnly) {
            // The cost of making the frames alone: best of three runs.
            for (const Variant &variant : std::as_const(variants)) {
                useVariant(variant);
                double bestCpu = 1e300;
                double bestWall = 1e300;
                AVWriterManager::StageTimes bestStages;
                for (int run = 0; run < (runsGiven ? runs : 3); ++run) {
                    const double before = cpuSeconds(RUSAGE_SELF);
                    QElapsedTimer timer;
                    timer.start();
                    AVWriterManager::StageTimes stages;
                    if (!captureFrames(render, format, QStringLiteral("/dev/null"), &stages,
                                       conversion))
                        return 1;
                    bestWall = std::min(bestWall, double(timer.elapsed()) / frameCount);
                    const double cpu = (cpuSeconds(RUSAGE_SELF) - before) * 1000.0 / frameCount;
                    if (cpu < bestCpu) {
                        bestCpu = cpu;
                        bestStages = stages;
                    }
                }
                std::printf("%4d x %-4d  %d frames  %s  frames alone: %.2f ms processor time a "
                            "frame (%.2f ms wall)\n",
                            format.width, format.height, render.totalFrames(),
                            qPrintable(nameOf(variant)), bestCpu, bestWall);
                printStages(bestStages, bestWall * frameCount, frameCount);
                std::fflush(stdout);
            }
            continue;
        }

        // The creation, and the encoder alone on the same frames, runs times in turn: on a
        // shared machine the speed drifts, and alternating exposes both to the same drift.
        std::vector<std::vector<double>> ratios(variants.size());
        for (int run = 0; run < runs; ++run) {
            for (qsizetype which = 0; which < variants.size(); ++which) {
                useVariant(variants[which]);
                const QString frames = work.filePath(QStringLiteral("frames%1.y4m").arg(which));
                double creationMs = 0;
                AVWriterManager::StageTimes stages;
                const double selfBefore = cpuSeconds(RUSAGE_SELF);
                const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
                {
                    CreationJob job;
                    job.setCallerReportsFailures(true);
                    job.setOutputFolder(outDir);
                    QElapsedTimer timer;
                    timer.start();
                    if (!job.start(&render, profile, QStringLiteral("Bench"))) {
                        std::fprintf(stderr, "cannot start: %s\n", qPrintable(job.failureReason()));
                        return 1;
                    }
                    if (!job.isFinished())
                        waitFor(&job, &CreationJob::jobEnded, 3600000);
                    creationMs = double(timer.elapsed());
                    if (!job.succeeded()) {
                        std::fprintf(stderr, "creation failed: %s\n",
                                     qPrintable(job.failureReason()));
                        return 1;
                    }
                    stages = job.writerManager().stageTimes();
                    QFile::remove(job.outputPath());
                }
                const long peakSelf = peakKiB(RUSAGE_SELF);
                const double creationSelf = cpuSeconds(RUSAGE_SELF) - selfBefore;
                const double creationChildren = cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;

                // The same frames, captured once.
                double captureMs = 0;
                double captureSelf = 0;
                AVWriterManager::StageTimes captureStages;
                if (run == 0) {
                    const double captureBefore = cpuSeconds(RUSAGE_SELF);
                    QElapsedTimer captureTimer;
                    captureTimer.start();
                    if (!captureFrames(render, format, frames, &captureStages))
                        return 1;
                    captureMs = double(captureTimer.elapsed());
                    captureSelf = cpuSeconds(RUSAGE_SELF) - captureBefore;
                }

                // The encoder alone: the job's own video command reading those frames.
                const EncoderJob reference = buildEncoderJob(
                    profile, format, outDir, QStringLiteral("Reference"), work.path(), appDir);
                QProcess encoder;
                encoder.setStandardInputFile(frames);
                encoder.setStandardOutputFile(QProcess::nullDevice());
                encoder.setStandardErrorFile(QProcess::nullDevice());
                const double encoderBefore = cpuSeconds(RUSAGE_CHILDREN);
                QElapsedTimer timer;
                timer.start();
                if (!startCommandLine(encoder, reference.videoCommand, appDir)
                    || !encoder.waitForFinished(3600000) || encoder.exitCode() != 0) {
                    std::fprintf(stderr, "the reference run failed\n");
                    return 1;
                }
                const double referenceMs = double(timer.elapsed());
                const double encoderCpu = cpuSeconds(RUSAGE_CHILDREN) - encoderBefore;
                QFile::remove(reference.videoTarget);
                ratios[which].push_back(creationMs / referenceMs);

                std::printf("%4d x %-4d  %d frames  %s  creation %7.1f s  encoder alone %7.1f s  "
                            "ratio %.2f  peak memory %.0f MB\n",
                            format.width, format.height, render.totalFrames(),
                            qPrintable(nameOf(variants[which])), creationMs / 1000.0,
                            referenceMs / 1000.0, creationMs / referenceMs, peakSelf / 1024.0);
                std::printf("            processor time a frame: creation %.1f ms here + %.1f ms "
                            "in the encoders; encoder alone %.1f ms",
                            creationSelf * 1000.0 / frameCount,
                            creationChildren * 1000.0 / frameCount,
                            encoderCpu * 1000.0 / frameCount);
                if (run == 0)
                    std::printf("; frames alone %.1f ms (%.1f ms wall)",
                                captureSelf * 1000.0 / frameCount, captureMs / frameCount);
                std::printf("\n");
                printStages(stages, creationMs, frameCount);
                if (run == 0) {
                    std::printf("            frames alone:\n");
                    printStages(captureStages, captureMs, frameCount);
                }
                std::fflush(stdout);
            }
        }
        for (qsizetype which = 0; which < variants.size(); ++which)
            QFile::remove(work.filePath(QStringLiteral("frames%1.y4m").arg(which)));
        if (runs > 1) {
            for (qsizetype which = 0; which < variants.size(); ++which) {
                const std::vector<double> &own = ratios[which];
                std::printf("%4d x %-4d  %s  median ratio of %d runs %.2f (%.2f to %.2f)\n",
                            format.width, format.height, qPrintable(nameOf(variants[which])), runs,
                            median(own), *std::min_element(own.begin(), own.end()),
                            *std::max_element(own.begin(), own.end()));
            }
        }
        // Each variant against the first, run by run.
        for (qsizetype which = 1; which < variants.size(); ++which) {
            std::vector<double> differences;
            for (int run = 0; run < runs; ++run)
                differences.push_back(ratios[which][run] - ratios[0][run]);
            std::printf("%4d x %-4d  %s minus %s: median difference of the ratios %+.3f "
                        "(%+.3f to %+.3f)\n",
                        format.width, format.height, qPrintable(nameOf(variants[which])),
                        qPrintable(nameOf(variants[0])), median(differences),
                        *std::min_element(differences.begin(), differences.end()),
                        *std::max_element(differences.begin(), differences.end()));
        }
        std::fflush(stdout);
    }
    return 0;
}
