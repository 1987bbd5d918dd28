// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"
#include "zomprofile/zomprofiledata.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Everything a user makes of a show, as it is kept in a show file: the photos in order with
// their orientation steps and move/zoom paths, the audio clips with their in- and out-points,
// the album and audio settings, and the output profile with its edited values, folder and name.
// The records carry only what the file holds; the descriptive fields are read from the files
// again when a show is opened. The album and audio settings are its AlbumSettings part.
struct ShowFile : AlbumSettings
{
    QList<ImageInfo> photos;
    QList<AudioInfo> audios;
    // An empty id: no profile has been chosen for this show yet.
    ZomProfileData profile;
    QString outputFolder;
    QString outputName;
    CaptionStyle captionStyle;

    const AlbumSettings &settings() const { return *this; }
    // The lists and settings of a story board (the output part is left as it is).
    void takeFrom(const StoryBoard &board);
    // Puts the lists and settings into a story board; its patterns stay.
    void applyTo(StoryBoard &board) const;
    // The settings alone.
    void applySettingsTo(StoryBoard &board) const;
};

// The outcome of reading a show: the show, or the reason it cannot be read (empty on success).
struct ShowReadResult
{
    ShowFile show;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The format number this build writes; files of a higher number are refused.
inline constexpr int ShowFormatVersion = 1;
inline constexpr const char *ShowFileSuffix = "vellumix";
// Whether the path names a show file, by its suffix in any case.
bool isShowFile(const QString &path);
// Limits that keep a damaged or hostile file from taking unbounded time or memory.
inline constexpr qint64 ShowFileMaxBytes = 64 * 1024 * 1024;
inline constexpr int ShowMaxPhotos = 100000;
inline constexpr int ShowMaxAudios = 10000;
inline constexpr int ShowMaxOperations = 10000;

// Parses the bytes of a show file; relative paths are resolved against baseDir. Touches no file,
// so that any bytes at all can be fed to it. The error names what is wrong, not the file.
ShowReadResult parseShow(const QByteArray &bytes, const QString &baseDir);
// The bytes of a show file; paths below baseDir are written relative to it, others absolute.
QByteArray serializeShow(const ShowFile &show, const QString &baseDir);

// Reads a show file and marks the records whose files are missing. The error is a full
// sentence naming the file.
ShowReadResult readShowFile(const QString &path);
// Writes a show file atomically: the previous file stays whole until the new one is complete.
// False with a sentence naming the file in *error when it cannot be written.
bool writeShowFile(const QString &path, const ShowFile &show, QString *error = nullptr);

// Sets the missing mark of every record from whether its file exists; returns how many are
// missing.
int markMissingFiles(ShowFile &show);
// The paths of the records marked missing, photos first.
QStringList missingFiles(const QList<ImageInfo> &photos, const QList<AudioInfo> &audios);
