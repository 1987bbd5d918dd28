// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/zosliderbar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <unistd.h>

namespace {

const QColor barColour(200, 0, 0);
const QColor clipColour(0, 180, 0);
const QColor thumbColour(0, 0, 220);
const QColor tagColour(220, 200, 0);

QString writeImage(const QTemporaryDir &dir, const QString &name, QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

// A bar 220 wide with margins of 10, so that the track is 200 pixels: a background 8 high at
// y 11, the clip region on top of it, tags 6 x 20 at y 4 and a thumb 10 x 10 at y 10.
struct Bar
{
    QTemporaryDir dir;
    ZoSliderBar slider;

    Bar()
    {
        slider.setHoriMargin(10);
        slider.setForeTop(11);
        slider.setFore(writeImage(dir, "fore.png", {16, 8}, barColour));
        slider.setClipForeTop(11);
        slider.setClipFore(writeImage(dir, "clip.png", {16, 8}, clipColour));
        slider.setClipTagTop(4);
        slider.setClipStart(writeImage(dir, "start.png", {6, 20}, tagColour));
        slider.setClipEnd(writeImage(dir, "end.png", {6, 20}, tagColour));
        slider.setThumbTop(10);
        slider.setThumb(writeImage(dir, "thumb.png", {10, 10}, thumbColour));
        slider.setDisabaleThumb(writeImage(dir, "thumb_off.png", {10, 10}, Qt::gray));
        slider.setType(ZoSliderBar::ShowThumb | ZoSliderBar::ShowClipRegion
                       | ZoSliderBar::ShowClipTags);
        slider.resize(220, 30);
        slider.setRange(0, 100);
    }
    QImage shot() { return slider.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

void sendWheel(QWidget *widget, int delta)
{
    const QPointF at(widget->width() / 2.0, 15);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestZoSliderBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void geometryAndPainting();
    void pressOnTheBar();
    void setRangeRules();
    void tagDragsKeepTheirGap();
    void thumbDragToTheEnds();
    void heldThumbIgnoresTheOwner();
    void wheel_data();
    void wheel();
    void logRotation();
    void logRefusesForeignFiles_data();
    void logRefusesForeignFiles();

private:
    QTemporaryDir temp;
};

void TestZoSliderBar::initTestCase()
{
    // The diagnostic log goes to the user's cache folder; keep it inside this test's own.
    qputenv("XDG_CACHE_HOME", temp.path().toLocal8Bit());
    const QString path = ZoSliderBar::logPath();
    QVERIFY2(path.startsWith(temp.path() + '/'), qPrintable(path));
    QVERIFY(path.endsWith(QStringLiteral("/tst_zosliderbar.1.log")));
}

void TestZoSliderBar::geometryAndPainting()
{
    Bar bar;
    bar.slider.setValue(50);
    bar.slider.setClipStartValue(20);
    bar.slider.setClipEndValue(80);
    QCOMPARE(bar.slider.positionOf(50), 110);
    QCOMPARE(bar.slider.valueAt(60), 25);

    const QImage image = bar.shot();
    const int barY = 12; // inside the background and the clip region, above the thumb
    QCOMPARE(image.pixelColor(5, barY) == barColour, false); // the margin stays empty
    QCOMPARE(image.pixelColor(12, barY), barColour);
    QCOMPARE(image.pixelColor(207, barY), barColour);
    QCOMPARE(image.pixelColor(215, barY) == barColour, false);
    // Clip region from x(20) = 50 to x(80) = 170, tags outside it: start ends at 50, end
    // starts at 170.
    QCOMPARE(image.pixelColor(50, barY), clipColour);
    QCOMPARE(image.pixelColor(169, barY), clipColour);
    QCOMPARE(image.pixelColor(49, 5), tagColour);
    QCOMPARE(image.pixelColor(44, 5), tagColour);
    QCOMPARE(image.pixelColor(50, 5) == tagColour, false);
    QCOMPARE(image.pixelColor(170, 5), tagColour);
    QCOMPARE(image.pixelColor(175, 5), tagColour);
    // The thumb is centred on x(50) = 110.
    QCOMPARE(image.pixelColor(105, 15), thumbColour);
    QCOMPARE(image.pixelColor(114, 15), thumbColour);
    QCOMPARE(image.pixelColor(115, 15) == thumbColour, false);

    // Tags centred on their positions; a thumb that is not interactive shows its other image.
    bar.slider.setIsThumbCenter(true);
    bar.slider.setThumbEnabled(false);
    const QImage centred = bar.shot();
    QCOMPARE(centred.pixelColor(47, 5), tagColour);
    QCOMPARE(centred.pixelColor(52, 5), tagColour);
    QCOMPARE(centred.pixelColor(44, 5) == tagColour, false);
    QCOMPARE(centred.pixelColor(110, 15), QColor(Qt::gray));

    // Without the tags flag no tag is drawn; with a minimum above 0 the value is still drawn
    // where a press selects it.
    bar.slider.setType(ZoSliderBar::ShowThumb);
    bar.slider.setThumbEnabled(true);
    bar.slider.setRange(100, 200);
    bar.slider.setValue(150);
    QCOMPARE(bar.slider.positionOf(150), 110);
    QCOMPARE(bar.slider.valueAt(110), 150);
    const QImage plain = bar.shot();
    QCOMPARE(plain.pixelColor(110, 15), thumbColour);
    QCOMPARE(plain.pixelColor(47, 5) == tagColour, false);
}

void TestZoSliderBar::pressOnTheBar()
{
    Bar bar;
    QSignalSpy changed(&bar.slider, &ZoSliderBar::valueChanged);
    QSignalSpy released(&bar.slider, &ZoSliderBar::thumbMouseRelease);
    QTest::mousePress(&bar.slider, Qt::LeftButton, {}, QPoint(60, 25));
    QCOMPARE(bar.slider.dragPart(), int(ZoSliderBar::DragNothing));
    QCOMPARE(bar.slider.value(), 25);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 25);
    // The release reports where the pointer is let go, not where it was pressed.
    QTest::mouseRelease(&bar.slider, Qt::LeftButton, {}, QPoint(70, 25));
    QCOMPARE(released.size(), 1);
    QCOMPARE(released.at(0).at(0).toInt(), 30);

    // Past the track's end the press changes nothing; the release is clamped to the range.
    QTest::mousePress(&bar.slider, Qt::LeftButton, {}, QPoint(219, 25));
    QCOMPARE(bar.slider.value(), 25);
    QTest::mouseRelease(&bar.slider, Qt::LeftButton, {}, QPoint(219, 25));
    QCOMPARE(released.at(1).at(0).toInt(), 100);

    // A thumb that is not interactive cannot be moved by a press on the bar.
    bar.slider.setThumbEnabled(false);
    QTest::mouseClick(&bar.slider, Qt::LeftButton, {}, QPoint(160, 25));
    QCOMPARE(bar.slider.value(), 25);
    QCOMPARE(changed.size(), 1);
}

void TestZoSliderBar::setRangeRules()
{
    ZoSliderBar slider;
    QCOMPARE(slider.clipStartValue(), -1);
    slider.setRange(5, 5);
    slider.setRange(-1, 10);
    QCOMPARE(slider.minimum(), 0);
    QCOMPARE(slider.maximum(), 1000);
    slider.setRange(10, 60);
    QCOMPARE(slider.clipStartValue(), 10);
    QCOMPARE(slider.clipEndValue(), 60);
    slider.setClipStartValue(20);
    slider.setClipEndValue(50);
    slider.setRange(0, 40);
    QCOMPARE(slider.clipStartValue(), 20);
    QCOMPARE(slider.clipEndValue(), 40);
}

void TestZoSliderBar::tagDragsKeepTheirGap()
{
    Bar bar;
    bar.slider.setMinClipGap(1);
    bar.slider.setClipStartValue(20);
    bar.slider.setClipEndValue(60);
    QSignalSpy startChanged(&bar.slider, &ZoSliderBar::clipStartChanged);
    QSignalSpy endChanged(&bar.slider, &ZoSliderBar::clipEndChanged);
    QSignalSpy startReleased(&bar.slider, &ZoSliderBar::startTagMouseRelease);

    // The start tag lies left of x(20) = 50; one move far past the end tag stops at 60 - 1.
    QTest::mousePress(&bar.slider, Qt::LeftButton, {}, QPoint(47, 6));
    QCOMPARE(bar.slider.dragPart(), int(ZoSliderBar::DragStartTag));
    QTest::mouseMove(&bar.slider, QPoint(200, 6));
    QCOMPARE(bar.slider.clipStartValue(), 59);
    QCOMPARE(startChanged.last().at(0).toInt(), 59);
    QTest::mouseRelease(&bar.slider, Qt::LeftButton, {}, QPoint(200, 6));
    QCOMPARE(startReleased.size(), 1);
    QCOMPARE(bar.slider.clipEndValue(), 60);

    // The end tag lies right of x(60) = 130; dragged left of the start it stops at 59 + 1, and
    // dragged beyond the track it reaches exactly the maximum.
    QTest::mousePress(&bar.slider, Qt::LeftButton, {}, QPoint(133, 6));
    QCOMPARE(bar.slider.dragPart(), int(ZoSliderBar::DragEndTag));
    QTest::mouseMove(&bar.slider, QPoint(20, 6));
    QCOMPARE(bar.slider.clipEndValue(), 60);
    QTest::mouseMove(&bar.slider, QPoint(300, 6));
    QCOMPARE(bar.slider.clipEndValue(), 100);
    QCOMPARE(endChanged.last().at(0).toInt(), 100);
    QTest::mouseRelease(&bar.slider, Qt::LeftButton, {}, QPoint(300, 6));
}

void TestZoSliderBar::thumbDragToTheEnds()
{
    Bar bar;
    bar.slider.setValue(50);
    QSignalSpy changed(&bar.slider, &ZoSliderBar::valueChanged);
    QTest::mousePress(&bar.slider, Qt::LeftButton, {}, QPoint(110, 15));
    QCOMPARE(bar.slider.dragPart(), int(ZoSliderBar::DragThumb));
    QTest::mouseMove(&bar.slider, QPoint(400, 15));
    QCOMPARE(bar.slider.value(), 100);
    QTest::mouseMove(&bar.slider, QPoint(-50, 15));
    QCOMPARE(bar.slider.value(), 0);
    QCOMPARE(changed.size(), 2);
    // Further moves past an end where the thumb already is emit nothing.
    QTest::mouseMove(&bar.slider, QPoint(-60, 15));
    QCOMPARE(changed.size(), 2);
    QTest::mouseRelease(&bar.slider, Qt::LeftButton, {}, QPoint(-60, 15));
}

void TestZoSliderBar::heldThumbIgnoresTheOwner()
{
    Bar bar;
    bar.slider.setValue(50);
    QTest::mousePress(&bar.slider, Qt::LeftButton, {}, QPoint(110, 15));
    QVERIFY(bar.slider.thumbHeld());
    bar.slider.setValue(10);
    QCOMPARE(bar.slider.value(), 50);
    // The wheel does not move a held thumb either, though it reports the value.
    QSignalSpy changed(&bar.slider, &ZoSliderBar::valueChanged);
    sendWheel(&bar.slider, 120);
    QCOMPARE(bar.slider.value(), 50);
    QCOMPARE(changed.size(), 1);
    QTest::mouseRelease(&bar.slider, Qt::LeftButton, {}, QPoint(110, 15));
    QVERIFY(!bar.slider.thumbHeld());
    bar.slider.setValue(10);
    QCOMPARE(bar.slider.value(), 10);
}

void TestZoSliderBar::wheel_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("emitted");
    QTest::newRow("one notch away lowers by one") << 50 << 120 << 49 << true;
    QTest::newRow("one notch towards raises by one") << 50 << -120 << 51 << true;
    QTest::newRow("three notches at once") << 50 << 360 << 47 << true;
    QTest::newRow("not below the minimum") << 0 << 120 << 0 << false;
    QTest::newRow("not above the maximum") << 100 << -120 << 100 << false;
}

void TestZoSliderBar::wheel()
{
    QFETCH(int, start);
    QFETCH(int, delta);
    QFETCH(int, expected);
    QFETCH(bool, emitted);
    Bar bar;
    bar.slider.setValue(start);
    QSignalSpy changed(&bar.slider, &ZoSliderBar::valueChanged);
    sendWheel(&bar.slider, delta);
    QCOMPARE(bar.slider.value(), expected);
    QCOMPARE(changed.size(), emitted ? 1 : 0);
}

void TestZoSliderBar::logRotation()
{
    const QString first = ZoSliderBar::logPath();
    QString second = first;
    second.replace(QStringLiteral(".1.log"), QStringLiteral(".2.log"));
    QFile::remove(first);
    QFile::remove(second);

    // A bar without a background image notes each paint in the log: the line and an empty one,
    // written once the paint is over.
    ZoSliderBar slider;
    slider.setType(0);
    slider.resize(220, 30);
    slider.grab();
    QVERIFY(!QFile::exists(first));
    QCoreApplication::processEvents();
    QFile log(first);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    log.close();
    QCOMPARE(lines.size(), 3);
    const QRegularExpression line(QStringLiteral(
        R"(^\./zosliderbar\(93\): in ZoSliderBar::paintEvent : \d{4}/\d\d/\d\d \d\d:\d\d:\d\d [0-9a-f]{8}$)"));
    QVERIFY2(line.match(QString::fromLocal8Bit(lines[0])).hasMatch(), lines[0].constData());
    QVERIFY(lines[1].isEmpty());
    QVERIFY(!QFile::exists(second));
    QCOMPARE(QFileInfo(first).permissions() & (QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());

    // Beyond 8191 bytes the log is renamed to the second name, which it replaces, and the next
    // diagnostic starts a new first log.
    QVERIFY(log.open(QIODevice::WriteOnly | QIODevice::Append));
    log.write(QByteArray(9000, 'x') + '\n');
    log.close();
    QFile stale(second);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("stale\n");
    stale.close();
    slider.grab();
    QCoreApplication::processEvents();
    QVERIFY(!QFile::exists(first));
    QFile older(second);
    QVERIFY(older.open(QIODevice::ReadOnly));
    const QByteArray kept = older.readAll();
    QVERIFY(kept.startsWith(lines[0] + "\n\n" + QByteArray(9000, 'x') + '\n'));
    QVERIFY(kept.endsWith("\n\n"));
    slider.grab();
    QCoreApplication::processEvents();
    QCOMPARE(QFileInfo(first).size(), lines[0].size() + 2);
}

void TestZoSliderBar::logRefusesForeignFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a file of the user") << "link";
    QTest::newRow("link to a file not there yet") << "dangling link";
    QTest::newRow("file of another user") << "foreign file";
}

void TestZoSliderBar::logRefusesForeignFiles()
{
    // Whatever stands at the log's name in place of the log is left as it is, and so is what a
    // link there points to.
    QFETCH(QString, kind);
    const QString path = ZoSliderBar::logPath();
    QFile::remove(path);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    const QString target = temp.filePath(QStringLiteral("victim"));
    QFile::remove(target);
    const QByteArray content = "the user's own file\n";
    if (kind != QLatin1String("dangling link")) {
        QFile file(kind == QLatin1String("link") ? target : path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
    }
    if (kind == QLatin1String("foreign file")) {
        if (::geteuid() != 0)
            QSKIP("Only the superuser can give a file to another user.");
        QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    } else {
        QVERIFY(QFile::link(target, path));
    }

    ZoSliderBar slider;
    slider.setType(0);
    slider.resize(220, 30);
    slider.grab();
    QCoreApplication::processEvents();

    const QString written = kind == QLatin1String("foreign file") ? path : target;
    if (kind == QLatin1String("dangling link")) {
        QVERIFY(!QFile::exists(target));
    } else {
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
    QCOMPARE(QFileInfo(path).isSymLink(), kind != QLatin1String("foreign file"));

    // Once the name is free again the log is written as before.
    QVERIFY(QFile::remove(path));
    slider.grab();
    QCoreApplication::processEvents();
    QVERIFY(QFileInfo(path).isFile() && QFileInfo(path).size() > 0);
    QFile::remove(path);
}

QTEST_MAIN(TestZoSliderBar)
#include "tst_zosliderbar.moc"
