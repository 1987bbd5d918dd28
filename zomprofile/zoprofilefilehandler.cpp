// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoprofilefilehandler.h"

#include "zomprofile/zoprofilemodel.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

std::optional<ZoProfileTemplate> ZoProfileFileHandler::readTemplate(const QString &path,
                                                                    QString *error)
{
    const auto fail = [&](const QString &why) -> std::optional<ZoProfileTemplate> {
        if (error)
            *error = path + QLatin1String(": ") + why;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(file.errorString());

    ZoProfileTemplate t;
    const QFileInfo info(path);
    t.id = zomProfileKey(info.fileName());
    t.url = info.absoluteFilePath();
    if (t.id.isEmpty())
        return fail(QStringLiteral("no identifier in the file name"));

    QTextStream in(&file);
    QString section;
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            if (section != QLatin1String("template") && section != QLatin1String("values")
                && section != QLatin1String("choices")) {
                return fail(
                    QStringLiteral("unknown section [%1] on line %2").arg(section).arg(lineNumber));
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || section.isEmpty())
            return fail(
                QStringLiteral("line %1 is not \"key = value\" in a section").arg(lineNumber));
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (section == QLatin1String("template"))
            t.tags.insert(key, value);
        else if (section == QLatin1String("values"))
            t.values.insert(key, value);
        else
            t.choices.insert(key, value.split(QLatin1Char('|'), Qt::SkipEmptyParts));
    }
    if (in.status() != QTextStream::Ok)
        return fail(QStringLiteral("read error"));
    const QString extension = t.values.value(QStringLiteral("/ext_name")).toString();
    if (extension.isEmpty())
        return fail(QStringLiteral("no \"/ext_name\" value"));
    // The extension ends the output file's name; a separator or a dot in it would put the
    // video somewhere else than the output folder.
    static const QRegularExpression plainExtension(QStringLiteral("^[A-Za-z0-9]+$"));
    if (!plainExtension.match(extension).hasMatch())
        return fail(QStringLiteral("\"/ext_name\" is not a file extension: %1").arg(extension));
    return t;
}

bool ZoProfileFileHandler::normalizeProfileUrlAndGroup(const ZoProfileModel *model, QString &url,
                                                       QString &group, const QString &defaultId)
{
    const ZoProfileManager *manager = ZoProfileManager::instance();
    QString id = zomProfileKey(url);
    if (!manager->hasProfile(id))
        id = zomProfileKey(defaultId);
    if (!manager->hasProfile(id)) {
        if (manager->profiles().isEmpty())
            return false;
        id = manager->profiles().constFirst();
    }
    url = manager->profileUrl(id);
    if (!model || !model->findProfileItem(id, group))
        group = manager->profileGroup(id);
    return true;
}
