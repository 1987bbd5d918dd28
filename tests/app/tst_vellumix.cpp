// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: what is enabled at the start, the preview's position and
// time code, moving through the strips, the end of the show, the properties window, post-task
// actions, Space, the window's place across runs, and a video made from the window.
#include "app/showsession.h"
#include "app/timeline.h"
#include "app/vellumix.h"
#include "audio/audiodecoder.h"
#include "audio/storyboardrender.h"
#include "controls/gettingstartlabel.h"
#include "creation/compileprogress.h"
#include "media/mediainfowidget.h"
#include "preview/avplayer.h"
#include "storyboard/photoloader.h"
#include "storyboard/showfile.h"
#include "tests/app/windowtest.h"
#include "zofc/zolangitemmodel.h"
#include "zofc/zopref.h"

#include "ui_vellumix.h"

#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace {

constexpr int photoCount = 3;

} // namespace

class TestVellumix : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void timeCodes_data();
    void timeCodes();
    void startState();
    void postTaskActions_data();
    void postTaskActions();
    void selectingRowsMovesThePreview_data();
    void selectingRowsMovesThePreview();
    void sliderClickJumpsToTheClickedPlace();
    void gettingStartedShowsOnlyWhenTheShowIsEmpty();
    void showEndStopsAtFrameZero();
    void spaceTogglesPlaybackOutsideTextFields();
    void fadeSwitchEditsTheShowWhilePaused();
    void propertiesShowTheSelectedPhotoAsTyped();
    void languageChangeReloadsTheGettingStartedPicture();
    void geometryIsKeptBetweenRuns();
    void smallestWindowFitsASmallScreen_data();
    void smallestWindowFitsASmallScreen();
    void playThenCreateVideoFile();
    void vanishedPhotoIsLeftOutOfTheVideo();

private:
    // The photos and the song as read, for the tests that set the show's lists directly.
    QList<ImageInfo> photos;
    QList<AudioInfo> audios;
};

void TestVellumix::initTestCase()
{
    QVERIFY(writeMedia(QList<QSize>(photoCount, QSize(320, 240)), QStringLiteral("song.wav"), 6.0));
    for (const QString &path : std::as_const(photoFiles)) {
        ImageInfo info;
        info.path = path;
        QVERIFY(readPhotoInfo(info));
        photos.append(info);
    }
    AudioInfo clip;
    clip.path = song;
    QVERIFY(readAudioInfo(clip));
    audios.append(clip);
}

void TestVellumix::timeCodes_data()
{
    QTest::addColumn<qint64>("frames");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("text");
    QTest::newRow("an hour and five seconds") << qint64(90125) << 25.0 << "01:00:05";
    QTest::newRow("under two seconds") << qint64(37) << 25.0 << "00:00:01";
    QTest::newRow("NTSC rate") << qint64(1799) << 29.97 << "00:01:00";
    QTest::newRow("hundred hours") << qint64(9000000) << 25.0 << "100:00:00";
}

void TestVellumix::timeCodes()
{
    QFETCH(qint64, frames);
    QFETCH(double, rate);
    QFETCH(QString, text);
    QCOMPARE(formatTimeCode(frames, rate), text);
}

void TestVellumix::startState()
{
    QCOMPARE(window->objectName(), QStringLiteral("VellumixClass"));
    for (QWidget *off :
         {static_cast<QWidget *>(ui()->burn), static_cast<QWidget *>(ui()->play),
          static_cast<QWidget *>(ui()->stop), static_cast<QWidget *>(ui()->previous),
          static_cast<QWidget *>(ui()->next), static_cast<QWidget *>(ui()->deleteClip),
          static_cast<QWidget *>(ui()->turnLeft), static_cast<QWidget *>(ui()->moveLeft),
          static_cast<QWidget *>(ui()->moveRight)})
        QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
    for (QAction *off :
         {ui()->actionDelete, ui()->actionSelect_All, ui()->actionTurn_Left, ui()->actionMove_Left,
          ui()->actionMove_Right, ui()->actionCreate_DVD, ui()->actionAuto_Rotate_All_Phtotes})
        QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
    QVERIFY(ui()->actionClear->isEnabled());
    QVERIFY(ui()->actionAuto_Rotate_Photoes_While_Importing->isChecked());
    QVERIFY(ui()->actionSortByName->isChecked());
    QVERIFY(ui()->actionSortAscending->isChecked());
    QVERIFY(ui()->actionDo_Nothing->isChecked());
    QVERIFY(ui()->play->isVisible());
    QVERIFY(!ui()->pause->isVisible());
    QVERIFY(ui()->mute->isVisible());
    QVERIFY(!ui()->unmute->isVisible());
    QVERIFY(ui()->gettingStart->isVisible());
    QVERIFY(!ui()->avPlayer->isVisible());
    QVERIFY(ui()->checkBox_3->isVisible() && ui()->checkBox_3->isEnabled());
    QVERIFY(!ui()->checkBox_3->isChecked());
    QCOMPARE(ui()->timeCode->text(), QStringLiteral("00:00:00 / 00:00:00"));
    QCOMPARE(ui()->volume->value(), 100);
    QCOMPARE(ui()->position->maximum(), 0);
    // The settings column shows the model's settings, not the form's.
    QCOMPARE(ui()->spinBox->value(), 5000);
    QCOMPARE(ui()->spinBox_2->value(), 1500);
    QVERIFY(ui()->checkBox->isChecked());
    QVERIFY(ui()->checkBoxUseDynamicZoom->isChecked());
    QCOMPARE(ui()->radioButton_2->isEnabled(), !window->board().patterns.isEmpty());
    // "Preferences..." closes the framework's own menu.
    QCOMPARE(window->mainMenu()->actions().constLast(), ui()->actionPreferences);
}

void TestVellumix::postTaskActions_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("stored");
    QTest::newRow("shut down") << "actionShut_Down" << 4;
    QTest::newRow("exit") << "actionExit_Program" << 0;
    QTest::newRow("stand by") << "actionStand_By" << 1;
    QTest::newRow("hibernate") << "actionHibernate" << 2;
    QTest::newRow("nothing") << "actionDo_Nothing" << 5;
}

void TestVellumix::postTaskActions()
{
    QFETCH(QString, action);
    QFETCH(int, stored);
    const QList<QAction *> group = ui()->menuAfter_Burn->actions();
    QCOMPARE(group.size(), 5);
    auto *chosen = window->findChild<QAction *>(action);
    QVERIFY(chosen);
    chosen->trigger();
    QCOMPARE(ZoPref::value(QStringLiteral("AfterBurnAction"), -1).toInt(), stored);
    for (QAction *entry : group)
        QCOMPARE(entry->isChecked(), entry == chosen);

    // A stored value outside the table checks nothing.
    ZoPref::setValue(QStringLiteral("AfterBurnAction"), 3);
    window->syncAfterBurnChecks();
    for (QAction *entry : group)
        QVERIFY(!entry->isChecked());
}

void TestVellumix::selectingRowsMovesThePreview_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("frame");
    QTest::addColumn<bool>("previous");
    QTest::addColumn<bool>("next");
    // 5 s photos, 1.5 s transitions, 25 frames/s: 162.5 frames a period; photo 2 starts at
    // 6.5 s (frame 162.5, so 163), its transition at 11.5 s (frame 287.5, so 288).
    QTest::newRow("first photo") << 0 << 0 << false << true;
    QTest::newRow("transition after photo 2") << 3 << 288 << true << true;
    QTest::newRow("last photo") << 4 << 325 << true << false;
}

void TestVellumix::selectingRowsMovesThePreview()
{
    QFETCH(int, row);
    QFETCH(int, frame);
    QFETCH(bool, previous);
    QFETCH(bool, next);
    loadShow(false);
    QCOMPARE(photoRowFrame(row, window->renderer()->timeline()), frame);
    clickRow(ui()->photoListWidget, row);
    QCOMPARE(ui()->avPlayer->currentFrame(), frame);
    QCOMPARE(ui()->position->value(), frame);
    QCOMPARE(ui()->timeCode->text(),
             formatTimeCode(frame, 25.0) + QStringLiteral(" / ")
                 + formatTimeCode(window->renderer()->totalFrames(), 25.0));
    QCOMPARE(ui()->previous->isEnabled(), previous);
    QCOMPARE(ui()->next->isEnabled(), next);
    // No current row clears the properties and both step buttons.
    ui()->photoListWidget->setCurrentRow(-1);
    QVERIFY(!ui()->previous->isEnabled());
    QVERIFY(!ui()->next->isEnabled());
    QCOMPARE(window->mediaInfoWidget()->mediaInfo().mode, int(MediaInfo::Empty));
}

void TestVellumix::sliderClickJumpsToTheClickedPlace()
{
    QCOMPARE(sliderValueAtCursor(175, 100, 100, 400), 300);
    QCOMPARE(sliderValueAtCursor(50, 100, 100, 400), 0);
    QCOMPARE(sliderValueAtCursor(260, 100, 100, 400), 400);

    loadShow(false);
    const int total = window->renderer()->totalFrames();
    QSlider *slider = ui()->position;
    const QPoint threeQuarters(slider->width() * 3 / 4, slider->height() / 2);
    // The jump follows the pointer, as it does for a user's click.
    QCursor::setPos(slider->mapToGlobal(threeQuarters));
    QTRY_COMPARE(QCursor::pos(), slider->mapToGlobal(threeQuarters));
    QTest::mouseClick(slider, Qt::LeftButton, {}, threeQuarters);
    const int expected = total * 3 / 4;
    QTRY_VERIFY2(qAbs(ui()->avPlayer->currentFrame() - expected) <= total / 100,
                 qPrintable(QStringLiteral("frame %1, expected about %2")
                                .arg(ui()->avPlayer->currentFrame())
                                .arg(expected)));
}

void TestVellumix::gettingStartedShowsOnlyWhenTheShowIsEmpty()
{
    loadShow(true);
    QVERIFY(ui()->avPlayer->isVisible());
    QVERIFY(!ui()->gettingStart->isVisible());
    QVERIFY(ui()->burn->isEnabled());
    QVERIFY(ui()->play->isEnabled());
    QVERIFY(ui()->syncAlbum->isEnabled());
    QCOMPARE(ui()->photoLength->text(), formatSeconds(qint64(window->board().totalDuration())));
    QCOMPARE(ui()->audioLength->text(), QStringLiteral("00:00:06"));

    // Audio left: the player stays.
    window->photoListChanged({});
    QVERIFY(ui()->avPlayer->isVisible());
    QVERIFY(!ui()->burn->isEnabled());
    QVERIFY(!ui()->play->isEnabled());

    // Nothing left: the picture of how to begin.
    window->audioListChanged({});
    QVERIFY(!ui()->avPlayer->isVisible());
    QVERIFY(ui()->gettingStart->isVisible());
    QCOMPARE(ui()->timeCode->text(), QStringLiteral("00:00:00 / 00:00:00"));
    QCOMPARE(ui()->position->maximum(), 0);
}

void TestVellumix::showEndStopsAtFrameZero()
{
    StoryBoard &board = window->board();
    board.setPhotoDurationMs(1000);
    board.setTransitionDurationMs(500);
    window->photoListChanged(photos.mid(0, 1));
    const int total = window->renderer()->totalFrames();
    QVERIFY(total > 0 && total <= 50);
    window->showPosition(total - 10);
    ui()->play->click();
    QCOMPARE(window->state(), Vellumix::PlayState::Playing);
    QVERIFY(ui()->pause->isVisible());
    QVERIFY(!ui()->play->isVisible());
    QVERIFY(ui()->stop->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(window->state(), Vellumix::PlayState::Stopped, PatienceMs);
    QCOMPARE(ui()->avPlayer->currentFrame(), 0);
    QCOMPARE(ui()->position->value(), 0);
    QVERIFY(ui()->play->isEnabled());
    QVERIFY(ui()->play->isVisible());
    QVERIFY(!ui()->stop->isEnabled());
    QVERIFY(!window->renderer()->isRunning());
}

void TestVellumix::spaceTogglesPlaybackOutsideTextFields()
{
    loadShow(true);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    ui()->volume->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ui()->volume);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(window->state(), Vellumix::PlayState::Playing);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(window->state(), Vellumix::PlayState::Paused);

    // In a number field the key is the field's.
    ui()->spinBox->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ui()->spinBox);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(window->state(), Vellumix::PlayState::Paused);
}

void TestVellumix::fadeSwitchEditsTheShowWhilePaused()
{
    loadShow(true);
    QCheckBox *fade = ui()->checkBox_3;
    // A box wider than its text takes clicks on its indicator and text only.
    QStyleOptionButton option;
    option.initFrom(fade);
    const QPoint box
        = fade->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, fade).center();
    window->showPosition(40);
    QTest::mouseClick(fade, Qt::LeftButton, {}, box);
    QVERIFY(fade->isChecked());
    QVERIFY(window->board().fadeInOut);
    // The preview is shown again where it stood.
    QCOMPARE(ui()->avPlayer->currentFrame(), 40);
    QCOMPARE(ui()->position->value(), 40);

    ui()->play->click();
    QCOMPARE(window->state(), Vellumix::PlayState::Playing);
    QVERIFY(!fade->isEnabled());
    QTest::mouseClick(fade, Qt::LeftButton, {}, box);
    QVERIFY(window->board().fadeInOut);
    ui()->pause->click();
    QVERIFY(fade->isEnabled());
    QTest::mouseClick(fade, Qt::LeftButton, {}, box);
    QVERIFY(!window->board().fadeInOut);
    QCOMPARE(window->state(), Vellumix::PlayState::Paused);
}

void TestVellumix::propertiesShowTheSelectedPhotoAsTyped()
{
    QList<ImageInfo> list = photos;
    list[1].exifProperties[0] = QStringLiteral("<img src=\"file:///etc/passwd\">");
    list[1].exifProperties[1] = QStringLiteral("Model & Co");
    list[1].fileSize = 1500000;
    window->photoListChanged(list);
    window->on_photoListWidget_row_changed(2);
    ui()->actionProperty->trigger();
    MediaInfoWidget *info = window->mediaInfoWidget();
    QVERIFY(info->isVisible());
    const QString text = info->view()->toPlainText();
    QVERIFY(text.contains(QStringLiteral("photo2.jpg")));
    QVERIFY(text.contains(QStringLiteral("JPG")));
    QVERIFY(text.contains(QStringLiteral("1464 KB")));
    QVERIFY(text.contains(QStringLiteral("320x240")));
    QVERIFY(text.contains(list[1].exifProperties[0]));
    QVERIFY(text.contains(list[1].exifProperties[1]));

    // The units follow a change of language while the window is open, and come back.
    QTranslator french;
    QVERIFY(french.load(QLatin1String("vellumix_fr"),
                        ZoPref::appDir() + QLatin1String("/translations")));
    QCoreApplication::installTranslator(&french);
    QCoreApplication::sendPostedEvents();
    QVERIFY2(info->view()->toPlainText().contains(QStringLiteral("1464 Ko")),
             qPrintable(info->view()->toPlainText()));
    QCoreApplication::removeTranslator(&french);
    QCoreApplication::sendPostedEvents();
    QVERIFY(info->view()->toPlainText().contains(QStringLiteral("1464 KB")));

    // Audio clips show their own rows.
    window->audioListChanged(audios);
    window->on_audioListWidget_row_changed(0);
    const MediaInfo &clip = window->mediaInfoWidget()->mediaInfo();
    QCOMPARE(clip.mode, int(MediaInfo::Audio));
    QCOMPARE(clip.channels, QStringLiteral("2"));
    QCOMPARE(clip.sampleRate, QStringLiteral("48000 Hz"));
    QCOMPARE(clip.duration, QStringLiteral("00:00:06"));
}

// The skin names the getting-started picture; a language change loads the language's own.
void TestVellumix::languageChangeReloadsTheGettingStartedPicture()
{
    const QString base = ZoPref::skinDir() + QStringLiteral("/app_vellumix/start.png");
    QVERIFY2(QFileInfo(base).isFile(), qPrintable(base));
    ui()->gettingStart->setGettingStart(base);
    ZoLangItemModel::setCurrentLangName(QStringLiteral("de_DE"));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(window.get(), &change);
    QVERIFY(ui()->gettingStart->loadedPath().endsWith(QLatin1String("/start_de_DE.png")));
    QVERIFY(!ui()->gettingStart->image().isNull());
    QCOMPARE(ui()->actionPreferences->text(), QStringLiteral("&Preferences..."));
}

void TestVellumix::geometryIsKeptBetweenRuns()
{
    // A size that a 1366 x 768 screen holds under a panel and a title bar.
    window->resize(1000, 700);
    window->move(40, 30);
    QTRY_COMPARE(window->size(), QSize(1000, 700));
    const QRect before = window->geometry();
    window->close();
    window = std::make_unique<Vellumix>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), before.size());
}

void TestVellumix::smallestWindowFitsASmallScreen_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString();
    QTest::newRow("German") << QStringLiteral("de");
    QTest::newRow("French") << QStringLiteral("fr");
}

// At its smallest, with the program's style sheet, the window fits a 768-pixel screen under a
// panel and a title bar, and no label or button has less width than its text needs.
void TestVellumix::smallestWindowFitsASmallScreen()
{
    QFETCH(QString, language);
    QFile sheet(ZoPref::skinDir() + QLatin1String("/style.qss"));
    QVERIFY(sheet.open(QIODevice::ReadOnly | QIODevice::Text));
    qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    QTranslator translator;
    if (!language.isEmpty()) {
        QVERIFY(translator.load(QLatin1String("vellumix_") + language,
                                ZoPref::appDir() + QLatin1String("/translations")));
        QCoreApplication::installTranslator(&translator);
    }
    loadShow(true);
    const QSize smallest = window->minimumSizeHint();
    window->resize(smallest);
    QTRY_COMPARE(window->size(), smallest);
    QStringList clipped = clippedTexts(window.get());
    // The selected photos' settings, in their own tab of the same column.
    clickRow(ui()->photoListWidget, 0);
    window->findChild<QTabWidget *>(QStringLiteral("settingsTabs"))->setCurrentIndex(1);
    clipped += clippedTexts(window.get());
    QCoreApplication::removeTranslator(&translator);
    qApp->setStyleSheet(QString());
    QVERIFY2(smallest.height() <= 700, qPrintable(QString::number(smallest.height())));
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String(", "))));
}

// A user's whole path: a show in the window, a second of playing, Create Video File with the
// DVD PAL profile through the real encoder, and the preview afterwards in the output's format.
void TestVellumix::playThenCreateVideoFile()
{
    QTemporaryDir output;
    ZoPref::setValue(QStringLiteral("OutputPath"), output.path());
    ZoPref::setValue(QStringLiteral("OutputName"), QStringLiteral("Window Show"));
    ZoPref::setValue(QStringLiteral("last_profile_url"), QStringLiteral("dvdpal"));
    ZoPref::setValue(QStringLiteral("last_profile_group"), QStringLiteral("DVD and TV"));
    window->board().setPhotoDurationMs(1000);
    window->board().setTransitionDurationMs(500);
    loadShow(true);
    const int total = window->renderer()->totalFrames();
    QVERIFY(total >= 75); // at least the three seconds of photos at 25 frames/s

    ui()->play->click();
    QTRY_VERIFY_WITH_TIMEOUT(ui()->avPlayer->currentFrame() > 5, PatienceMs);
    QCOMPARE(window->state(), Vellumix::PlayState::Playing);
    // Where the preview sits, which the new format must not change.
    const QRect place = ui()->avPlayer->geometry();

    // Answers the two modal dialogs as a user would: OK in the output settings, Close once the
    // creation has ended.
    QStringList seen;
    QTimer driver;
    driver.setInterval(50);
    connect(&driver, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal->objectName() == QLatin1String("OutputSettingClass")) {
            seen << modal->objectName();
            static_cast<QDialog *>(modal)->accept();
        } else if (auto *progress = qobject_cast<CompileProgress *>(modal)) {
            if (!seen.contains(modal->objectName()))
                seen << modal->objectName();
            if (progress->isFinished()) {
                QVERIFY(progress->succeeded());
                progress->findChild<QPushButton *>(QStringLiteral("close"))->click();
            }
        }
    });
    driver.start();
    ui()->burn->click();
    driver.stop();
    QCOMPARE(seen, QStringList({"OutputSettingClass", "CompileProgressClass"}));
    QCOMPARE(window->state(), Vellumix::PlayState::Paused); // creating paused the preview

    const QStringList made = QDir(output.path()).entryList(QDir::Files);
    QCOMPARE(made, QStringList {QStringLiteral("Window Show.mpg")});
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-select_streams", "v:0", "-show_entries", "stream=width,height",
                 "-of", "csv=p=0", output.filePath(made.first())});
    QVERIFY(probe.waitForFinished(60000));
    QVERIFY(probe.readAllStandardOutput().startsWith("720,576"));

    // The preview now runs in the profile's format.
    const MediaFormat &format = window->format();
    QCOMPARE(format.width, 720);
    QCOMPARE(format.height, 576);
    QCOMPARE(format.aspect, 1.25);
    QCOMPARE(format.frameRate, 25.0);
    QCOMPARE(format.channels, 2);
    QCOMPARE(ui()->avPlayer->mediaFormat().width, 720);
    QCOMPARE(ui()->avPlayer->geometry(), place);
    QCOMPARE(window->renderer()->mediaFormat().height, 576);
    QCOMPARE(ui()->position->maximum(), window->renderer()->totalFrames());
    QVERIFY(window->lastProfile().text(QStringLiteral("s")) == QStringLiteral("720x576"));
    ui()->play->click();
    QTRY_VERIFY_WITH_TIMEOUT(ui()->avPlayer->currentFrame() > 5, PatienceMs);
}

// A photo whose file goes after it was read is found out when the video is made: it is marked
// missing, the user is warned, the video leaves it out, and the show keeps it, also in the
// recovery copy written while the video is being made.
void TestVellumix::vanishedPhotoIsLeftOutOfTheVideo()
{
    QTemporaryDir output;
    QTemporaryDir media;
    ZoPref::setValue(QStringLiteral("OutputPath"), output.path());
    ZoPref::setValue(QStringLiteral("OutputName"), QStringLiteral("Two Left"));
    ZoPref::setValue(QStringLiteral("last_profile_url"), QStringLiteral("psp"));
    ZoPref::setValue(QStringLiteral("last_profile_group"), QStringLiteral("Devices"));
    QList<ImageInfo> list = photos;
    list[1].path = media.filePath(QStringLiteral("gone.jpg"));
    QVERIFY(QFile::copy(photos[1].path, list[1].path));
    window->board().setPhotoDurationMs(2000);
    window->board().setTransitionDurationMs(500);
    window->photoListChanged(list);
    const QString lengthBefore = ui()->photoLength->text();
    QVERIFY(QFile::remove(list[1].path));

    QStringList warnings;
    qsizetype photosWhileMaking = -1;
    qsizetype photosInCopy = -1;
    QTimer driver;
    driver.setInterval(50);
    connect(&driver, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            warnings << box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (modal && modal->objectName() == QLatin1String("OutputSettingClass")) {
            static_cast<QDialog *>(modal)->accept();
        } else if (auto *progress = qobject_cast<CompileProgress *>(modal)) {
            if (photosWhileMaking < 0) {
                photosWhileMaking = window->board().photos.size();
                // As the autosave timer would, while the video is being made.
                QVERIFY(window->showSession()->writeAutosave());
                photosInCopy = readShowFile(ShowSession::autosavePath()).show.photos.size();
            }
            if (progress->isFinished()) {
                QVERIFY(progress->succeeded());
                progress->findChild<QPushButton *>(QStringLiteral("close"))->click();
            }
        }
    });
    driver.start();
    ui()->burn->click();
    driver.stop();

    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings.first().contains(QDir::toNativeSeparators(list[1].path)),
             qPrintable(warnings.first()));
    QCOMPARE(photosWhileMaking, 3);
    QCOMPARE(photosInCopy, 3);
    QCOMPARE(window->board().photos.size(), 3);
    QVERIFY(window->board().photos[1].missing);
    QVERIFY(!window->board().photos[0].missing);
    // The length shown is the video's, without the missing photo.
    QVERIFY(ui()->photoLength->text() < lengthBefore);
    QVERIFY(!QDir(output.path()).entryList({QStringLiteral("Two Left.*")}, QDir::Files).isEmpty());
}

QTEST_MAIN(TestVellumix)
#include "tst_vellumix.moc"
