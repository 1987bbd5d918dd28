// SPDX-License-Identifier: GPL-3.0-or-later
// The photostrip harness imports what it is given, folders expanded, and shows the strip.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPhotoStrip : public QObject
{
    Q_OBJECT
private slots:
    void showsImportedPhotos();
};

void TestPhotoStrip::showsImportedPhotos()
{
    QTemporaryDir dir;
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString loose = dir.filePath(QStringLiteral("loose.jpg"));
    const QString first = dir.filePath(QStringLiteral("folder/A.jpg"));
    const QString second = dir.filePath(QStringLiteral("folder/b.png"));
    QVERIFY(photo.save(loose) && photo.save(first) && photo.save(second));
    const QString screenshot = dir.filePath(QStringLiteral("strip.png"));

    QProcess strip;
    strip.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    strip.start(QStringLiteral(PHOTOSTRIP_PROGRAM),
                {QStringLiteral("--screenshot"), screenshot, loose, dir.filePath("folder")});
    QVERIFY(strip.waitForFinished(60000));
    QCOMPARE(strip.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(strip.readAllStandardOutput()),
             QStringList({loose, first, second, QString()}).join(QLatin1Char('\n'))
                 + QLatin1Char('\n'));
    const QImage shown(screenshot);
    QVERIFY(!shown.isNull());
    // The first thumbnail shows the photo's colour (as near as JPEG keeps it).
    const QColor seen = shown.pixelColor(60, 45);
    const QColor expected(Qt::darkCyan);
    QVERIFY2(qAbs(seen.red() - expected.red()) + qAbs(seen.green() - expected.green())
                     + qAbs(seen.blue() - expected.blue())
                 < 12,
             qPrintable(seen.name()));
}

QTEST_GUILESS_MAIN(TestPhotoStrip)
#include "tst_photostrip.moc"
