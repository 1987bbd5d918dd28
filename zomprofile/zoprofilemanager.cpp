// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoprofilemanager.h"

#include "zomprofile/zoprofilefilehandler.h"

#include <QDebug>
#include <QDir>
#include <algorithm>
#include <memory>

namespace {

ZoProfileItemInfo item(const char *key, const char *label, const char *type, bool simple,
                       const QStringList &choices = {})
{
    ZoProfileItemInfo info;
    info.key = QLatin1String(key);
    info.label = QLatin1String(label);
    info.type = QLatin1String(type);
    info.simple = simple;
    info.choices = choices;
    return info;
}

QHash<QString, ZoProfileItemInfo> buildItemTable()
{
    const QList<ZoProfileItemInfo> list = {
        item("vcodec", QT_TRANSLATE_NOOP("ZoProfileManager", "Video Codec"), "list", true),
        item("s", QT_TRANSLATE_NOOP("ZoProfileManager", "Video Size"), "size", true,
             {"176x144", "320x240", "352x288", "480x320", "640x360", "640x480", "720x480",
              "720x576", "1280x720", "1920x1080", "3840x2160"}),
        item("b", QT_TRANSLATE_NOOP("ZoProfileManager", "Video Bitrate"), "bitrate", true,
             {"256K", "512K", "768K", "1000K", "1500K", "2000K", "4000K", "8000K", "16000K"}),
        item("r", QT_TRANSLATE_NOOP("ZoProfileManager", "Frame Rate"), "rate", true,
             {"15fps", "23.976fps", "24fps", "25fps", "29.97fps", "30fps", "50fps", "59.94fps",
              "60fps"}),
        item("acodec", QT_TRANSLATE_NOOP("ZoProfileManager", "Audio Codec"), "list", true),
        item("ab", QT_TRANSLATE_NOOP("ZoProfileManager", "Audio Bitrate"), "bitrate", true,
             {"32K", "64K", "96K", "128K", "160K", "192K", "256K", "320K"}),
        item("ar", QT_TRANSLATE_NOOP("ZoProfileManager", "Sample Rate"), "list", true,
             {"22050", "32000", "44100", "48000"}),
        item("ac", QT_TRANSLATE_NOOP("ZoProfileManager", "Channels"), "list", true, {"1", "2"}),
        item("aspect", QT_TRANSLATE_NOOP("ZoProfileManager", "Aspect Ratio"), "list", false,
             {"4:3", "16:9"}),
        item("an", QT_TRANSLATE_NOOP("ZoProfileManager", "No Audio"), "bool", false),
        item("cbrorvbr", QT_TRANSLATE_NOOP("ZoProfileManager", "Rate Control"), "list", false,
             {"CBR", "VBR"}),
        item("vbrquality", QT_TRANSLATE_NOOP("ZoProfileManager", "Video Quality"), "int", false,
             {"2", "4", "8", "18", "23", "28", "31"}),
        item("g", QT_TRANSLATE_NOOP("ZoProfileManager", "Key Frame Interval"), "int", false),
        item("bf", QT_TRANSLATE_NOOP("ZoProfileManager", "B-Frames"), "int", false),
        item("preset", QT_TRANSLATE_NOOP("ZoProfileManager", "Encoder Speed"), "list", false,
             {"ultrafast", "veryfast", "faster", "fast", "medium", "slow"}),
        item("pix_fmt", QT_TRANSLATE_NOOP("ZoProfileManager", "Pixel Format"), "list", false,
             {"yuv420p"}),
        item("vtag", QT_TRANSLATE_NOOP("ZoProfileManager", "Video Tag"), "text", false),
        item("vol", QT_TRANSLATE_NOOP("ZoProfileManager", "Volume"), "int", false),
        item("t", QT_TRANSLATE_NOOP("ZoProfileManager", "Duration"), "text", false),
        item("ss", QT_TRANSLATE_NOOP("ZoProfileManager", "Start Time"), "text", false),
        item("pass", QT_TRANSLATE_NOOP("ZoProfileManager", "Passes"), "int", false),
        item("title", QT_TRANSLATE_NOOP("ZoProfileManager", "Title"), "metadata", false),
        item("author", QT_TRANSLATE_NOOP("ZoProfileManager", "Author"), "metadata", false),
        item("copyright", QT_TRANSLATE_NOOP("ZoProfileManager", "Copyright"), "metadata", false),
        item("comment", QT_TRANSLATE_NOOP("ZoProfileManager", "Comment"), "metadata", false),
        item("album", QT_TRANSLATE_NOOP("ZoProfileManager", "Album"), "metadata", false),
        item("genre", QT_TRANSLATE_NOOP("ZoProfileManager", "Genre"), "metadata", false),
        item("composer", QT_TRANSLATE_NOOP("ZoProfileManager", "Composer"), "metadata", false),
        item("origaritist", QT_TRANSLATE_NOOP("ZoProfileManager", "Original Artist"), "metadata",
             false),
        item("encodedby", QT_TRANSLATE_NOOP("ZoProfileManager", "Encoded By"), "metadata", false),
        item("year", QT_TRANSLATE_NOOP("ZoProfileManager", "Year"), "metadata", false),
        item("timstamp", QT_TRANSLATE_NOOP("ZoProfileManager", "Time Stamp"), "metadata", false),
        item("track", QT_TRANSLATE_NOOP("ZoProfileManager", "Track"), "metadata", false),
    };
    QHash<QString, ZoProfileItemInfo> table;
    for (const ZoProfileItemInfo &info : list)
        table.insert(info.key, info);
    return table;
}

const QHash<QString, ZoProfileItemInfo> &itemTable()
{
    static const QHash<QString, ZoProfileItemInfo> table = buildItemTable();
    return table;
}

int typeNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (ok)
        return n;
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("video"))
        return ZOM_PROFILE_TYPE_VIDEO;
    if (t == QLatin1String("audio"))
        return ZOM_PROFILE_TYPE_AUDIO;
    if (t == QLatin1String("device"))
        return ZOM_PROFILE_TYPE_DEVICE;
    if (t == QLatin1String("hd"))
        return ZOM_PROFILE_TYPE_HD;
    return ZOM_PROFILE_TYPE_UNKNOWN;
}

} // namespace

ZoProfileManager::ZoProfileManager(QObject *parent)
    : QObject(parent)
{ }

ZoProfileManager *ZoProfileManager::instance(QObject *parent, bool create)
{
    static QPointer<ZoProfileManager> shared;
    static std::unique_ptr<ZoProfileManager> owned;
    if (!shared && create) {
        auto *manager = new ZoProfileManager(parent);
        if (!parent)
            owned.reset(manager);
        shared = manager;
    }
    return shared.data();
}

bool ZoProfileManager::loadTemplates(const QString &dir)
{
    templates.clear();
    ordered.clear();
    folder = dir;
    const QDir d(dir);
    const QStringList files = d.entryList({QStringLiteral("*.profile")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        QString error;
        std::optional<ZoProfileTemplate> t
            = ZoProfileFileHandler::readTemplate(d.absoluteFilePath(file), &error);
        if (!t) {
            qWarning().noquote() << "Profile template skipped:" << error;
            continue;
        }
        ordered.append(t->id);
        templates.insert(t->id, *t);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [this](const QString &a, const QString &b) {
        const int oa = templateTagValue(a, QStringLiteral("order")).toInt();
        const int ob = templateTagValue(b, QStringLiteral("order")).toInt();
        return oa != ob ? oa < ob : a < b;
    });
    emit templatesLoaded();
    return !templates.isEmpty();
}

void ZoProfileManager::setLang(const QString &name)
{
    if (language == name)
        return;
    language = name;
    emit langChanged(name);
}

const ZoProfileTemplate *ZoProfileManager::profileTemplate(const QString &id) const
{
    const auto it = templates.constFind(zomProfileKey(id));
    return it == templates.constEnd() ? nullptr : &*it;
}

bool ZoProfileManager::getPresetData(ZomProfileData &data) const
{
    const ZoProfileTemplate *t = profileTemplate(data.id());
    if (!t)
        return false;
    for (auto it = t->values.constBegin(); it != t->values.constEnd(); ++it)
        data.setValue(it.key(), it.value());
    return true;
}

QString ZoProfileManager::templateTagValue(const QString &id, const QString &tag) const
{
    const ZoProfileTemplate *t = profileTemplate(id);
    return t ? t->tags.value(tag) : QString();
}

int ZoProfileManager::profileType(const QString &id) const
{
    return typeNumber(templateTagValue(id, QStringLiteral("type")));
}

QString ZoProfileManager::profileItemType(const QString &key) const
{
    return itemInfo(key).type;
}

ZoProfileItemInfo ZoProfileManager::itemInfo(const QString &key) const
{
    const auto it = itemTable().constFind(key);
    if (it != itemTable().constEnd())
        return *it;
    ZoProfileItemInfo info;
    info.key = key;
    info.label = key;
    if (key.startsWith(QLatin1String("flag_"))) {
        info.type = QStringLiteral("bool");
        info.label = key.mid(5);
    }
    info.hidden = key.startsWith(QLatin1Char('/'));
    return info;
}

QStringList ZoProfileManager::itemChoices(const QString &id, const QString &key) const
{
    if (const ZoProfileTemplate *t = profileTemplate(id)) {
        const auto it = t->choices.constFind(key);
        if (it != t->choices.constEnd())
            return *it;
    }
    return itemInfo(key).choices;
}

bool ZoProfileManager::hasProfile(const QString &id) const
{
    return profileTemplate(id) != nullptr;
}

QStringList ZoProfileManager::groups() const
{
    QStringList result;
    for (const QString &id : ordered) {
        const QString group = profileGroup(id);
        if (!result.contains(group))
            result.append(group);
    }
    return result;
}

QStringList ZoProfileManager::profilesInGroup(const QString &group) const
{
    QStringList result;
    for (const QString &id : ordered) {
        if (profileGroup(id) == group)
            result.append(id);
    }
    return result;
}

QString ZoProfileManager::profileUrl(const QString &id) const
{
    const ZoProfileTemplate *t = profileTemplate(id);
    return t ? t->url : QString();
}

QString ZoProfileManager::profileGroup(const QString &id) const
{
    return templateTagValue(id, QStringLiteral("group"));
}

QString ZoProfileManager::profileName(const QString &id) const
{
    const ZoProfileTemplate *t = profileTemplate(id);
    return t ? t->values.value(QStringLiteral("/name")).toString() : QString();
}

QString ZoProfileManager::profileFullName(const QString &id) const
{
    const ZoProfileTemplate *t = profileTemplate(id);
    return t ? t->values.value(QStringLiteral("/full_name")).toString() : QString();
}
