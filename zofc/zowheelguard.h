// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Keeps the mouse wheel from changing values by passing over them: a combo box or spin box
// takes the wheel only while it has the focus, otherwise the wheel scrolls what holds it (a
// settings list). Installed once on the application; GUI thread only.
class ZoWheelGuard : public QObject
{
    Q_OBJECT

public:
    explicit ZoWheelGuard(QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;
};
