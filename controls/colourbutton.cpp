// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/colourbutton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColourButton::ColourButton(QWidget *parent)
    : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(this, &QToolButton::clicked, this, &ColourButton::pick);
    setColour(current);
}

void ColourButton::setColour(const QColor &colour)
{
    current = colour;
    const int side = fontMetrics().height();
    QPixmap swatch(side, side);
    // A translucent colour shows over half black, half white.
    swatch.fill(Qt::white);
    QPainter painter(&swatch);
    painter.fillRect(0, side / 2, side, side - side / 2, Qt::black);
    painter.fillRect(swatch.rect(), colour);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(swatch));
    setIconSize(swatch.size());
}

void ColourButton::pick()
{
    const QColor chosen = QColorDialog::getColor(current, this, dialogTitle,
                                                 alphaShown ? QColorDialog::ShowAlphaChannel
                                                            : QColorDialog::ColorDialogOptions());
    if (!chosen.isValid() || chosen == current)
        return;
    setColour(chosen);
    emit colourPicked(chosen);
}
