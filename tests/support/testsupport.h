// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

// Whether inner lies within outer, give or take what rounding leaves.
inline bool holdsRect(const QRectF &outer, const QRectF &inner)
{
    constexpr double e = 1e-6;
    return inner.left() >= outer.left() - e && inner.right() <= outer.right() + e
        && inner.top() >= outer.top() - e && inner.bottom() <= outer.bottom() + e;
}

class QListWidget;
class QWidget;

// Points the settings store at a fresh file in a temporary folder for the life of the object.
class TempSettings
{
public:
    TempSettings();
    ~TempSettings();
    QString folder() const { return dir.path(); }
    QString file() const { return dir.filePath(QStringLiteral("settings.conf")); }

private:
    QTemporaryDir dir;
};

// A folder with almost no room, for creations that run out of disk. Tmpfs: a tmpfs of 64 KiB
// mounted on the folder, where the test may mount one (as root with the right to mount). Limit:
// an ordinary folder, with the encoder launcher pointed (VELLUMIX_FFMPEG, for this process and
// the processes it starts) at a wrapper that lets ffmpeg grow no file in the folder past 1 KiB,
// so that its writes there fail as on a full disk. Undone on destruction.
class FullFolder
{
public:
    enum class Method { Tmpfs, Limit };
    explicit FullFolder(Method method);
    ~FullFolder();
    FullFolder(const FullFolder &) = delete;
    FullFolder &operator=(const FullFolder &) = delete;

    // False when the folder could not be made full this way (Tmpfs without the right to mount).
    bool isValid() const { return valid; }
    QString path() const { return folder; }

private:
    QTemporaryDir dir;
    QString folder;
    bool valid = false;
    bool mounted = false;
    bool wrapped = false;
    QByteArray previousFfmpeg;
};

// How long a test waits for something that comes soon on an idle machine (a thread's or a child
// process's work, a poll of a player, a window's answer): long enough for a machine whose
// processors are shared several times over, so that only a hang or a fault runs it out.
constexpr int PatienceMs = 30000;

// The build's application folder (patterns, profiles, skin, the encoder launcher).
QString testAppDir();

// Runs the ffmpeg program (quiet, overwriting) with arguments; false, with its messages logged,
// when it fails.
bool runFfmpeg(const QStringList &arguments, int timeoutMs = 120000);
// What ffprobe says of a media file's streams and format, with options such as "-count_frames"
// added; empty when it cannot read the file.
QJsonObject probeMedia(const QString &file, const QStringList &options = {});
// The first stream of a type ("video", "audio") in such a description; empty when there is none.
QJsonObject streamOf(const QJsonObject &info, const QString &type);
// A WAV file of 16-bit tones played one after another: each entry is (frequency Hz, seconds).
bool writeToneWav(const QString &path, const QList<QPair<double, double>> &tones,
                  int sampleRate = 48000, int channels = 2);

// Zero crossings (rising and falling) of channel 0 in interleaved 16-bit PCM, samples
// [from, to) of each channel; a tone of f Hz gives 2 f crossings a second.
int zeroCrossings(const int16_t *pcm, int channels, int from, int to);

// The paths of photo or audio records, in order.
template<typename Record> QStringList pathsOf(const QList<Record> &records)
{
    QStringList paths;
    for (const Record &record : records)
        paths.append(record.path);
    return paths;
}

// Four JPEGs of one colour each (red, green, blue, yellow), named photo1.jpg to photo4.jpg in
// folder; each entry of sizes gives one photo its size. The paths, or none on failure.
QStringList writeColourPhotos(const QString &folder, const QList<QSize> &sizes);

// The centre of a strip's row, scrolled into view first.
QPoint centreOf(QListWidget *strip, int row);
// A click on a strip's row, as the user makes one.
void clickRow(QListWidget *strip, int row, Qt::KeyboardModifiers modifiers = {});
// A drop of files as the window system delivers one: enter, move, drop at a point of a widget.
// Whether the drop was accepted.
bool dropOn(QWidget *target, const QStringList &files, QPoint at);
// The same on the centre of a strip's row.
bool dropOn(QListWidget *strip, const QStringList &files, int row);

// The visible buttons and one-line labels under root that have less width than their text needs
// (a dialog of fixed size, a neighbour with a wide minimum), and the combo boxes cut at the edge
// of the area they are in, each as "parent/name: "text" in 80 of 95 pixels".
QStringList clippedTexts(QWidget *root);
