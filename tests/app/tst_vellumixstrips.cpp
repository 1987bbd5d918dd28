// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with its two strips, driven as a user drives it: clicks on photos and clips,
// Previous and Next, drops of files, the shared scroll bar, Edit Audio, and files handed over by
// a further start of the program.
#include "app/vellumix.h"
#include "audio/storyboardrender.h"
#include "controls/gettingstartlabel.h"
#include "media/adjustaudioorder.h"
#include "media/audiolistwidget.h"
#include "media/mediainfowidget.h"
#include "media/photolistwidget.h"
#include "preview/avplayer.h"
#include "tests/app/windowtest.h"
#include "zofc/qtsingleapplication.h"
#include "zofc/zopref.h"

#include "ui_vellumix.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

class TestVellumixStrips : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void stepsThroughTheStripLastClicked();
    void gettingStartedOnlyWithoutPhotosAndAudio_data();
    void gettingStartedOnlyWithoutPhotosAndAudio();
    void dropWhilePlayingPausesAndTheFrameStaysInTheShow();
    void sharedScrollBarKeepsTheStripsInLine();
    void editAudioAppliesOnlyAnAcceptedDialog();
    void secondStartHandsItsFilesToTheStrips();

private:
    // Runs action on the dialog of type Dialog that the click opens.
    template<typename Dialog> void whenOpen(QAbstractButton *button, std::function<void(Dialog *)>);
};

void TestVellumixStrips::initTestCase()
{
    QVERIFY(writeMedia(QList<QSize>(4, QSize(320, 240)), QStringLiteral("song.wav"), 6.0,
                       QStringLiteral("short.wav")));
}

template<typename Dialog>
void TestVellumixStrips::whenOpen(QAbstractButton *button, std::function<void(Dialog *)> action)
{
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(qobject_cast<Dialog *>(QApplication::activeModalWidget()));
        seen = true;
        action(qobject_cast<Dialog *>(QApplication::activeModalWidget()));
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(seen);
}

void TestVellumixStrips::stepsThroughTheStripLastClicked()
{
    loadShow(true);
    PhotoListWidget *strip = ui()->photoListWidget;
    QVERIFY(!ui()->previous->isEnabled());
    QVERIFY(!ui()->next->isEnabled());

    // 5 s photos, 1.5 s transitions, 25 frames/s: the rows start at these frames (a change on
    // a half frame falls on the frame after it).
    const int frames[] = {0, 125, 163, 288, 325};
    clickRow(strip, 0);
    QCOMPARE(ui()->avPlayer->currentFrame(), 0);
    QCOMPARE(window->mediaInfoWidget()->mediaInfo().mode, int(MediaInfo::Photo));
    for (int row = 1; row < 5; ++row) {
        QTest::mouseClick(ui()->next, Qt::LeftButton);
        QCOMPARE(strip->currentRow(), row);
        QCOMPARE(strip->selectedItems().size(), 1);
        QCOMPARE(ui()->avPlayer->currentFrame(), frames[row]);
        QCOMPARE(ui()->position->value(), frames[row]);
        QVERIFY(ui()->previous->isEnabled());
        QCOMPARE(ui()->next->isEnabled(), row < 4);
    }
    QTest::mouseClick(ui()->previous, Qt::LeftButton);
    QCOMPARE(strip->currentRow(), 3);

    // The clip takes the selection and the stepping over; with one clip there is nowhere to go.
    clickRow(ui()->audioListWidget, 0);
    QCOMPARE(ui()->audioListWidget->currentRow(), 0);
    QCOMPARE(strip->currentRow(), -1);
    QVERIFY(strip->selectedItems().isEmpty());
    QVERIFY(!ui()->previous->isEnabled());
    QVERIFY(!ui()->next->isEnabled());
    QCOMPARE(window->mediaInfoWidget()->mediaInfo().mode, int(MediaInfo::Audio));

    // And back: a photo clicked takes the selection from the clip.
    clickRow(strip, 2);
    QCOMPARE(ui()->audioListWidget->currentRow(), -1);
    QVERIFY(ui()->audioListWidget->selectedItems().isEmpty());
    QVERIFY(ui()->previous->isEnabled() && ui()->next->isEnabled());
}

void TestVellumixStrips::gettingStartedOnlyWithoutPhotosAndAudio_data()
{
    QTest::addColumn<bool>("withAudio");
    QTest::newRow("photos only") << false;
    QTest::newRow("photos and a song") << true;
}

void TestVellumixStrips::gettingStartedOnlyWithoutPhotosAndAudio()
{
    QFETCH(bool, withAudio);
    loadShow(withAudio);
    QVERIFY(ui()->avPlayer->isVisible());
    QVERIFY(!ui()->gettingStart->isVisible());

    PhotoListWidget *strip = ui()->photoListWidget;
    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(strip->selectedItems().size(), 5);
    strip->removeSelected(false);
    QCOMPARE(strip->count(), 0);
    QVERIFY(window->board().photos.isEmpty());
    QVERIFY(!ui()->play->isEnabled());
    QCOMPARE(ui()->avPlayer->isVisible(), withAudio);
    QCOMPARE(ui()->gettingStart->isVisible(), !withAudio);
    if (!withAudio) {
        QCOMPARE(ui()->timeCode->text(), QStringLiteral("00:00:00 / 00:00:00"));
        return;
    }

    AudioListWidget *audio = ui()->audioListWidget;
    clickRow(audio, 0);
    audio->removeSelected(false);
    QVERIFY(window->board().audios.isEmpty());
    QVERIFY(!ui()->avPlayer->isVisible());
    QVERIFY(ui()->gettingStart->isVisible());
    QCOMPARE(ui()->timeCode->text(), QStringLiteral("00:00:00 / 00:00:00"));
    QCOMPARE(ui()->position->maximum(), 0);
}

void TestVellumixStrips::dropWhilePlayingPausesAndTheFrameStaysInTheShow()
{
    loadShow(true);
    PhotoListWidget *strip = ui()->photoListWidget;
    const int before = window->renderer()->totalFrames();
    QTest::mouseClick(ui()->play, Qt::LeftButton);
    QCOMPARE(window->state(), Vellumix::PlayState::Playing);

    QVERIFY(dropOn(strip, {photoFiles[3]}, 4));
    QCOMPARE(window->state(), Vellumix::PlayState::Paused);
    QCOMPARE(pathsOf(window->board().photos),
             QStringList({photoFiles[0], photoFiles[1], photoFiles[3], photoFiles[2]}));
    const int total = window->renderer()->totalFrames();
    QVERIFY(total > before);
    QCOMPARE(ui()->position->maximum(), total);
    // The clip is measured on the photos' new scale.
    AudioListWidget *audio = ui()->audioListWidget;
    QCOMPARE(audio->timelineWidth(), strip->contentWidth());
    QCOMPARE(audio->secondsPerPixel(), window->board().totalDuration() / strip->contentWidth());
    QScrollBar *bar = ui()->horizontalScrollBar;
    QCOMPARE(
        bar->maximum(),
        std::max(0, std::max(strip->contentWidth(), audio->contentWidth()) - bar->width() / 2));

    // At the last frame, the show loses its last photo: the preview stays inside the show.
    window->showPosition(total - 1);
    clickRow(strip, 6);
    window->showPosition(total - 1);
    strip->removeSelected(false);
    const int shorter = window->renderer()->totalFrames();
    QVERIFY(shorter < total);
    QVERIFY(ui()->avPlayer->currentFrame() < shorter);
    QCOMPARE(ui()->position->value(), ui()->avPlayer->currentFrame());
}

void TestVellumixStrips::sharedScrollBarKeepsTheStripsInLine()
{
    QStringList files;
    for (int i = 0; i < 3; ++i)
        files += photoFiles;
    files.append(shortSong);
    window->resize(900, window->height());
    window->openFiles(files);
    QTRY_COMPARE_WITH_TIMEOUT(ui()->photoListWidget->count(), 23, PatienceMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui()->audioListWidget->count(), 1, PatienceMs);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), PatienceMs);

    QScrollBar *shared = ui()->horizontalScrollBar;
    QVERIFY(shared->maximum() > 0);
    QScrollBar *photoBar = ui()->photoListWidget->horizontalScrollBar();
    QScrollBar *audioBar = ui()->audioListWidget->horizontalScrollBar();
    // The short clip ends long before the photos do; it must still move with them.
    shared->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(photoBar->value(), shared->value());
    QCOMPARE(audioBar->value(), shared->value());
    QCOMPARE(ui()->audioListWidget->visualItemRect(ui()->audioListWidget->item(0)).left(),
             ui()->photoListWidget->visualItemRect(ui()->photoListWidget->item(0)).left());

    // Playing follows the current frame.
    shared->triggerAction(QAbstractSlider::SliderToMinimum);
    window->showPosition(window->renderer()->totalFrames() - 60);
    QTest::mouseClick(ui()->play, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(shared->value() > 0, PatienceMs);
    QCOMPARE(audioBar->value(), shared->value());
    QTest::mouseClick(ui()->pause, Qt::LeftButton);
}

void TestVellumixStrips::editAudioAppliesOnlyAnAcceptedDialog()
{
    window->openFiles({photoFiles[0], song, shortSong});
    QTRY_COMPARE_WITH_TIMEOUT(ui()->audioListWidget->count(), 2, PatienceMs);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), PatienceMs);

    // Cancel keeps the clips as they were. Files handed over meanwhile wait for the dialog.
    whenOpen<AdjustAudioOrder>(ui()->adjustOrder, [this](AdjustAudioOrder *dialog) {
        dialog->setCurrentRow(0);
        dialog->findChild<QPushButton *>(QStringLiteral("delete_2"))->click();
        QCOMPARE(dialog->editedClips().size(), 1);
        window->openFiles({photoFiles[1]});
        QTest::qWait(400);
        QCOMPARE(window->board().photos.size(), 1);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(pathsOf(window->board().audios), QStringList({song, shortSong}));
    QTRY_COMPARE_WITH_TIMEOUT(window->board().photos.size(), 2, PatienceMs);

    whenOpen<AdjustAudioOrder>(ui()->adjustOrder, [](AdjustAudioOrder *dialog) {
        dialog->setCurrentRow(0);
        dialog->findChild<QToolButton *>(QStringLiteral("moveDown"))->click();
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(pathsOf(window->board().audios), QStringList({shortSong, song}));
    QCOMPARE(ui()->audioLength->text(), QStringLiteral("00:00:09"));
}

// A file manager opens photos and a song with the program while it runs: the further start hands
// them over and ends, and the running window imports them.
void TestVellumixStrips::secondStartHandsItsFilesToTheStrips()
{
    QTemporaryDir config;
    ZoPref::setFileName(config.filePath(QStringLiteral("Vellumix/Vellumix.conf")));
    auto *app = qobject_cast<QtSingleApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    QVERIFY(!app->isRunning(QString()));

    // A folder gives its photos to the photo strip and its songs to the audio strip.
    QTemporaryDir folder;
    QVERIFY(QFile::copy(photoFiles[3], folder.filePath(QStringLiteral("b.jpg"))));
    QVERIFY(QFile::copy(shortSong, folder.filePath(QStringLiteral("c.wav"))));

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    second.setProcessEnvironment(env);
    second.start(testAppDir() + QStringLiteral("/vellumix"),
                 {photoFiles[0], song, photoFiles[1], folder.path()});
    QVERIFY(second.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(ui()->photoListWidget->count(), 5, PatienceMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui()->audioListWidget->count(), 2, PatienceMs);
    QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished(PatienceMs));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(pathsOf(window->board().photos),
             QStringList({photoFiles[0], photoFiles[1], folder.filePath(QStringLiteral("b.jpg"))}));
    QCOMPARE(pathsOf(window->board().audios),
             QStringList({song, folder.filePath(QStringLiteral("c.wav"))}));
    QVERIFY(ui()->avPlayer->isVisible());
}

int main(int argc, char **argv)
{
    QtSingleApplication app(QString(), argc, argv);
    TestVellumixStrips test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vellumixstrips.moc"
