// SPDX-License-Identifier: GPL-3.0-or-later
// Created video as a player sees it: the stream names its colours, and a photo's colour decoded
// with the named matrix comes back as the photo had it.
#include "audio/storyboardrender.h"
#include "creation/avpipewriter.h"
#include "creation/avwritermanager.h"
#include "creation/commandline.h"
#include "creation/outputformat.h"
#include "creation/videocolour.h"
#include "tests/support/testsupport.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Green of a lawn: far enough from grey that BT.601 and BT.709 decode it 10-20 levels apart.
const QColor photoColour(48, 192, 64);

QJsonObject videoStream(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"),
            {"-v", "error", "-select_streams", "v:0", "-show_streams", "-of", "json", file});
    p.waitForFinished(60000);
    return QJsonDocument::fromJson(p.readAllStandardOutput())
        .object()
        .value(QStringLiteral("streams"))
        .toArray()
        .at(0)
        .toObject();
}

// The scale filter's name for a stream's matrix.
QString scalerMatrixName(const QString &colorSpace)
{
    return colorSpace == QLatin1String("bt470bg") ? QStringLiteral("bt470") : colorSpace;
}

} // namespace

class TestVideoColour : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void taggedAndFaithful_data();
    void taggedAndFaithful();

private:
    TempSettings settings;
    QTemporaryDir dir;
    StoryBoard board;
};

void TestVideoColour::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(ZoProfileManager::instance()->loadTemplates(testAppDir() + "/profiles"));
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(photoColour);
    ImageInfo info;
    info.path = dir.filePath(QStringLiteral("lawn.png"));
    QVERIFY(image.save(info.path));
    board.photos.append(info);
    board.patterns.clear();
    board.useZoom = false;
    board.setPhotoDurationMs(400);
}

void TestVideoColour::taggedAndFaithful_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QString>("primaries");
    QTest::addColumn<QString>("transfer");
    QTest::newRow("HD 720p H.264") << "hd720"
                                   << "bt709"
                                   << "bt709"
                                   << "bt709";
    QTest::newRow("PAL DVD MPEG-2") << "dvdpal"
                                    << "bt470bg"
                                    << "bt470bg"
                                    << "smpte170m";
    QTest::newRow("VGA H.264") << "mpeg4h264"
                               << "smpte170m"
                               << "smpte170m"
                               << "smpte170m";
}

void TestVideoColour::taggedAndFaithful()
{
    QFETCH(QString, profile);
    ZomProfileData data(profile);
    QVERIFY(ZoProfileManager::instance()->getPresetData(data));
    data.setValue(QStringLiteral("an"), true);
    MediaFormat format;
    formatFromProfile(data, format);
    const EncoderJob job
        = buildEncoderJob(data, format, dir.path(), profile, dir.path(), testAppDir());

    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);
    AVWriterManager manager;
    QVERIFY(manager.open(format));
    manager.setRenderer(&render);
    auto video = std::make_unique<AVPipeWriter>(format);
    QVERIFY(video->start(job.videoCommand));
    QSignalSpy done(video.get(), &AVPipeWriter::finished);
    manager.setVideoWriter(std::move(video));
    QSignalSpy end(&manager, &AVWriterManager::compileEnd);
    manager.startWriting();
    QVERIFY(end.wait(120000));
    manager.stopWriting();
    manager.closeWriters();
    QVERIFY(done.wait(60000));
    QVERIFY2(manager.videoWriter()->succeeded(), qPrintable(manager.videoWriter()->lastMessage()));

    const QJsonObject stream = videoStream(job.videoTarget);
    QCOMPARE(stream.value("width").toInt(), format.width);
    QTEST(stream.value("color_space").toString(), "matrix");
    QTEST(stream.value("color_primaries").toString(), "primaries");
    QTEST(stream.value("color_transfer").toString(), "transfer");
    QCOMPARE(stream.value("color_range").toString(), QStringLiteral("tv"));

    // One frame decoded the way the stream asks to be decoded.
    const QString raw = dir.filePath(profile + QStringLiteral(".rgb"));
    const QString scale = QStringLiteral("scale=in_color_matrix=%1:in_range=tv,format=rgb24")
                              .arg(scalerMatrixName(stream.value("color_space").toString()));
    QVERIFY(
        runFfmpeg({"-i", job.videoTarget, "-frames:v", "1", "-vf", scale, "-f", "rawvideo", raw}));
    QFile file(raw);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray frame = file.readAll();
    QCOMPARE(frame.size(), qsizetype(format.width) * format.height * 3);
    const auto *centre = reinterpret_cast<const uchar *>(frame.constData())
        + (qsizetype(format.height / 2) * format.width + format.width / 2) * 3;
    const QColor got(centre[0], centre[1], centre[2]);
    const auto near = [](int a, int b) {
        return qAbs(a - b) <= 3;
    };
    QVERIFY2(
        near(got.red(), photoColour.red()) && near(got.green(), photoColour.green())
            && near(got.blue(), photoColour.blue()),
        qPrintable(QStringLiteral("(%1, %2, %3)").arg(got.red()).arg(got.green()).arg(got.blue())));
    QFile::remove(job.videoTarget);
}

QTEST_MAIN(TestVideoColour)
#include "tst_videocolour.moc"
