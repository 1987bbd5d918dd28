// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/showfile.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QTimer;
class QUndoStack;
class QWidget;

// Keeps the main window's show in its file: which file it is, whether it holds changes not yet
// saved, the recent shows, and the autosave copy in the user's data folder that a start after a
// crash offers to recover. The show itself is asked for through a callback, so that this class
// knows nothing of the window's widgets. GUI thread only.
class ShowSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int RecentCount = 8;
    // A change is written to the autosave copy at most this long after it is made.
    static constexpr int AutosaveDelayMs = 10000;

    // current gives the show as it is now.
    ShowSession(QWidget *window, std::function<ShowFile()> current);
    ~ShowSession() override;

    // The edits of the show are those of stack: the show is unsaved while the stack is away from
    // the state it was in when the show was saved.
    void watch(QUndoStack *stack);

    QString filePath() const { return path; }
    bool isModified() const;
    // The show's name for the title: its file's base name, or "Untitled".
    QString displayName() const;

    // A change of the show that is not an undoable edit (its output profile).
    void setModified();
    // The show now is the one in path (empty for a new show), with nothing unsaved.
    void setSaved(const QString &path);
    // The show now is a recovered one that belonged to path (empty when it had no file yet); it
    // counts as unsaved until it is saved.
    void setRecovered(const QString &path);

    // Save, or Save As for a show that has no file yet; false when cancelled or failed (the
    // failure shown in a message box).
    bool save();
    bool saveAs();
    bool saveTo(const QString &file);
    // Asks Save / Discard / Cancel when there are unsaved changes; true when the caller may go
    // on (saved, discarded or nothing to save).
    bool maybeSave();
    // A file to open, picked in a file dialog; empty when cancelled.
    QString pickShowToOpen();

    QStringList recentShows() const;
    void addRecent(const QString &file);

    // The autosave copy of the settings in use and the file of the show it belongs to.
    static QString autosavePath();
    static QString autosaveOriginPath();
    // The copy this session writes: the one of the settings in use when it was made.
    QString copyPath() const { return copy; }
    bool writeAutosave();
    void removeAutosave();
    // Whether a previous run left an autosave copy behind, i.e. ended without closing.
    static bool hasAutosave();
    // The file the autosave copy belonged to (empty for a show that had none).
    static QString autosaveOrigin();

signals:
    // The file, the unsaved mark or the recent list changed.
    void stateChanged();

private:
    // After any change: the autosave copy is due, and the title may need its mark.
    void changed();

    QWidget *window;
    std::function<ShowFile()> current;
    QString path;
    QString copy;
    QUndoStack *edits = nullptr;
    // Unsaved changes beside the edits: a changed profile, a recovered show.
    bool modified = false;
    bool wasModified = false;
    QTimer *autosaveTimer = nullptr;
};

// Reads the files of a show just opened again (media/showmedia.h) on a thread of its own, with a
// progress dialog over parent once it takes a moment; files that are gone are marked missing.
// False when the user cancelled: the show is then to be left unopened.
bool rereadShowMedia(ShowFile &show, QWidget *parent);
