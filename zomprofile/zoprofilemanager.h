// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zomprofile/zomprofiledata.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>

// What the property editors need to know about one value key.
struct ZoProfileItemInfo
{
    QString key;
    QString label; // English; translate in the context "ZoProfileManager"
    // "bool", "list", "text", "int", "bitrate" (with a K unit), "size" (WxH), "rate" (with fps),
    // "metadata"
    QString type = QStringLiteral("text");
    bool simple = false; // shown in the basic editor ("simple") as well as in "all"
    bool hidden = false; // internal values ("/name", "/ext_name", ...) that no editor shows
    QStringList choices;
};

// One profile template as read from its file.
struct ZoProfileTemplate
{
    QString id; // the file's base name
    QString url; // the file's absolute path
    QMap<QString, QString> tags;
    ZomProfileData::ValueMap values;
    QMap<QString, QStringList> choices; // per-profile choices that replace the item's own
};

// The profile templates of the program and what is known about their values; shared by
// everybody through instance(). GUI thread only.
class ZoProfileManager : public QObject
{
    Q_OBJECT

public:
    // The shared manager, created on first use when create is true (owned by parent when one is
    // given, else kept until the program ends). Null when it does not exist and create is false.
    static ZoProfileManager *instance(QObject *parent = nullptr, bool create = true);

    // Reads every "*.profile" file of dir, replacing what was loaded before. Unreadable files are
    // skipped with a warning; returns false when no profile could be read.
    bool loadTemplates(const QString &dir);
    QString templateDir() const { return folder; }

    void setLang(const QString &name);
    QString lang() const { return language; }

    // Fills data's values from the template its identifier names (url or base name); values
    // already in data are overwritten, others kept. False for an unknown identifier.
    bool getPresetData(ZomProfileData &data) const;

    // A template tag such as "ext_format", "group", "type" or "icon"; empty when not set.
    QString templateTagValue(const QString &id, const QString &tag) const;
    // A ZOM_PROFILE_TYPE number; ZOM_PROFILE_TYPE_UNKNOWN for an unknown profile.
    int profileType(const QString &id) const;
    // The item type of a value key ("bool" for switches, "text" for keys nobody describes).
    QString profileItemType(const QString &key) const;
    ZoProfileItemInfo itemInfo(const QString &key) const;
    // Values offered for key in profile id: the profile's own list, else the item's.
    QStringList itemChoices(const QString &id, const QString &key) const;

    bool hasProfile(const QString &id) const;
    // Identifiers in display order: by the "order" tag, then by identifier.
    QStringList profiles() const { return ordered; }
    // Group names in the order of their first profile.
    QStringList groups() const;
    QStringList profilesInGroup(const QString &group) const;
    QString profileUrl(const QString &id) const;
    QString profileGroup(const QString &id) const;
    QString profileName(const QString &id) const;
    QString profileFullName(const QString &id) const;
    const ZoProfileTemplate *profileTemplate(const QString &id) const;

signals:
    void templatesLoaded();
    void langChanged(const QString &name);

private:
    explicit ZoProfileManager(QObject *parent);

    QString folder;
    QString language = QStringLiteral("en");
    QHash<QString, ZoProfileTemplate> templates;
    QStringList ordered;
};
