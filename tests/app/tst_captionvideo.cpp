// SPDX-License-Identifier: GPL-3.0-or-later
// A show with captions made into a video from the command line: the captions drawn in the frames
// of their photos only, and carried as a subtitle track (and a SubRip file on request) whose cues
// start and end with their photos.
#include "storyboard/showfile.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Cue
{
    double start = 0.0;
    double end = 0.0;
    QString text;
};

QList<Cue> readSubRip(const QByteArray &bytes)
{
    static const QRegularExpression timing(
        QStringLiteral(R"((\d+):(\d+):(\d+)[,.](\d+) --> (\d+):(\d+):(\d+)[,.](\d+))"));
    QList<Cue> cues;
    const QStringList blocks = QString::fromUtf8(bytes)
                                   .replace(QStringLiteral("\r\n"), "\n")
                                   .split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    for (const QString &block : blocks) {
        QStringList lines = block.split(QLatin1Char('\n'));
        while (!lines.isEmpty() && !timing.match(lines.first()).hasMatch())
            lines.removeFirst();
        if (lines.isEmpty())
            continue;
        const QRegularExpressionMatch m = timing.match(lines.takeFirst());
        const auto seconds = [&m](int first) {
            return m.captured(first).toInt() * 3600.0 + m.captured(first + 1).toInt() * 60.0
                + m.captured(first + 2).toInt() + m.captured(first + 3).toInt() / 1000.0;
        };
        cues.append({seconds(1), seconds(5), lines.join(QLatin1Char('\n'))});
    }
    return cues;
}

// Pixels of a frame that are near white: the captions' letters, on photos of dark colours.
int whitePixels(const QImage &frame)
{
    int count = 0;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const QColor c = frame.pixelColor(x, y);
            count += std::min({c.red(), c.green(), c.blue()}) > 200;
        }
    }
    return count;
}

} // namespace

class TestCaptionVideo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void carriesCaptions_data();
    void carriesCaptions();
    void captionsFromTheCommandLine();

private:
    QTemporaryDir media;
    QString showPath;
};

void TestCaptionVideo::initTestCase()
{
    // Three photos held 1 s with 0.5 s dissolves: photo 0 from 0 to 1.5 s (its transition
    // included), photo 1 from 1.5 to 3 s, photo 2 from 3 to 4 s. Photos 0 and 2 have captions.
    ShowFile show;
    show.photoDurationMs = 1000;
    show.transitionDurationMs = 500;
    show.dissolveOnly = true;
    show.useZoom = false;
    const QColor colours[] = {QColor(110, 0, 0), QColor(0, 0, 110), QColor(0, 90, 0)};
    for (int i = 0; i < 3; ++i) {
        QImage image(320, 180, QImage::Format_RGB32);
        image.fill(colours[i]);
        ImageInfo photo;
        photo.path = media.filePath(QStringLiteral("photo%1.png").arg(i));
        QVERIFY(image.save(photo.path));
        show.photos.append(photo);
    }
    show.photos[0].caption.text = QStringLiteral("First light\nover the bay");
    show.photos[2].caption.text = QStringLiteral("שלום, the end");
    show.captionStyle.size = 0.12;
    AudioInfo tone;
    tone.path = media.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeToneWav(tone.path, {{440.0, 5.0}}));
    tone.duration = 5.0;
    tone.clipEnd = 5.0;
    show.audios.append(tone);
    showPath = media.filePath(QStringLiteral("captions.vellumix"));
    QString error;
    QVERIFY2(writeShowFile(showPath, show, &error), qPrintable(error));
}

void TestCaptionVideo::carriesCaptions_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("codec");
    // The encoder's MP4 writer enables the first track of every kind whatever it is told, which
    // readers report as a default track; Matroska keeps the track off.
    QTest::addColumn<int>("shownByDefault");
    QTest::newRow("MP4") << QStringLiteral("mpeg4h264") << QStringLiteral("mp4")
                         << QStringLiteral("mov_text") << 1;
    QTest::newRow("Matroska") << QStringLiteral("mkv") << QStringLiteral("mkv")
                              << QStringLiteral("subrip") << 0;
}

void TestCaptionVideo::carriesCaptions()
{
    QFETCH(QString, profile);
    QFETCH(QString, extension);
    QFETCH(QString, codec);
    QFETCH(int, shownByDefault);
    QTemporaryDir home;
    const QString out = home.filePath(QStringLiteral("videos"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(testAppDir() + QStringLiteral("/vellumix"),
                  {QStringLiteral("create"), QStringLiteral("--quiet"), QStringLiteral("--srt"),
                   QStringLiteral("--profile"), profile, QStringLiteral("--set"),
                   QStringLiteral("s=320x180"), QStringLiteral("--output-dir"), out,
                   QStringLiteral("--name"), QStringLiteral("bay"), showPath});
    QVERIFY(process.waitForFinished(240000));
    const QByteArray err = process.readAllStandardError();
    QVERIFY2(process.exitCode() == 0, err.constData());
    const QStringList printed
        = QString::fromUtf8(process.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
    const QString video = QDir(out).filePath(QStringLiteral("bay.") + extension);
    const QString beside = QDir(out).filePath(QStringLiteral("bay.srt"));
    QCOMPARE(printed, (QStringList {beside, video}));

    const QJsonObject info = probeMedia(video);
    const QJsonObject track = streamOf(info, QStringLiteral("subtitle"));
    QCOMPARE(track.value(QLatin1String("codec_name")).toString(), codec);
    QCOMPARE(track.value(QLatin1String("disposition")).toObject().value("default").toInt(),
             shownByDefault);
    QCOMPARE(track.value(QLatin1String("disposition")).toObject().value("forced").toInt(), 0);
    const QStringList rate
        = streamOf(info, QStringLiteral("video")).value("r_frame_rate").toString().split('/');
    const double frame = rate.value(1).toDouble() / rate.value(0).toDouble();
    QVERIFY(frame > 0.0);

    const QString extracted = home.filePath(QStringLiteral("track.srt"));
    QVERIFY(runFfmpeg({QStringLiteral("-i"), video, QStringLiteral("-map"), QStringLiteral("0:s:0"),
                       QStringLiteral("-f"), QStringLiteral("srt"), extracted}));
    QFile trackFile(extracted);
    QVERIFY(trackFile.open(QIODevice::ReadOnly));
    QFile besideFile(beside);
    QVERIFY(besideFile.open(QIODevice::ReadOnly));
    for (const QList<Cue> &cues :
         {readSubRip(trackFile.readAll()), readSubRip(besideFile.readAll())}) {
        QCOMPARE(cues.size(), 2);
        QCOMPARE(cues[0].text, QStringLiteral("First light\nover the bay"));
        QCOMPARE(cues[1].text, QStringLiteral("שלום, the end"));
        const double expected[2][2] = {{0.0, 1.5}, {3.0, 4.0}};
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(std::abs(cues[i].start - expected[i][0]) <= frame + 1e-3,
                     qPrintable(QString::number(cues[i].start)));
            QVERIFY2(std::abs(cues[i].end - expected[i][1]) <= frame + 1e-3,
                     qPrintable(QString::number(cues[i].end)));
        }
    }

    // Drawn into the frames of photos 0 and 2, and not into photo 1's.
    const struct
    {
        double at;
        bool caption;
    } frames[] = {{0.5, true}, {2.0, false}, {3.6, true}};
    for (const auto &shot : frames) {
        const QString png = home.filePath(QStringLiteral("at%1.png").arg(shot.at));
        QVERIFY(runFfmpeg({QStringLiteral("-ss"), QString::number(shot.at), QStringLiteral("-i"),
                           video, QStringLiteral("-frames:v"), QStringLiteral("1"), png}));
        const int white = whitePixels(QImage(png));
        if (shot.caption)
            QVERIFY2(white > 150, qPrintable(QStringLiteral("%1 s: %2").arg(shot.at).arg(white)));
        else
            QVERIFY2(white < 5, qPrintable(QStringLiteral("%1 s: %2").arg(shot.at).arg(white)));
    }
}

void TestCaptionVideo::captionsFromTheCommandLine()
{
    // Photos named for their captions and a title card before them, from the command line: the
    // cues name the title first, then each photo, in show order.
    QTemporaryDir home;
    QStringList photos;
    for (const QString &name : {QStringLiteral("Old harbour"), QStringLiteral("Lighthouse")}) {
        QImage image(320, 180, QImage::Format_RGB32);
        image.fill(QColor(30, 30, 90));
        photos.append(home.filePath(name + QStringLiteral(".png")));
        QVERIFY(image.save(photos.last()));
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    QProcess process;
    process.setProcessEnvironment(env);
    const QString out = home.filePath(QStringLiteral("videos"));
    process.start(testAppDir() + QStringLiteral("/vellumix"),
                  QStringList {QStringLiteral("create"), QStringLiteral("--quiet"),
                               QStringLiteral("--srt"), QStringLiteral("--captions"),
                               QStringLiteral("filename"), QStringLiteral("--title"),
                               QStringLiteral("Our summer"), QStringLiteral("--photo-duration"),
                               QStringLiteral("1000"), QStringLiteral("--transition-duration"),
                               QStringLiteral("500"), QStringLiteral("--set"),
                               QStringLiteral("s=320x180"), QStringLiteral("--output-dir"), out}
                      + photos);
    QVERIFY(process.waitForFinished(240000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    QFile srt(QDir(out).filePath(QStringLiteral("My Photo Movie.srt")));
    QVERIFY(srt.open(QIODevice::ReadOnly));
    const QList<Cue> cues = readSubRip(srt.readAll());
    QCOMPARE(cues.size(), 3);
    QCOMPARE(cues[0].text, QStringLiteral("Our summer"));
    QCOMPARE(cues[1].text, QStringLiteral("Old harbour"));
    QCOMPARE(cues[2].text, QStringLiteral("Lighthouse"));
    QCOMPARE(cues[1].start, cues[0].end);

    // A source the command does not know is refused before anything is made.
    process.start(
        testAppDir() + QStringLiteral("/vellumix"),
        QStringList {QStringLiteral("create"), QStringLiteral("--captions"), QStringLiteral("exif")}
            + photos);
    QVERIFY(process.waitForFinished(60000));
    QVERIFY(process.exitCode() != 0);
    QVERIFY(process.readAllStandardError().contains("--captions"));
}

QTEST_MAIN(TestCaptionVideo)
#include "tst_captionvideo.moc"
