// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSize>
#include <QString>

class QWidget;

// The title and size services every framework window and dialog carries; owned by its widget.
class ZoWidgetHelper : public QObject
{
    Q_OBJECT

public:
    explicit ZoWidgetHelper(QWidget *widget);

    QWidget *widget() const { return target; }

    // Sets the window title and the text shown for the window when it is minimised; an empty
    // title shows the product name.
    void setAllWindowTitle(const QString &title);
    // The size the window opens with; applied at once.
    void setDefaultSize(const QSize &size);
    QSize defaultSize() const { return size; }

private:
    QWidget *target = nullptr;
    QSize size;
};
