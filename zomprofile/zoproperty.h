// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// One node of a profile's property tree: the root, a category, or an item that edits one
// profile value. The root owns every node (QObject children). The editors that share a tree
// follow its changes through valueChanged(). GUI thread only.
class ZoProperty : public QObject
{
    Q_OBJECT

public:
    // How an item is edited; the manager's item types plus the editors' own.
    enum class Kind {
        Category,
        Switch, // "bool": a check box
        Choice, // "list": a closed list of choices
        Bitrate, // "bitrate": kilobits per second with a K
        Size, // "size": WIDTHxHEIGHT
        Rate, // "rate": frames per second, or Auto
        Integer, // "int"
        Text, // "text" and "metadata": free text
        Percent, // the volume: 256 is 100 %; the editor shows per cent
        Seconds, // a delay in whole seconds
        Quality, // a bit rate's quality level ("b/", "ab/"); not a profile value
    };

    ZoProperty(const QString &key, const QString &label, Kind kind, ZoProperty *parent = nullptr);

    QString key() const { return itemKey; }
    QString label() const { return itemLabel; }
    Kind kind() const { return itemKind; }
    bool isCategory() const { return itemKind == Kind::Category; }
    // Shown in the basic editor ("simple") as well as in the advanced one ("all").
    bool isSimple() const { return simple; }
    void setSimple(bool on) { simple = on; }

    // The profile value as the encoder reads it (for a quality item: its level's text).
    QString value() const { return itemValue; }
    // Sets the value; emits valueChanged() when it differs.
    void setValue(const QString &value);

    QStringList choices() const { return itemChoices; }
    void setChoices(const QStringList &list) { itemChoices = list; }

    ZoProperty *parentProperty() const { return qobject_cast<ZoProperty *>(parent()); }
    QList<ZoProperty *> childProperties() const;
    // The item of key anywhere below this node, or null.
    ZoProperty *find(const QString &key) const;
    // Every item below this node, depth first, categories left out.
    QList<ZoProperty *> items() const;

signals:
    void valueChanged(ZoProperty *property);

private:
    QString itemKey;
    QString itemLabel;
    Kind itemKind;
    bool simple = false;
    QString itemValue;
    QStringList itemChoices;
};
