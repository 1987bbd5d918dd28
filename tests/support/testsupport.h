#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

// Points the settings store at a fresh file in a temporary folder for the life of the object.
class TempSettings
{
public:
    TempSettings();
    ~TempSettings();
    QString folder() const { return dir.path(); }
    QString file() const { return dir.filePath(QStringLiteral("settings.conf")); }

private:
    QTemporaryDir dir;
};

// The build's application folder (patterns, profiles, skin, the encoder launcher).
QString testAppDir();
