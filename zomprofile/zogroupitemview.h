// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeView>

class QStandardItem;

// The profile chooser's drop-down: the groups of a profile model as expandable rows, their
// profiles below. Clicking (or Return on) a profile reports it with itemChanged() and, as a
// popup, closes. GUI thread only.
class ZoGroupItemView : public QTreeView
{
    Q_OBJECT

public:
    // popup: a window of its own that closes when the user clicks elsewhere.
    explicit ZoGroupItemView(QWidget *parent = nullptr, bool popup = true);

    // Expands the group of item (collapsing the others) and makes item current.
    void showItem(const QStandardItem *item);

signals:
    void itemChanged(const QStandardItem *item);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pick(const QModelIndex &index);
};
