// SPDX-License-Identifier: GPL-3.0-or-later
// "vellumix create": the program run from the command line without a window, end to end.
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <csignal>
#include <memory>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
    QString lastLine() const
    {
        const QList<QByteArray> lines = out.trimmed().split('\n');
        return lines.isEmpty() ? QString() : QString::fromUtf8(lines.last());
    }
};

QProcessEnvironment environment(const QString &home, bool withDisplay = true)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("TMPDIR"), home + QStringLiteral("/tmp"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!withDisplay) {
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }
    QDir().mkpath(home + QStringLiteral("/tmp"));
    return env;
}

Run create(const QString &home, const QStringList &arguments, bool withDisplay = true)
{
    QProcess process;
    process.setProcessEnvironment(environment(home, withDisplay));
    process.start(testAppDir() + QStringLiteral("/vellumix"),
                  QStringList {QStringLiteral("create")} + arguments);
    Run run;
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// "codec_type" of every stream and the container's duration, from ffprobe.
struct Probe
{
    QStringList streams;
    double duration = 0.0;
};

Probe probe(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("ffprobe"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                   QStringLiteral("stream=codec_type:format=duration"), QStringLiteral("-of"),
                   QStringLiteral("default=nw=1"), file});
    process.waitForFinished(30000);
    Probe result;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("codec_type="))
            result.streams.append(QString::fromUtf8(line.mid(11)));
        else if (line.startsWith("duration="))
            result.duration = line.mid(9).toDouble();
    }
    return result;
}

// What a folder holds, files and folders alike, hidden ones too (Qt's own runtime folder aside).
QStringList filesIn(const QString &folder)
{
    QStringList entries
        = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    entries.removeIf(
        [](const QString &name) { return name.startsWith(QLatin1String("runtime-")); });
    return entries;
}

// Starts "vellumix create" with args and waits until the job is under way (its progress is on
// standard error); false, with what it said, when it never got there.
bool startCreationUnderWay(QProcess &process, const QString &home, const QStringList &args)
{
    process.setProcessEnvironment(environment(home));
    process.start(testAppDir() + QStringLiteral("/vellumix"),
                  QStringList {QStringLiteral("create")} + args);
    if (!process.waitForStarted())
        return false;
    QByteArray err;
    QElapsedTimer timer;
    timer.start();
    while (!err.contains("%") && timer.elapsed() < 60000) {
        process.waitForReadyRead(200);
        err += process.readAllStandardError();
    }
    if (!err.contains("%"))
        qWarning("%s", err.constData());
    return err.contains("%");
}

// The sound of a video as mono 16-bit samples at 48000 Hz.
QVector<int16_t> soundOf(const QString &video, const QString &folder)
{
    const QString raw = folder + QStringLiteral("/sound.raw");
    if (!runFfmpeg({QStringLiteral("-i"), video, QStringLiteral("-vn"), QStringLiteral("-ac"),
                    QStringLiteral("1"), QStringLiteral("-ar"), QStringLiteral("48000"),
                    QStringLiteral("-f"), QStringLiteral("s16le"), raw}))
        return {};
    QFile file(raw);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QVector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

// Level in dB (full scale) of samples [from, to), from their root mean square.
double levelDb(const QVector<int16_t> &pcm, qsizetype from, qsizetype to)
{
    double sum = 0.0;
    for (qsizetype i = std::max<qsizetype>(0, from); i < std::min(to, pcm.size()); ++i)
        sum += double(pcm[i]) * pcm[i];
    return 10.0 * std::log10(std::max(sum / double(to - from), 1e-3) / (32768.0 * 32768.0));
}

} // namespace

class TestBatchCreate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void usageErrors_data();
    void usageErrors();
    void listsProfiles();
    void listsPresets();
    void versionsWithAFailingCheck();
    void makesPlayableVideo();
    void withoutAudioOrDisplay();
    void phoneShowOnBlurredBackground();
    void fadesTheSound_data();
    void fadesTheSound();
    void quietPrintsNoStandardError();
    void failingEncoderShowsItsLog();
    void counterNeverOverwrites();
    void interruptLeavesNothing();
    void killedRunLeavesNoVideo();
    void outputFolderFullOrRemoved_data();
    void outputFolderFullOrRemoved();
    void makesSavedShow();
    void photosTakeTheirOwnTimes();

private:
    QTemporaryDir media;
    QString photo1, photo2, photo3, tone, longTone, broken;
};

void TestBatchCreate::initTestCase()
{
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    QString *paths[] = {&photo1, &photo2, &photo3};
    for (int i = 0; i < 3; ++i) {
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(colours[i]);
        *paths[i] = media.filePath(QStringLiteral("photo %1.jpg").arg(i));
        QVERIFY(image.save(*paths[i], "JPEG"));
    }
    tone = media.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeToneWav(tone, {{440.0, 4.0}}));
    longTone = media.filePath(QStringLiteral("long tone.wav"));
    QVERIFY(writeToneWav(longTone, {{440.0, 8.0}}));
    broken = media.filePath(QStringLiteral("broken.jpg"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not a photo");
}

void TestBatchCreate::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option")
        << QStringList {QStringLiteral("--sparkle")} << QStringLiteral("sparkle");
    QTest::newRow("photo duration too short")
        << QStringList {QStringLiteral("--photo-duration"), QStringLiteral("999")}
        << QStringLiteral("--photo-duration");
    QTest::newRow("transition too long")
        << QStringList {QStringLiteral("--transition-duration=5001")}
        << QStringLiteral("--transition-duration");
    QTest::newRow("invalid name") << QStringList {QStringLiteral("--name"), QStringLiteral("a:b")}
                                  << QStringLiteral("a:b");
    QTest::newRow("no path") << QStringList {} << QStringLiteral("no photo");
    QTest::newRow("unknown profile")
        << QStringList {QStringLiteral("--profile"), QStringLiteral("betamax")}
        << QStringLiteral("betamax");
    QTest::newRow("quiet and verbose")
        << QStringList {QStringLiteral("--quiet"), QStringLiteral("--verbose")}
        << QStringLiteral("exclude");
    QTest::newRow("not a shape") << QStringList {QStringLiteral("--aspect"), QStringLiteral("16/9")}
                                 << QStringLiteral("--aspect");
    QTest::newRow("unknown framing")
        << QStringList {QStringLiteral("--framing"), QStringLiteral("stretch")}
        << QStringLiteral("--framing");
    QTest::newRow("crossfade too long")
        << QStringList {QStringLiteral("--crossfade"), QStringLiteral("10.5")}
        << QStringLiteral("--crossfade");
    QTest::newRow("loudness not offered")
        << QStringList {QStringLiteral("--loudness=-18")} << QStringLiteral("--loudness");
    QTest::newRow("unknown motion")
        << QStringList {QStringLiteral("--motion"), QStringLiteral("wobble")}
        << QStringLiteral("--motion");
    QTest::newRow("malformed set") << QStringList {QStringLiteral("--set"), QStringLiteral("s")}
                                   << QStringLiteral("KEY=VALUE");
    QTest::newRow("unknown preset")
        << QStringList {QStringLiteral("--preset"), QStringLiteral("video,betamax")}
        << QStringLiteral("betamax");
    QTest::newRow("empty preset") << QStringList {QStringLiteral("--preset=,")}
                                  << QStringLiteral("--preset");
    QTest::newRow("preset and profile")
        << QStringList {QStringLiteral("--preset"), QStringLiteral("video"),
                        QStringLiteral("--profile"), QStringLiteral("hd720")}
        << QStringLiteral("--profile");
    QTest::newRow("preset and aspect")
        << QStringList {QStringLiteral("--preset"), QStringLiteral("gif"),
                        QStringLiteral("--aspect"), QStringLiteral("1:1")}
        << QStringLiteral("--aspect");
}

void TestBatchCreate::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir home;
    // A photo is given wherever the error lies elsewhere.
    if (!arguments.isEmpty())
        arguments << photo1;
    const Run run = create(home.path(), arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(run.out.isEmpty());
}

void TestBatchCreate::listsProfiles()
{
    QTemporaryDir home;
    const Run run = create(home.path(), {QStringLiteral("--list-profiles")});
    QCOMPARE(run.status, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QVERIFY(lines.size() >= 18);
    bool found = false;
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        QCOMPARE(fields.size(), 4);
        if (fields.first() == "mpeg4h264") {
            found = true;
            QCOMPARE(fields.last(), QByteArray("mp4"));
        }
    }
    QVERIFY(found);
}

void TestBatchCreate::listsPresets()
{
    QTemporaryDir home;
    const Run run = create(home.path(), {QStringLiteral("--list-presets")});
    QCOMPARE(run.status, 0);
    QStringList names;
    for (const QByteArray &line : run.out.trimmed().split('\n'))
        names.append(QString::fromUtf8(line.split('\t').first()));
    QCOMPARE(names, QStringList({"video", "video-4k", "vertical", "square", "portrait", "gif"}));
}

void TestBatchCreate::versionsWithAFailingCheck()
{
    // A value set by hand that shrinks the frames: the video version is made but is not what its
    // preset promises, and says so; the GIF, which takes no such value, is made and passes.
    QTemporaryDir home;
    const QString out = home.filePath(QStringLiteral("videos"));
    const Run run = create(
        home.path(),
        {QStringLiteral("--preset"), QStringLiteral("video"), QStringLiteral("--preset"),
         QStringLiteral("gif,video"), QStringLiteral("--set"), QStringLiteral("vf=scale=640:360"),
         QStringLiteral("--photo-duration"), QStringLiteral("1000"), QStringLiteral("--output-dir"),
         out, QStringLiteral("--name"), QStringLiteral("trip"), photo1, photo2, tone});
    QCOMPARE(run.status, 1);
    const QList<QByteArray> paths = run.out.trimmed().split('\n');
    QCOMPARE(paths.size(), 2);
    QCOMPARE(QString::fromUtf8(paths.at(0)), out + QStringLiteral("/trip-video.mp4"));
    QCOMPARE(QString::fromUtf8(paths.at(1)), out + QStringLiteral("/trip-gif.gif"));
    for (const QByteArray &path : paths)
        QVERIFY(QFileInfo(QString::fromUtf8(path)).size() > 0);
    QVERIFY2(run.err.contains("video: check failed: Frame size: 640 × 360 (expected 1920 × 1080)"),
             run.err.constData());
    QVERIFY2(!run.err.contains("gif: check failed"), run.err.constData());
    QVERIFY(run.err.contains("Version 2 of 2"));
}

void TestBatchCreate::makesPlayableVideo()
{
    QTemporaryDir home;
    const QString out = home.filePath(QStringLiteral("videos"));
    // Unreadable files are listed and the rest used.
    const Run run
        = create(home.path(),
                 {QStringLiteral("--output-dir"), out, QStringLiteral("--photo-duration"),
                  QStringLiteral("1000"), QStringLiteral("--transition-duration"),
                  QStringLiteral("500"), QStringLiteral("--set"), QStringLiteral("s=320x240"),
                  QStringLiteral("--quiet"), photo1, broken, photo2, photo3, tone});
    QVERIFY2(run.status == 0, run.err.constData());
    QVERIFY(run.err.contains(broken.toUtf8()));
    const QString file = run.lastLine();
    QCOMPARE(file, QDir(out).absoluteFilePath(QStringLiteral("My Photo Movie.mp4")));
    QVERIFY(QFileInfo::exists(file));

    // Three photos of 1 s joined by two transitions of 0.5 s.
    const Probe result = probe(file);
    QVERIFY2(qAbs(result.duration - 4.0) < 0.15, qPrintable(QString::number(result.duration)));
    QCOMPARE(result.streams, (QStringList {QStringLiteral("video"), QStringLiteral("audio")}));
    // Nothing left behind but the video; the settings keep no trace of a batch run.
    QCOMPARE(filesIn(out), QStringList {QStringLiteral("My Photo Movie.mp4")});
    QVERIFY(filesIn(home.filePath(QStringLiteral("tmp"))).isEmpty());
    QSettings stored(home.filePath(QStringLiteral("config/Vellumix/Vellumix.conf")),
                     QSettings::IniFormat);
    QVERIFY(!stored.contains(QStringLiteral("OutputPath")));
    QVERIFY(!stored.contains(QStringLiteral("OutputName")));
}

void TestBatchCreate::withoutAudioOrDisplay()
{
    QTemporaryDir home;
    const Run run = create(home.path(),
                           {QStringLiteral("--output-dir"), home.path(), QStringLiteral("--name"),
                            QStringLiteral("silent"), QStringLiteral("--photo-duration=1000"),
                            QStringLiteral("--no-transition"), QStringLiteral("--set"),
                            QStringLiteral("an=true"), QStringLiteral("--set"),
                            QStringLiteral("s=320x240"), photo1, photo2, tone},
                           false);
    QVERIFY2(run.status == 0, run.err.constData());
    const Probe result = probe(run.lastLine());
    QCOMPARE(result.streams, QStringList {QStringLiteral("video")});
    QVERIFY(qAbs(result.duration - 2.0) < 0.15);
    // Standard error is no terminal here: the progress is a plain line at every tenth, and
    // nothing else is there, neither the encoders' logs nor the toolkit's notices.
    QStringList expected;
    for (int tenth = 0; tenth <= 100; tenth += 10)
        expected << QStringLiteral("Creating video: %1%").arg(tenth);
    QCOMPARE(QString::fromUtf8(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
}

void TestBatchCreate::phoneShowOnBlurredBackground()
{
    // Landscape photos in a 9:16 video at the profile's 360-line class.
    QTemporaryDir home;
    const Run run
        = create(home.path(),
                 {QStringLiteral("--output-dir"), home.path(), QStringLiteral("--aspect"),
                  QStringLiteral("9:16"), QStringLiteral("--framing"), QStringLiteral("blur"),
                  QStringLiteral("--set"), QStringLiteral("s=640x360"), QStringLiteral("--set"),
                  QStringLiteral("an=true"), QStringLiteral("--photo-duration=1000"),
                  QStringLiteral("--no-transition"), QStringLiteral("--no-zoom"),
                  QStringLiteral("--quiet"), photo1},
                 false);
    QVERIFY2(run.status == 0, run.err.constData());
    const QString still = home.filePath(QStringLiteral("still.png"));
    QVERIFY(runFfmpeg({QStringLiteral("-i"), run.lastLine(), QStringLiteral("-ss"),
                       QStringLiteral("0.5"), QStringLiteral("-frames:v"), QStringLiteral("1"),
                       still}));
    const QImage frame(still);
    QCOMPARE(frame.size(), QSize(360, 640));
    // The red photo in the middle; above and below it a darker red instead of black bars.
    const QColor middle = frame.pixelColor(180, 320);
    QVERIFY2(middle.red() > 200 && middle.green() < 50, qPrintable(middle.name()));
    for (const int y : {10, 630}) {
        const QColor backdrop = frame.pixelColor(180, y);
        QVERIFY2(backdrop.red() > 90 && backdrop.red() < 200 && backdrop.green() < 60,
                 qPrintable(backdrop.name()));
    }
}

void TestBatchCreate::fadesTheSound_data()
{
    QTest::addColumn<bool>("fade");
    QTest::newRow("fade") << true;
    QTest::newRow("no fade") << false;
}

void TestBatchCreate::fadesTheSound()
{
    QFETCH(bool, fade);
    QTemporaryDir home;
    // Two photos of 2.5 s and a transition of 0.5 s: a show of 5.5 s (137.5 frames at 25 per
    // second, so 138: the last starts before the show ends), over a steady tone that outlasts it.
    QStringList arguments
        = QStringLiteral("--quiet --photo-duration=2500 --transition-duration=500 "
                         "--set s=320x240 --output-dir")
              .split(QLatin1Char(' '));
    arguments << home.path() << photo1 << photo2 << longTone;
    if (fade)
        arguments << QStringLiteral("--fade");
    const Run run = create(home.path(), arguments);
    QVERIFY2(run.status == 0, run.err.constData());
    const QVector<int16_t> pcm = soundOf(run.lastLine(), home.path());
    const qsizetype end = 138 * 48000 / 25;
    QVERIFY2(qAbs(pcm.size() - end) < 48000 / 25, qPrintable(QString::number(pcm.size())));

    // 20 ms at 1.5 s, at the start, at the end, and half-way through the 3 s fade-out.
    const qsizetype window = 48000 / 50;
    const double full = levelDb(pcm, 72000 - window / 2, 72000 + window / 2);
    const double first = levelDb(pcm, 0, window);
    const double last = levelDb(pcm, end - window, end);
    const double halfWay = levelDb(pcm, end - 72000 - window / 2, end - 72000 + window / 2);
    const QByteArray levels
        = QStringLiteral("%1 %2 %3 %4 dB").arg(full).arg(first).arg(last).arg(halfWay).toUtf8();
    // The test tone is an eighth of full scale: about -21 dB.
    QVERIFY2(full > -30.0, levels);
    if (fade) {
        QVERIFY2(first < full - 25.0 && last < full - 25.0, levels);
        // Equal power: -3 dB half-way.
        QVERIFY2(qAbs(halfWay - full - 20.0 * std::log10(std::sqrt(0.5))) < 1.0, levels);
    } else {
        for (const double level : {first, last, halfWay})
            QVERIFY2(qAbs(level - full) < 1.0, levels);
    }
}

void TestBatchCreate::quietPrintsNoStandardError()
{
    QTemporaryDir home;
    const Run run = create(home.path(),
                           {QStringLiteral("--quiet"), QStringLiteral("--output-dir"), home.path(),
                            QStringLiteral("--photo-duration=1000"), QStringLiteral("--set"),
                            QStringLiteral("s=160x120"), photo1, photo2, tone});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QVERIFY(QFileInfo(run.lastLine()).size() > 0);
}

void TestBatchCreate::failingEncoderShowsItsLog()
{
    QTemporaryDir home;
    const QString out = home.filePath(QStringLiteral("out"));
    // A show far longer than what may be queued for an encoder that takes nothing (about 70
    // frames of this size), so that the encoder's end is found while the show is being written
    // however slowly the encoder starts; a short show could be queued whole before it fails.
    const Run run = create(home.path(),
                           {QStringLiteral("--output-dir"), out, QStringLiteral("--set"),
                            QStringLiteral("vcodec=nosuchcodec"), QStringLiteral("--set"),
                            QStringLiteral("s=640x480"), QStringLiteral("--photo-duration=60000"),
                            photo1, photo2, tone});
    QCOMPARE(run.status, 1);
    // The reason, then the end of the video encoder's log, indented under it.
    const QStringList lines = QString::fromUtf8(run.err).split(QLatin1Char('\n'));
    const qsizetype reason = lines.indexOf(
        QStringLiteral("vellumix create: The video encoder stopped before the end of the show."));
    QVERIFY2(reason >= 0, run.err.constData());
    const QStringList log
        = lines.mid(reason + 1).filter(QRegularExpression(QStringLiteral("^  \\S")));
    QCOMPARE(log.size(), lines.size() - reason - 2); // all but the final empty line
    QVERIFY2(log.size() >= 2 && log.contains(QStringLiteral("  Unknown encoder 'nosuchcodec'")),
             run.err.constData());
    QVERIFY(!run.err.contains("100%"));
    // Neither the log nor anything else is left behind.
    QVERIFY(filesIn(out).isEmpty());
    QVERIFY(filesIn(home.filePath(QStringLiteral("tmp"))).isEmpty());
}

void TestBatchCreate::counterNeverOverwrites()
{
    QTemporaryDir home;
    const QStringList arguments {QStringLiteral("--output-dir"),
                                 home.path(),
                                 QStringLiteral("--quiet"),
                                 QStringLiteral("--photo-duration=1000"),
                                 QStringLiteral("--set"),
                                 QStringLiteral("s=160x120"),
                                 photo1};
    const Run first = create(home.path(), arguments);
    QCOMPARE(first.status, 0);
    const QByteArray firstBytes = [&] {
        QFile f(first.lastLine());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const Run second = create(home.path(), arguments);
    QCOMPARE(second.status, 0);
    QVERIFY(second.lastLine() != first.lastLine());
    QVERIFY(QFileInfo::exists(second.lastLine()));
    QFile again(first.lastLine());
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), firstBytes);
}

void TestBatchCreate::interruptLeavesNothing()
{
    QTemporaryDir home;
    const QString out = home.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));
    QProcess process;
    QVERIFY(
        startCreationUnderWay(process, home.path(),
                              {QStringLiteral("--output-dir"), out,
                               QStringLiteral("--photo-duration=60000"), photo1, photo2, tone}));
    QTest::qWait(500);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 130);
    QVERIFY(filesIn(out).isEmpty());
    QVERIFY(filesIn(home.filePath(QStringLiteral("tmp"))).isEmpty());
}

void TestBatchCreate::killedRunLeavesNoVideo()
{
    QTemporaryDir home;
    const QString out = home.filePath(QStringLiteral("out"));
    const QString tmp = home.filePath(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(out));
    QProcess process;
    QVERIFY(startCreationUnderWay(
        process, home.path(),
        {QStringLiteral("--output-dir"), out, QStringLiteral("--name"), QStringLiteral("Killed"),
         QStringLiteral("--photo-duration=60000"), photo1, photo2, tone}));
    process.kill();
    QVERIFY(process.waitForFinished(30000));

    // Nothing under the name asked for: the partial video is hidden beside it, and the job's
    // folder stays behind with it.
    const QStringList left = filesIn(out);
    QCOMPARE(left.size(), 1);
    QVERIFY2(left.first().startsWith(QLatin1String(".Killed.")), qPrintable(left.first()));
    QCOMPARE(filesIn(tmp).size(), 1);

    // The next start clears them and makes the video under its name.
    const Run run = create(home.path(),
                           {QStringLiteral("--output-dir"), out, QStringLiteral("--name"),
                            QStringLiteral("Killed"), photo1, tone});
    QVERIFY2(run.status == 0, run.err.constData());
    QCOMPARE(filesIn(out), QStringList {QStringLiteral("Killed.mp4")});
    QCOMPARE(run.lastLine(), QDir(out).filePath(QStringLiteral("Killed.mp4")));
    QVERIFY(filesIn(tmp).isEmpty());
}

void TestBatchCreate::outputFolderFullOrRemoved_data()
{
    QTest::addColumn<bool>("remove"); // else the folder is full
    QTest::addColumn<QString>("why");
    QTest::newRow("full") << false << "disk is full";
    QTest::newRow("removed") << true << "was removed while the video was being created";
}

void TestBatchCreate::outputFolderFullOrRemoved()
{
    QFETCH(bool, remove);
    QFETCH(QString, why);
    QTemporaryDir home;
    std::unique_ptr<FullFolder> full;
    QString out = home.filePath(QStringLiteral("out"));
    const QByteArray launcher = qgetenv("VELLUMIX_FFMPEG");
    if (remove) {
        // ffmpeg, as the encoder launcher runs it for the video, first removes the folder.
        QFile script(home.filePath(QStringLiteral("ffmpeg-remover")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(
            QStringLiteral("#!/bin/sh\nrm -rf '%1'\nexec ffmpeg \"$@\"\n").arg(out).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("VELLUMIX_FFMPEG", QFile::encodeName(script.fileName()));
    } else {
        full = std::make_unique<FullFolder>(FullFolder::Method::Tmpfs);
        if (!full->isValid())
            full = std::make_unique<FullFolder>(FullFolder::Method::Limit);
        QVERIFY(full->isValid());
        out = full->path();
    }
    const Run run = create(home.path(),
                           {QStringLiteral("--output-dir"), out, QStringLiteral("--set"),
                            QStringLiteral("s=160x120"), photo1, photo2, tone});
    if (remove) {
        if (launcher.isEmpty())
            qunsetenv("VELLUMIX_FFMPEG");
        else
            qputenv("VELLUMIX_FFMPEG", launcher);
    }
    QCOMPARE(run.status, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(why.toUtf8()), run.err.constData());
    QVERIFY2(run.err.contains(out.toUtf8()), run.err.constData());
    QVERIFY(!QFileInfo::exists(out) || filesIn(out).isEmpty());
    QVERIFY(filesIn(home.filePath(QStringLiteral("tmp"))).isEmpty());
}

void TestBatchCreate::makesSavedShow()
{
    // A show beside its photos, as the window saves it: paths relative to the show, one photo
    // gone since, a trimmed clip, the show's own profile values, folder and name.
    QTemporaryDir home;
    const QString folder = home.filePath(QStringLiteral("trip"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(photo1, folder + QStringLiteral("/a.jpg")));
    QVERIFY(QFile::copy(photo2, folder + QStringLiteral("/b.jpg")));
    const QString show = folder + QStringLiteral("/trip.vellumix");
    QFile file(show);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"format": "vellumix-show", "version": 1,
        "album": {"photoDurationMs": 1000, "transitionDurationMs": 500, "useZoom": false},
        "photos": [{"path": "a.jpg", "operations": [3]}, {"path": "gone.jpg"},
                   {"path": "b.jpg", "operations": [0, 2]}],
        "audios": [{"path": "%1", "duration": 4, "clipStart": 1, "clipEnd": 3}],
        "output": {"profile": "mpeg4h264", "values": {"s": "320x240"}, "folder": "out",
                   "name": "From Show"}})")
                   .arg(tone)
                   .toUtf8());
    file.close();

    const Run run = create(home.path(), {show});
    QVERIFY2(run.status == 0, run.err.constData());
    QVERIFY(run.err.contains((folder + QStringLiteral("/gone.jpg")).toUtf8()));
    QCOMPARE(run.lastLine(), folder + QStringLiteral("/out/From Show.mp4"));
    Probe result = probe(run.lastLine());
    QCOMPARE(result.streams, (QStringList {QStringLiteral("video"), QStringLiteral("audio")}));
    QVERIFY2(qAbs(result.duration - 2.5) < 0.15, qPrintable(QString::number(result.duration)));

    // Options override the show's values.
    const Run other = create(home.path(),
                             {QStringLiteral("--quiet"), QStringLiteral("--name"),
                              QStringLiteral("Longer"), QStringLiteral("--output-dir"), home.path(),
                              QStringLiteral("--photo-duration=2000"),
                              QStringLiteral("--no-transition"), show});
    QVERIFY2(other.status == 0, other.err.constData());
    QCOMPARE(other.lastLine(), QDir(home.path()).filePath(QStringLiteral("Longer.mp4")));
    QVERIFY(qAbs(probe(other.lastLine()).duration - 4.0) < 0.15);

    // A damaged show is named with its fault; a show is made on its own.
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(R"({"format": "vellumix-show", "version": 1, "album": {"photoDurationMs": 5)");
    file.close();
    const Run damaged = create(home.path(), {show});
    QCOMPARE(damaged.status, 1);
    QVERIFY2(damaged.err.contains(show.toUtf8()) && damaged.err.contains("cut short"),
             damaged.err.constData());
    QCOMPARE(create(home.path(), {show, photo1}).status, 2);
}

void TestBatchCreate::photosTakeTheirOwnTimes()
{
    // Red for 2 s, then a 1 s dissolve, green for 4 s, a cut, blue for 1 s: at 25 frames/s
    // red is frames 0-49, the dissolve 50-74, green 75-174 and blue 175-199.
    QTemporaryDir home;
    const QString show = home.filePath(QStringLiteral("own.vellumix"));
    QFile file(show);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral(R"({"format": "vellumix-show", "version": 1,
        "album": {"photoDurationMs": 5000, "transitionDurationMs": 1000, "dissolveOnly": true},
        "photos": [{"path": "%1", "own": {"durationMs": 2000}},
                   {"path": "%2", "own": {"durationMs": 4000, "transition": "cut"}},
                   {"path": "%3", "own": {"durationMs": 1000}}],
        "output": {"profile": "mpeg4h264", "values": {"s": "320x240", "r": "25", "an": true},
                   "name": "Own Times"}})")
                   .arg(photo1, photo2, photo3)
                   .toUtf8());
    file.close();
    const Run run
        = create(home.path(),
                 {QStringLiteral("--quiet"), QStringLiteral("--motion"), QStringLiteral("none"),
                  QStringLiteral("--output-dir"), home.path(), show});
    QVERIFY2(run.status == 0, run.err.constData());

    // Every frame shrunk to one pixel: its mean colour.
    const QString raw = home.filePath(QStringLiteral("frames.rgb"));
    QVERIFY(runFfmpeg({QStringLiteral("-i"), run.lastLine(), QStringLiteral("-vf"),
                       QStringLiteral("scale=1:1:flags=area"), QStringLiteral("-f"),
                       QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"),
                       QStringLiteral("rgb24"), raw}));
    QFile frames(raw);
    QVERIFY(frames.open(QIODevice::ReadOnly));
    const QByteArray rgb = frames.readAll();
    QCOMPARE(rgb.size(), 200 * 3);
    const auto colourAt = [&rgb](int k) {
        return QColor(uchar(rgb[3 * k]), uchar(rgb[3 * k + 1]), uchar(rgb[3 * k + 2]));
    };
    const auto isOnly = [](const QColor &c, int channel) {
        const int v[3] = {c.red(), c.green(), c.blue()};
        for (int i = 0; i < 3; ++i) {
            if ((i == channel) != (v[i] > 200) || (i != channel && v[i] > 40))
                return false;
        }
        return true;
    };
    for (const auto &[k, channel] :
         {std::pair {0, 0}, {49, 0}, {75, 1}, {174, 1}, {175, 2}, {199, 2}})
        QVERIFY2(isOnly(colourAt(k), channel),
                 qPrintable(QStringLiteral("frame %1: %2").arg(k).arg(colourAt(k).name())));
    // Halfway through the dissolve red and green are mixed about evenly.
    const QColor middle = colourAt(62);
    QVERIFY2(qAbs(middle.red() - middle.green()) < 40 && middle.red() > 80,
             qPrintable(middle.name()));
}

QTEST_GUILESS_MAIN(TestBatchCreate)
#include "tst_batchcreate.moc"
