// The output format a profile gives.
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
    QTest::newRow("upper-case X, trailing words") << "1280X720 (HD)"
                                                  << "29.97fps"
                                                  << "2"
                                                  << "44100" << 1280 << 720 << 29.97 << 2 << 44100;
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
#include "tst_outputformat.moc"
