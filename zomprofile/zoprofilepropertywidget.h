// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QWidget>
#include <memory>

class QPushButton;
class QScrollArea;
class ZomProfileData;
class ZoProperty;

// An editor of a profile's values: one row per property, each with an editor that fits its
// value (check boxes for switches, choice lists, validated free text). Several editors can share
// one property tree (setRootProperty) and then show each other's edits. GUI thread only.
class ZoProfilePropertyWidget : public QWidget
{
    Q_OBJECT

public:
    // advanced: shows the properties under their category headings. switchButton: adds the
    // child button "switchAdvancedBtn" that asks for the advanced editor (showFloatWindow).
    // editable: false shows the values without letting them be changed.
    ZoProfilePropertyWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = {},
                            bool advanced = false, bool switchButton = true, bool editable = true);
    ~ZoProfilePropertyWidget() override;

    // "simple" shows the basic properties, "all" every property. With refresh false the rows are
    // rebuilt later, on the next change of tree or group.
    void setVisibleGroup(const QString &name, bool refresh = true);
    QString visibleGroup() const { return group; }
    void setLang(const QString &name);
    QString lang() const { return language; }

    // Builds a new property tree from the first profile of list.
    void putProfileData(const QList<ZomProfileData *> &list);
    // Writes the tree's values into data; with visibleOnly only those of the shown rows.
    void getProfileData(ZomProfileData &data, bool visibleOnly = false) const;

    std::shared_ptr<ZoProperty> rootProp() const { return root; }
    void setRootProperty(const std::shared_ptr<ZoProperty> &property);
    ZoProperty *property(const QString &key) const;

    // Sets the value of key from an edited or normalised text ("768K", "25fps", "100%").
    void setItemValue(const QString &key, const QString &value);
    // Sets key to value and writes it into every profile of list; for a quality item ("b/",
    // "ab/") the bit rate of the chosen level is set and written instead.
    void refreshItemProfileData(const QString &key, const QString &value,
                                const QList<ZomProfileData *> &list);
    // Recomputes the quality item of a bit rate ("b" or "b/", "ab" or "ab/") from the first
    // profile of list (from the tree when list is empty).
    void refreshQualityItem(const QString &key, const QList<ZomProfileData *> &list = {});

    // The editor of key's row, or null when it is not shown.
    QWidget *editorFor(const QString &key) const { return editors.value(key); }

signals:
    void showFloatWindow(bool show);
    void asyncShowBitCalcDialog(ZoProperty *property, const QString &text);
    // Sent after each edit; a receiver that sets reject puts the old value back.
    void asyncVerifyPropertyValue(ZoProperty *property, const QString &key, bool &reject);
    // Sent for each value that follows the edited one ("key,n" follows "key").
    void asyncLinkedPropertyValue(ZoProperty *property, const QString &key);

private:
    void rebuild();
    QWidget *makeEditor(ZoProperty *item);
    void showValue(ZoProperty *item);
    void commit(ZoProperty *item, const QString &text);

    bool advanced = false;
    bool editable = true;
    QString group = QStringLiteral("simple");
    QString language = QStringLiteral("en");
    std::shared_ptr<ZoProperty> root;
    QScrollArea *scroll = nullptr;
    QPushButton *switchButton = nullptr;
    QHash<QString, QWidget *> editors;
};
