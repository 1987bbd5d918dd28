// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/showfile.h"

#include "storyboard/facefinder.h"
#include "storyboard/photoloader.h"
#include "storyboard/showaudio.h"
#include "storyboard/showcaptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>
#include <limits>

namespace {

const QString formatName = QStringLiteral("vellumix-show");
// How photos fill the frame, by their names on the command line too.
const QStringList framingNames
    = {QStringLiteral("fit"), QStringLiteral("blur"), QStringLiteral("fill")};
// Longest accepted clip or file length: a week of sound.
constexpr double maxSeconds = 7 * 24 * 3600.0;
// Zoom paths are in units of a 720 x 540 frame; far beyond that is damage, not a choice.
constexpr double maxZoomValue = 1.0e6;
// Motion rectangles are in photo pixels.
constexpr double maxRectValue = 1.0e7;
// The names of the per-photo choices, by their enum values; the album's choice is never written.
const QStringList transitionNames = {QString(), QStringLiteral("dissolve"), QStringLiteral("wipe"),
                                     QStringLiteral("random"), QStringLiteral("cut")};
const QStringList motionNames = {QString(),
                                 QStringLiteral("automatic"),
                                 QStringLiteral("still"),
                                 QStringLiteral("zoomIn"),
                                 QStringLiteral("zoomOut"),
                                 QStringLiteral("panLeft"),
                                 QStringLiteral("panRight"),
                                 QStringLiteral("panUp"),
                                 QStringLiteral("panDown"),
                                 QStringLiteral("custom")};
const QStringList easingNames = {QStringLiteral("linear"), QStringLiteral("inOut")};

QString tr(const char *text)
{
    return QCoreApplication::translate("ShowFile", text);
}

// The faces found in a photo. They can always be searched again, so a list that is damaged or
// too long leaves the photo unsearched instead of refusing the show.
void readFaces(const QJsonObject &photo, ImageInfo &info)
{
    const QJsonValue v = photo.value(QLatin1String("faces"));
    if (!v.isArray())
        return;
    const QJsonArray list = v.toArray();
    if (list.size() > MaxFacesPerPhoto)
        return;
    constexpr double slack = 1e-3; // the writer rounds to four places
    QList<QRectF> faces;
    for (const QJsonValue &entry : list) {
        const QJsonArray box = entry.toArray();
        if (box.size() != 4)
            return;
        double n[4];
        for (int i = 0; i < 4; ++i) {
            n[i] = box.at(i).toDouble(std::numeric_limits<double>::quiet_NaN());
            if (!std::isfinite(n[i]) || n[i] < 0.0 || n[i] > 1.0)
                return;
        }
        if (n[2] <= 0.0 || n[3] <= 0.0 || n[0] + n[2] > 1.0 + slack || n[1] + n[3] > 1.0 + slack)
            return;
        faces.append(QRectF(n[0], n[1], n[2], n[3]));
    }
    info.faces = faces;
    info.facesSearched = true;
}

QJsonArray facesArray(const QList<QRectF> &faces)
{
    const auto rounded = [](double d) {
        return std::round(d * 10000.0) / 10000.0;
    };
    QJsonArray list;
    for (const QRectF &f : faces)
        list.append(
            QJsonArray {rounded(f.x()), rounded(f.y()), rounded(f.width()), rounded(f.height())});
    return list;
}

// Walks the document and keeps the first fault with the place it was found.
class Reader
{
public:
    explicit Reader(const QString &base)
        : baseDir(base)
    { }

    QString error;

    bool fail(const QString &where, const QString &what)
    {
        if (error.isEmpty())
            error = where.isEmpty() ? what : QStringLiteral("%1: %2").arg(where, what);
        return false;
    }

    bool object(const QJsonObject &parent, const QString &key, const QString &where,
                QJsonObject &value)
    {
        const QJsonValue v = parent.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isObject())
            return fail(where, tr("\"%1\" must be an object").arg(key));
        value = v.toObject();
        return true;
    }

    bool array(const QJsonObject &parent, const QString &key, const QString &where,
               QJsonArray &value)
    {
        const QJsonValue v = parent.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isArray())
            return fail(where, tr("\"%1\" must be a list").arg(key));
        value = v.toArray();
        return true;
    }

    bool boolean(const QJsonObject &parent, const QString &key, const QString &where, bool &value)
    {
        const QJsonValue v = parent.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isBool())
            return fail(where, tr("\"%1\" must be true or false").arg(key));
        value = v.toBool();
        return true;
    }

    bool integer(const QJsonValue &v, const QString &key, const QString &where, int low, int high,
                 int &value)
    {
        const double d = v.toDouble(std::numeric_limits<double>::quiet_NaN());
        if (!v.isDouble() || d != std::floor(d))
            return fail(where, tr("\"%1\" must be a whole number").arg(key));
        if (d < low || d > high)
            return fail(where,
                        tr("\"%1\" is %2, outside %3 to %4").arg(key).arg(d).arg(low).arg(high));
        value = int(d);
        return true;
    }

    bool integer(const QJsonObject &parent, const QString &key, const QString &where, int low,
                 int high, int &value)
    {
        const QJsonValue v = parent.value(key);
        return v.isUndefined() || integer(v, key, where, low, high, value);
    }

    bool number(const QJsonObject &parent, const QString &key, const QString &where, double low,
                double high, double &value)
    {
        const QJsonValue v = parent.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isDouble())
            return fail(where, tr("\"%1\" must be a number").arg(key));
        const double d = v.toDouble();
        if (!std::isfinite(d) || d < low || d > high)
            return fail(where,
                        tr("\"%1\" is %2, outside %3 to %4").arg(key).arg(d).arg(low).arg(high));
        value = d;
        return true;
    }

    bool text(const QJsonObject &parent, const QString &key, const QString &where, QString &value)
    {
        const QJsonValue v = parent.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isString())
            return fail(where, tr("\"%1\" must be a text").arg(key));
        value = v.toString();
        if (value.contains(QChar(0)))
            return fail(where, tr("\"%1\" holds a zero character").arg(key));
        return true;
    }

    // A file path that must be there; relative ones are resolved against the show's folder.
    bool path(const QJsonObject &parent, const QString &where, QString &value)
    {
        QString stored;
        if (!parent.contains(QLatin1String("path")))
            return fail(where, tr("the \"path\" is missing"));
        if (!text(parent, QStringLiteral("path"), where, stored))
            return false;
        if (stored.isEmpty())
            return fail(where, tr("the \"path\" is empty"));
        value = resolve(stored);
        return true;
    }

    QString resolve(const QString &stored) const
    {
        if (QDir::isAbsolutePath(stored))
            return QDir::cleanPath(stored);
        return QDir::cleanPath(QDir(baseDir).absoluteFilePath(stored));
    }

    bool zoom(const QJsonObject &photo, const QString &where, ZoomPath &path)
    {
        QJsonObject z;
        if (!object(photo, QStringLiteral("zoom"), where, z))
            return false;
        if (z.isEmpty())
            return true;
        const QString inZoom = where + QLatin1String(".zoom");
        if (!integer(z, QStringLiteral("kind"), inZoom, LayerFx::Translate, LayerFx::Rotate,
                     path.kind))
            return false;
        for (const auto &[key, values] : {std::pair {QStringLiteral("start"), &path.start},
                                          std::pair {QStringLiteral("end"), &path.end}}) {
            const QJsonValue v = z.value(key);
            if (v.isUndefined())
                continue;
            const QJsonArray list = v.toArray();
            if (!v.isArray() || list.size() != 4)
                return fail(inZoom, tr("\"%1\" must be a list of 4 numbers").arg(key));
            for (int i = 0; i < 4; ++i) {
                const double d = list.at(i).toDouble(std::numeric_limits<double>::quiet_NaN());
                if (!list.at(i).isDouble() || !std::isfinite(d) || std::abs(d) > maxZoomValue)
                    return fail(inZoom,
                                tr("\"%1\" must be a list of 4 numbers within -%2 to %2")
                                    .arg(key)
                                    .arg(maxZoomValue));
                (*values)[i] = float(d);
            }
        }
        return true;
    }

    bool photo(const QJsonValue &v, int index, ImageInfo &info)
    {
        const QString where = tr("photo %1").arg(index + 1);
        if (!v.isObject())
            return fail(where, tr("must be an object"));
        const QJsonObject o = v.toObject();
        if (!path(o, where, info.path))
            return false;
        QJsonArray steps;
        if (!array(o, QStringLiteral("operations"), where, steps))
            return false;
        if (steps.size() > ShowMaxOperations)
            return fail(where, tr("more than %1 orientation steps").arg(ShowMaxOperations));
        info.operations.reserve(steps.size());
        for (const QJsonValue &step : std::as_const(steps)) {
            int op = 0;
            if (!integer(step, QStringLiteral("operations"), where, ImageInfo::Mirror,
                         ImageInfo::TurnRight, op))
                return false;
            info.operations.append(op);
        }
        foldOrientation(info);
        readFaces(o, info);
        if (!zoom(o, where, info.zoom) || !own(o, where, info.own))
            return false;
        QString captionError;
        if (!readCaption(o.value(QLatin1String("caption")), info.caption, &captionError))
            return fail(where + QLatin1String(".caption"), captionError);
        if (!readTitleCard(o.value(QLatin1String("title")), info.card, &info.titleCard,
                           &captionError))
            return fail(where + QLatin1String(".title"), captionError);
        if (info.titleCard && !info.card.photo.isEmpty())
            info.card.photo = resolve(info.card.photo);
        return true;
    }

    bool rect(const QJsonObject &parent, const QString &key, const QString &where, QRectF &value)
    {
        const QJsonValue v = parent.value(key);
        if (v.isUndefined())
            return true;
        const QJsonArray list = v.toArray();
        double d[4] {};
        bool ok = v.isArray() && list.size() == 4;
        for (int i = 0; ok && i < 4; ++i) {
            d[i] = list.at(i).toDouble(std::numeric_limits<double>::quiet_NaN());
            ok = std::isfinite(d[i]) && std::abs(d[i]) <= maxRectValue;
        }
        if (!ok || !(d[2] > 0.0 && d[3] > 0.0))
            return fail(where,
                        tr("\"%1\" must be a list of 4 numbers within -%2 to %2: left, top and "
                           "a width and height above 0")
                            .arg(key)
                            .arg(maxRectValue));
        value = QRectF(d[0], d[1], d[2], d[3]);
        return true;
    }

    // A name a later version may have added is read as the album's choice.
    template<typename Enum>
    bool choice(const QJsonObject &parent, const QString &key, const QString &where,
                const QStringList &names, Enum &value)
    {
        QString name;
        if (!text(parent, key, where, name))
            return false;
        const int index = name.isEmpty() ? -1 : int(names.indexOf(name));
        if (index >= 0)
            value = static_cast<Enum>(index);
        return true;
    }

    bool own(const QJsonObject &photo, const QString &where, PhotoSettings &settings)
    {
        QJsonObject o;
        if (!object(photo, QStringLiteral("own"), where, o))
            return false;
        if (o.isEmpty())
            return true;
        const QString inOwn = where + QLatin1String(".own");
        if (!integer(o, QStringLiteral("durationMs"), inOwn, PhotoSettings::MinDurationMs,
                     PhotoSettings::MaxDurationMs, settings.durationMs)
            || !integer(o, QStringLiteral("transitionMs"), inOwn, PhotoSettings::MinTransitionMs,
                        PhotoSettings::MaxTransitionMs, settings.transitionMs)
            || !choice(o, QStringLiteral("transition"), inOwn, transitionNames, settings.transition)
            || !text(o, QStringLiteral("pattern"), inOwn, settings.wipePattern)
            || !choice(o, QStringLiteral("motion"), inOwn, motionNames, settings.motion)
            || !choice(o, QStringLiteral("easing"), inOwn, easingNames, settings.easing)
            || !rect(o, QStringLiteral("start"), inOwn, settings.motionStart)
            || !rect(o, QStringLiteral("end"), inOwn, settings.motionEnd))
            return false;
        // Only a name, never a path, picks a pattern.
        if (settings.wipePattern.contains(QLatin1Char('/'))
            || settings.wipePattern.contains(QLatin1Char('\\')))
            return fail(inOwn, tr("the \"pattern\" must be a file name"));
        if (settings.motion == MotionStyle::Custom
            && (settings.motionStart.isNull() || settings.motionEnd.isNull()))
            settings.motion = MotionStyle::Album;
        return true;
    }

    bool audio(const QJsonValue &v, int index, AudioInfo &info)
    {
        const QString where = tr("audio clip %1").arg(index + 1);
        if (!v.isObject())
            return fail(where, tr("must be an object"));
        const QJsonObject o = v.toObject();
        if (!path(o, where, info.path))
            return false;
        if (!number(o, QStringLiteral("duration"), where, 0.0, maxSeconds, info.duration)
            || !number(o, QStringLiteral("clipStart"), where, 0.0, maxSeconds, info.clipStart))
            return false;
        info.clipEnd = info.duration;
        if (!number(o, QStringLiteral("clipEnd"), where, 0.0, maxSeconds, info.clipEnd))
            return false;
        if (info.clipEnd <= info.clipStart)
            return fail(where,
                        tr("the clip ends (%1 s) before it starts (%2 s)")
                            .arg(info.clipEnd)
                            .arg(info.clipStart));
        if (info.duration > 0.0 && info.clipEnd > info.duration)
            return fail(where,
                        tr("the clip ends (%1 s) after the file (%2 s)")
                            .arg(info.clipEnd)
                            .arg(info.duration));
        info.suffix = QFileInfo(info.path).suffix();
        readClipMeasures(o, info);
        return true;
    }

    bool output(const QJsonObject &root, ShowFile &show)
    {
        QJsonObject o;
        if (!object(root, QStringLiteral("output"), QString(), o))
            return false;
        const QString where = QStringLiteral("output");
        QString profileId;
        QString folder;
        if (!text(o, QStringLiteral("profile"), where, profileId)
            || !text(o, QStringLiteral("folder"), where, folder)
            || !text(o, QStringLiteral("name"), where, show.outputName))
            return false;
        show.outputFolder = folder.isEmpty() ? QString() : resolve(folder);
        show.profile = ZomProfileData(profileId);
        QJsonObject values;
        if (!object(o, QStringLiteral("values"), where, values))
            return false;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
            const QJsonValue v = it.value();
            if (v.isString()) {
                show.profile.setValue(it.key(), v.toString());
            } else if (v.isBool()) {
                show.profile.setValue(it.key(), v.toBool());
            } else if (v.isDouble()) {
                const double d = v.toDouble();
                if (d == std::floor(d) && std::abs(d) <= std::numeric_limits<int>::max())
                    show.profile.setValue(it.key(), int(d));
                else
                    show.profile.setValue(it.key(), d);
            } else {
                return fail(where,
                            tr("the profile value \"%1\" must be a text, a number or true or false")
                                .arg(it.key()));
            }
        }
        return true;
    }

private:
    QString baseDir;
};

QString storedPath(const QString &path, const QDir &base)
{
    const QString relative = base.relativeFilePath(path);
    if (!QDir::isAbsolutePath(relative) && relative != QLatin1String("..")
        && !relative.startsWith(QLatin1String("../")))
        return relative;
    return QDir::cleanPath(path);
}

QJsonArray rectNumbers(const QRectF &rect)
{
    return QJsonArray {rect.x(), rect.y(), rect.width(), rect.height()};
}

// Only what the photo sets for itself, so that a show without such settings is written as
// before.
QJsonObject ownObject(const PhotoSettings &own)
{
    QJsonObject o;
    if (own.durationMs > 0)
        o.insert(QStringLiteral("durationMs"), own.durationMs);
    if (own.transition != TransitionStyle::Album)
        o.insert(QStringLiteral("transition"), transitionNames.value(int(own.transition)));
    if (own.transition == TransitionStyle::Wipe && !own.wipePattern.isEmpty())
        o.insert(QStringLiteral("pattern"), own.wipePattern);
    if (own.transitionMs > 0)
        o.insert(QStringLiteral("transitionMs"), own.transitionMs);
    if (own.motion != MotionStyle::Album)
        o.insert(QStringLiteral("motion"), motionNames.value(int(own.motion)));
    if (own.easing != Easing::Linear)
        o.insert(QStringLiteral("easing"), easingNames.value(int(own.easing)));
    if (own.motion == MotionStyle::Custom) {
        o.insert(QStringLiteral("start"), rectNumbers(own.motionStart));
        o.insert(QStringLiteral("end"), rectNumbers(own.motionEnd));
    }
    return o;
}

QJsonArray numbers(const std::array<float, 4> &values)
{
    QJsonArray list;
    for (float v : values)
        list.append(double(v));
    return list;
}

} // namespace

void ShowFile::takeFrom(const StoryBoard &board)
{
    photos = board.photos;
    audios = board.audios;
    AlbumSettings::operator=(board.settings());
    captionStyle = board.captionStyle;
}

void ShowFile::applyTo(StoryBoard &board) const
{
    board.setPhotos(photos);
    board.setAudios(audios);
    board.captionStyle = captionStyle;
    applySettingsTo(board);
}

void ShowFile::applySettingsTo(StoryBoard &board) const
{
    board.setSettings(*this);
}

ShowReadResult parseShow(const QByteArray &bytes, const QString &baseDir)
{
    ShowReadResult result;
    if (bytes.trimmed().isEmpty()) {
        result.error = tr("the file is empty");
        return result;
    }
    if (bytes.size() > ShowFileMaxBytes) {
        result.error = tr("the file is larger than %1 MB").arg(ShowFileMaxBytes / (1024 * 1024));
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = parseError.offset >= bytes.size() - 1
            ? tr("the file is cut short")
            : tr("the file is damaged at byte %1 (%2)")
                  .arg(parseError.offset)
                  .arg(parseError.errorString());
        return result;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QLatin1String("format")).toString() != formatName) {
        result.error = tr("it is not a show file");
        return result;
    }

    Reader reader(baseDir);
    ShowFile &show = result.show;
    int version = 0;
    const QJsonValue versionValue = root.value(QLatin1String("version"));
    if (versionValue.isUndefined()) {
        result.error = tr("the format number \"version\" is missing");
        return result;
    }
    if (!reader.integer(versionValue, QStringLiteral("version"), QString(), 1,
                        std::numeric_limits<int>::max(), version)) {
        result.error = reader.error;
        return result;
    }
    if (version > ShowFormatVersion) {
        result.error = tr("it was written by a newer version of Vellumix (show format %1; this "
                          "version reads format %2 and older)")
                           .arg(version)
                           .arg(ShowFormatVersion);
        return result;
    }

    QJsonObject album;
    QJsonObject audio;
    QString framing = framingNames.at(int(show.framing));
    QJsonArray photos;
    QJsonArray audios;
    const bool read = reader.object(root, QStringLiteral("album"), QString(), album)
        && reader.integer(album, QStringLiteral("photoDurationMs"), QStringLiteral("album"), 1000,
                          999000, show.photoDurationMs)
        && reader.integer(album, QStringLiteral("transitionDurationMs"), QStringLiteral("album"),
                          500, 5000, show.transitionDurationMs)
        && reader.boolean(album, QStringLiteral("useTransition"), QStringLiteral("album"),
                          show.useTransition)
        && reader.boolean(album, QStringLiteral("dissolveOnly"), QStringLiteral("album"),
                          show.dissolveOnly)
        && reader.boolean(album, QStringLiteral("useZoom"), QStringLiteral("album"), show.useZoom)
        && reader.text(album, QStringLiteral("framing"), QStringLiteral("album"), framing)
        && reader.object(root, QStringLiteral("audio"), QString(), audio)
        && reader.boolean(audio, QStringLiteral("loopAudio"), QStringLiteral("audio"),
                          show.loopAudio)
        && reader.boolean(audio, QStringLiteral("fadeInOut"), QStringLiteral("audio"),
                          show.fadeInOut)
        && reader.array(root, QStringLiteral("photos"), QString(), photos)
        && reader.array(root, QStringLiteral("audios"), QString(), audios)
        && reader.output(root, show);
    if (!read || !readAudioSettings(audio, show, reader.error)) {
        result.error = reader.error;
        return result;
    }
    if (!framingNames.contains(framing)) {
        result.error = tr("album: \"framing\" must be \"fit\", \"blur\" or \"fill\"");
        return result;
    }
    show.framing = static_cast<Framing>(framingNames.indexOf(framing));
    QString styleError;
    if (!readCaptionStyle(root.value(QLatin1String("captionStyle")), show.captionStyle,
                          &styleError)) {
        result.error = QStringLiteral("captionStyle: %1").arg(styleError);
        return result;
    }
    if (photos.size() > ShowMaxPhotos || audios.size() > ShowMaxAudios) {
        result.error = tr("it lists %1 photos and %2 audio clips; a show holds at most %3 photos "
                          "and %4 audio clips")
                           .arg(photos.size())
                           .arg(audios.size())
                           .arg(ShowMaxPhotos)
                           .arg(ShowMaxAudios);
        return result;
    }
    show.photos.resize(photos.size());
    for (int i = 0; i < photos.size(); ++i) {
        if (!reader.photo(photos.at(i), i, show.photos[i])) {
            result.error = reader.error;
            return result;
        }
    }
    show.audios.resize(audios.size());
    for (int i = 0; i < audios.size(); ++i) {
        if (!reader.audio(audios.at(i), i, show.audios[i])) {
            result.error = reader.error;
            return result;
        }
    }
    return result;
}

QByteArray serializeShow(const ShowFile &show, const QString &baseDir)
{
    const QDir base(baseDir);
    QJsonArray photos;
    for (const ImageInfo &info : show.photos) {
        QJsonArray steps;
        for (int op : info.operations)
            steps.append(op);
        QJsonObject photo {
            {QStringLiteral("path"), storedPath(info.path, base)},
            {QStringLiteral("operations"), steps},
            {QStringLiteral("zoom"),
             QJsonObject {{QStringLiteral("kind"), info.zoom.kind},
                          {QStringLiteral("start"), numbers(info.zoom.start)},
                          {QStringLiteral("end"), numbers(info.zoom.end)}}},
        };
        if (info.facesSearched)
            photo.insert(QStringLiteral("faces"), facesArray(info.faces));
        const QJsonObject own = ownObject(info.own);
        if (!own.isEmpty())
            photo.insert(QStringLiteral("own"), own);
        const QJsonObject caption = captionObject(info.caption);
        if (!caption.isEmpty())
            photo.insert(QStringLiteral("caption"), caption);
        if (info.titleCard) {
            QJsonObject title = titleCardObject(info.card);
            if (title.contains(QLatin1String("photo")))
                title.insert(QStringLiteral("photo"), storedPath(info.card.photo, base));
            photo.insert(QStringLiteral("title"), title);
        }
        photos.append(photo);
    }
    QJsonArray audios;
    for (const AudioInfo &info : show.audios) {
        QJsonObject clip {
            {QStringLiteral("path"), storedPath(info.path, base)},
            {QStringLiteral("duration"), info.duration},
            {QStringLiteral("clipStart"), info.clipStart},
            {QStringLiteral("clipEnd"), info.clipEnd},
        };
        writeClipMeasures(clip, info);
        audios.append(clip);
    }
    QJsonObject values;
    for (auto it = show.profile.values().constBegin(); it != show.profile.values().constEnd();
         ++it) {
        const QVariant &v = it.value();
        switch (v.typeId()) {
        case QMetaType::Bool:
            values.insert(it.key(), v.toBool());
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
            values.insert(it.key(), v.toDouble());
            break;
        default:
            values.insert(it.key(), v.toString());
            break;
        }
    }
    QJsonObject audio {{QStringLiteral("loopAudio"), show.loopAudio},
                       {QStringLiteral("fadeInOut"), show.fadeInOut}};
    writeAudioSettings(audio, show);
    QJsonObject root {
        {QStringLiteral("format"), formatName},
        {QStringLiteral("version"), ShowFormatVersion},
        {QStringLiteral("album"),
         QJsonObject {{QStringLiteral("photoDurationMs"), show.photoDurationMs},
                      {QStringLiteral("transitionDurationMs"), show.transitionDurationMs},
                      {QStringLiteral("useTransition"), show.useTransition},
                      {QStringLiteral("dissolveOnly"), show.dissolveOnly},
                      {QStringLiteral("useZoom"), show.useZoom},
                      {QStringLiteral("framing"), framingNames.value(int(show.framing))}}},
        {QStringLiteral("audio"), audio},
        {QStringLiteral("photos"), photos},
        {QStringLiteral("audios"), audios},
        {QStringLiteral("output"),
         QJsonObject {
             {QStringLiteral("profile"), zomProfileKey(show.profile.id())},
             {QStringLiteral("values"), values},
             {QStringLiteral("folder"),
              show.outputFolder.isEmpty() ? QString() : storedPath(show.outputFolder, base)},
             {QStringLiteral("name"), show.outputName}}},
    };
    const QJsonObject captionStyle = captionStyleObject(show.captionStyle);
    if (!captionStyle.isEmpty())
        root.insert(QStringLiteral("captionStyle"), captionStyle);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ShowReadResult readShowFile(const QString &path)
{
    ShowReadResult result;
    const QFileInfo info(path);
    const auto failed = [&](const QString &why) {
        result.error = tr("The show \"%1\" cannot be opened: %2.")
                           .arg(QDir::toNativeSeparators(info.absoluteFilePath()), why);
        return result;
    };
    if (!info.exists())
        return failed(tr("there is no such file"));
    if (info.isDir())
        return failed(tr("it is a folder, not a file"));
    if (info.size() > ShowFileMaxBytes)
        return failed(tr("the file is larger than %1 MB").arg(ShowFileMaxBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    // Read one byte past the limit, so that a file that grew since the size check is still
    // refused rather than read whole.
    const QByteArray bytes = file.read(ShowFileMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    result = parseShow(bytes, info.absolutePath());
    if (!result.ok())
        return failed(result.error);
    // A title card's background is the program's own file: made again where it has gone.
    for (ImageInfo &photo : result.show.photos) {
        if (photo.titleCard && !QFileInfo(photo.path).isFile()) {
            const QString made = writeTitleCardImage(photo.card, titleCardFolder());
            if (!made.isEmpty())
                photo.path = made;
        }
    }
    markMissingFiles(result.show);
    return result;
}

bool writeShowFile(const QString &path, const ShowFile &show, QString *error)
{
    const QFileInfo info(path);
    const QByteArray bytes = serializeShow(show, info.absolutePath());
    QSaveFile file(path);
    const bool written
        = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error) {
        *error = tr("The show \"%1\" cannot be saved: %2.")
                     .arg(QDir::toNativeSeparators(info.absoluteFilePath()), file.errorString());
    }
    return written;
}

int markMissingFiles(ShowFile &show)
{
    int count = 0;
    for (ImageInfo &info : show.photos) {
        info.missing = !QFileInfo(info.path).isFile();
        count += info.missing;
    }
    for (AudioInfo &info : show.audios) {
        info.missing = !QFileInfo(info.path).isFile();
        count += info.missing;
    }
    return count;
}

QStringList missingFiles(const QList<ImageInfo> &photos, const QList<AudioInfo> &audios)
{
    QStringList paths;
    for (const ImageInfo &info : photos) {
        if (info.missing)
            paths.append(info.path);
    }
    for (const AudioInfo &info : audios) {
        if (info.missing)
            paths.append(info.path);
    }
    return paths;
}

bool isShowFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String(ShowFileSuffix), Qt::CaseInsensitive)
        == 0;
}
