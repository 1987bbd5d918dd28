// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStandardItemModel>
#include <QStringList>

// The profiles arranged for the profile chooser: one top-level row per group holding its
// profiles, with the recently used profiles as the first group. GUI thread only.
class ZoProfileModel : public QStandardItemModel
{
    Q_OBJECT

public:
    enum Role {
        UrlRole = Qt::UserRole + 1, // a profile row's template url
        IdRole, // a profile row's identifier
        GroupRole, // the group a row belongs to (a group row: its own name)
        IsGroupRole, // true on group rows
    };
    static constexpr int MaxRecent = 5;

    explicit ZoProfileModel(const QString &name, QObject *parent = nullptr);

    // The name of the group that holds the recent profiles.
    static QString recentGroup();

    // Icons are "<icon tag>.png" files in dir; rows without one get no icon.
    void setIconDir(const QString &dir);
    QString iconDir() const { return icons; }
    void setLang(const QString &name);
    QString lang() const { return language; }
    // Rebuilds every row from the shared profile manager.
    void refresh();

    // Recent profiles as identifiers, the most recent first.
    void setRecentProfiles(const QStringList &list);
    QStringList getRecentProfiles() const { return recent; }
    // Puts the profile of url first in the recent list and rebuilds the recent group.
    void refreshRecentProfiles(const QString &url, const QString &group);

    // The row of the profile in group, or null.
    QStandardItem *findProfileItem(const QString &idOrUrl, const QString &group) const;

private:
    void rebuildRecentGroup();
    QStandardItem *makeProfileItem(const QString &id, const QString &group) const;

    QString icons;
    QString language = QStringLiteral("en");
    QStringList recent;
};
