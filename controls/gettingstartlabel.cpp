// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/gettingstartlabel.h"

#include "zofc/zolangitemmodel.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>

GettingStartLabel::GettingStartLabel(QWidget *parent)
    : QLabel(parent)
{ }

QString GettingStartLabel::localizedPath(const QString &base, const QString &lang)
{
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    if (lang == QLatin1String("en_US") || dot < 0 || lang.isEmpty())
        return base;
    QString candidate = base;
    candidate.replace(dot, 1, QLatin1Char('_') + lang + QLatin1Char('.'));
    return candidate;
}

QPoint GettingStartLabel::pictureOrigin(const QSize &label, const QSize &picture)
{
    const int x = (label.width() - picture.width()) / 2;
    const int y = std::min((label.height() - picture.height()) / 2, 20);
    return {x, y};
}

void GettingStartLabel::reloadImage()
{
    const QString candidate = localizedPath(basePath, ZoLangItemModel::currentLangName());
    chosenPath = candidate != basePath && QFileInfo(candidate).isFile() ? candidate : basePath;
    picture = chosenPath.isEmpty() ? QImage() : QImage(chosenPath);
    update();
}

void GettingStartLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(pictureOrigin(size(), picture.size()), picture);
}
