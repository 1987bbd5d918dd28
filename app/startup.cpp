// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "zofc/zomainwindow.h"
#include "zofc/zopref.h"

void runFirstStart(ZoMainWindow *window)
{
    if (!ZoPref::value(QStringLiteral("FirstStart"), true).toBool())
        return;
    window->setAutoCheckUpdate(true);
    window->setAutoCheckUpdateInterval(1);
    ZoPref::setValue(QStringLiteral("FirstStart"), false);
}
