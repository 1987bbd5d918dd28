// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/commandline.h"
#include "creation/videocolour.h"
#include "storyboard/storyboard.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Options and file names of the encoder runs, without running the encoder.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void codecSubstitutions();
    void skippedValues_data();
    void skippedValues();
    void switchesAndRateControl();
    void aspectAddedOnce();
    void parseFrameRate_data();
    void parseFrameRate();
    void deviceBitrateTolerance();
    void containerFormatPerEntry();
    void metadataQuoting();
    void selectedArguments();
    void fileNames();
    void commandsByExtension_data();
    void commandsByExtension();
    void colourBySize_data();
    void colourBySize();
    void quotingSurvivesSplitting_data();
    void quotingSurvivesSplitting();
    void lastLogLines_data();
    void lastLogLines();
    void progressFrame_data();
    void progressFrame();

private:
    static ZomProfileData profile(const QString &id, const QList<QPair<QString, QVariant>> &values);
    void writeProfile(const QString &id, const QString &tags);

    QTemporaryDir dir;
    MediaFormat vga; // 640 x 480
};

ZomProfileData TestCommandLine::profile(const QString &id,
                                        const QList<QPair<QString, QVariant>> &values)
{
    ZomProfileData data(id);
    for (const auto &[key, value] : values)
        data.setValue(key, value);
    return data;
}

void TestCommandLine::writeProfile(const QString &id, const QString &tags)
{
    QFile file(dir.filePath(id + QLatin1String(".profile")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[template]\n" + tags.toUtf8() + "\n[values]\n/ext_name = mp4\n");
}

void TestCommandLine::initTestCase()
{
    QVERIFY(dir.isValid());
    writeProfile(QStringLiteral("device"), QStringLiteral("type = device"));
    writeProfile(QStringLiteral("desktop"), QStringLiteral("type = video"));
    writeProfile(QStringLiteral("asfout"), QStringLiteral("type = video\next_format = asf"));
    QVERIFY(ZoProfileManager::instance()->loadTemplates(dir.path()));
    QCOMPARE(ZoProfileManager::instance()->profileType(QStringLiteral("device")), 3);
}

void TestCommandLine::codecSubstitutions()
{
    const ZomProfileData wmv
        = profile({}, {{"acodec", "wma9x"}, {"b", "768k"}, {"vcodec", "wmv3x"}});
    QCOMPARE(buildArguments(wmv, vga),
             QStringLiteral(" -acodec wmav2 -b 768k -vcodec wmv2 -aspect 1.33333"));

    const ZomProfileData other = profile({}, {{"acodec", "wmalsl"}, {"vcodec", "libvp8_encoder"}});
    QCOMPARE(buildArguments(other, vga),
             QStringLiteral(" -acodec wmav2 -vcodec libvp8 -aspect 1.33333"));
    // Codec values compare exactly: an upper-case name is passed as it is.
    const ZomProfileData upper = profile({}, {{"vcodec", "WMV3X"}});
    QCOMPARE(buildArguments(upper, vga), QStringLiteral(" -vcodec WMV3X -aspect 1.33333"));
}

void TestCommandLine::skippedValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("inAll");
    QTest::addColumn<bool>("inSelected");
    QTest::newRow("Auto") << "Auto" << false << true;
    QTest::newRow("auto") << "auto" << false << false;
    QTest::newRow("DEFAULT") << "DEFAULT" << false << true;
    QTest::newRow("IGNORE_ME") << "IGNORE_ME" << false << true;
    QTest::newRow("ignore_me") << "ignore_me" << false << false;
    QTest::newRow("autodetect") << "autodetect" << true << false;
    QTest::newRow("Autodetect") << "Autodetect" << true << true;
    QTest::newRow("empty") << "" << false << false;
}

void TestCommandLine::skippedValues()
{
    QFETCH(QString, value);
    QFETCH(bool, inAll);
    QFETCH(bool, inSelected);
    const ZomProfileData data = profile({}, {{"g", value}, {"aspect", "4:3"}});
    const QString option = QStringLiteral(" -g ") + value;
    QCOMPARE(buildArguments(data, vga),
             QStringLiteral(" -aspect 4:3") + (inAll ? option : QString()));
    QCOMPARE(buildSelectedArguments({"g"}, data), inSelected ? option : QString());
}

void TestCommandLine::switchesAndRateControl()
{
    // A "flag_" key is a switch whatever it holds; other keys are switches when boolean, or
    // when the profile library calls their type "bool".
    const ZomProfileData data = profile({},
                                        {{"flag_dn", false},
                                         {"flag_shortest", "true"},
                                         {"an", "TRUE"},
                                         {"sameq", "false"},
                                         {"hq", false},
                                         {"vn", true},
                                         {"aspect", "16:9"}});
    QCOMPARE(buildArguments(data, vga),
             QStringLiteral(" -an -aspect 16:9 -dn -shortest -sameq false -vn"));

    const auto withMode = [&](const QVariant &mode) {
        ZomProfileData p = profile({}, {{"vbrquality", "4"}, {"aspect", "4:3"}});
        if (mode.isValid())
            p.setValue(QStringLiteral("cbrorvbr"), mode);
        return buildArguments(p, vga);
    };
    QCOMPARE(withMode("CBR"), QStringLiteral(" -aspect 4:3 -cbrorvbr CBR"));
    QCOMPARE(withMode("cbr"), QStringLiteral(" -aspect 4:3 -cbrorvbr cbr -vbrquality 4"));
    QCOMPARE(withMode("VBR"), QStringLiteral(" -aspect 4:3 -cbrorvbr VBR -vbrquality 4"));
    QCOMPARE(withMode(QVariant()), QStringLiteral(" -aspect 4:3 -vbrquality 4"));

    // Never passed as options.
    const ZomProfileData never = profile({},
                                         {{"t", "10"},
                                          {"ss", "1"},
                                          {"s", "640x480"},
                                          {"pass", "2"},
                                          {"a/b", "1"},
                                          {"a,b", "1"},
                                          {"/name", "X"}});
    QCOMPARE(buildArguments(never, vga), QStringLiteral(" -aspect 1.33333"));
}

void TestCommandLine::aspectAddedOnce()
{
    QCOMPARE(buildArguments(profile({}, {{"ASPECT", "4:3"}}), vga), QStringLiteral(" -ASPECT 4:3"));
    QCOMPARE(buildArguments(profile({}, {{"comment", "aspect"}}), vga),
             QStringLiteral(" -metadata comment = aspect"));
    MediaFormat none;
    none.height = 0; // no ratio to give rather than "-aspect inf"
    QCOMPARE(buildArguments(profile({}, {}), none), QString());
}

void TestCommandLine::parseFrameRate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("rate");
    QTest::newRow("25 fps") << "25 fps" << 25.0;
    QTest::newRow("25fps") << "25fps" << 25.0;
    QTest::newRow("29.97fps is NTSC") << "29.97fps" << 30000.0 / 1001.0;
    QTest::newRow("23.98 is NTSC film") << "23.98" << 24000.0 / 1001.0;
    QTest::newRow("12.5 stays") << "12.5" << 12.5;
    QTest::newRow("ntsc fraction") << "30000/1001" << 30000.0 / 1001.0;
    QTest::newRow("zero denominator") << "25/0" << 0.0;
    QTest::newRow("tiny denominator") << "25/0.1" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only unit") << "fps" << 0.0;
    QTest::newRow("two slashes") << "30000/1001/2" << 0.0;
    QTest::newRow("words") << "24 frames" << 24.0;
    QTest::newRow("not a number") << "fast" << 0.0;
}

void TestCommandLine::parseFrameRate()
{
    QFETCH(QString, text);
    QFETCH(double, rate);
    QCOMPARE(::parseFrameRate(text), rate);
}

void TestCommandLine::deviceBitrateTolerance()
{
    const auto args = [&](const QString &id, const QString &rate) {
        return buildArguments(profile(id, {{"r", rate}, {"aspect", "4:3"}}), vga);
    };
    QCOMPARE(args("device", "25fps"), QStringLiteral(" -aspect 4:3 -r 25 -bt 8.00K"));
    QCOMPARE(args("device", "25/0"), QStringLiteral(" -aspect 4:3 -r 25/0 -bt 20000.00K"));
    QCOMPARE(args("/some/where/device.profile", "30000/1001"),
             QStringLiteral(" -aspect 4:3 -r 30000/1001 -bt 6.67K"));
    QCOMPARE(args("desktop", "25fps"), QStringLiteral(" -aspect 4:3 -r 25"));
    QCOMPARE(args("", "29.97fps"), QStringLiteral(" -aspect 4:3 -r 30000/1001"));
}

void TestCommandLine::containerFormatPerEntry()
{
    // The container goes after every option that was written, also after a false switch, and
    // not after a skipped value.
    ZomProfileData data = profile(
        "asfout",
        {{"/ext_name", "wmv"}, {"b", "1k"}, {"r", "auto"}, {"flag_x", false}, {"hq", false}});
    QCOMPARE(buildArguments(data, vga),
             QStringLiteral(" -b 1k -f asf -x -f asf -f asf -aspect 1.33333"));
    data.setValue(QStringLiteral("/ext_name"), QStringLiteral("ASF"));
    QCOMPARE(buildArguments(data, vga), QStringLiteral(" -b 1k -x -aspect 1.33333"));
}

void TestCommandLine::metadataQuoting()
{
    QCOMPARE(buildArguments(profile({}, {{"title", "Summer"}, {"aspect", "4:3"}}), vga),
             QStringLiteral(" -aspect 4:3 -metadata title = Summer"));
    // A value a shell would split or interpret is quoted, so it reaches the encoder whole.
    const QString args = buildArguments(
        profile({}, {{"title", "Our \"big\" day $5 \\o/"}, {"aspect", "4:3"}}), vga);
    QCOMPARE(args,
             QStringLiteral(" -aspect 4:3 -metadata title = \"Our \\\"big\\\" day \\$5 \\\\o/\""));
    QCOMPARE(splitCommandLine(args),
             QStringList({"-aspect", "4:3", "-metadata", "title", "=", "Our \"big\" day $5 \\o/"}));
}

void TestCommandLine::selectedArguments()
{
    const ZomProfileData data = profile({},
                                        {{"acodec", "wma8x"},
                                         {"ab", "128K"},
                                         {"ac", "2"},
                                         {"ar", "44100"},
                                         {"vol", "256"},
                                         {"vcodec", "wmv2x"},
                                         {"b", "768K"},
                                         {"r", "Auto"},
                                         {"title", "x"}});
    QCOMPARE(buildSelectedArguments({"vcodec", "b", "r"}, data),
             QStringLiteral(" -vcodec wmv2 -b 768K -r Auto"));
    QCOMPARE(buildSelectedArguments({"acodec", "ac", "ar", "ab", "vol"}, data),
             QStringLiteral(" -acodec wmav2 -ac 2 -ar 44100 -ab 128K -vol 256"));
    QCOMPARE(buildSelectedArguments({"missing", "title"}, data), QStringLiteral(" -title x"));
}

void TestCommandLine::fileNames()
{
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString name = QStringLiteral("My Photo Movie");
    QCOMPARE(uniqueOutputPath(out.path(), name, "mp4"), out.filePath("My Photo Movie.mp4"));
    for (const char *existing :
         {"My Photo Movie.mp4", "My Photo Movie(1).mp4", "My Photo Movie(3).mp4"}) {
        QFile f(out.filePath(QLatin1String(existing)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QCOMPARE(uniqueOutputPath(out.path(), name, "mp4"), out.filePath("My Photo Movie(2).mp4"));
    QCOMPARE(uniqueOutputPath(out.path(), name, "avi"), out.filePath("My Photo Movie.avi"));

    QCOMPARE(audioTempExtension("OGV"), QStringLiteral("ogg"));
    QCOMPARE(audioTempExtension("Swf"), QStringLiteral("mp3"));
    QCOMPARE(audioTempExtension("QT"), QStringLiteral("wav"));
    QCOMPARE(audioTempExtension("mkv"), QStringLiteral("mkv"));

    QCOMPARE(thumbnailPath("/v/movie.mp4"), QStringLiteral("/v/movie.THM"));
    QCOMPARE(thumbnailPath("/v/a.b/movie.x.mp4"), QStringLiteral("/v/a.b/movie.x.THM"));
    QCOMPARE(thumbnailPath("/v/a.b/movie"), QStringLiteral("/v/a.b/movie.THM"));
    QCOMPARE(thumbnailCommand("/v/movie.mp4", "/v/movie.THM"),
             QStringLiteral("\"avc\" -@ -y -i \"/v/movie.mp4\" -ss 0.00 -f image2 -vcodec mjpeg "
                            "-vframes 5 -s 160x120 -an \"/v/movie.THM\""));
}

void TestCommandLine::commandsByExtension_data()
{
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("video");
    QTest::addColumn<QString>("audio");
    QTest::addColumn<QString>("mux");

    const QString audioFull = QStringLiteral(
        " -ab 128K -acodec aac -ar 44100 -b 768K -vcodec mpeg4 -vol 256 -aspect 1.33333");
    // A 640 x 480 frame is standard definition: BT.601 with the 525-line primaries.
    const QString colour = QStringLiteral(
        " -colorspace smpte170m -color_primaries smpte170m -color_trc smpte170m -color_range tv");
    const QString full = audioFull + colour;
    const QString vsel = QStringLiteral(" -vcodec mpeg4 -b 768K") + colour;
    const QString asel = QStringLiteral(" -acodec aac -ar 44100 -ab 128K -vol 256");
    const QString v
        = QStringLiteral("\"/app/avc\" -@ -f yuv4mpegpipe -i - -an %1 -y \"/tmp/Clip_v.%2\"");
    const QString a = QStringLiteral("\"/app/avc\" -@ -f wav -i - -vn %1 -y \"/tmp/Clip_a.%2\"");
    const QString m = QStringLiteral("\"avc\" -@ -i \"/tmp/Clip_v.%1\" -i \"/tmp/Clip_a.%2\" "
                                     "%3-acodec copy -vcodec copy%4 -y \"/out/Clip.%1\"");
    // The files of the QuickTime family get their index in front.
    const QString fast = QStringLiteral(" -movflags +faststart");

    QTest::newRow("mp4") << "mp4"
                         << ""
                         << "" << v.arg(full, "mp4") << a.arg(audioFull, "mp4")
                         << m.arg("mp4", "mp4", "", fast);
    QTest::newRow("OGV") << "OGV"
                         << ""
                         << "" << v.arg(full, "OGV") << a.arg(audioFull, "ogg")
                         << m.arg("OGV", "ogg", "", "");
    QTest::newRow("wmv") << "wmv"
                         << ""
                         << "" << v.arg(vsel, "wmv") << a.arg(asel, "wmv")
                         << "\"avc\" -@ -f asf -i \"/tmp/Clip_v.wmv\" -f asf -i "
                            "\"/tmp/Clip_a.wmv\" -acodec copy -vcodec copy -y \"/out/Clip.wmv\"";
    QTest::newRow("mpg") << "mpg"
                         << ""
                         << "" << v.arg(full, "mpg") << a.arg(asel, "wav")
                         << m.arg("mpg", "wav", "-f vob ", "");
    QTest::newRow("dv") << "DV"
                        << ""
                        << "" << v.arg(full, "DV") << a.arg(asel, "wav")
                        << m.arg("DV", "wav", "", "");
    QTest::newRow("qt") << "qt"
                        << ""
                        << ""
                        << "\"/app/avc\" -@ -f yuv4mpegpipe -i - -f mov -an " + full
            + " -y \"/tmp/Clip_v.qt\""
                        << "\"/app/avc\" -@ -f wav -i - -f mov -vn " + audioFull
            + " -y \"/tmp/Clip_a.wav\""
                        << m.arg("qt", "wav", "-f mov ", fast);
    QTest::newRow("swf") << "swf"
                         << ""
                         << ""
                         << "\"/app/avc\" -@ -f yuv4mpegpipe -i - -vcodec flv -an " + full
            + " -y \"/tmp/Clip_v.swf\""
                         << a.arg(audioFull, "mp3")
                         << "\"avc\" -@ -f swf -i \"/tmp/Clip_v.swf\" -i \"/tmp/Clip_a.mp3\" "
                            "-acodec copy -vcodec copy -y \"/out/Clip.swf\"";
    QTest::newRow("psp") << "mp4"
                         << "psp"
                         << "" << v.arg(vsel, "mp4") << a.arg(asel, "mp4")
                         << m.arg("mp4", "mp4", "", fast);
    QTest::newRow("psp for tv") << "mp4"
                                << "PSP"
                                << "h.264 video for tv" << v.arg(full, "mp4")
                                << a.arg(audioFull, "mp4") << m.arg("mp4", "mp4", "", fast);
}

void TestCommandLine::commandsByExtension()
{
    QFETCH(QString, ext);
    QFETCH(QString, name);
    QFETCH(QString, fullName);
    ZomProfileData data = profile({},
                                  {{"/ext_name", ext},
                                   {"/name", name},
                                   {"/full_name", fullName},
                                   {"vcodec", "mpeg4"},
                                   {"acodec", "aac"},
                                   {"b", "768K"},
                                   {"ab", "128K"},
                                   {"ar", "44100"},
                                   {"vol", "256"}});
    const EncoderJob job = buildEncoderJob(data, vga, "/out", "Clip", "/tmp", "/app");
    QTEST(job.videoCommand, "video");
    QTEST(job.audioCommand, "audio");
    QTEST(job.muxCommand, "mux");
    QCOMPARE(job.finalPath, "/out/Clip." + ext);
    QCOMPARE(job.outputPath(), job.finalPath);
    QCOMPARE(job.psp, !name.isEmpty());
    const bool indexFirst = job.muxCommand.contains(" -movflags +faststart -y ");
    QCOMPARE(indexFirst, writesIndexFirst(ext));
    QCOMPARE(job.reencodeCommand,
             QStringLiteral("\"avc\" -@ -progress pipe:1 -nostats -i \"%1\" -i \"%2\" %3 -y \"%4\"")
                 .arg(job.videoTarget, job.audioTarget,
                      buildArguments(data, vga) + videoColourFor(640, 480).encoderOptions()
                          + (indexFirst ? " -movflags +faststart" : ""),
                      job.finalPath));

    data.setValue(QStringLiteral("an"), true);
    const EncoderJob silent = buildEncoderJob(data, vga, "/out", "Clip", "/tmp", "/app");
    QVERIFY(silent.noAudio);
    QCOMPARE(silent.videoTarget, "/out/Clip." + ext);
    QVERIFY(!silent.hasAudio());
    // Without sound the video run writes the final file, so it moves the index.
    QCOMPARE(silent.videoCommand.contains(" -movflags +faststart -y \"/out/Clip."), indexFirst);
    QCOMPARE(job.videoCommand.contains("faststart"), false);
    QVERIFY(silent.audioCommand.isEmpty() && silent.muxCommand.isEmpty()
            && silent.reencodeCommand.isEmpty());
}

void TestCommandLine::colourBySize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QString>("primaries");
    QTest::addColumn<QString>("transfer");
    QTest::addColumn<int>("scaler");
    QTest::newRow("4K") << 3840 << 2160 << "bt709"
                        << "bt709"
                        << "bt709" << 1;
    QTest::newRow("1080p") << 1920 << 1080 << "bt709"
                           << "bt709"
                           << "bt709" << 1;
    QTest::newRow("720p") << 1280 << 720 << "bt709"
                          << "bt709"
                          << "bt709" << 1;
    QTest::newRow("wide HD under 720 lines") << 1280 << 536 << "bt709"
                                             << "bt709"
                                             << "bt709" << 1;
    QTest::newRow("PAL") << 720 << 576 << "bt470bg"
                         << "bt470bg"
                         << "smpte170m" << 5;
    QTest::newRow("PAL square pixels") << 1024 << 576 << "bt470bg"
                                       << "bt470bg"
                                       << "smpte170m" << 5;
    QTest::newRow("QCIF") << 176 << 144 << "bt470bg"
                          << "bt470bg"
                          << "smpte170m" << 5;
    QTest::newRow("NTSC") << 720 << 480 << "smpte170m"
                          << "smpte170m"
                          << "smpte170m" << 5;
    QTest::newRow("VGA") << 640 << 480 << "smpte170m"
                         << "smpte170m"
                         << "smpte170m" << 5;
    QTest::newRow("just under HD") << 1276 << 718 << "smpte170m"
                                   << "smpte170m"
                                   << "smpte170m" << 5;
}

void TestCommandLine::colourBySize()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const VideoColour colour = videoColourFor(width, height);
    QTEST(colour.matrixName(), "matrix");
    QTEST(colour.primariesName(), "primaries");
    QTEST(colour.transferName(), "transfer");
    QTEST(colour.scalerMatrix(), "scaler");

    // Every run that encodes video carries the four tags, the audio run none.
    MediaFormat format;
    format.width = width;
    format.height = height;
    for (const char *ext : {"mp4", "wmv", "mkv"}) {
        const ZomProfileData data
            = profile({}, {{"/ext_name", ext}, {"vcodec", "libx264"}, {"acodec", "aac"}});
        const EncoderJob job = buildEncoderJob(data, format, "/out", "Clip", "/tmp", "/app");
        for (const QString &command : {job.videoCommand, job.reencodeCommand}) {
            const QStringList words = splitCommandLine(command);
            const auto option = [&words](const char *name) {
                const qsizetype at = words.indexOf(QLatin1String(name));
                return at > 0 && at + 1 < words.size() ? words.at(at + 1) : QString();
            };
            QCOMPARE(option("-colorspace"), colour.matrixName());
            QCOMPARE(option("-color_primaries"), colour.primariesName());
            QCOMPARE(option("-color_trc"), colour.transferName());
            QCOMPARE(option("-color_range"), QStringLiteral("tv"));
        }
        QVERIFY2(!job.audioCommand.contains(QLatin1String("-color")), qPrintable(job.audioCommand));
    }
}

void TestCommandLine::quotingSurvivesSplitting_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("blanks") << "/home/u/My Movies/2024 trip";
    QTest::newRow("non-ascii") << "/home/u/Fotos für Ömer/日本";
    QTest::newRow("dollar") << "/home/u/$HOME/${x}";
    QTest::newRow("backslash") << "/home/u/back\\slash\\";
    QTest::newRow("double quote") << "/home/u/\"quoted\" name";
    QTest::newRow("mixed") << "/h/'single' `tick` %1 %2 \\\"";
}

void TestCommandLine::quotingSurvivesSplitting()
{
    QFETCH(QString, folder);
    const ZomProfileData data
        = profile({}, {{"/ext_name", "mkv"}, {"title", folder}, {"vcodec", "mpeg4"}});
    const EncoderJob job = buildEncoderJob(data, vga, folder, "A \"b\"", folder + "/t", folder);

    const QStringList video = splitCommandLine(job.videoCommand);
    QCOMPARE(video.constFirst(), folder + "/avc");
    QCOMPARE(video.constLast(), folder + "/t/A \"b\"_v.mkv");
    const qsizetype meta = video.indexOf(QStringLiteral("-metadata"));
    QVERIFY(meta > 0);
    QCOMPARE(video.mid(meta, 4), QStringList({"-metadata", "title", "=", folder}));

    const QStringList mux = splitCommandLine(job.muxCommand);
    QCOMPARE(mux,
             QStringList({"avc", "-@", "-i", folder + "/t/A \"b\"_v.mkv", "-i",
                          folder + "/t/A \"b\"_a.mkv", "-acodec", "copy", "-vcodec", "copy", "-y",
                          folder + "/A \"b\".mkv"}));
}

void TestCommandLine::lastLogLines_data()
{
    QTest::addColumn<QByteArray>("log"); // null: no log file at all
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no log file") << QByteArray() << 5 << QStringList();
    QTest::newRow("progress lines end in carriage returns")
        << QByteArray(
               "Stream mapping:\nframe=    1 fps=0\rframe=   25 fps=24\rConversion failed!\n")
        << 2
        << QStringList {QStringLiteral("frame=   25 fps=24"), QStringLiteral("Conversion failed!")};
    QTest::newRow("blank lines left out, lines trimmed")
        << QByteArray("  first\n\n   \r\nsecond  \n\n") << 5
        << QStringList {QStringLiteral("first"), QStringLiteral("second")};
    QTest::newRow("none asked") << QByteArray("a\nb\n") << 0 << QStringList();
    QByteArray longLog;
    for (int i = 1; i <= 10000; ++i)
        longLog += QStringLiteral("line %1\n").arg(i, 5, 10, QLatin1Char('0')).toLatin1();
    QTest::newRow("end of a long log")
        << longLog << 2 << QStringList {QStringLiteral("line 09999"), QStringLiteral("line 10000")};
}

void TestCommandLine::lastLogLines()
{
    QFETCH(QByteArray, log);
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    const QString path = dir.filePath(QStringLiteral("encoder.log"));
    QFile::remove(path);
    if (!log.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(log);
    }
    QCOMPARE(::lastLogLines(path, count), expected);
    // However much is asked, a line cut by reading only the end of the file is never shown.
    for (const QString &line : ::lastLogLines(path, 100000))
        QVERIFY2(!line.startsWith(QLatin1String("line ")) || line.size() == 10, qPrintable(line));
}

void TestCommandLine::progressFrame_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<qint64>("frame");
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("one report") << QByteArray("frame=12\nfps=0.00\nprogress=continue\n") << 12LL
                                << QByteArray();
    QTest::newRow("the last of several")
        << QByteArray("frame=12\nprogress=continue\nframe=40\nprogress=end\n") << 40LL
        << QByteArray();
    QTest::newRow("a line cut short waits")
        << QByteArray("frame=12\nprogress=continue\nframe=4") << 12LL << QByteArray("frame=4");
    QTest::newRow("nothing whole yet") << QByteArray("frame=40") << -1LL << QByteArray("frame=40");
    QTest::newRow("log lines are not reports")
        << QByteArray("frame=   25 fps=24 q=2.0\rsize=12kB\n") << -1LL << QByteArray();
}

void TestCommandLine::progressFrame()
{
    QFETCH(QByteArray, chunk);
    QByteArray pending = chunk;
    QTEST(takeProgressFrame(pending), "frame");
    QTEST(pending, "left");
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
