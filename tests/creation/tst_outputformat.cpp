// SPDX-License-Identifier: GPL-3.0-or-later
// The output format a profile gives.
#include "creation/avpipewriter.h"
#include "creation/commandline.h"
#include "creation/outputformat.h"
#include "storyboard/storyboard.h"
#include "zomprofile/zomprofiledata.h"

#include <QTest>

class TestOutputFormat : public QObject
{
    Q_OBJECT
private slots:
    void fromProfile_data();
    void fromProfile();
    void shapes_data();
    void shapes();
    void headerAndEncoderAgree_data();
    void headerAndEncoderAgree();
};

void TestOutputFormat::fromProfile_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("channels");
    QTest::addColumn<QString>("sampleRate");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("fps");
    QTest::addColumn<int>("outChannels");
    QTest::addColumn<int>("outRate");

    // The format before: 640 x 480 at 10 fps, 1 channel at 22050 Hz.
    QTest::newRow("PAL") << "720x576"
                         << "25fps"
                         << "2"
                         << "48000" << 720 << 576 << 25.0 << 2 << 48000;
    QTest::newRow("rounded to 4 and 2") << "722x577"
                                        << "25"
                                        << "6"
                                        << "44100" << 720 << 576 << 25.0 << 6 << 44100;
    QTest::newRow("upper-case X, trailing words")
        << "1280X720 (HD)"
        << "29.97fps"
        << "2"
        << "44100" << 1280 << 720 << 30000.0 / 1001.0 << 2 << 44100;
    QTest::newRow("ignored values keep theirs") << "ignore"
                                                << "auto"
                                                << "auto"
                                                << "ignore_me" << 640 << 480 << 10.0 << 1 << 22050;
    QTest::newRow("NTSC fraction") << "640x480"
                                   << "30000/1001"
                                   << "2"
                                   << "48000" << 640 << 480 << 30000.0 / 1001.0 << 2 << 48000;
    // Values that count but cannot be used would give a show of no frames or no sound.
    QTest::newRow("unusable values") << ""
                                     << "fast"
                                     << "0"
                                     << "-5" << 640 << 480 << 10.0 << 1 << 22050;
    // Sizes are read as the encoder reads them: its names for sizes too, but no glued-on words.
    QTest::newRow("size names") << "pal"
                                << ""
                                << ""
                                << "" << 720 << 576 << 10.0 << 1 << 22050;
    QTest::newRow("size name, upper case") << "HD720"
                                           << ""
                                           << ""
                                           << "" << 1280 << 720 << 10.0 << 1 << 22050;
    QTest::newRow("words glued on") << "720x576pal"
                                    << ""
                                    << ""
                                    << "" << 640 << 480 << 10.0 << 1 << 22050;
    QTest::newRow("one number only") << "720"
                                     << ""
                                     << ""
                                     << "" << 640 << 480 << 10.0 << 1 << 22050;
}

void TestOutputFormat::fromProfile()
{
    QFETCH(QString, size);
    QFETCH(QString, rate);
    QFETCH(QString, channels);
    QFETCH(QString, sampleRate);
    ZomProfileData profile(QStringLiteral("test"));
    profile.setValue(QStringLiteral("s"), size);
    profile.setValue(QStringLiteral("r"), rate);
    profile.setValue(QStringLiteral("ac"), channels);
    profile.setValue(QStringLiteral("ar"), sampleRate);
    MediaFormat format;
    format.width = 320;
    format.height = 200;
    format.frameRate = 10.0;
    format.channels = 1;
    format.sampleRate = 22050;
    format.bitsPerSample = 8;
    formatFromProfile(profile, format);

    QTEST(format.width, "width");
    QTEST(format.height, "height");
    QFETCH(double, fps);
    QVERIFY2(qAbs(format.frameRate - fps) < 1e-9, qPrintable(QString::number(format.frameRate)));
    QTEST(format.channels, "outChannels");
    QTEST(format.sampleRate, "outRate");
    QCOMPARE(format.aspect, double(format.width) / format.height);
    QCOMPARE(format.bitsPerSample, 8);
}

QTEST_GUILESS_MAIN(TestOutputFormat)

void TestOutputFormat::shapes_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QSize>("expected");

    // The shorter side of the profile's frame is its resolution class and stays.
    QTest::newRow("1080p phone") << "1920x1080"
                                 << "9:16" << QSize(1080, 1920);
    QTest::newRow("1080p square") << "1920x1080"
                                  << "1:1" << QSize(1080, 1080);
    QTest::newRow("1080p portrait") << "1920x1080"
                                    << "4:5" << QSize(1080, 1350);
    QTest::newRow("720p wide") << "1280x720"
                               << "16:9" << QSize(1280, 720);
    QTest::newRow("4K phone") << "3840x2160"
                              << "9:16" << QSize(2160, 3840);
    // 853.3 pixels: the width goes to a multiple of 4, the height to an even size.
    QTest::newRow("VGA wide") << "640x480"
                              << "16:9" << QSize(852, 480);
    QTest::newRow("VGA phone") << "640x480"
                               << " 9 : 16 " << QSize(480, 854);
    QTest::newRow("odd size given") << "641x361"
                                    << "9:16" << QSize(360, 640);
    QTest::newRow("size auto") << "auto"
                               << "1:1" << QSize(480, 480);
    QTest::newRow("not a shape") << "1280x720"
                                 << "16/9" << QSize(1280, 720);
    QTest::newRow("zero") << "1280x720"
                          << "0:9" << QSize(1280, 720);
    QTest::newRow("three numbers") << "1280x720"
                                   << "1:2:3" << QSize(1280, 720);
    QTest::newRow("words") << "1280x720"
                           << "wide" << QSize(1280, 720);
}

void TestOutputFormat::shapes()
{
    QFETCH(QString, size);
    QFETCH(QString, shape);
    QFETCH(QSize, expected);
    ZomProfileData profile;
    profile.setValue(QStringLiteral("s"), size);
    applyFrameShape(profile, parseFrameShape(shape));
    MediaFormat format;
    formatFromProfile(profile, format);
    QCOMPARE(QSize(format.width, format.height), expected);
    QVERIFY(format.width % 4 == 0 && format.height % 2 == 0);
    // An unusable shape leaves the profile's value alone.
    if (!parseFrameShape(shape).isValid())
        QCOMPARE(profile.text(QStringLiteral("s")), size);
}

void TestOutputFormat::headerAndEncoderAgree_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("option");

    // The encoder is told the rate the stream header gives, or it re-times every frame.
    QTest::newRow("29.97 is NTSC") << "29.97fps"
                                   << "F30000:1001"
                                   << "-r 30000/1001";
    QTest::newRow("23.976 is NTSC film") << "23.976"
                                         << "F24000:1001"
                                         << "-r 24000/1001";
    QTest::newRow("59.94 with a blank") << "59.94 fps"
                                        << "F60000:1001"
                                        << "-r 60000/1001";
    QTest::newRow("whole") << "25fps"
                           << "F2500:100"
                           << "-r 25";
    QTest::newRow("half") << "12.5"
                          << "F1250:100"
                          << "-r 25/2";
    QTest::newRow("named") << "ntsc"
                           << "F30000:1001"
                           << "-r 30000/1001";
}

void TestOutputFormat::headerAndEncoderAgree()
{
    QFETCH(QString, rate);
    QFETCH(QString, header);
    QFETCH(QString, option);
    ZomProfileData profile(QStringLiteral("test"));
    profile.setValue(QStringLiteral("s"), QStringLiteral("720x480"));
    profile.setValue(QStringLiteral("r"), rate);
    MediaFormat format;
    formatFromProfile(profile, format);
    const QString line = QString::fromLatin1(AVPipeWriter::videoHeader(format));
    QVERIFY2(line.contains(QLatin1Char(' ') + header + QLatin1Char(' ')), qPrintable(line));
    const QString arguments = buildArguments(profile, format);
    QVERIFY2(arguments.contains(QLatin1Char(' ') + option + QLatin1Char(' ')),
             qPrintable(arguments));
}

#include "tst_outputformat.moc"
