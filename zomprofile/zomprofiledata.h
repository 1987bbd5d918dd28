// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// Kinds of profile; the encoder command lines give device profiles a bit-rate tolerance.
enum ZOM_PROFILE_TYPE {
    ZOM_PROFILE_TYPE_UNKNOWN = 0,
    ZOM_PROFILE_TYPE_VIDEO = 1,
    ZOM_PROFILE_TYPE_AUDIO = 2,
    ZOM_PROFILE_TYPE_DEVICE = 3,
    ZOM_PROFILE_TYPE_HD = 4,
};

// One output profile: its identifier (the template's url or base name) and its values. The map
// iterates in ascending key order, which is the order the encoder options are written in.
class ZomProfileData
{
public:
    using ValueMap = QMap<QString, QVariant>;

    ZomProfileData() = default;
    explicit ZomProfileData(const QString &id)
        : profileId(id)
    { }

    QString id() const { return profileId; }
    void setId(const QString &id) { profileId = id; }

    const ValueMap &values() const { return map; }
    ValueMap &values() { return map; }
    bool contains(const QString &key) const { return map.contains(key); }
    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const
    {
        return map.value(key, defaultValue);
    }
    QString text(const QString &key) const { return map.value(key).toString(); }
    void setValue(const QString &key, const QVariant &value) { map.insert(key, value); }
    void remove(const QString &key) { map.remove(key); }
    void clear() { map.clear(); }
    bool isEmpty() const { return map.isEmpty(); }

    // True for a boolean true or the text "true" in any case; "1", "yes" and the like are not.
    bool isTrue(const QString &key) const;

    bool operator==(const ZomProfileData &other) const = default;

private:
    QString profileId;
    ValueMap map;
};

// The identifier a url or file name stands for: the file name after the last separator, up to
// its first dot ("/x/profiles/mpeg4h264.vxp" and "mpeg4h264" both give "mpeg4h264").
QString zomProfileKey(const QString &idOrUrl);
