// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStandardItemModel>

// The languages the program can show: English plus one entry per "vellumix_<code>.qm" in the
// translations folder. Each item's text is the language's own name, its data the locale code.
class ZoLangItemModel : public QStandardItemModel
{
    Q_OBJECT
public:
    static constexpr int CodeRole = Qt::UserRole + 1;

    explicit ZoLangItemModel(QObject *parent = nullptr);

    void reload(const QString &translationsDir);
    QStringList codes() const;

    // The language in use, as a locale name such as "en_US".
    static QString currentLangName();
    // The user's choice, stored for later runs; it ends a language set for the run.
    static void setCurrentLangName(const QString &name);
    // A language for this run only, ahead of the stored choice, which stays as it is.
    static void setRunLangName(const QString &name);
};
