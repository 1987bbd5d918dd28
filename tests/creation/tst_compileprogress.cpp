// SPDX-License-Identifier: GPL-3.0-or-later
// Whole video creations with the real encoder launcher: the files they leave, what the files
// hold, and what Stop and failing encoders leave behind.
#include "audio/audiodecoder.h"
#include "audio/storyboardrender.h"
#include "creation/compileprogress.h"
#include "creation/creationjob.h"
#include "creation/outputformat.h"
#include "tests/creation/alertcatcher.h"
#include "tests/support/testsupport.h"
#include "zofc/zopref.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

const QColor colours[3] = {QColor(220, 40, 30), QColor(30, 200, 60), QColor(40, 60, 210)};
constexpr int W = 320;
constexpr int H = 240;

bool near(QColor a, QColor b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

QString describe(QColor c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestCompileProgress : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void createsShow();
    void jobWithoutWindow();
    void ntscRateKeepsEveryFrame();
    void silentProfileAndCounter();
    void pspThumbnail();
    void ndsReencodes();
    void stopInEachPhase_data();
    void stopInEachPhase();
    void failingLauncher_data();
    void failingLauncher();
    void refusals();
    void outputFolderFull_data();
    void outputFolderFull();
    void outputFolderRemoved();

private:
    ZomProfileData profile(const QString &id) const;
    // Runs a job to its end (or to its cancellation); false when it does not end in time.
    bool run(CompileProgress &job, const ZomProfileData &data, const QString &name,
             QList<CompileProgress::Phase> *phases = nullptr);

    TempSettings settings;
    QTemporaryDir media;
    QTemporaryDir out;
    StoryBoard board;
    StoryBoardRender render;
};

void TestCompileProgress::initTestCase()
{
    QVERIFY(media.isValid() && out.isValid());
    ZoPref::setValue(QStringLiteral("OutputPath"), out.path());
    ZoPref::setValue(QStringLiteral("AfterBurnAction"), 3); // no power-state dialog
    QVERIFY(ZoProfileManager::instance()->loadTemplates(testAppDir() + "/profiles"));
    for (int i = 0; i < 3; ++i) {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colours[i]);
        ImageInfo info;
        info.path = media.filePath(QStringLiteral("p%1.png").arg(i));
        QVERIFY(image.save(info.path));
        board.photos.append(info);
    }
    AudioInfo tone;
    tone.path = media.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeToneWav(tone.path, {{440.0, 10.0}}, 44100));
    QVERIFY(readAudioInfo(tone));
    board.audios.append(tone);
    board.patterns.clear();
    board.dissolveOnly = true;
    board.useZoom = false;
    board.setPhotoDurationMs(1000);
    board.setTransitionDurationMs(500);
}

void TestCompileProgress::cleanup()
{
    for (const QString &f : filesIn(out.path()))
        QFile::remove(out.filePath(f));
}

ZomProfileData TestCompileProgress::profile(const QString &id) const
{
    ZomProfileData data(id);
    ZoProfileManager::instance()->getPresetData(data);
    return data;
}

bool TestCompileProgress::run(CompileProgress &job, const ZomProfileData &data, const QString &name,
                              QList<CompileProgress::Phase> *phases)
{
    MediaFormat format;
    formatFromProfile(data, format);
    render.setFormat(format);
    render.setStoryBoard(&board);
    if (phases)
        connect(&job, &CompileProgress::phaseChanged, this,
                [phases](CompileProgress::Phase p) { phases->append(p); });
    QSignalSpy ended(&job, &CompileProgress::jobEnded);
    if (!job.startCreation(&render, data, name))
        return false;
    return !ended.isEmpty() || ended.wait(240000);
}

void TestCompileProgress::createsShow()
{
    ZomProfileData data = profile(QStringLiteral("mpeg4h264"));
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    CompileProgress job;
    job.show();
    QCOMPARE(job.windowTitle(), QStringLiteral("Create Video File"));
    QCOMPARE(job.findChild<QLabel *>("label")->text(), QStringLiteral("Creating video..."));
    QVERIFY(job.findChild<QPushButton *>("stop")->isVisible());
    QVERIFY(!job.findChild<QPushButton *>("close")->isVisible());
    QList<int> bar;
    connect(&job, &CompileProgress::progressChanged, this, [&bar](int v) { bar.append(v); });
    QList<CompileProgress::Phase> phases;
    QVERIFY(run(job, data, QStringLiteral("Show"), &phases));
    QVERIFY2(job.succeeded(), qPrintable(job.failureReason()));
    QCOMPARE(job.findChild<QLabel *>("label")->text(), QStringLiteral("Created Successfully!"));
    QVERIFY(job.findChild<QPushButton *>("close")->isVisible());
    QVERIFY(!job.findChild<QPushButton *>("stop")->isVisible());
    QCOMPARE(bar.last(), 100);
    QVERIFY(bar.contains(90));
    using P = CompileProgress::Phase;
    QCOMPARE(phases, (QList<P> {P::Rendering, P::Settling, P::Multiplexing, P::Done}));
    const QString file = out.filePath(QStringLiteral("Show.mp4"));
    QCOMPARE(job.outputPath(), file);
    QCOMPARE(filesIn(out.path()), QStringList {"Show.mp4"});
    QVERIFY(!job.temporaryFolder().isEmpty());
    QVERIFY(!QFileInfo::exists(job.temporaryFolder()));

    // Frame count, hold colours and the middle of the first dissolve.
    const int total = int((3 * 1.0 + 2 * 0.5) * 25);
    QCOMPARE(render.totalFrames(), total);
    const QJsonObject info = probeMedia(file, {QStringLiteral("-count_frames")});
    const QJsonObject video = streamOf(info, QStringLiteral("video"));
    QVERIFY(qAbs(video.value("nb_read_frames").toString().toInt() - total) <= 1);
    const QString raw = media.filePath(QStringLiteral("frames.rgb"));
    QVERIFY(runFfmpeg({"-i", file, "-f", "rawvideo", "-pix_fmt", "rgb24", raw}));
    QFile rawFile(raw);
    QVERIFY(rawFile.open(QIODevice::ReadOnly));
    const QByteArray frames = rawFile.readAll();
    const auto pixel = [&frames](int k, int x, int y) {
        const char *p = frames.constData() + (qint64(k) * W * H + y * W + x) * 3;
        return QColor(uint8_t(p[0]), uint8_t(p[1]), uint8_t(p[2]));
    };
    for (int i = 0; i < 3; ++i) {
        const int k = int(i * 1.5 * 25) + 12;
        const QColor got = pixel(k, W / 2, H / 2);
        QVERIFY2(near(got, colours[i], 3), qPrintable(describe(got)));
    }
    int middle = 0;
    for (int k = 0; k < total; ++k) {
        const auto plan = render.planFrame(k);
        if (plan.phase == StoryBoardRender::FramePlan::Transition && plan.photo == 0
            && qAbs(plan.progress - 0.5) < qAbs(render.planFrame(middle).progress - 0.5))
            middle = k;
    }
    const double p = render.planFrame(middle).progress;
    QVERIFY(qAbs(p - 0.5) < 0.05);
    const QColor mix(qRound(colours[0].red() * (1 - p) + colours[1].red() * p),
                     qRound(colours[0].green() * (1 - p) + colours[1].green() * p),
                     qRound(colours[0].blue() * (1 - p) + colours[1].blue() * p));
    QVERIFY2(near(pixel(middle, W / 2, H / 2), mix, 6),
             qPrintable(describe(pixel(middle, W / 2, H / 2)) + " vs " + describe(mix)));

    // The sound lasts as long as the picture and keeps its pitch.
    const QString wav = media.filePath(QStringLiteral("sound.wav"));
    QVERIFY(runFfmpeg({"-i", file, "-vn", "-ac", "1", "-ar", "44100", "-c:a", "pcm_s16le", wav}));
    QFile wavFile(wav);
    QVERIFY(wavFile.open(QIODevice::ReadOnly));
    const QByteArray pcm = wavFile.readAll().mid(44);
    const int samples = int(pcm.size() / 2);
    const double seconds = samples / 44100.0;
    QVERIFY2(qAbs(seconds - total / 25.0) <= 1.0 / 25, qPrintable(QString::number(seconds)));
    const int crossings = zeroCrossings(reinterpret_cast<const int16_t *>(pcm.constData()), 1, 4410,
                                        samples - 4410);
    const double hz = crossings / 2.0 / ((samples - 8820) / 44100.0);
    QVERIFY2(qAbs(hz - 440.0) < 3.0, qPrintable(QString::number(hz)));

    // Escape on the finished dialog accepts it and removes nothing.
    QTest::keyClick(&job, Qt::Key_Escape);
    QCOMPARE(job.result(), int(QDialog::Accepted));
    QVERIFY(QFileInfo::exists(file));
    QFile::remove(file);
}

void TestCompileProgress::jobWithoutWindow()
{
    // The job runs with no dialog at all, as the command line drives it.
    ZomProfileData data = profile(QStringLiteral("mpeg4h264"));
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    MediaFormat format;
    formatFromProfile(data, format);
    render.setFormat(format);
    render.setStoryBoard(&board);
    const auto dialogs = [] {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += qobject_cast<QDialog *>(widget) != nullptr || widget->isVisible();
        return count;
    };
    const int before = dialogs();

    CreationJob job;
    QList<CreationJob::Phase> phases;
    QList<int> progress;
    int dialogsSeen = 0;
    connect(&job, &CreationJob::phaseChanged, this, [&](CreationJob::Phase p) {
        phases.append(p);
        dialogsSeen = std::max(dialogsSeen, dialogs());
    });
    connect(&job, &CreationJob::progressChanged, this, [&](int v) { progress.append(v); });
    QSignalSpy ended(&job, &CreationJob::jobEnded);
    QVERIFY(job.start(&render, data, QStringLiteral("Windowless")));
    QVERIFY(ended.wait(240000));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().first().toBool(), true);
    QVERIFY2(job.succeeded(), qPrintable(job.failureReason()));
    QCOMPARE(dialogsSeen, before);
    using P = CreationJob::Phase;
    QCOMPARE(phases, (QList<P> {P::Rendering, P::Settling, P::Multiplexing, P::Done}));
    QCOMPARE(job.progress(), 100);
    QCOMPARE(progress.last(), 100);
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
    QCOMPARE(job.outputPath(), out.filePath(QStringLiteral("Windowless.mp4")));
    QVERIFY(QFileInfo(job.outputPath()).size() > 0);
    QVERIFY(!QFileInfo::exists(job.temporaryFolder()));

    // A job refuses a second start, and a show without frames, without asking anyone.
    QVERIFY(!job.start(&render, data, QStringLiteral("Again")));
    QCOMPARE(job.failureReason(), QStringLiteral("A video is already being created."));
    StoryBoard empty;
    StoryBoardRender emptyRender;
    emptyRender.setFormat(format);
    emptyRender.setStoryBoard(&empty);
    CreationJob refused;
    QVERIFY(!refused.start(&emptyRender, data, QStringLiteral("Empty")));
    QCOMPARE(refused.phase(), P::Idle);
    QVERIFY(!QFileInfo::exists(out.filePath(QStringLiteral("Empty.mp4"))));
}

void TestCompileProgress::ntscRateKeepsEveryFrame()
{
    // At 29.97 frames/s the stream header and the encoder name the same rate, so the video holds
    // exactly the frames drawn, none dropped or doubled to re-time them.
    ZomProfileData data = profile(QStringLiteral("mpeg4h264"));
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    data.setValue(QStringLiteral("r"), QStringLiteral("29.97fps"));
    CompileProgress job;
    QVERIFY(run(job, data, QStringLiteral("Ntsc")));
    QVERIFY2(job.succeeded(), qPrintable(job.failureReason()));
    const QJsonObject video = streamOf(
        probeMedia(job.outputPath(), {QStringLiteral("-count_frames")}), QStringLiteral("video"));
    QCOMPARE(video.value("r_frame_rate").toString(), QStringLiteral("30000/1001"));
    QCOMPARE(video.value("nb_read_frames").toString().toInt(), render.totalFrames());
    QFile::remove(job.outputPath());
}

void TestCompileProgress::silentProfileAndCounter()
{
    // A file of the output's name is there already: it is kept, and the next name is used.
    QFile existing(out.filePath(QStringLiteral("Quiet.mp4")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();

    ZomProfileData data = profile(QStringLiteral("noaudio"));
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    CompileProgress job;
    job.setInteractive(false);
    QList<CompileProgress::Phase> phases;
    QVERIFY(run(job, data, QStringLiteral("Quiet"), &phases));
    QVERIFY2(job.succeeded(), qPrintable(job.failureReason()));
    QCOMPARE(job.outputPath(), out.filePath(QStringLiteral("Quiet(1).mp4")));
    QVERIFY(!phases.contains(CompileProgress::Phase::Multiplexing));
    const QJsonObject info = probeMedia(job.outputPath(), {QStringLiteral("-count_frames")});
    QVERIFY(!streamOf(info, QStringLiteral("video")).isEmpty());
    QVERIFY(streamOf(info, QStringLiteral("audio")).isEmpty());
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("keep me"));
    existing.close();
    QFile::remove(existing.fileName());
    QFile::remove(job.outputPath());
}

void TestCompileProgress::pspThumbnail()
{
    CompileProgress job;
    job.setInteractive(false);
    QList<CompileProgress::Phase> phases;
    QVERIFY(run(job, profile(QStringLiteral("psp")), QStringLiteral("Pocket"), &phases));
    QVERIFY2(job.succeeded(), qPrintable(job.failureReason()));
    QVERIFY(phases.contains(CompileProgress::Phase::Thumbnail));
    QCOMPARE(filesIn(out.path()), (QStringList {"Pocket.THM", "Pocket.mp4"}));
    QVERIFY(QFileInfo(out.filePath(QStringLiteral("Pocket.THM"))).size() > 0);
    // Frames are drawn with square pixels; the encoder must not be told otherwise (its options
    // for this profile carry no aspect of their own).
    const QJsonObject video = streamOf(
        probeMedia(job.outputPath(), {QStringLiteral("-count_frames")}), QStringLiteral("video"));
    QCOMPARE(video.value("width").toInt(), 480);
    const QString sar = video.value("sample_aspect_ratio").toString();
    QVERIFY2(sar.isEmpty() || sar == "1:1" || sar == "0:1", qPrintable(sar));
    for (const QString &f : filesIn(out.path()))
        QFile::remove(out.filePath(f));
}

void TestCompileProgress::ndsReencodes()
{
    ZomProfileData data = profile(QStringLiteral("mpeg4h264"));
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    data.setValue(QStringLiteral("/name"), QStringLiteral("nds"));
    CompileProgress job;
    job.setInteractive(false);
    QList<CompileProgress::Phase> phases;
    QVERIFY(run(job, data, QStringLiteral("Handheld"), &phases));
    QVERIFY2(job.succeeded(), qPrintable(job.failureReason()));
    using P = CompileProgress::Phase;
    QCOMPARE(phases, (QList<P> {P::Rendering, P::Settling, P::Reencoding, P::Done}));
    QCOMPARE(job.progressValue(), 100);
    const QJsonObject info = probeMedia(job.outputPath(), {QStringLiteral("-count_frames")});
    QVERIFY(!streamOf(info, QStringLiteral("audio")).isEmpty());
    const QJsonObject video = streamOf(info, QStringLiteral("video"));
    QVERIFY(qAbs(video.value("nb_read_frames").toString().toInt() - render.totalFrames()) <= 1);
    // The re-encoded video names the colours of the standard-definition frames it was given.
    QCOMPARE(video.value("color_space").toString(), QStringLiteral("smpte170m"));
    QCOMPARE(video.value("color_range").toString(), QStringLiteral("tv"));
    QFile::remove(job.outputPath());
}

void TestCompileProgress::stopInEachPhase_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("profileName");
    QTest::addColumn<bool>("pauseFirst");
    using P = CompileProgress::Phase;
    QTest::newRow("rendering") << int(P::Rendering) << "mp4" << false;
    QTest::newRow("rendering, paused") << int(P::Rendering) << "mp4" << true;
    QTest::newRow("waiting for the encoders") << int(P::Settling) << "mp4" << false;
    QTest::newRow("multiplexing") << int(P::Multiplexing) << "mp4" << false;
    QTest::newRow("re-encoding") << int(P::Reencoding) << "nds" << false;
    QTest::newRow("thumbnail") << int(P::Thumbnail) << "psp" << false;
}

void TestCompileProgress::stopInEachPhase()
{
    QFETCH(int, phase);
    QFETCH(QString, profileName);
    QFETCH(bool, pauseFirst);
    // Files of the output's names that were there before the job stay untouched.
    for (const char *name : {"Stopped.THM", "Stopped.mp4"}) {
        QFile f(out.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("before");
    }
    const QStringList before = filesIn(out.path());

    ZomProfileData data
        = profile(profileName == "psp" ? QStringLiteral("psp") : QStringLiteral("mpeg4h264"));
    if (profileName != "psp")
        data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    if (profileName == "nds")
        data.setValue(QStringLiteral("/name"), QStringLiteral("NDS"));
    CompileProgress job;
    job.setInteractive(false);
    bool stopped = false;
    const auto stopNow = [&] {
        if (!stopped) {
            stopped = true;
            job.cancel();
        }
    };
    connect(&job, &CompileProgress::phaseChanged, this, [&](CompileProgress::Phase p) {
        if (int(p) == phase && p != CompileProgress::Phase::Rendering)
            stopNow();
    });
    connect(&job, &CompileProgress::progressChanged, this, [&](int value) {
        if (phase == int(CompileProgress::Phase::Rendering) && value >= 30) {
            if (pauseFirst && !job.isPaused())
                job.findChild<QPushButton *>("pause_resume")->click();
            if (!pauseFirst || job.isPaused())
                stopNow();
        }
    });
    QSignalSpy ended(&job, &CompileProgress::jobEnded);
    QVERIFY(run(job, data, QStringLiteral("Stopped")));
    QVERIFY(stopped);
    QCOMPARE(int(job.phase()), int(CompileProgress::Phase::Cancelled));
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.first().first().toBool(), false);
    QCOMPARE(job.result(), int(QDialog::Rejected));
    QTest::qWait(200); // nothing the killed encoders might still write appears later
    QCOMPARE(filesIn(out.path()), before);
    QCOMPARE(QFileInfo(out.filePath("Stopped.mp4")).size(), 6);
    QCOMPARE(QFileInfo(out.filePath("Stopped.THM")).size(), 6);
    QVERIFY(!job.temporaryFolder().isEmpty());
    QVERIFY(!QFileInfo::exists(job.temporaryFolder()));
    for (const QString &f : before)
        QFile::remove(out.filePath(f));
}

void TestCompileProgress::failingLauncher_data()
{
    QTest::addColumn<QString>("launcher");
    QTest::addColumn<QString>("profileId");
    QTest::addColumn<QString>("lastLogLine"); // of encoderLog(); empty: no log
    QTest::newRow("exits at once") << "#!/bin/sh\necho 'Unknown encoder' >&2\nexit 1\n"
                                   << "mpeg4h264"
                                   << "Unknown encoder";
    QTest::newRow("exits at once, no audio") << "#!/bin/sh\necho 'Unknown encoder' >&2\nexit 1\n"
                                             << "noaudio"
                                             << "Unknown encoder";
    QTest::newRow("reads a little, then exits")
        << "#!/bin/sh\nhead -c 1000 > /dev/null\necho 'Conversion failed!' >&2\nexit 0\n"
        << "mpeg4h264"
        << "Conversion failed!";
    QTest::newRow("missing") << QString() << "mpeg4h264" << QString();
}

void TestCompileProgress::failingLauncher()
{
    QFETCH(QString, launcher);
    QFETCH(QString, profileId);
    QFETCH(QString, lastLogLine);
    QTemporaryDir appDir;
    if (!launcher.isEmpty()) {
        QFile avc(appDir.filePath(QStringLiteral("avc")));
        QVERIFY(avc.open(QIODevice::WriteOnly));
        avc.write(launcher.toUtf8());
        avc.close();
        avc.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ZomProfileData data = profile(profileId);
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    const QByteArray realAppDir = qgetenv("VELLUMIX_APP_DIR");
    qputenv("VELLUMIX_APP_DIR", appDir.path().toUtf8());
    CompileProgress job;
    job.setInteractive(false);
    const bool ended = run(job, data, QStringLiteral("Broken"));
    qputenv("VELLUMIX_APP_DIR", realAppDir);
    QVERIFY(ended);
    QVERIFY(job.isFinished());
    QVERIFY(!job.succeeded());
    QVERIFY(!job.failureReason().isEmpty());
    // What the encoder said on the way out outlives the job's folder.
    QCOMPARE(job.encoderLog().isEmpty() ? QString() : job.encoderLog().last(), lastLogLine);
    QCOMPARE(job.findChild<QLabel *>("label")->text(), QStringLiteral("Failed to create video."));
    QVERIFY(filesIn(out.path()).isEmpty());
    QVERIFY(!job.temporaryFolder().isEmpty());
    QVERIFY(!QFileInfo::exists(job.temporaryFolder()));
}

void TestCompileProgress::refusals()
{
    const ZomProfileData data = profile(QStringLiteral("mpeg4h264"));
    MediaFormat format;
    formatFromProfile(data, format);

    StoryBoard empty;
    StoryBoardRender nothing;
    nothing.setFormat(format);
    nothing.setStoryBoard(&empty);
    CompileProgress noFrames;
    noFrames.setInteractive(false);
    QVERIFY(!noFrames.startCreation(&nothing, data, QStringLiteral("Empty")));
    QVERIFY(noFrames.failureReason().contains(QStringLiteral("empty")));

    render.setFormat(format);
    render.setStoryBoard(&board);
    CompileProgress badName;
    badName.setInteractive(false);
    QVERIFY(!badName.startCreation(&render, data, QStringLiteral("a/b")));

    // An extension with a path in it would put the video beside the output folder.
    ZomProfileData escaping = data;
    escaping.setValue(QStringLiteral("/ext_name"), QStringLiteral("mp4/../../escaped"));
    CompileProgress badExtension;
    badExtension.setInteractive(false);
    QVERIFY(!badExtension.startCreation(&render, escaping, QStringLiteral("Out")));
    QVERIFY(badExtension.failureReason().contains(QStringLiteral("extension")));

    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/dev/null/temp");
    CompileProgress noTemp;
    noTemp.setInteractive(false);
    const bool started = noTemp.startCreation(&render, data, QStringLiteral("NoTemp"));
    if (tmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmp);
    QVERIFY(!started);
    QVERIFY(noTemp.failureReason().contains(QStringLiteral("temporary")));

    CompileProgress badFolder;
    badFolder.setInteractive(false);
    badFolder.setOutputFolder(QStringLiteral("/dev/null/videos"));
    QVERIFY(!badFolder.startCreation(&render, data, QStringLiteral("Nowhere")));
    QVERIFY(filesIn(out.path()).isEmpty());
}

void TestCompileProgress::outputFolderFull_data()
{
    QTest::addColumn<bool>("tmpfs"); // else a size limit
    QTest::addColumn<QString>("profileId");
    // With audio the stream copy into the output folder runs out of room; without, the video
    // encoder itself, while the show is being rendered.
    QTest::newRow("tmpfs, with audio") << true << "mpeg4h264";
    QTest::newRow("size limit, with audio") << false << "mpeg4h264";
    QTest::newRow("size limit, no audio") << false << "noaudio";
}

void TestCompileProgress::outputFolderFull()
{
    QFETCH(bool, tmpfs);
    QFETCH(QString, profileId);
    FullFolder full(tmpfs ? FullFolder::Method::Tmpfs : FullFolder::Method::Limit);
    if (!full.isValid())
        QSKIP("no tmpfs can be mounted here");
    ZomProfileData data = profile(profileId);
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    AlertCatcher alerts;
    CompileProgress job;
    job.show();
    job.setOutputFolder(full.path());
    QVERIFY(run(job, data, QStringLiteral("Full")));
    QVERIFY(job.isFinished());
    QVERIFY(!job.succeeded());
    QCOMPARE(job.findChild<QLabel *>("label")->text(), QStringLiteral("Failed to create video."));
    QTRY_COMPARE_WITH_TIMEOUT(alerts.texts.size(), 1, PatienceMs);
    QVERIFY2(alerts.texts.first().contains(QLatin1String("disk is full")),
             qPrintable(alerts.texts.first()));
    QVERIFY(alerts.texts.first().contains(full.path()));
    QCOMPARE(filesIn(full.path()), QStringList());
    QVERIFY(!QFileInfo::exists(job.temporaryFolder()));
}

void TestCompileProgress::outputFolderRemoved()
{
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("videos"));
    AlertCatcher alerts;
    CompileProgress job;
    job.show();
    job.setOutputFolder(folder);
    bool removed = false;
    connect(&job, &CompileProgress::progressChanged, this, [&](int value) {
        if (value >= 10 && !removed)
            removed = QDir(folder).removeRecursively();
    });
    ZomProfileData data = profile(QStringLiteral("mpeg4h264"));
    data.setValue(QStringLiteral("s"), QStringLiteral("%1x%2").arg(W).arg(H));
    QList<CompileProgress::Phase> phases;
    QVERIFY(run(job, data, QStringLiteral("Gone"), &phases));
    QVERIFY(removed);
    QVERIFY(job.isFinished());
    QVERIFY(!job.succeeded());
    // It ends while rendering, not after the whole show and encoder runs that cannot work.
    QVERIFY(!phases.contains(CompileProgress::Phase::Multiplexing));
    QVERIFY(!phases.contains(CompileProgress::Phase::Reencoding));
    QCOMPARE(job.findChild<QLabel *>("label")->text(), QStringLiteral("Failed to create video."));
    QTRY_COMPARE_WITH_TIMEOUT(alerts.texts.size(), 1, PatienceMs);
    QVERIFY2(alerts.texts.first().contains(QLatin1String("was removed")),
             qPrintable(alerts.texts.first()));
    // Nothing is made again where the folder was, and the temporaries are gone.
    QVERIFY(!QFileInfo::exists(folder));
    QVERIFY(!QFileInfo::exists(job.temporaryFolder()));
}
QTEST_MAIN(TestCompileProgress)
#include "tst_compileprogress.moc"
