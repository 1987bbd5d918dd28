#include "zofc/zolangitemmodel.h"

#include "zofc/zopref.h"

#include <QDir>
#include <QLocale>

namespace {
const QString languageKey = QStringLiteral("Language");
}

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
        auto *item = new QStandardItem(locale.nativeLanguageName());
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
    const QString stored = ZoPref::value(languageKey, QString()).toString();
    if (!stored.isEmpty())
        return stored;
    const QString system = QLocale::system().name();
    return system == QLatin1String("C") ? QStringLiteral("en_US") : system;
}

void ZoLangItemModel::setCurrentLangName(const QString &name)
{
    ZoPref::setValue(languageKey, name);
}
