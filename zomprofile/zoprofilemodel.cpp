// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoprofilemodel.h"

#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"
#include "zomprofile/zoprofiletexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>

ZoProfileModel::ZoProfileModel(const QString &name, QObject *parent)
    : QStandardItemModel(parent)
{
    setObjectName(name);
}

QString ZoProfileModel::recentGroup()
{
    return QStringLiteral("Recent Profiles");
}

void ZoProfileModel::setIconDir(const QString &dir)
{
    icons = dir;
}

void ZoProfileModel::setLang(const QString &name)
{
    language = name;
}

QStandardItem *ZoProfileModel::makeProfileItem(const QString &id, const QString &group) const
{
    const ZoProfileManager *manager = ZoProfileManager::instance();
    auto *item = new QStandardItem(translatedProfileText(manager->profileName(id)));
    item->setToolTip(translatedProfileText(manager->profileFullName(id)));
    item->setEditable(false);
    item->setData(manager->profileUrl(id), UrlRole);
    item->setData(id, IdRole);
    item->setData(group, GroupRole);
    item->setData(false, IsGroupRole);
    const QString icon = manager->templateTagValue(id, QStringLiteral("icon"));
    const QString iconFile = icons + QLatin1Char('/') + icon + QLatin1String(".png");
    if (!icons.isEmpty() && !icon.isEmpty() && QFileInfo::exists(iconFile))
        item->setIcon(QIcon(iconFile));
    return item;
}

void ZoProfileModel::refresh()
{
    clear();
    const ZoProfileManager *manager = ZoProfileManager::instance();
    auto *recentItem
        = new QStandardItem(QCoreApplication::translate("ZoProfileModel", "Recent Profiles"));
    recentItem->setEditable(false);
    recentItem->setData(recentGroup(), GroupRole);
    recentItem->setData(true, IsGroupRole);
    appendRow(recentItem);
    for (const QString &group : manager->groups()) {
        auto *groupItem = new QStandardItem(translatedProfileText(group));
        groupItem->setEditable(false);
        groupItem->setData(group, GroupRole);
        groupItem->setData(true, IsGroupRole);
        for (const QString &id : manager->profilesInGroup(group))
            groupItem->appendRow(makeProfileItem(id, group));
        appendRow(groupItem);
    }
    rebuildRecentGroup();
}

void ZoProfileModel::setRecentProfiles(const QStringList &list)
{
    recent.clear();
    for (const QString &entry : list) {
        const QString id = zomProfileKey(entry);
        if (!id.isEmpty() && !recent.contains(id))
            recent.append(id);
    }
    while (recent.size() > MaxRecent)
        recent.removeLast();
    rebuildRecentGroup();
}

void ZoProfileModel::refreshRecentProfiles(const QString &url, const QString &group)
{
    Q_UNUSED(group)
    const QString id = zomProfileKey(url);
    if (!ZoProfileManager::instance()->hasProfile(id))
        return;
    recent.removeAll(id);
    recent.prepend(id);
    while (recent.size() > MaxRecent)
        recent.removeLast();
    rebuildRecentGroup();
}

void ZoProfileModel::rebuildRecentGroup()
{
    QStandardItem *recentItem = nullptr;
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row)->data(GroupRole).toString() == recentGroup())
            recentItem = item(row);
    }
    if (!recentItem)
        return;
    recentItem->removeRows(0, recentItem->rowCount());
    const ZoProfileManager *manager = ZoProfileManager::instance();
    for (const QString &id : std::as_const(recent)) {
        if (manager->hasProfile(id))
            recentItem->appendRow(makeProfileItem(id, recentGroup()));
    }
}

QStandardItem *ZoProfileModel::findProfileItem(const QString &idOrUrl, const QString &group) const
{
    const QString id = zomProfileKey(idOrUrl);
    for (int row = 0; row < rowCount(); ++row) {
        QStandardItem *groupItem = item(row);
        if (groupItem->data(GroupRole).toString() != group)
            continue;
        for (int child = 0; child < groupItem->rowCount(); ++child) {
            if (groupItem->child(child)->data(IdRole).toString() == id)
                return groupItem->child(child);
        }
    }
    return nullptr;
}
