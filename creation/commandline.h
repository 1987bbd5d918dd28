// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

class QProcess;
class ZomProfileData;
struct MediaFormat;

// The command lines of the encoder "avc": templates, options from profile values, and the file
// names of one video. Command lines are strings that split as a shell splits them around double
// quotes; splitCommandLine() and startCommandLine() are the way to run one.

enum class EncoderTemplate {
    Video,
    VideoMov,
    VideoFlv,
    Audio,
    AudioMov,
    Mux,
    MuxVob,
    MuxAsf,
    MuxMov,
    MuxSwf,
    Reencode,
    Thumbnail,
    Palette,
    PaletteUse,
};

// The template text, with "%1" ... "%5" for the values.
QString encoderTemplate(EncoderTemplate which);
// Fills a template in one pass ("%n" inside a value stays as it is). A value placed between
// double quotes is escaped so that it splits back to itself; other values go in unchanged.
QString fillTemplate(EncoderTemplate which, const QStringList &values);

QString encoderName(); // "avc", for the runs started in the application folder
QString encoderPath(const QString &appDir); // appDir + "/avc", for the piped runs

// Every option of a profile, in key order, each with a leading blank; the frame's aspect ratio
// last unless an option already names an aspect.
QString buildArguments(const ZomProfileData &profile, const MediaFormat &format);
// The options of the listed keys only, in list order.
QString buildSelectedArguments(const QStringList &keys, const ZomProfileData &profile);
// Whether a profile value leaves its option to the encoder: blank, or holding "ignore" or "auto".
// The full command line (buildArguments) skips only the exact words, in any case.
bool isUnsetProfileValue(const QString &text);
// The frame rate of a profile value as readVideoRate() reads it; 0 for what is not a rate.
double parseFrameRate(const QString &text);

// A value for an unquoted place of a command line: unchanged when it holds nothing a shell
// would split or interpret, else in double quotes with \ " $ ` escaped.
QString quoteArgument(const QString &value);

// folder/name.ext, or the first free folder/name(n).ext for n = 1, 2, ...
QString uniqueOutputPath(const QString &folder, const QString &name, const QString &ext);
// The container extension of the audio temporary for an output extension.
QString audioTempExtension(const QString &ext);
// The thumbnail beside a final file: "movie.mp4" gives "movie.THM".
QString thumbnailPath(const QString &finalPath);
// Whether the final file of an output extension gets its index in front (MP4, M4V, MOV).
bool writesIndexFirst(const QString &ext);
QString thumbnailCommand(const QString &finalPath, const QString &thumbnail);

// Everything one video needs from the encoder, decided before rendering starts.
struct EncoderJob
{
    QString extension;
    bool noAudio = false; // "an" is true: the video run writes the final file itself
    bool psp = false;
    bool nds = false;
    bool tv = false;
    // An animated GIF: the video run writes a lossless temporary, from which one run makes the
    // show's palette and a second the GIF (muxCommand and reencodeCommand hold the two).
    bool gif = false;
    QString paletteFile;
    QString videoTarget;
    QString audioTarget; // empty without audio, as are the names and commands below
    QString finalPath;
    QString videoCommand;
    QString audioCommand;
    QString muxCommand;
    QString reencodeCommand;

    // The file the runs write the user's file to, which is renamed to outputPath() once it is
    // whole; outputPath() itself when no other name was given.
    QString writtenPath;

    bool hasAudio() const { return !audioTarget.isEmpty(); }
    // The file the user gets: the final file, or without audio the video target.
    QString outputPath() const { return hasAudio() || gif ? finalPath : videoTarget; }
    void setOutputPath(const QString &path)
    {
        (hasAudio() || gif ? finalPath : videoTarget) = path;
    }
};

// writtenPath: see EncoderJob::writtenPath; it must end in the output extension, from which the
// encoder takes the container.
EncoderJob buildEncoderJob(const ZomProfileData &profile, const MediaFormat &format,
                           const QString &outputFolder, const QString &name,
                           const QString &tempFolder, const QString &appDir,
                           const QString &writtenPath = QString());

// Splits a command line into words: blanks separate words, double quotes group them, and a
// backslash keeps the next character (inside quotes only before \ " $ `).
QStringList splitCommandLine(const QString &commandLine);
// Starts a command line in workingDirectory. A bare program name is looked for in
// workingDirectory first, so "avc" is the launcher beside the program whatever the PATH holds.
// Returns whether the process started.
bool startCommandLine(QProcess &process, const QString &commandLine,
                      const QString &workingDirectory,
                      QIODevice::OpenMode mode = QIODevice::ReadWrite);
// The last count lines of an encoder's log file (its progress lines, which end in a carriage
// return, count as lines), blank lines left out; empty when there is no such file.
QStringList lastLogLines(const QString &logPath, int count);
// The frame count of the last whole "frame=N" line of the encoder's progress report
// ("-progress pipe:1": key=value lines), or -1 when pending holds none. The whole lines read are
// taken off pending; a line cut short stays there for the next read.
qint64 takeProgressFrame(QByteArray &pending);
