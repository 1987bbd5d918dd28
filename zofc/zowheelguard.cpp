// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zowheelguard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>

namespace {

bool takesWheelForValue(const QObject *object)
{
    return qobject_cast<const QComboBox *>(object)
        || qobject_cast<const QAbstractSpinBox *>(object);
}

} // namespace

ZoWheelGuard::ZoWheelGuard(QObject *parent)
    : QObject(parent)
{ }

bool ZoWheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Polish && takesWheelForValue(watched)) {
        // The wheel must not give the focus either, or the first turn would take it.
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->focusPolicy() == Qt::WheelFocus)
            widget->setFocusPolicy(Qt::StrongFocus);
    } else if (event->type() == QEvent::Wheel && takesWheelForValue(watched)) {
        if (!static_cast<QWidget *>(watched)->hasFocus()) {
            // Ignored and filtered out, the wheel goes on to the parents: the list scrolls.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
