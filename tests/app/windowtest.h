// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/vellumix.h"
#include "controls/gettingstartlabel.h"
#include "media/audiolistwidget.h"
#include "media/photolistwidget.h"
#include "tests/support/testsupport.h"

#include "ui_vellumix.h"

#include <QApplication>
#include <QDir>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// What the window tests share: generated photos and songs in a folder of their own, and a main
// window, new for every test, on a settings store and a data folder of its own.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    // With takeFocus every test's window is the active window too.
    explicit WindowTest(bool takeFocus = false)
        : focus(takeFocus)
    { }

    Ui::VellumixClass *ui() const { return window->form(); }

    // Photos of the given sizes, a song and, when shortSongName is given, a shorter song of
    // 3 s, in the folder of that name under dir.
    bool writeMedia(const QList<QSize> &photoSizes, const QString &songName, double songSeconds,
                    const QString &shortSongName = {}, const QString &folder = QStringLiteral("."))
    {
        const QDir media(QDir::cleanPath(dir.filePath(folder)));
        if (!media.mkpath(QStringLiteral(".")))
            return false;
        photoFiles = writeColourPhotos(media.path(), photoSizes);
        song = media.filePath(songName);
        if (photoFiles.size() != photoSizes.size() || !writeToneWav(song, {{440.0, songSeconds}}))
            return false;
        if (shortSongName.isEmpty())
            return true;
        shortSong = media.filePath(shortSongName);
        return writeToneWav(shortSong, {{660.0, 3.0}});
    }

    // Shows a new window; with takeFocus, waits until it is the active window too.
    bool openWindow(bool takeFocus)
    {
        settings = std::make_unique<TempSettings>();
        // Autosave copies and the recent shows stay out of the user's own folders.
        qputenv("XDG_DATA_HOME", settings->folder().toUtf8());
        window = std::make_unique<Vellumix>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        if (!takeFocus)
            return true;
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    void closeWindow()
    {
        window.reset();
        settings.reset();
    }

    // Drops the first three photos (and the song) on the getting-started picture, as a user
    // begins a show, and waits until they are read.
    void loadShow(bool withAudio)
    {
        QStringList files = photoFiles.mid(0, 3);
        if (withAudio)
            files.append(song);
        QVERIFY(dropOn(ui()->gettingStart, files, ui()->gettingStart->rect().center()));
        QTRY_COMPARE_WITH_TIMEOUT(ui()->photoListWidget->count(), 5, PatienceMs);
        QTRY_COMPARE_WITH_TIMEOUT(ui()->audioListWidget->count(), withAudio ? 1 : 0, PatienceMs);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), PatienceMs);
    }

    QTemporaryDir dir;
    QStringList photoFiles;
    QString song;
    QString shortSong;
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<Vellumix> window;

private slots:
    void init() { QVERIFY(openWindow(focus)); }
    void cleanup() { closeWindow(); }

private:
    const bool focus;
};

// Runs action on the modal widget of type Dialog that trigger opens, once it is up.
template<typename Dialog>
bool whenOpen(const std::function<void()> &trigger, const std::function<void(Dialog *)> &action)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<Dialog *>(QApplication::activeModalWidget()));
        seen = true;
        action(qobject_cast<Dialog *>(QApplication::activeModalWidget()));
    });
    trigger();
    return QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }) && seen;
}
