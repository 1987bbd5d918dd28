// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zogroupitemview.h"

#include "zomprofile/zoprofilemodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>

ZoGroupItemView::ZoGroupItemView(QWidget *parent, bool popup)
    : QTreeView(parent)
{
    if (popup)
        setWindowFlags(Qt::Popup);
    header()->hide();
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setMouseTracking(true);
    connect(this, &QTreeView::clicked, this, &ZoGroupItemView::pick);
}

void ZoGroupItemView::showItem(const QStandardItem *item)
{
    auto *standard = qobject_cast<QStandardItemModel *>(model());
    if (!standard || !item || item->model() != standard)
        return;
    const QModelIndex index = item->index();
    collapseAll();
    if (index.parent().isValid())
        expand(index.parent());
    setCurrentIndex(index);
    scrollTo(index);
}

void ZoGroupItemView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        pick(currentIndex());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ZoGroupItemView::pick(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    if (model()->hasChildren(index) || index.data(ZoProfileModel::IsGroupRole).toBool()) {
        setExpanded(index, !isExpanded(index));
        return;
    }
    auto *standard = qobject_cast<QStandardItemModel *>(model());
    const QStandardItem *item = standard ? standard->itemFromIndex(index) : nullptr;
    if (!item)
        return;
    if (windowFlags() & Qt::Popup)
        hide();
    emit itemChanged(item);
}
