// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zowidgethelper.h"

#include "zofc/zopref.h"

#include <QWidget>

ZoWidgetHelper::ZoWidgetHelper(QWidget *widget)
    : QObject(widget)
    , target(widget)
{ }

void ZoWidgetHelper::setAllWindowTitle(const QString &title)
{
    const QString text = title.isEmpty() ? ZoPref::product_name() : title;
    target->setWindowTitle(text);
    target->setWindowIconText(text);
}

void ZoWidgetHelper::setDefaultSize(const QSize &defaultSize)
{
    if (!defaultSize.isValid())
        return;
    size = defaultSize;
    target->resize(size);
}
