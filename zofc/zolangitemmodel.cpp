// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zolangitemmodel.h"

#include "zofc/zopref.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {
const QString languageKey = QStringLiteral("Language");

// A language asked for on the command line: it holds for this run only. GUI thread.
QString &runLanguage()
{
    static QString name;
    return name;
}
} // namespace

ZoLangItemModel::ZoLangItemModel(QObject *parent)
    : QStandardItemModel(parent)
{
    reload(ZoPref::appDir() + QLatin1String("/translations"));
}

void ZoLangItemModel::reload(const QString &translationsDir)
{
    clear();
    auto *english = new QStandardItem(QStringLiteral("English"));
    english->setData(QStringLiteral("en_US"), CodeRole);
    appendRow(english);

    const QStringList files
        = QDir(translationsDir)
              .entryList(QStringList {QStringLiteral("vellumix_*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QString code = file.mid(9, file.size() - 9 - 3);
        const QLocale locale(code);
        if (locale.language() == QLocale::English || locale.language() == QLocale::C)
            continue;
        // Qt gives some names in lower case ("français"); a menu entry starts with a capital.
        QString name = locale.nativeLanguageName();
        if (!name.isEmpty())
            name[0] = name.at(0).toUpper();
        auto *item = new QStandardItem(name);
        item->setData(locale.name(), CodeRole);
        appendRow(item);
    }
}

QStringList ZoLangItemModel::codes() const
{
    QStringList result;
    for (int row = 0; row < rowCount(); ++row)
        result.append(item(row)->data(CodeRole).toString());
    return result;
}

QString ZoLangItemModel::currentLangName()
{
    if (!runLanguage().isEmpty())
        return runLanguage();
    const QString stored = ZoPref::value(languageKey, QString()).toString();
    if (!stored.isEmpty())
        return stored;
    // Until the user picks one, the system's language when there is a catalogue for it (for
    // de_AT the German one), English otherwise.
    const QString dir = ZoPref::appDir() + QLatin1String("/translations/");
    const QString system = QLocale::system().name();
    for (const QString &code : {system, system.section(QLatin1Char('_'), 0, 0)}) {
        if (code.isEmpty() || code == QLatin1String("C") || code.startsWith(QLatin1String("en")))
            continue;
        if (QFileInfo::exists(dir + QLatin1String("vellumix_") + code + QLatin1String(".qm")))
            return QLocale(code).name();
    }
    return QStringLiteral("en_US");
}

void ZoLangItemModel::setCurrentLangName(const QString &name)
{
    runLanguage().clear();
    ZoPref::setValue(languageKey, name);
}

void ZoLangItemModel::setRunLangName(const QString &name)
{
    runLanguage() = name;
}
