// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QToolButton>

// A button that shows a colour as a swatch beside its text and lets the user pick another one.
// GUI thread only.
class ColourButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ColourButton(QWidget *parent = nullptr);

    QColor colour() const { return current; }
    void setColour(const QColor &colour);
    // The colour dialog offers the alpha channel too.
    void setAlphaShown(bool shown) { alphaShown = shown; }
    // The colour dialog's title.
    void setDialogTitle(const QString &title) { dialogTitle = title; }

signals:
    // The user picked another colour.
    void colourPicked(const QColor &colour);

private:
    void pick();

    QColor current = Qt::white;
    QString dialogTitle;
    bool alphaShown = false;
};
