// SPDX-License-Identifier: GPL-3.0-or-later
// The "Edit Audio" dialog driven with real clicks and drags on its form: the table and its
// buttons, the in- and out-point rules, the markers, playing a segment at real-time pace on
// OpenAL Soft's null output, volume and mute.
#include "controls/zosliderbar.h"
#include "media/adjustaudioorder.h"
#include "tests/support/testsupport.h"
#include "zofc/zoapplication.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <cmath>

namespace {

AudioInfo clipOf(const QString &path)
{
    AudioInfo clip;
    clip.path = path;
    readAudioInfo(clip);
    return clip;
}

// Handles on the dialog's form, found by their object names.
struct Form
{
    AdjustAudioOrder &dialog;
    QTreeWidget *tree = dialog.findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
    ZoSliderBar *slider = dialog.findChild<ZoSliderBar *>(QStringLiteral("sliderClipping"));
    QLabel *time = dialog.findChild<QLabel *>(QStringLiteral("timeCode"));
    QSlider *volume = dialog.findChild<QSlider *>(QStringLiteral("volume"));

    QAbstractButton *button(const char *name) const
    {
        return dialog.findChild<QAbstractButton *>(QLatin1String(name));
    }
    void click(const char *name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    // A press and release on the bar, below the thumb and the markers, at a whole second.
    // Clicks the bar at the pixel nearest to a time; returns the slider's value there, in
    // tenths of a second (a pixel spans more than a tenth of a long clip).
    int clickBarAt(double seconds) const
    {
        const int x = slider->positionOf(int(std::lround(seconds * 10)));
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(x, slider->height() - 2));
        return slider->value();
    }
    QString cell(int row, int column) const { return tree->topLevelItem(row)->text(column); }
};

} // namespace

class TestAdjustAudioOrder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void emptyList();
    void moveAndDelete();
    void addFiles();
    void inAndOutPoints();
    void markerDrags();
    void playAndPause();
    void playSegmentStopsAtTheOutPoint();
    void volumeAndMute();

private:
    std::unique_ptr<TempSettings> settings;
    QTemporaryDir dir;
    QString longFile;
    QString shortFile;
};

void TestAdjustAudioOrder::initTestCase()
{
    settings = std::make_unique<TempSettings>();
    ZoApplication::instance()->applySkin();
    longFile = dir.filePath(QStringLiteral("long.wav"));
    shortFile = dir.filePath(QStringLiteral("short.wav"));
    QVERIFY(writeToneWav(longFile, {{440.0, 45.0}}, 48000, 2));
    QVERIFY(writeToneWav(shortFile, {{660.0, 3.0}}, 22050, 1));
}

void TestAdjustAudioOrder::emptyList()
{
    AdjustAudioOrder dialog({});
    Form form {dialog};
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Audio"));
    QCOMPARE(dialog.size(), QSize(360, 450));
    QCOMPARE(form.time->text(), QStringLiteral("0:00.0 / 0:00.0"));
    QVERIFY(!form.slider->isEnabled());
    for (const char *name : {"play", "playSegment", "stop", "setInPoint", "setOutPoint", "delete_2",
                             "moveUp", "moveDown"})
        QVERIFY2(!form.button(name)->isEnabled(), name);
    QVERIFY(form.button("pause")->isHidden());
    QVERIFY(form.button("unmute")->isHidden());
}

void TestAdjustAudioOrder::moveAndDelete()
{
    const AudioInfo a = clipOf(longFile);
    const AudioInfo b = clipOf(shortFile);
    AudioInfo c = a;
    c.clipStart = 5;
    AdjustAudioOrder dialog({a, b, c});
    Form form {dialog};
    dialog.show();
    QCOMPARE(form.tree->topLevelItemCount(), 3);
    QCOMPARE(form.cell(1, 0), QStringLiteral("short.wav"));
    // The duration column shows the trimmed length.
    QCOMPARE(form.cell(0, 1), QStringLiteral("0:45.0"));
    QCOMPARE(form.cell(2, 1), QStringLiteral("0:40.0"));
    QCOMPARE(form.cell(2, 2), QStringLiteral("0:05.0"));
    QCOMPARE(dialog.currentRow(), 0);
    QCOMPARE(form.time->text(), QStringLiteral("0:00.0 / 0:45.0"));
    QVERIFY(!form.button("moveUp")->isEnabled());
    QVERIFY(form.button("moveDown")->isEnabled());

    form.click("moveDown");
    QCOMPARE(dialog.currentRow(), 1);
    QCOMPARE(dialog.editedClips().at(0).path, b.path);
    QCOMPARE(dialog.editedClips().at(1).path, a.path);
    QCOMPARE(form.cell(0, 0), QStringLiteral("short.wav"));
    QVERIFY(form.button("moveUp")->isEnabled());

    // Deleting the last row makes the new last row current.
    QTest::mouseClick(form.tree->viewport(), Qt::LeftButton, {},
                      form.tree->visualItemRect(form.tree->topLevelItem(2)).center());
    QCOMPARE(dialog.currentRow(), 2);
    QVERIFY(!form.button("moveDown")->isEnabled());
    form.click("delete_2");
    QCOMPARE(dialog.editedClips().size(), 2);
    QCOMPARE(dialog.currentRow(), 1);
    QCOMPARE(form.tree->currentItem(), form.tree->topLevelItem(1));
    QCOMPARE(dialog.editedClips().at(1).clipStart, 0.0);

    form.click("delete_2");
    form.click("delete_2");
    QVERIFY(dialog.editedClips().isEmpty());
    QCOMPARE(dialog.currentRow(), -1);
    QVERIFY(!form.button("delete_2")->isEnabled());
    QVERIFY(!form.button("play")->isEnabled());
    QCOMPARE(form.time->text(), QStringLiteral("0:00.0 / 0:00.0"));
}

void TestAdjustAudioOrder::addFiles()
{
    AdjustAudioOrder dialog({clipOf(longFile)});
    const QString broken = dir.filePath(QStringLiteral("broken.mp3"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a sound");
    file.close();
    const QStringList failed = dialog.addFiles({broken, shortFile});
    QCOMPARE(failed, QStringList {broken});
    QCOMPARE(dialog.editedClips().size(), 2);
    QCOMPARE(dialog.currentRow(), 1);
    QCOMPARE(dialog.editedClips().at(1).clipEnd, dialog.editedClips().at(1).duration);
}

// Set In needs more than a second before the out-point, Set Out more than a second after the
// in-point; the buttons take the slider's place to a tenth of a second.
void TestAdjustAudioOrder::inAndOutPoints()
{
    AudioInfo clip = clipOf(longFile);
    clip.clipEnd = 40;
    AdjustAudioOrder dialog({clip});
    Form form {dialog};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const int late = form.clickBarAt(39.3);
    QVERIFY(qAbs(late - 393) <= 2);
    QCOMPARE(dialog.playPosition(), late / 10.0);
    QCOMPARE(form.time->text(),
             AdjustAudioOrder::pointText(late / 10.0) + QStringLiteral(" / 0:45.0"));
    QVERIFY(!form.button("setInPoint")->isEnabled());
    QVERIFY(form.button("setOutPoint")->isEnabled());

    const int in = form.clickBarAt(37.7);
    QVERIFY(form.button("setInPoint")->isEnabled());
    form.click("setInPoint");
    QCOMPARE(dialog.editedClips().at(0).clipStart, in / 10.0);
    QCOMPARE(form.slider->clipStartValue(), in);
    QCOMPARE(form.cell(0, 2), AdjustAudioOrder::pointText(in / 10.0));
    QCOMPARE(form.cell(0, 1), AdjustAudioOrder::pointText(40.0 - in / 10.0));
    // An out-point at the in-point would leave nothing to play.
    QVERIFY(!form.button("setOutPoint")->isEnabled());

    const int out = form.clickBarAt(44.2);
    form.click("setOutPoint");
    QCOMPARE(dialog.editedClips().at(0).clipEnd, out / 10.0);
    QCOMPARE(form.slider->clipEndValue(), out);
    QCOMPARE(form.cell(0, 3), AdjustAudioOrder::pointText(out / 10.0));
}

void TestAdjustAudioOrder::markerDrags()
{
    AdjustAudioOrder dialog({clipOf(longFile)});
    Form form {dialog};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // The end marker stands right of its position, at the top of the bar.
    const QPoint grip(form.slider->positionOf(450) + 3, form.slider->clipTagTop() + 15);
    QTest::mousePress(form.slider, Qt::LeftButton, {}, grip);
    QCOMPARE(form.slider->dragPart(), int(ZoSliderBar::DragEndTag));
    QTest::mouseMove(form.slider, QPoint(form.slider->positionOf(300) + 2, grip.y()));
    QTest::mouseRelease(form.slider, Qt::LeftButton, {},
                        QPoint(form.slider->positionOf(300) + 2, grip.y()));
    const double end = dialog.editedClips().at(0).clipEnd;
    QVERIFY2(qAbs(end - 30.0) <= 0.3, qPrintable(QString::number(end)));
    QCOMPARE(form.slider->clipEndValue(), int(std::lround(end * 10)));
    QCOMPARE(form.cell(0, 3), AdjustAudioOrder::pointText(end));
}

void TestAdjustAudioOrder::playAndPause()
{
    AdjustAudioOrder dialog({clipOf(longFile), clipOf(shortFile)});
    Form form {dialog};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    form.clickBarAt(10);
    form.click("play");
    QVERIFY(dialog.isPlaying());
    QVERIFY(!dialog.isSegmentMode());
    QVERIFY(form.button("play")->isHidden());
    QVERIFY(form.button("pause")->isVisible());
    QVERIFY(form.button("pause")->hasFocus());
    QVERIFY(!form.button("playSegment")->isEnabled());
    QVERIFY(form.button("stop")->isEnabled());
    QVERIFY(QTest::qWaitFor([&] { return dialog.playPosition() >= 10.5; }, PatienceMs));

    // Where the last poll left it; the sound queued ahead (ten seconds) is not counted.
    form.click("pause");
    QVERIFY(!dialog.isPlaying());
    const double paused = dialog.playPosition();
    QVERIFY2(paused >= 10.5 && paused < 15.0, qPrintable(QString::number(paused)));
    QVERIFY(form.button("play")->isVisible());
    QVERIFY(form.button("playSegment")->isEnabled());
    QTest::qWait(200);
    QCOMPARE(dialog.playPosition(), paused);

    form.click("stop");
    QCOMPARE(dialog.playPosition(), 0.0);
    QCOMPARE(form.slider->value(), 0);
    QVERIFY(!form.button("stop")->isEnabled());

    // Another row stops whatever plays.
    form.click("play");
    QVERIFY(dialog.isPlaying());
    QTest::mouseClick(form.tree->viewport(), Qt::LeftButton, {},
                      form.tree->visualItemRect(form.tree->topLevelItem(1)).center());
    QVERIFY(!dialog.isPlaying());
    QCOMPARE(form.time->text(), QStringLiteral("0:00.0 / 0:03.0"));
}

// A segment from 30 s to 40 s plays for ten seconds of real time and stops when the position
// reaches the out-point.
void TestAdjustAudioOrder::playSegmentStopsAtTheOutPoint()
{
    AudioInfo clip = clipOf(longFile);
    clip.clipStart = 30;
    clip.clipEnd = 40;
    AdjustAudioOrder dialog({clip});
    Form form {dialog};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // Started before the sound is, so that the time measured is never shorter than the sound
    // has played, however late this thread runs again.
    QElapsedTimer clock;
    clock.start();
    form.click("playSegment");
    QVERIFY(dialog.isSegmentMode());
    QCOMPARE(form.slider->value(), 300);
    QVERIFY(form.button("playSegment")->isHidden());
    QVERIFY(!form.button("play")->isEnabled());
    QCOMPARE(dialog.clipPlayer().bufferBytes(0), 7056);

    double highest = 0.0;
    while (dialog.isPlaying() && clock.elapsed() < 40000) {
        highest = std::max(highest, dialog.playPosition());
        QTest::qWait(2);
    }
    const qint64 elapsed = clock.elapsed();
    QVERIFY(!dialog.isPlaying());
    // Ten seconds of sound less at most one mixing period; a pace off by half would take 20.
    QVERIFY2(elapsed >= 9700 && elapsed < 18000, qPrintable(QString::number(elapsed)));
    // Never shown at or past the out-point while playing; near it before the stop unless the
    // polls were held up for a whole second.
    QVERIFY2(highest >= 39.0 && highest < 40.0, qPrintable(QString::number(highest)));
    QCOMPARE(dialog.playPosition(), 0.0);
    QCOMPARE(form.time->text(), QStringLiteral("0:00.0 / 0:45.0"));
    QVERIFY(form.button("playSegment")->isVisible());
}

void TestAdjustAudioOrder::volumeAndMute()
{
    AdjustAudioOrder dialog({clipOf(shortFile)});
    Form form {dialog};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(form.volume->value(), 100);

    // A click on the groove puts the volume where the pointer is.
    const QPoint quarter(form.volume->width() / 4, form.volume->height() / 2);
    QCursor::setPos(form.volume->mapToGlobal(quarter));
    QTest::mouseClick(form.volume, Qt::LeftButton, {}, quarter);
    QVERIFY2(qAbs(form.volume->value() - 25) <= 3,
             qPrintable(QString::number(form.volume->value())));
    QCOMPARE(dialog.clipPlayer().gain(), form.volume->value() / 100.0f);

    form.click("mute");
    QCOMPARE(dialog.clipPlayer().gain(), 0.0f);
    QVERIFY(!form.volume->isEnabled());
    QVERIFY(form.button("mute")->isHidden());
    QVERIFY(form.button("unmute")->hasFocus());
    form.click("unmute");
    QCOMPARE(dialog.clipPlayer().gain(), form.volume->value() / 100.0f);
    QVERIFY(form.volume->isEnabled());
    QVERIFY(form.button("mute")->hasFocus());
}

int main(int argc, char **argv)
{
    ZoApplication app(argc, argv);
    TestAdjustAudioOrder test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_adjustaudioorder.moc"
