// SPDX-License-Identifier: GPL-3.0-or-later
// Several versions of one show in one run with the real encoder launcher, and the checks of the
// files they leave.
#include "audio/audiodecoder.h"
#include "audio/storyboardrender.h"
#include "creation/versioncheck.h"
#include "creation/versionprogress.h"
#include "creation/versionrun.h"
#include "tests/support/testsupport.h"
#include "zofc/zopref.h"
#include "zomprofile/zoprofilemanager.h"

#include <QApplication>
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

class TestVersionRun : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyPresetIsMadeAndChecked_data();
    void everyPresetIsMadeAndChecked();
    void failedChecksAreNamed_data();
    void failedChecksAreNamed();
    void stopEndsTheRun();
    void dialogListsEachFileWithItsCheck();

private:
    VersionRun::Version version(const QString &id) const;
    QString pathOf(const QString &id) const;

    TempSettings settings;
    QTemporaryDir media;
    QTemporaryDir out;
    StoryBoard board;
    StoryBoardRender render;
    QList<VersionRun::Version> versions;
    QList<VersionRun::Result> results;
    QList<int> started;
};

VersionRun::Version TestVersionRun::version(const QString &id) const
{
    ZoProfileManager *manager = ZoProfileManager::instance();
    VersionRun::Version v;
    v.profile.setId(manager->profileUrl(id));
    manager->getPresetData(v.profile);
    v.label = id;
    v.name = versionFileName(QStringLiteral("show"), id, 2);
    v.framing = versionFraming(id, board.framing);
    return v;
}

QString TestVersionRun::pathOf(const QString &id) const
{
    for (int i = 0; i < versions.size(); ++i) {
        if (versions.at(i).label == id)
            return results.at(i).path;
    }
    return QString();
}

void TestVersionRun::initTestCase()
{
    QVERIFY(media.isValid() && out.isValid());
    QVERIFY(ZoProfileManager::instance()->loadTemplates(testAppDir() + "/profiles"));
    QCOMPARE(sharePresets(),
             QStringList({"video", "video-4k", "vertical", "square", "portrait", "gif"}));
    // A landscape photo and a portrait one, so that every shape has bars to fill.
    const QSize sizes[] = {{640, 480}, {480, 640}};
    for (int i = 0; i < 2; ++i) {
        QImage image(sizes[i], QImage::Format_RGB32);
        image.fill(i == 0 ? QColor(200, 60, 40) : QColor(40, 90, 200));
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
    render.setStoryBoard(&board);

    for (const QString &id : sharePresets())
        versions.append(version(id));
    VersionRun run;
    run.setOutputFolder(out.path());
    run.setCallerReportsFailures(true);
    QSignalSpy ended(&run, &VersionRun::runEnded);
    QList<int> progress;
    connect(&run, &VersionRun::versionStarted, this, [this](int i) { started.append(i); });
    connect(&run, &VersionRun::progressChanged, this, [&progress](int p) { progress.append(p); });
    QVERIFY(run.start(&render, versions));
    QVERIFY(ended.wait(600000));
    results = run.results();
    // Each photo read once for all six versions.
    QCOMPARE(run.decodedPhotos().decodes(), 2);
    QCOMPARE(started, QList<int>({0, 1, 2, 3, 4, 5}));
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
    QCOMPARE(progress.last(), 100);
    // The run gives the show its own framing back.
    QCOMPARE(board.framing, Framing::Fit);
}

void TestVersionRun::everyPresetIsMadeAndChecked_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<bool>("blurred");
    QTest::newRow("video sites") << "video" << 1920 << 1080 << "30/1"
                                 << "h264" << true << false;
    QTest::newRow("video sites 4K") << "video-4k" << 3840 << 2160 << "30/1"
                                    << "h264" << true << false;
    QTest::newRow("phones, vertical") << "vertical" << 1080 << 1920 << "30/1"
                                      << "h264" << true << true;
    QTest::newRow("square") << "square" << 1080 << 1080 << "30/1"
                            << "h264" << true << true;
    QTest::newRow("portrait post") << "portrait" << 1080 << 1350 << "30/1"
                                   << "h264" << true << true;
    QTest::newRow("animated GIF") << "gif" << 480 << 270 << "25/2"
                                  << "gif" << false << false;
}

void TestVersionRun::everyPresetIsMadeAndChecked()
{
    QFETCH(QString, id);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, rate);
    QFETCH(QString, codec);
    QFETCH(bool, sound);
    QFETCH(bool, blurred);
    const int index = int(sharePresets().indexOf(id));
    const VersionRun::Result &result = results.at(index);
    QVERIFY2(result.made, qPrintable(result.failure));
    QVERIFY2(result.check.ok(), qPrintable(result.check.summary()));
    QCOMPARE(versions.at(index).framing == Framing::BlurredFit, blurred);
    QCOMPARE(QFileInfo(result.path).fileName(),
             QStringLiteral("show-%1.%2").arg(id, id == "gif" ? "gif" : "mp4"));

    // What the checks passed, seen by another reader.
    const QJsonObject info = probeMedia(result.path);
    const QJsonObject video = streamOf(info, QStringLiteral("video"));
    QCOMPARE(video.value("width").toInt(), width);
    QCOMPARE(video.value("height").toInt(), height);
    QCOMPARE(video.value("avg_frame_rate").toString(), rate);
    QCOMPARE(video.value("codec_name").toString(), codec);
    const QJsonObject audio = streamOf(info, QStringLiteral("audio"));
    QCOMPARE(!audio.isEmpty(), sound);
    if (sound) {
        QCOMPARE(video.value("profile").toString(), QStringLiteral("High"));
        QCOMPARE(video.value("color_primaries").toString(), QStringLiteral("bt709"));
        QCOMPARE(video.value("color_space").toString(), QStringLiteral("bt709"));
        QCOMPARE(audio.value("codec_name").toString(), QStringLiteral("aac"));
        QCOMPARE(audio.value("sample_rate").toString(), QStringLiteral("48000"));
        QVERIFY(hasIndexFirst(result.path));
    } else {
        QVERIFY(gifLoopsForever(result.path));
    }
    // Two photos of 1 s with one dissolve of 0.5 s.
    const double seconds = info.value("format").toObject().value("duration").toString().toDouble();
    QVERIFY2(qAbs(seconds - 2.5) < 0.1, qPrintable(QString::number(seconds)));
}

void TestVersionRun::failedChecksAreNamed_data()
{
    using What = VersionCheckItem::What;
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("change");
    QTest::addColumn<int>("failed");
    // change: which expectation is made wrong (0: none, and the file's index is moved to its end).
    QTest::newRow("other size") << "vertical" << 1 << int(What::FrameSize);
    QTest::newRow("other rate") << "square" << 2 << int(What::FrameRate);
    QTest::newRow("main profile wanted") << "video" << 3 << int(What::VideoCodec);
    QTest::newRow("other sample rate") << "portrait" << 4 << int(What::AudioCodec);
    QTest::newRow("longer show") << "video" << 5 << int(What::Duration);
    QTest::newRow("sound expected in a GIF") << "gif" << 6 << int(What::AudioCodec);
    QTest::newRow("index at the end") << "video" << 0 << int(What::IndexFirst);
}

void TestVersionRun::failedChecksAreNamed()
{
    QFETCH(QString, id);
    QFETCH(int, change);
    QFETCH(int, failed);
    const int index = int(sharePresets().indexOf(id));
    VersionExpectation expected
        = expectationFor(versions.at(index).profile, int(std::lround(2.5 * 30)));
    if (id == "gif")
        expected.seconds = 2.5;
    QString path = results.at(index).path;
    QVERIFY(checkVersion(path, expected).ok());
    switch (change) {
    case 0: {
        // The same streams, with the index written after them.
        const QString moved = out.filePath(QStringLiteral("moved.mp4"));
        QVERIFY(runFfmpeg({"-i", path, "-c", "copy", "-y", moved}));
        path = moved;
        break;
    }
    case 1:
        expected.width = 1080;
        expected.height = 1350;
        break;
    case 2:
        expected.frameRate = 25.0;
        break;
    case 3:
        expected.highProfile = true;
        expected.videoCodec = QStringLiteral("h264");
        QVERIFY(runFfmpeg({"-i", path, "-c:a", "copy", "-c:v", "libx264", "-profile:v", "main",
                           "-movflags", "+faststart", "-colorspace", "bt709", "-color_primaries",
                           "bt709", "-color_trc", "bt709", "-y", out.filePath("main.mp4")}));
        path = out.filePath(QStringLiteral("main.mp4"));
        break;
    case 4:
        expected.sampleRate = 44100;
        break;
    case 5:
        expected.seconds += 1.0;
        break;
    case 6:
        expected.audioCodec = QStringLiteral("aac");
        expected.sampleRate = 48000;
        break;
    }
    const VersionCheck check = checkVersion(path, expected);
    const QList<VersionCheckItem> failures = check.failures();
    QCOMPARE(failures.size(), 1);
    QCOMPARE(int(failures.first().what), failed);
    QVERIFY(!check.ok());
    QVERIFY(check.summary().contains(failures.first().name()));
    QVERIFY(check.summary().contains(QStringLiteral("expected")));
}

void TestVersionRun::stopEndsTheRun()
{
    QTemporaryDir folder;
    VersionRun run;
    run.setOutputFolder(folder.path());
    run.setCallerReportsFailures(true);
    QSignalSpy ended(&run, &VersionRun::runEnded);
    QSignalSpy progress(&run, &VersionRun::progressChanged);
    board.framing = Framing::Fill;
    QVERIFY(run.start(&render, {version("square"), version("video")}));
    // The first version draws with the show's own framing, not the preset's.
    QCOMPARE(board.framing, Framing::Fill);
    QVERIFY(progress.wait(60000));
    run.cancel();
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.first().first().toBool(), false);
    QVERIFY(run.wasCancelled());
    QCOMPARE(board.framing, Framing::Fill);
    board.framing = Framing::Fit;
    // The stopped job removed its partial file; nothing of the run is left.
    QTest::qWait(100);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

void TestVersionRun::dialogListsEachFileWithItsCheck()
{
    QTemporaryDir folder;
    VersionProgress dialog;
    dialog.setOutputFolder(folder.path());
    dialog.versionRun().setCallerReportsFailures(true);
    // A value set by hand that shrinks the frames: made, but not what the preset promises.
    VersionRun::Version shrunk = version("video");
    shrunk.profile.setValue(QStringLiteral("vf"), QStringLiteral("scale=640:360"));
    QSignalSpy ended(&dialog.versionRun(), &VersionRun::runEnded);
    QVERIFY(dialog.startVersions(&render, {shrunk, version("gif")}));
    dialog.show();
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("label"));
    QTRY_COMPARE(label->text(), QStringLiteral("Making version 1 of 2: video"));
    QVERIFY(ended.wait(300000));
    QCOMPARE(ended.first().first().toBool(), false);
    QCOMPARE(label->text(), QStringLiteral("Not every version was made as it should be."));
    const QStringList lines = dialog.resultLines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0),
             QStringLiteral("video: show-video.mp4, check failed: Frame size: 640 × 360 "
                            "(expected 1920 × 1080)"));
    QCOMPARE(lines.at(1), QStringLiteral("gif: show-gif.gif, all checks passed"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("outputPath"))->text(),
             lines.join(QLatin1Char('\n')));
    QCOMPARE(dialog.progressValue(), 100);
    auto *close = dialog.findChild<QPushButton *>(QStringLiteral("close"));
    QVERIFY(close->isVisible());
    QVERIFY(!dialog.findChild<QPushButton *>(QStringLiteral("stop"))->isVisible());
    QTest::mouseClick(close, Qt::LeftButton);
    QTRY_VERIFY(!dialog.isVisible());
    // Both files stay: a failed check is reported, not undone.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

QTEST_MAIN(TestVersionRun)
#include "tst_versionrun.moc"
