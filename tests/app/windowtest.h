#pragma once

#include "app/vellumix.h"
#include "tests/support/testsupport.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// What the window tests share: generated photos and songs in a folder of their own, and a main
// window, new for every test, on a settings store of its own.
class WindowTest
{
protected:
    Ui::VellumixClass *ui() const { return window->form(); }

    // Four photos of the given sizes, a song and a shorter song of 3 s.
    bool writeMedia(const QList<QSize> &photoSizes, const QString &songName, double songSeconds,
                    const QString &shortSongName)
    {
        photoFiles = writeColourPhotos(dir.path(), photoSizes);
        song = dir.filePath(songName);
        shortSong = dir.filePath(shortSongName);
        return photoFiles.size() == photoSizes.size() && writeToneWav(song, {{440.0, songSeconds}})
            && writeToneWav(shortSong, {{660.0, 3.0}});
    }

    // Shows a new window; with takeFocus, waits until it is the active window too.
    bool openWindow(bool takeFocus)
    {
        settings = std::make_unique<TempSettings>();
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

    QTemporaryDir dir;
    QStringList photoFiles;
    QString song;
    QString shortSong;
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<Vellumix> window;
};
