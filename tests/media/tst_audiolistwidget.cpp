// SPDX-License-Identifier: GPL-3.0-or-later
// The audio strip: bars measured on the photo strip's time scale with their grey overflow, the
// painted bar and its label, tool tips, removal, moves, sorting, drops of files and of its own
// clips, and the editing dialog on a double click. Drags are real: pressed, moved and released.
#include "media/adjustaudioorder.h"
#include "media/audiolistwidget.h"
#include "media/filetypes.h"
#include "tests/support/testsupport.h"
#include "zofc/zoapplication.h"
#include "zofc/zopref.h"

#include <QAbstractButton>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// A clip as the import would deliver it, without touching the disk.
AudioInfo clip(const QString &name, double seconds, qint64 fileSize = 1000)
{
    AudioInfo info;
    info.path = QStringLiteral("/music/") + name;
    info.channels = 2;
    info.sampleRate = 44100;
    info.duration = seconds;
    info.clipEnd = seconds;
    info.fileSize = fileSize;
    return info;
}

QList<AudioInfo> clips(const QString &letters)
{
    QList<AudioInfo> list;
    for (QChar c : letters)
        list.append(clip(QString(c) + QStringLiteral(".mp3"), 10));
    return list;
}

QString order(const QList<AudioInfo> &list)
{
    QString letters;
    for (const AudioInfo &info : list)
        letters += info.path.at(7);
    return letters;
}

QPoint centreOf(const AudioListWidget &list, int row)
{
    if (row >= list.count())
        return list.visualItemRect(list.item(list.count() - 1)).center() + QPoint(200, 0);
    return list.visualItemRect(list.item(row)).center();
}

// A press on a bar, a move past the start distance, and from within the drag's own loop either
// a move to the target and a release there, or Escape.
void dragInside(AudioListWidget &list, int fromRow, int toRow, Qt::KeyboardModifiers modifiers,
                bool cancel = false)
{
    QWidget *viewport = list.viewport();
    const QPoint from = centreOf(list, fromRow);
    const QPoint to = centreOf(list, toRow);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTimer::singleShot(50, viewport, [viewport, to, modifiers, cancel] {
        if (cancel) {
            QTest::keyClick(viewport, Qt::Key_Escape);
            return;
        }
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, to);
    });
    QTest::mouseMove(viewport, from + QPoint(QApplication::startDragDistance() + 8, 0));
}

struct Strip
{
    AudioListWidget list;
    explicit Strip(const QList<AudioInfo> &records, int line = 500)
    {
        list.resize(1200, 36);
        list.show();
        list.setTimelineScale(line, 1.0 / 33.0);
        list.setAudioList(records);
    }
    int width(int row) const { return list.item(row)->sizeHint().width(); }
    int grey(int row) const { return list.item(row)->data(AudioListWidget::GreyWidthRole).toInt(); }
};

bool isGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

} // namespace

class TestAudioListWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void barsFollowThePhotoTimeLine_data();
    void barsFollowThePhotoTimeLine();
    void paintedBar();
    void toolTips();
    void removeAndMove();
    void sortIsStableWith64BitSizes();
    void dragWithin_data();
    void dragWithin();
    void cancelledDragStillLaysOut();
    void foreignPayloadIgnored();
    void droppedFilesGoThroughTheImport();
    void doubleClickEdits();

private:
    std::unique_ptr<TempSettings> settings;
    QTemporaryDir dir;
};

void TestAudioListWidget::initTestCase()
{
    settings = std::make_unique<TempSettings>();
    initFileTypeLists();
}

void TestAudioListWidget::barsFollowThePhotoTimeLine_data()
{
    QTest::addColumn<QList<double>>("seconds");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<int>>("greys");
    // A 500-pixel photo time line at 33 pixels a second.
    QTest::newRow("second clip sticks out")
        << QList<double> {10, 10} << 1.0 / 33 << QList<int> {330, 330} << QList<int> {0, 160};
    QTest::newRow("long clip capped, later ones grey")
        << QList<double> {10, 20, 10} << 1.0 / 33 << QList<int> {330, 390, 220}
        << QList<int> {0, 220, 220};
    QTest::newRow("no scale falls back to 33 pixels a second")
        << QList<double> {10} << 0.0 << QList<int> {330} << QList<int> {0};
    QTest::newRow("a trimmed clip measures its playing time")
        << QList<double> {-5} << 1.0 / 33 << QList<int> {165} << QList<int> {0};
}

void TestAudioListWidget::barsFollowThePhotoTimeLine()
{
    QFETCH(QList<double>, seconds);
    QFETCH(double, scale);
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, greys);
    QList<AudioInfo> records;
    for (double length : seconds) {
        // A negative length stands for a 20 s clip that plays from 5 s to 10 s.
        AudioInfo info = clip(QStringLiteral("x.mp3"), length < 0 ? 20 : length);
        if (length < 0) {
            info.clipStart = 5;
            info.clipEnd = 10;
        }
        records.append(info);
    }
    AudioListWidget list;
    list.setTimelineScale(500, scale);
    QCOMPARE(list.secondsPerPixel(), 1.0 / 33);
    QSignalSpy changed(&list, &AudioListWidget::audioListChanged);
    list.setAudioList(records);
    QCOMPARE(changed.size(), 1);
    for (int row = 0; row < widths.size(); ++row) {
        QCOMPARE(list.item(row)->sizeHint(), QSize(widths[row], 32));
        QCOMPARE(list.item(row)->data(AudioListWidget::GreyWidthRole).toInt(), greys[row]);
    }
}

void TestAudioListWidget::paintedBar()
{
    AudioInfo third = clip(QStringLiteral("third.mp3"), 75);
    QCOMPARE(AudioListWidget::clipLabel(2, third), QStringLiteral("#3 third.mp3 | 00:01:15"));
    third.path = QStringLiteral("/music/a very long name of a song that does not fit.mp3");
    const QFontMetrics metrics(QApplication::font());
    const QString shortened = AudioListWidget::clipLabel(2, third, &metrics, 160);
    QVERIFY2(metrics.horizontalAdvance(shortened) <= 160, qPrintable(shortened));
    QVERIFY(shortened.startsWith(QLatin1String("#3 a ")));
    QVERIFY(shortened.endsWith(QLatin1String(" | 00:01:15")));

    // A bar from the skin's pictures: coloured, except for the grey overflow on the right.
    const QImage head(ZoPref::skinDir() + QStringLiteral("/app_vellumix/head.png"));
    const QImage body(ZoPref::skinDir() + QStringLiteral("/app_vellumix/body.png"));
    QVERIFY(!head.isNull() && !body.isNull());
    const QImage bar
        = AudioListWidget::clipImage(300, 100, QString(), head, body, QApplication::font());
    QCOMPARE(bar.size(), QSize(300, 32));
    QVERIFY(!isGrey(bar.pixel(10, 16)));
    QVERIFY(!isGrey(bar.pixel(150, 16)));
    QVERIFY(isGrey(bar.pixel(210, 16)));
    QVERIFY(qRed(bar.pixel(210, 16)) > 100);
    QCOMPARE(bar.pixel(150, 1), qRgb(255, 255, 255));
    // Without pictures the bar stays white inside its outline.
    const QImage plain
        = AudioListWidget::clipImage(100, 0, QString(), QImage(), QImage(), QApplication::font());
    QCOMPARE(plain.pixel(50, 16), qRgb(255, 255, 255));
    QCOMPARE(plain.pixel(1, 16), qRgb(0, 0, 0));
}

void TestAudioListWidget::toolTips()
{
    AudioInfo plain = clip(QStringLiteral("<b>x&y.mp3"), 30);
    AudioInfo trimmed = clip(QStringLiteral("t.mp3"), 30);
    trimmed.clipStart = 5;
    AudioListWidget list;
    list.setAudioList({plain, trimmed});
    const QString first = list.item(0)->toolTip();
    QVERIFY2(first.startsWith(QStringLiteral("<nobr>#1&nbsp;<b>&lt;b&gt;x&amp;y.mp3</b>")),
             qPrintable(first));
    QVERIFY(first.contains(QStringLiteral("Duration:&nbsp;<b>00:00:30</b>")));
    QVERIFY(first.contains(QStringLiteral("Sample Rate:&nbsp;<b>44100</b>")));
    QVERIFY(!first.contains(QStringLiteral("Start Point")));
    const QString second = list.item(1)->toolTip();
    QVERIFY(second.contains(QStringLiteral("Duration:&nbsp;<b>00:00:25</b>")));
    QVERIFY(second.contains(QStringLiteral("Start Point:&nbsp;<b>00:00:05</b>")));
    QVERIFY(second.contains(QStringLiteral("End Point:&nbsp;<b>00:00:30</b>")));
}

void TestAudioListWidget::removeAndMove()
{
    Strip strip(clips(QStringLiteral("ABCDE")));
    QSignalSpy changed(&strip.list, &AudioListWidget::audioListChanged);
    strip.list.setCurrentRow(1);
    strip.list.setCurrentRow(2, QItemSelectionModel::Select);
    strip.list.moveSelectedRight();
    QCOMPARE(order(strip.list.audioList()), QStringLiteral("ADBCE"));
    QCOMPARE(strip.list.selectedItems().size(), 2);
    QVERIFY(strip.list.item(2)->isSelected() && strip.list.item(3)->isSelected());
    strip.list.moveSelectedLeft();
    strip.list.moveSelectedLeft();
    QCOMPARE(order(strip.list.audioList()), QStringLiteral("BCADE"));
    // Nothing moves past either end.
    strip.list.moveSelectedLeft();
    QCOMPARE(order(strip.list.audioList()), QStringLiteral("BCADE"));
    QCOMPARE(changed.size(), 3);

    strip.list.removeSelected();
    QCOMPARE(order(strip.list.audioList()), QStringLiteral("ADE"));
    QCOMPARE(strip.list.currentRow(), 0);
    QCOMPARE(changed.size(), 4);
    // The bars after the removed ones move up to the start of the time line.
    QCOMPARE(strip.list.visualItemRect(strip.list.item(1)).left()
                 - strip.list.visualItemRect(strip.list.item(0)).left(),
             330);
}

void TestAudioListWidget::sortIsStableWith64BitSizes()
{
    QList<AudioInfo> records;
    for (qint64 size : {3000000000LL, 2000000000LL, 3000000000LL, 1000LL})
        records.append(clip(QString(QChar(char16_t(u'A' + records.size()))) + ".mp3", 10, size));
    AudioListWidget list;
    list.setAudioList(records);
    list.sortAudio(AudioListWidget::SortByFileSize, true);
    QCOMPARE(order(list.audioList()), QStringLiteral("DBAC"));
    list.sortAudio(AudioListWidget::SortByFileSize, false);
    QCOMPARE(order(list.audioList()), QStringLiteral("ACBD"));
    list.sortAudio(AudioListWidget::SortByPath, true);
    QCOMPARE(order(list.audioList()), QStringLiteral("ABCD"));
    QCOMPARE(list.item(0)->toolTip().contains(QStringLiteral("A.mp3")), true);
}

void TestAudioListWidget::dragWithin_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("control");
    QTest::addColumn<QString>("result");
    QTest::newRow("first onto the second") << 0 << 1 << false << "BAC";
    QTest::newRow("first onto the last") << 0 << 2 << false << "BCA";
    QTest::newRow("last onto the first") << 2 << 0 << false << "CAB";
    QTest::newRow("first past the end") << 0 << 3 << false << "BCA";
    QTest::newRow("onto itself") << 1 << 1 << false << "ABC";
    QTest::newRow("copy of the first onto the last") << 0 << 2 << true << "ABAC";
}

// A move onto a later clip puts it right after that clip; Control copies.
void TestAudioListWidget::dragWithin()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, control);
    QFETCH(QString, result);
    Strip strip(clips(QStringLiteral("ABC")), 2000);
    QVERIFY(QTest::qWaitForWindowExposed(&strip.list));
    QSignalSpy changed(&strip.list, &AudioListWidget::audioListChanged);
    dragInside(strip.list, from, to, control ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(order(strip.list.audioList()), result);
    QCOMPARE(strip.list.count(), result.size());
    QVERIFY(strip.list.selectedItems().isEmpty());
    QCOMPARE(changed.last().first().value<QList<AudioInfo>>().size(), result.size());
    for (int row = 0; row < strip.list.count(); ++row) {
        QCOMPARE(strip.width(row), 330);
        QVERIFY(
            strip.list.item(row)->toolTip().startsWith(QStringLiteral("<nobr>#%1").arg(row + 1)));
    }
}

void TestAudioListWidget::cancelledDragStillLaysOut()
{
    Strip strip(clips(QStringLiteral("ABC")));
    QVERIFY(QTest::qWaitForWindowExposed(&strip.list));
    QSignalSpy changed(&strip.list, &AudioListWidget::audioListChanged);
    dragInside(strip.list, 1, 2, Qt::NoModifier, true);
    QCOMPARE(order(strip.list.audioList()), QStringLiteral("ABC"));
    QCOMPARE(changed.size(), 1);
    QVERIFY(strip.list.selectedItems().isEmpty());
}

void TestAudioListWidget::foreignPayloadIgnored()
{
    Strip strip(clips(QStringLiteral("ABC")));
    QVERIFY(QTest::qWaitForWindowExposed(&strip.list));
    QSignalSpy changed(&strip.list, &AudioListWidget::audioListChanged);
    for (const QByteArray &payload : {QByteArray("1\0"
                                                 "0\0",
                                                 4),
                                      QByteArray("1\0"
                                                 "140737488355328\0",
                                                 18),
                                      QByteArray("garbage")}) {
        QMimeData mime;
        mime.setData(QLatin1String(AudioListWidget::dragFormat), payload);
        QDropEvent drop(centreOf(strip.list, 2), Qt::CopyAction | Qt::MoveAction, &mime,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip.list.viewport(), &drop);
    }
    QCOMPARE(order(strip.list.audioList()), QStringLiteral("ABC"));
    QCOMPARE(changed.size(), 0);
}

// Files dropped from outside are read by the import dialog and land at the drop row, in order.
void TestAudioListWidget::droppedFilesGoThroughTheImport()
{
    const QString one = dir.filePath(QStringLiteral("one.wav"));
    const QString two = dir.filePath(QStringLiteral("two.wav"));
    QVERIFY(writeToneWav(one, {{440.0, 2.0}}));
    QVERIFY(writeToneWav(two, {{550.0, 3.0}}));
    Strip strip(clips(QStringLiteral("AB")));
    QVERIFY(QTest::qWaitForWindowExposed(&strip.list));
    QSignalSpy changed(&strip.list, &AudioListWidget::audioListChanged);
    QSignalSpy aboutToChange(&strip.list, &AudioListWidget::audioListAboutToChange);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(one), QUrl::fromLocalFile(two)});
    QDragEnterEvent enter(centreOf(strip.list, 1), Qt::CopyAction, &mime, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(strip.list.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(centreOf(strip.list, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip.list.viewport(), &drop);
    QCOMPARE(aboutToChange.size(), 1);
    QCOMPARE(changed.size(), 1);
    const QList<AudioInfo> records = strip.list.audioList();
    QCOMPARE(records.size(), 4);
    QCOMPARE(records.at(1).path, one);
    QCOMPARE(records.at(2).path, two);
    QCOMPARE(strip.width(2), 99);
    QCOMPARE(strip.list.currentRow(), 1);
}

void TestAudioListWidget::doubleClickEdits()
{
    const QString song = dir.filePath(QStringLiteral("song.wav"));
    QVERIFY(writeToneWav(song, {{440.0, 4.0}}));
    AudioInfo real;
    real.path = song;
    QVERIFY(readAudioInfo(real));
    Strip strip({clip(QStringLiteral("A.mp3"), 10), real});
    QVERIFY(QTest::qWaitForWindowExposed(&strip.list));
    int rowShown = -1;
    QTimer::singleShot(100, &strip.list, [&] {
        auto *dialog = strip.list.findChild<AdjustAudioOrder *>();
        if (!dialog)
            return;
        rowShown = dialog->currentRow();
        dialog->findChild<QAbstractButton *>(QStringLiteral("moveUp"))->click();
        dialog->accept();
    });
    // A user's double click: a click, then the second press that the system reports as double.
    QTest::mouseClick(strip.list.viewport(), Qt::LeftButton, {}, centreOf(strip.list, 1));
    QTest::mouseDClick(strip.list.viewport(), Qt::LeftButton, {}, centreOf(strip.list, 1));
    QCOMPARE(rowShown, 1);
    QCOMPARE(strip.list.audioList().at(0).path, song);
    QCOMPARE(strip.list.audioList().at(1).path, QStringLiteral("/music/A.mp3"));
}

int main(int argc, char **argv)
{
    ZoApplication app(argc, argv);
    TestAudioListWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_audiolistwidget.moc"
