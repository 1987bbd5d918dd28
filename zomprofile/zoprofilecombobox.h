// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zomprofile/zogroupitemview.h"
#include "zomprofile/zoprofilemodel.h"

#include <QComboBox>
#include <QPointer>

class QStandardItem;

// The profile chooser: shows the current profile and drops down a ZoGroupItemView of the
// profile model's groups. GUI thread only.
class ZoProfileComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ZoProfileComboBox(QWidget *parent = nullptr);

    void setProfileModel(ZoProfileModel *model);
    ZoProfileModel *profileModel() const { return profiles; }
    // The drop-down; the combo box filters its events (Escape closes it).
    void setGroupView(ZoGroupItemView *view);
    ZoGroupItemView *groupView() const { return view; }

    void setMaxViewHeight(int height) { maxViewHeight = height; }
    // "down" or "up": where the drop-down opens.
    void setPopupDirection(const QString &direction) { popupDirection = direction; }
    void setLang(const QString &name) { language = name; }

    // Shows the profile of url in group. Sends currentProfileChanged() unless onlyIfChanged is
    // true and the profile shown is that one already. False when the model has no such row.
    bool changeProfile(const QString &url, const QString &group, bool onlyIfChanged);
    QString currentUrl() const { return url; }
    QString currentGroup() const { return group; }

    void showPopup() override;
    void hidePopup() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void currentProfileChanged(const QString &url, const QString &group);

public slots:
    void slotCurrentIndexChanged(const QStandardItem *item);

private:
    // Shows the row of the current profile again after the model has changed its rows.
    void reselect();

    QPointer<ZoProfileModel> profiles;
    QPointer<ZoGroupItemView> view;
    int maxViewHeight = 400;
    QString popupDirection = QStringLiteral("down");
    QString language = QStringLiteral("en");
    QString url;
    QString group;
};
