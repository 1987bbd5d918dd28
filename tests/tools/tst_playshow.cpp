// SPDX-License-Identifier: GPL-3.0-or-later
// The playshow harness plays a generated show in the preview player to its end and stops there,
// as the main window does, with the picture kept in time by the sound.
#include "tests/support/testsupport.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestPlayShow : public QObject
{
    Q_OBJECT
private slots:
    void playsToTheEnd();
    void refusesAShowWithoutPhotos();
};

void TestPlayShow::playsToTheEnd()
{
    QTemporaryDir dir;
    QStringList files;
    for (const QColor &color : {QColor(Qt::red), QColor(Qt::blue)}) {
        QImage image(96, 64, QImage::Format_RGB32);
        image.fill(color);
        files << dir.filePath(color.name().mid(1) + QStringLiteral(".png"));
        QVERIFY(image.save(files.last()));
    }
    files << dir.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeToneWav(files.last(), {{330.0, 1.0}, {660.0, 1.0}}));

    // 1 s photos and a 0.5 s transition: 2.5 s, 62.5 frames at 25 frames/s, so 63.
    QProcess play;
    play.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    play.start(QStringLiteral(PLAYSHOW_PROGRAM),
               QStringList {QStringLiteral("--photo-ms"), QStringLiteral("1000"),
                            QStringLiteral("--transition-ms"), QStringLiteral("500")}
                   + files);
    QVERIFY(play.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(play.readAllStandardOutput());
    QCOMPARE(play.exitCode(), 0);
    QVERIFY2(output.contains(QStringLiteral("2 photos, 1 audio clips, 63 frames")),
             qPrintable(output));
    const QRegularExpressionMatch ended
        = QRegularExpression(QStringLiteral("ended after (\\d+) ms: (\\d+) frames from frame 0"))
              .match(output);
    QVERIFY2(ended.hasMatch(), qPrintable(output));
    // The show is over once its last frame's sound has played (63 frames at 25 a second), not
    // before.
    QVERIFY2(ended.captured(1).toInt() >= 2400, qPrintable(output));
    QVERIFY(ended.captured(2).toInt() >= 63);
}

void TestPlayShow::refusesAShowWithoutPhotos()
{
    QProcess play;
    play.start(QStringLiteral(PLAYSHOW_PROGRAM), {QStringLiteral("/nonexistent/tone.wav")});
    QVERIFY(play.waitForFinished(60000));
    QCOMPARE(play.exitCode(), 2);
    QVERIFY(play.readAllStandardOutput().contains("no photos to show"));
}

QTEST_GUILESS_MAIN(TestPlayShow)
#include "tst_playshow.moc"
