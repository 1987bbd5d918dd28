// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoprofilecombobox.h"

#include "zomprofile/zogroupitemview.h"
#include "zomprofile/zoprofilemodel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

ZoProfileComboBox::ZoProfileComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    // Keys and the wheel step through the profiles of the shown group.
    connect(this, &QComboBox::activated, this, [this](int row) {
        if (profiles)
            slotCurrentIndexChanged(
                profiles->itemFromIndex(profiles->index(row, 0, rootModelIndex())));
    });
}

void ZoProfileComboBox::setProfileModel(ZoProfileModel *model)
{
    if (profiles)
        disconnect(profiles, nullptr, this, nullptr);
    profiles = model;
    setModel(model);
    if (view)
        view->setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::modelReset, this, &ZoProfileComboBox::reselect);
    connect(model, &QAbstractItemModel::rowsInserted, this, &ZoProfileComboBox::reselect);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ZoProfileComboBox::reselect);
    reselect();
}

void ZoProfileComboBox::setGroupView(ZoGroupItemView *groupView)
{
    if (view) {
        view->removeEventFilter(this);
        disconnect(view, nullptr, this, nullptr);
    }
    view = groupView;
    if (!view)
        return;
    view->setModel(profiles);
    view->installEventFilter(this);
}

bool ZoProfileComboBox::changeProfile(const QString &newUrl, const QString &newGroup,
                                      bool onlyIfChanged)
{
    if (!profiles)
        return false;
    const QStandardItem *item = profiles->findProfileItem(newUrl, newGroup);
    if (!item)
        return false;
    const QString itemUrl = item->data(ZoProfileModel::UrlRole).toString();
    if (onlyIfChanged && itemUrl == url && newGroup == group)
        return true;
    url = itemUrl;
    group = newGroup;
    reselect();
    emit currentProfileChanged(url, group);
    return true;
}

void ZoProfileComboBox::slotCurrentIndexChanged(const QStandardItem *item)
{
    if (!item || item->data(ZoProfileModel::IsGroupRole).toBool())
        return;
    hidePopup();
    changeProfile(item->data(ZoProfileModel::UrlRole).toString(),
                  item->data(ZoProfileModel::GroupRole).toString(), true);
}

void ZoProfileComboBox::reselect()
{
    if (!profiles)
        return;
    const QStandardItem *item = profiles->findProfileItem(url, group);
    if (!item)
        return;
    const QModelIndex index = item->index();
    // The row number alone does not tell whether the current row is this one: it may be the same
    // row of another group.
    if (rootModelIndex() != index.parent())
        setRootModelIndex(index.parent());
    setCurrentIndex(index.row());
}

void ZoProfileComboBox::showPopup()
{
    if (!view || !profiles) {
        QComboBox::showPopup();
        return;
    }
    if (const QStandardItem *item = profiles->findProfileItem(url, group))
        view->showItem(item);
    const int rows = std::max(1, std::min(maxVisibleItems(), 16));
    const int rowHeight = std::max(view->sizeHintForRow(0), fontMetrics().height() + 4);
    const int height = std::min(maxViewHeight, rows * rowHeight + 2 * view->frameWidth());
    const int width = std::max(this->width(), 260);
    QPoint at = mapToGlobal(QPoint(0, this->height()));
    const QScreen *screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const bool up = popupDirection == QLatin1String("up")
        || (available.isValid() && at.y() + height > available.bottom()
            && mapToGlobal(QPoint(0, 0)).y() - height >= available.top());
    if (up)
        at = mapToGlobal(QPoint(0, -height));
    view->setGeometry(QRect(at, QSize(width, height)));
    view->show();
    view->raise();
    view->activateWindow();
    view->setFocus(Qt::PopupFocusReason);
}

void ZoProfileComboBox::hidePopup()
{
    if (view && view->isVisible())
        view->hide();
    QComboBox::hidePopup();
}

bool ZoProfileComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            view->hide();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}
