// SPDX-License-Identifier: GPL-3.0-or-later
// Shows in the main window: saved, opened in a new window and saved again, the title and the
// question on closing, files gone missing, a show recovered after the program was killed, and a
// saved show made into a video on the command line as the window makes it.
#include "app/showsession.h"
#include "app/vellumix.h"
#include "creation/compileprogress.h"
#include "media/audiolistwidget.h"
#include "media/photolistwidget.h"
#include "storyboard/showfile.h"
#include "tests/app/windowtest.h"
#include "zofc/zopref.h"

#include "ui_vellumix.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <memory>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers every message box that comes up while work runs with the button answer picks, and
// gives back the texts of the boxes seen.
QStringList answerBoxes(const std::function<void()> &work,
                        const std::function<QAbstractButton *(QMessageBox *)> &answer)
{
    QStringList texts;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts.append(box->text() + QLatin1Char(' ') + box->informativeText());
        answer(box)->click();
    });
    poll.start();
    work();
    return texts;
}

// The MD5 of the packets of a file's video or audio streams (which is "v" or "a"), as written.
QByteArray streamDigest(const QString &file, const char *which)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-v", "error", "-i", file, "-map",
                  QStringLiteral("0:%1").arg(QLatin1String(which)), "-c", "copy", "-f", "md5",
                  "-"});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return QByteArray();
    return ffmpeg.readAllStandardOutput().trimmed();
}

std::function<QAbstractButton *(QMessageBox *)> press(QMessageBox::StandardButton which)
{
    return [which](QMessageBox *box) {
        return box->button(which);
    };
}

} // namespace

class TestShowWindow : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void savedShowOpensAsItWasSaved();
    void closingAsksAboutUnsavedChanges();
    void missingFilesAreMarkedAndReportedOnce();
    void killedProgramIsRecovered_data();
    void killedProgramIsRecovered();
    void savedShowMakesTheWindowsVideo();

private:
    // Three photos, the second turned right, and the song trimmed to 1..4 s.
    void makeShow();
};

void TestShowWindow::initTestCase()
{
    QVERIFY(writeMedia(QList<QSize>(3, QSize(320, 240)), QStringLiteral("song.wav"), 6.0, {},
                       QStringLiteral("trip")));
}

void TestShowWindow::makeShow()
{
    loadShow(true);
    PhotoListWidget *strip = ui()->photoListWidget;
    strip->setCurrentRow(2);
    strip->rotateSelected(ImageInfo::TurnRight);
    QList<AudioInfo> clips = window->board().audios;
    clips[0].clipStart = 1.0;
    clips[0].clipEnd = 4.0;
    ui()->audioListWidget->setAudioList(clips);
}

void TestShowWindow::savedShowOpensAsItWasSaved()
{
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("Untitled")));
    QVERIFY(!window->isWindowModified());
    makeShow();
    QVERIFY(window->isWindowModified());

    const QString path = dir.filePath(QStringLiteral("trip/trip.vellumix"));
    QVERIFY(window->showSession()->saveTo(path));
    QCOMPARE(window->windowTitle(), QStringLiteral("trip[*] - Vellumix"));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->showSession()->recentShows(), QStringList {path});
    // Undone past the saved state the show is unsaved again; redone, it is as saved.
    QAction *undo = ui()->menuEdit->actions().value(0);
    QAction *redo = ui()->menuEdit->actions().value(1);
    undo->trigger();
    QVERIFY(window->isWindowModified());
    redo->trigger();
    QVERIFY(!window->isWindowModified());
    const StoryBoard saved = window->board();

    auto other = std::make_unique<Vellumix>();
    other->show();
    QVERIFY(other->openShow(path));
    QVERIFY(!other->isWindowModified());
    const StoryBoard &opened = other->board();
    QCOMPARE(opened.photos.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(opened.photos[i].path, saved.photos[i].path);
        QCOMPARE(opened.photos[i].operations, saved.photos[i].operations);
        QCOMPARE(opened.photos[i].orientation, saved.photos[i].orientation);
        QCOMPARE(opened.photos[i].zoom.start, saved.photos[i].zoom.start);
        QCOMPARE(opened.photos[i].zoom.end, saved.photos[i].zoom.end);
        QCOMPARE(opened.photos[i].width, 320);
        QVERIFY(!opened.photos[i].thumbnail.isNull());
    }
    QCOMPARE(opened.photos[1].operations, QList<int> {ImageInfo::TurnRight});
    QCOMPARE(opened.audios.size(), 1);
    QCOMPARE(opened.audios[0].clipStart, 1.0);
    QCOMPARE(opened.audios[0].clipEnd, 4.0);
    QCOMPARE(opened.audios[0].duration, saved.audios[0].duration);
    QCOMPARE(opened.totalDuration(), saved.totalDuration());

    const QString again = dir.filePath(QStringLiteral("trip/again.vellumix"));
    QVERIFY(other->showSession()->saveTo(again));
    QCOMPARE(contents(again), contents(path));

    // New empties the window, which has nothing unsaved to ask about.
    QVERIFY(other->newShow());
    QVERIFY(other->board().isEmpty());
    QCOMPARE(other->form()->photoListWidget->count(), 0);
    QVERIFY(other->windowTitle().startsWith(QStringLiteral("Untitled")));
    QCOMPARE(other->showSession()->recentShows(), (QStringList {again, path}));
}

void TestShowWindow::closingAsksAboutUnsavedChanges()
{
    makeShow();
    // Cancel keeps the window and its show.
    QStringList asked = answerBoxes([this] { window->close(); }, press(QMessageBox::Cancel));
    QCOMPARE(asked.size(), 1);
    QVERIFY(window->isVisible());
    QCOMPARE(window->board().photos.size(), 3);
    QVERIFY(window->isWindowModified());

    // New asks the same; Save writes the show's file once it has one.
    const QString path = dir.filePath(QStringLiteral("trip/closing.vellumix"));
    QVERIFY(window->showSession()->saveTo(path));
    ui()->photoListWidget->setCurrentRow(0);
    ui()->photoListWidget->rotateSelected(ImageInfo::Mirror);
    QVERIFY(window->isWindowModified());
    asked = answerBoxes([this] { QVERIFY(window->newShow()); }, press(QMessageBox::Save));
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.first().contains(QStringLiteral("closing")));
    QVERIFY(window->board().isEmpty());
    const ShowReadResult saved = readShowFile(path);
    QCOMPARE(saved.show.photos.first().operations, QList<int> {ImageInfo::Mirror});

    // An autosave whose origin cannot be written has failed, and says so.
    makeShow();
    const QString origin = ShowSession::autosaveOriginPath();
    QFile::remove(origin);
    QVERIFY(QDir().mkpath(origin));
    QVERIFY(!window->showSession()->writeAutosave());
    QVERIFY(QDir(origin).removeRecursively());

    // Discard closes; a clean exit leaves no copy to recover.
    QVERIFY(window->showSession()->writeAutosave());
    QVERIFY(ShowSession::hasAutosave());
    asked = answerBoxes([this] { window->close(); }, press(QMessageBox::Discard));
    QCOMPARE(asked.size(), 1);
    QVERIFY(!window->isVisible());
    QVERIFY(!ShowSession::hasAutosave());
}

void TestShowWindow::missingFilesAreMarkedAndReportedOnce()
{
    QTemporaryDir show;
    const QString gonePhoto = show.filePath(QStringLiteral("gone.jpg"));
    const QString goneSong = show.filePath(QStringLiteral("gone.wav"));
    ShowFile file;
    for (const QString &path : {photoFiles[0], gonePhoto, photoFiles[2]}) {
        ImageInfo photo;
        photo.path = path;
        file.photos.append(photo);
    }
    AudioInfo clip;
    clip.path = goneSong;
    clip.duration = 30.0;
    clip.clipEnd = 20.0;
    file.audios.append(clip);
    const QString path = show.filePath(QStringLiteral("show.vellumix"));
    QVERIFY(writeShowFile(path, file));

    QStringList reported
        = answerBoxes([&] { QVERIFY(window->openShow(path)); }, press(QMessageBox::Ok));
    QCOMPARE(reported.size(), 1);
    QVERIFY(reported.first().contains(gonePhoto) && reported.first().contains(goneSong));
    QVERIFY(!reported.first().contains(photoFiles[0]));
    QCOMPARE(window->board().photos.size(), 3);
    QVERIFY(window->board().photos[1].missing && !window->board().photos[0].missing);
    const QImage shown = ui()->photoListWidget->item(2)->data(Qt::DecorationRole).value<QImage>();
    QCOMPARE(shown, PhotoListWidget::missingThumbnail());
    QVERIFY(ui()->audioListWidget->item(0)->toolTip().contains(QStringLiteral("Missing")));

    // Creating a video first names them; cancelled there, no output dialog follows.
    reported = answerBoxes([this] { ui()->burn->click(); }, press(QMessageBox::Cancel));
    QCOMPARE(reported.size(), 1);
    QVERIFY(reported.first().contains(gonePhoto));
    QVERIFY(!QApplication::activeModalWidget());

    // Saving keeps them.
    QVERIFY(window->showSession()->saveTo(path));
    QCOMPARE(readShowFile(path).show.audios.first().path, goneSong);
    QCOMPARE(readShowFile(path).show.photos[1].path, gonePhoto);
}

void TestShowWindow::killedProgramIsRecovered_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("killed") << int(SIGKILL);
    QTest::newRow("terminated (log-out, shutdown)") << int(SIGTERM);
    QTest::newRow("hung up") << int(SIGHUP);
}

void TestShowWindow::killedProgramIsRecovered()
{
    // The program is given a photo on its command line, which changes its untitled show, and is
    // killed (or told to end, as at a log-out) once the copy is written; the next start offers
    // the show back.
    window.reset();
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    program.setProcessEnvironment(env);
    program.start(testAppDir() + QStringLiteral("/vellumix"), {photoFiles[0], song});
    QVERIFY(program.waitForStarted());

    ZoPref::setFileName(home.filePath(QStringLiteral("config/Vellumix/Vellumix.conf")));
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    const QString copy = ShowSession::autosavePath();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(copy), ShowSession::AutosaveDelayMs + PatienceMs);
    // A copy written before the song was in comes again one delay after the song's import.
    QTRY_VERIFY_WITH_TIMEOUT(readShowFile(copy).ok() && readShowFile(copy).show.audios.size() == 1,
                             ShowSession::AutosaveDelayMs + PatienceMs);
    QFETCH(int, signalNumber);
    if (signalNumber != SIGKILL) {
        // The copy must come from the signal itself: no autosave is due any more.
        QVERIFY(QFile::remove(copy));
    }
    ::kill(static_cast<pid_t>(program.processId()), signalNumber);
    // It ends by itself, asking nothing.
    QVERIFY(program.waitForFinished(PatienceMs));
    QVERIFY(QFileInfo::exists(copy));

    window = std::make_unique<Vellumix>();
    window->show();
    const QStringList offered
        = answerBoxes([this] { window->offerRecovery(); },
                      [](QMessageBox *box) {
                          for (QAbstractButton *button : box->buttons()) {
                              if (button->text().contains(QStringLiteral("Recover")))
                                  return button;
                          }
                          return box->button(QMessageBox::Discard);
                      });
    QCOMPARE(offered.size(), 1);
    QVERIFY(offered.first().contains(QStringLiteral("Untitled")));
    QCOMPARE(window->board().photos.size(), 1);
    QCOMPARE(window->board().photos.first().path, photoFiles[0]);
    QCOMPARE(window->board().audios.size(), 1);
    QVERIFY(window->isWindowModified());

    // A clean end takes the copy away.
    answerBoxes([this] { window->close(); }, press(QMessageBox::Discard));
    QVERIFY(!QFileInfo::exists(copy));
}

void TestShowWindow::savedShowMakesTheWindowsVideo()
{
    QTemporaryDir output;
    QVERIFY(QDir().mkpath(output.filePath(QStringLiteral("window"))));
    ZoPref::setValue(QStringLiteral("OutputPath"), output.filePath(QStringLiteral("window")));
    ZoPref::setValue(QStringLiteral("OutputName"), QStringLiteral("Trip"));
    ZoPref::setValue(QStringLiteral("last_profile_url"), QStringLiteral("dvdpal"));
    ZoPref::setValue(QStringLiteral("last_profile_group"), QStringLiteral("DVD and TV"));
    window->board().setPhotoDurationMs(1000);
    window->board().setTransitionDurationMs(500);
    makeShow();

    // Create Video File, answered as a user would; a message on the way ends it.
    QString message;
    QTimer driver;
    driver.setInterval(50);
    connect(&driver, &QTimer::timeout, this, [&message] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            message = box->text();
            box->buttons().constFirst()->click();
        } else if (modal && modal->objectName() == QLatin1String("OutputSettingClass")) {
            if (message.isEmpty())
                static_cast<QDialog *>(modal)->accept();
            else
                static_cast<QDialog *>(modal)->reject();
        } else if (auto *progress = qobject_cast<CompileProgress *>(modal)) {
            if (progress->isFinished())
                progress->findChild<QPushButton *>(QStringLiteral("close"))->click();
        }
    });
    driver.start();
    ui()->burn->click();
    driver.stop();
    QVERIFY2(message.isEmpty(), qPrintable(message));
    const QString windowVideo = output.filePath(QStringLiteral("window/Trip.mpg"));
    QVERIFY(QFileInfo::exists(windowVideo));

    // The show saved after it holds the profile, folder and name it was made with; made on
    // the command line elsewhere, by a program with no settings of its own.
    const QString path = dir.filePath(QStringLiteral("trip/made.vellumix"));
    QVERIFY(window->showSession()->saveTo(path));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), output.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), output.filePath(QStringLiteral("data")));
    program.setProcessEnvironment(env);
    program.start(testAppDir() + QStringLiteral("/vellumix"),
                  {QStringLiteral("create"), QStringLiteral("--quiet"),
                   QStringLiteral("--output-dir"), output.filePath(QStringLiteral("command")),
                   path});
    QVERIFY(program.waitForFinished(300000));
    QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());
    const QString commandVideo = QString::fromUtf8(program.readAllStandardOutput().trimmed());
    QCOMPARE(commandVideo, output.filePath(QStringLiteral("command/Trip.mpg")));

    for (const char *which : {"v", "a"}) {
        const QByteArray made = streamDigest(windowVideo, which);
        QVERIFY2(!made.isEmpty(), which);
        QCOMPARE(streamDigest(commandVideo, which), made);
    }
}

QTEST_MAIN(TestShowWindow)
#include "tst_showwindow.moc"
