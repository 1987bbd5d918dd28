// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoproperty.h"

ZoProperty::ZoProperty(const QString &key, const QString &label, Kind kind, ZoProperty *parent)
    : QObject(parent)
    , itemKey(key)
    , itemLabel(label)
    , itemKind(kind)
{ }

void ZoProperty::setValue(const QString &value)
{
    if (value == itemValue)
        return;
    itemValue = value;
    emit valueChanged(this);
}

QList<ZoProperty *> ZoProperty::childProperties() const
{
    return findChildren<ZoProperty *>(QString(), Qt::FindDirectChildrenOnly);
}

ZoProperty *ZoProperty::find(const QString &key) const
{
    for (ZoProperty *child : childProperties()) {
        if (!child->isCategory() && child->key() == key)
            return child;
        if (ZoProperty *found = child->find(key))
            return found;
    }
    return nullptr;
}

QList<ZoProperty *> ZoProperty::items() const
{
    QList<ZoProperty *> list;
    for (ZoProperty *child : childProperties()) {
        if (child->isCategory())
            list += child->items();
        else
            list.append(child);
    }
    return list;
}
