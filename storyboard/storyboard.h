// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/albumsettings.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>

// The per-frame transform of one picture layer: kind 0 translates by (param0, param1, param2),
// kind 1 rotates by param0 degrees about (param1, param2, param3). All zero means no transform.
struct LayerFx
{
    enum Kind { Translate = 0, Rotate = 1 };
    int kind = Translate;
    float param0 = 0.0f;
    float param1 = 0.0f;
    float param2 = 0.0f;
    float param3 = 0.0f;
};

// The move and zoom path of one photo, in units of a 720 x 540 reference frame.
struct ZoomPath
{
    int kind = LayerFx::Translate;
    std::array<float, 4> start {};
    std::array<float, 4> end {};
};

// One photo of the show; a value type copied into and out of lists.
struct ImageInfo
{
    enum Operation { Mirror = 0, Flip = 1, TurnLeft = 2, TurnRight = 3 };
    static constexpr int PropertyCount = 16;

    QString path;
    int width = 0;
    int height = 0;
    int depth = 0;
    QString suffix;
    qint64 fileSize = 0;
    QDateTime modified;
    bool exifMirror = false;
    bool exifFlip = false;
    int exifRotation = 0; // degrees: -90, 0 or 90
    QList<int> operations;
    int orientation = 0; // 0..7, folded from operations
    ZoomPath zoom;
    QStringList exifProperties = QStringList(PropertyCount, QString());
    QImage thumbnail;
    QImage thumbnailRotated;
    // The file was not found when the show was opened; the record is kept so that nothing of the
    // show is lost, but there is nothing to show or read.
    bool missing = false;

    // Faces found in the photo, as boxes in 0..1 of the stored picture before the orientation
    // steps, so that turning the photo needs no new search. facesSearched tells an empty list
    // that was searched from one that never was.
    QList<QRectF> faces;
    bool facesSearched = false;
};

// One audio clip of the show; clipStart and clipEnd are the in- and out-points in seconds.
struct AudioInfo
{
    QString path;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 16;
    double duration = 0.0;
    QString suffix;
    qint64 fileSize = 0;
    QDateTime modified;
    double clipStart = 0.0;
    double clipEnd = 0.0;
    // As ImageInfo::missing.
    bool missing = false;
};

// The output format handed to the renderer, the player and the writer. The defaults are the
// preview values.
struct MediaFormat
{
    int width = 640;
    int height = 480;
    double frameRate = 25.0;
    double aspect = 4.0 / 3.0;
    int channels = 2;
    int sampleRate = 48000;
    int bitsPerSample = 16;
};

// The one model of the slide show: photos, audio clips, wipe patterns and album settings.
// The settings are its AlbumSettings part; the two durations are also kept in seconds, which the
// setters below keep in step with the milliseconds.
class StoryBoard : public AlbumSettings
{
public:
    StoryBoard();

    QList<ImageInfo> photos;
    QList<AudioInfo> audios;
    QStringList patterns;
    double photoDuration = photoDurationMs / 1000.0;
    double transitionDuration = transitionDurationMs / 1000.0;

    void setPhotos(const QList<ImageInfo> &list) { photos = list; }
    void setAudios(const QList<AudioInfo> &list) { audios = list; }
    void setPhotoDurationMs(int ms);
    void setTransitionDurationMs(int ms);
    const AlbumSettings &settings() const { return *this; }
    void setSettings(const AlbumSettings &settings);

    double effectiveTransition() const { return useTransition ? transitionDuration : 0.0; }
    double totalDuration() const;
    double totalAudioDuration() const;
    bool isEmpty() const { return photos.isEmpty() && audios.isEmpty(); }

    // Every "*.wpt" file of a pattern folder, in the file system's order.
    static QStringList listPatterns(const QString &appDir);
};

// The photo duration in ms that "Sync with Audio" picks, or -1 when the show stays as it is
// (no photos, or a per-photo time outside 1..999 s).
int syncPhotoDurationMs(const StoryBoard &board, double frameRate);

// The default move and zoom of a newly added photo; each call advances a process-wide counter
// so that successive photos cycle through the eight directions.
ZoomPath nextDefaultZoom();
// The same path for a given counter value, without touching the counter.
ZoomPath defaultZoomFor(unsigned counter);
