// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/albumsettings.h"
#include "storyboard/caption.h"
#include "storyboard/photosettings.h"
#include "storyboard/titlecard.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

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

    bool operator==(const LayerFx &other) const = default;
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
    PhotoSettings own;
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

    // Text shown over the photo, and carried as a subtitle of its time.
    Caption caption;
    // The photo is a title card's background, made by the program from card.
    bool titleCard = false;
    TitleCard card;
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

    // Measured once over the whole file when it is imported, and kept in the show file:
    // integrated loudness (LUFS) and true peak (dBTP) of the sound as it is played (stereo).
    // A silent file measures -70 LUFS.
    bool measured = false;
    double loudness = -70.0;
    double truePeak = -70.0;
    // Pairs of the lowest and highest value (-127 to 127) of the mono mix over equal stretches
    // of the whole file, at most WaveformPairs of them.
    QByteArray waveform;
    // Beats and strong onsets, in seconds from the start of the file, sorted; at most MaxBeats.
    QList<double> beats;

    static constexpr int WaveformPairs = 400;
    static constexpr int MaxBeats = 100000;
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
    // The look of every caption that has no style of its own.
    CaptionStyle captionStyle;

    void setPhotos(const QList<ImageInfo> &list) { photos = list; }
    void setAudios(const QList<AudioInfo> &list) { audios = list; }
    void setPhotoDurationMs(int ms);
    void setTransitionDurationMs(int ms);
    const AlbumSettings &settings() const { return *this; }
    void setSettings(const AlbumSettings &settings);

    double effectiveTransition() const { return useTransition ? transitionDuration : 0.0; }
    int effectiveTransitionMs() const { return useTransition ? transitionDurationMs : 0; }
    // How long photo index is held, and how long the transition from it to the next photo
    // lasts (0 for a cut and after the last photo), each by its own setting or the album's.
    int photoDurationMsAt(int index) const;
    int transitionMsAfter(int index) const;
    // The whole show in milliseconds: every photo held and every transition between them.
    qint64 totalDurationMs() const;
    double totalDuration() const;
    // One pass of the audio clips, each overlapping the next by the crossfade.
    double totalAudioDuration() const;
    bool isEmpty() const { return photos.isEmpty() && audios.isEmpty(); }
    // The style photo index's caption is drawn with.
    const CaptionStyle &captionStyleAt(int index) const;
    bool hasCaptions() const;

    // Every "*.wpt" file of a pattern folder, in the file system's order.
    static QStringList listPatterns(const QString &appDir);
};

// How long two clips of these lengths overlap with this crossfade (all in one unit): at most
// half of either, so that no more than two clips ever sound at once.
template<typename T> T clipOverlap(T first, T second, T crossfade)
{
    const T half = (first < second ? first : second) / 2;
    return crossfade < half ? (crossfade > 0 ? crossfade : T(0)) : (half > 0 ? half : T(0));
}

// The durations "Sync with Audio" gives the photos so that the show ends with its audio: the
// album's duration and every photo's own one scaled by one factor, except that none falls below
// 1 s (those are held 1 s and the others share the rest). Each is rounded up to whole frames.
// ownMs has one entry per photo: its new own duration, or 0 where it follows the album.
struct SyncedDurations
{
    int albumMs = 0;
    QList<int> ownMs;
};
// None when the show stays as it is (no photos, or a photo would be held below 1 s or above
// 999 s).
std::optional<SyncedDurations> syncDurations(const StoryBoard &board, double frameRate);
// The album's photo duration of syncDurations, or -1.
int syncPhotoDurationMs(const StoryBoard &board, double frameRate);
// Puts synced durations into the board.
void applySyncedDurations(StoryBoard &board, const SyncedDurations &synced);

// The default move and zoom of a newly added photo; each call advances a process-wide counter
// so that successive photos cycle through the eight directions.
ZoomPath nextDefaultZoom();
// The same path for a given counter value, without touching the counter.
ZoomPath defaultZoomFor(unsigned counter);
