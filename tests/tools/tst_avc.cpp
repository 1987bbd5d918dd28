// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

// The encoder launcher as a process: its status, its output channels, its option translation
// and the life of the ffmpeg it starts.
class TestAvc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitStatusIsFfmpegs();
    void progressOnStandardOutput();
    void translatedOptions();
    void ffmpegEndsWithLauncher_data();
    void ffmpegEndsWithLauncher();

private:
    QString avc;
    QTemporaryDir dir;
    QString clip; // 2 s of 320x240 video with a tone, written by ffmpeg
};

namespace {

int runToEnd(QProcess &p, const QString &program, const QStringList &args)
{
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
}

// The children of a process, as the kernel lists them.
QList<qint64> childrenOf(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    QList<qint64> result;
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray &word : f.readAll().simplified().split(' ')) {
            if (!word.isEmpty())
                result << word.toLongLong();
        }
    }
    return result;
}

bool processGone(qint64 pid, int waitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < waitMs) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        // Gone, or a zombie waiting for its new parent to reap it.
        if (!stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z "))
            return true;
        QTest::qWait(50);
    }
    return false;
}

} // namespace

void TestAvc::initTestCase()
{
    avc = testAppDir() + "/avc";
    QVERIFY2(QFileInfo(avc).isExecutable(), qPrintable(avc));
    QVERIFY(dir.isValid());
    clip = dir.filePath("clip.mkv");
    QProcess ffmpeg;
    QCOMPARE(
        runToEnd(ffmpeg, "ffmpeg",
                 {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=2",
                  "-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-c:v", "mpeg4", "-c:a",
                  "pcm_s16le", "-y", clip}),
        0);
}

void TestAvc::exitStatusIsFfmpegs()
{
    QProcess p;
    const QString out = dir.filePath("status.avi");
    QCOMPARE(runToEnd(p, avc, {"-@", "-i", clip, "-vcodec", "mpeg4", "-y", out}), 0);
    QVERIFY(QFileInfo(out).size() > 0);

    const QStringList bad = {"-i", dir.filePath("missing.avi"), "-y", dir.filePath("x.avi")};
    QProcess direct;
    const int ffmpegStatus = runToEnd(direct, "ffmpeg", bad);
    QVERIFY(ffmpegStatus > 0);
    QCOMPARE(runToEnd(p, avc, QStringList("-@") + bad), ffmpegStatus);
    QVERIFY(p.readAllStandardError().contains("missing.avi"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELLUMIX_FFMPEG", dir.filePath("no-such-ffmpeg"));
    p.setProcessEnvironment(env);
    QCOMPARE(runToEnd(p, avc, {"-@", "-i", clip, "-y", out}), 127);
    QVERIFY(p.readAllStandardError().contains("no-such-ffmpeg"));

    // ffmpeg exits with 0 when the end of its file cannot be written, the file cut short.
    QFile fake(dir.filePath("ffmpeg-cut-short"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\n"
               "echo 'Error writing trailer of x.mp4: No space left on device' >&2\n"
               "echo 'Error closing file x.mp4: No space left on device' >&2\n"
               "exit 0\n");
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert("VELLUMIX_FFMPEG", fake.fileName());
    p.setProcessEnvironment(env);
    QCOMPARE(runToEnd(p, avc, {"-@", "-i", clip, "-y", out}), 1);
    QVERIFY(p.readAllStandardError().contains("No space left on device"));
}

void TestAvc::progressOnStandardOutput()
{
    QProcess p;
    QCOMPARE(runToEnd(p, avc,
                      {"-@", "-i", clip, "-vcodec", "mpeg4", "-acodec", "mp2", "-y",
                       dir.filePath("progress.avi")}),
             0);
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    QVERIFY(lines.size() > 1);
    for (const QByteArray &line : lines) {
        if (!line.isEmpty())
            QVERIFY2(line.contains("frame=") && line.contains("fps="), line.constData());
    }
    QVERIFY(lines.at(lines.size() - 2).contains("frame=   50"));
    const QByteArray err = p.readAllStandardError();
    QVERIFY(!err.contains("frame="));
    QVERIFY(err.contains("Stream mapping"));
}

void TestAvc::translatedOptions()
{
    // The program's spellings: a metadata pair in three words, a rate with its unit, the
    // rate-control keys, and the VP8 codec name.
    QProcess p;
    const QString webm = dir.filePath("options.webm");
    QCOMPARE(runToEnd(p, avc, {"-@", "-i",        clip,        "-an",     "-metadata",   "title",
                               "=",  "A = \"b\"", "-metadata", "comment", "=",           "",
                               "-r", "29.97fps",  "-cbrorvbr", "VBR",     "-vbrquality", "30",
                               "-b", "500K",      "-vcodec",   "libvp8",  "-deadline",   "realtime",
                               "-y", webm}),
             0);
    QVERIFY(!p.readAllStandardError().contains("ambiguous"));
    QJsonObject info = probeMedia(webm);
    QJsonObject video = info.value("streams").toArray().at(0).toObject();
    QCOMPARE(video.value("codec_name").toString(), QStringLiteral("vp8"));
    QCOMPARE(video.value("r_frame_rate").toString(), QStringLiteral("30000/1001"));
    const QJsonObject tags = info.value("format").toObject().value("tags").toObject();
    QCOMPARE(tags.value("title").toString(), QStringLiteral("A = \"b\""));

    // A single image named without a frame number, as the thumbnail run writes it.
    const QString thm = dir.filePath("movie.THM");
    QCOMPARE(runToEnd(p, avc,
                      {"-@", "-y", "-i", clip, "-ss", "0.00", "-f", "image2", "-vcodec", "mjpeg",
                       "-vframes", "5", "-s", "160x120", "-an", thm}),
             0);
    video = probeMedia(thm).value("streams").toArray().at(0).toObject();
    QCOMPARE(video.value("codec_name").toString(), QStringLiteral("mjpeg"));
    QCOMPARE(video.value("width").toInt(), 160);
}

void TestAvc::ffmpegEndsWithLauncher_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("killed") << int(SIGKILL);
    QTest::newRow("terminated") << int(SIGTERM);
}

void TestAvc::ffmpegEndsWithLauncher()
{
    // A cancelled creation kills the launcher; the ffmpeg it started must not live on writing.
    QFETCH(int, signal);
    QProcess p;
    p.start(avc, {"-@", "-f", "yuv4mpegpipe", "-i", "-", "-y", dir.filePath("never.mp4")});
    QVERIFY(p.waitForStarted());
    QList<qint64> children;
    QTRY_VERIFY_WITH_TIMEOUT(!(children = childrenOf(p.processId())).isEmpty(), PatienceMs);
    QCOMPARE(children.size(), 1);
    // Once started, ffmpeg waits for its input, where a termination request alone does not end
    // it.
    QTest::qWait(1500);
    ::kill(pid_t(p.processId()), signal);
    QVERIFY(p.waitForFinished(PatienceMs));
    QVERIFY2(processGone(children.first(), PatienceMs), "ffmpeg outlived the launcher");
}

QTEST_GUILESS_MAIN(TestAvc)
#include "tst_avc.moc"
