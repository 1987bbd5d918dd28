// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zomprofiledata.h"

bool ZomProfileData::isTrue(const QString &key) const
{
    const QVariant v = map.value(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    return v.isValid() && v.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString zomProfileKey(const QString &idOrUrl)
{
    QString name = idOrUrl;
    const qsizetype slash
        = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    if (slash >= 0)
        name = name.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot >= 0 ? name.left(dot) : name;
}
