// SPDX-License-Identifier: GPL-3.0-or-later
// The getting-started picture: which file is shown for a language and where it is painted.
#include "controls/gettingstartlabel.h"
#include "tests/support/testsupport.h"
#include "zofc/zolangitemmodel.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class TestGettingStartLabel : public QObject
{
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void localizedPath_data();
    void localizedPath();
    void reloadPicksLanguageOrFallsBack_data();
    void reloadPicksLanguageOrFallsBack();
    void paintsThePictureAtItsPlace();

private:
    QString savePicture(const QString &name, QColor colour, QSize size = {200, 100});

    TempSettings settings; // the language is a setting
    QTemporaryDir dir;
};

QString TestGettingStartLabel::savePicture(const QString &name, QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG"))
        return {};
    return path;
}

void TestGettingStartLabel::placement_data()
{
    QTest::addColumn<QSize>("label");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("tall label keeps 20 from the top")
        << QSize(400, 300) << QSize(200, 100) << QPoint(100, 20);
    QTest::newRow("low label centres down")
        << QSize(400, 120) << QSize(200, 100) << QPoint(100, 10);
    QTest::newRow("picture larger than the label")
        << QSize(100, 50) << QSize(200, 100) << QPoint(-50, -25);
}

void TestGettingStartLabel::placement()
{
    QFETCH(QSize, label);
    QFETCH(QSize, picture);
    QFETCH(QPoint, origin);
    QCOMPARE(GettingStartLabel::pictureOrigin(label, picture), origin);
}

void TestGettingStartLabel::localizedPath_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("expected");
    QTest::newRow("german") << "/skin/app.x/start.png"
                            << "de_DE"
                            << "/skin/app.x/start_de_DE.png";
    QTest::newRow("english keeps the base") << "/skin/start.png"
                                            << "en_US"
                                            << "/skin/start.png";
    QTest::newRow("no dot is used unchanged") << "/skin/start"
                                              << "de_DE"
                                              << "/skin/start";
    QTest::newRow("only the last dot") << "/a.b/start.tar.png"
                                       << "fr_FR"
                                       << "/a.b/start.tar_fr_FR.png";
}

void TestGettingStartLabel::localizedPath()
{
    QFETCH(QString, base);
    QFETCH(QString, lang);
    QFETCH(QString, expected);
    QCOMPARE(GettingStartLabel::localizedPath(base, lang), expected);
}

void TestGettingStartLabel::reloadPicksLanguageOrFallsBack_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("expectedFile");
    QTest::newRow("localized file exists") << "de_DE"
                                           << "start_de_DE.png";
    QTest::newRow("localized file missing") << "fr_FR"
                                            << "start.png";
    QTest::newRow("en_US ignores its own file") << "en_US"
                                                << "start.png";
}

void TestGettingStartLabel::reloadPicksLanguageOrFallsBack()
{
    QFETCH(QString, lang);
    QFETCH(QString, expectedFile);
    const QString base = savePicture(QStringLiteral("start.png"), Qt::red);
    savePicture(QStringLiteral("start_de_DE.png"), Qt::green);
    savePicture(QStringLiteral("start_en_US.png"), Qt::blue);
    ZoLangItemModel::setCurrentLangName(lang);

    GettingStartLabel label;
    label.setGettingStart(base);
    QVERIFY(label.image().isNull()); // writing the property does not load
    label.reloadImage();
    QCOMPARE(label.loadedPath(), dir.filePath(expectedFile));
    QVERIFY(!label.image().isNull());
}

void TestGettingStartLabel::paintsThePictureAtItsPlace()
{
    ZoLangItemModel::setCurrentLangName(QStringLiteral("en_US"));
    GettingStartLabel label;
    label.setStyleSheet(QStringLiteral("background: white"));
    label.resize(400, 300);
    label.setGettingStart(savePicture(QStringLiteral("start.png"), Qt::red));
    label.reloadImage();
    QImage shot = label.grab().toImage();
    QCOMPARE(shot.pixelColor(100, 20), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(299, 119), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(99, 20), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(100, 19), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(300, 119), QColor(Qt::white));

    // A missing base picture draws nothing.
    label.setGettingStart(dir.filePath(QStringLiteral("missing.png")));
    label.reloadImage();
    QVERIFY(label.image().isNull());
    shot = label.grab().toImage();
    QCOMPARE(shot.pixelColor(200, 70), QColor(Qt::white));
}

QTEST_MAIN(TestGettingStartLabel)
#include "tst_gettingstartlabel.moc"
