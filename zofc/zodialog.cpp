// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zodialog.h"

#include "zofc/zowidgethelper.h"

#include <QEvent>

ZoDialog::ZoDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , helper(new ZoWidgetHelper(this))
{
    helper->setAllWindowTitle(QString());
}

void ZoDialog::retranslate() { }

void ZoDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
