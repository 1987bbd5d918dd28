// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zopref.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <QStandardPaths>
#include <atomic>
#include <memory>

namespace {

struct Store
{
    QMutex mutex;
    QString path;
    std::unique_ptr<QSettings> settings;
    bool translucent = true;

    QSettings &open()
    {
        if (!settings) {
            if (path.isEmpty()) {
                path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    + QLatin1String("/Vellumix/Vellumix.conf");
            }
            settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        }
        return *settings;
    }
};

Store &store()
{
    static Store instance;
    return instance;
}

} // namespace

QVariant ZoPref::value(const QString &key, const QVariant &defaultValue)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    return s.open().value(key, defaultValue);
}

void ZoPref::setValue(const QString &key, const QVariant &value, bool deferred)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    QSettings &settings = s.open();
    settings.setValue(key, value);
    if (!deferred)
        settings.sync();
}

void ZoPref::remove(const QString &key)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    QSettings &settings = s.open();
    settings.remove(key);
    settings.sync();
}

QString ZoPref::fileName()
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    return s.open().fileName();
}

void ZoPref::setFileName(const QString &path)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    if (s.settings)
        s.settings->sync();
    s.settings.reset();
    s.path = path;
}

QString ZoPref::appDir()
{
    const QByteArray overridden = qgetenv("VELLUMIX_APP_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(QString::fromLocal8Bit(overridden));
    // The program's own file, as the kernel reports it; works before any application object.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return QFileInfo(self.symLinkTarget()).absolutePath();
}

QString ZoPref::skinName()
{
    return value(QStringLiteral("Skin"), QStringLiteral("default")).toString();
}

void ZoPref::setSkinName(const QString &name)
{
    setValue(QStringLiteral("Skin"), name);
}

QString ZoPref::skinDir()
{
    return appDir() + QLatin1String("/skin/") + skinName();
}

void ZoPref::setTanslucentWhenSkin(bool on)
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    s.translucent = on;
}

bool ZoPref::tanslucentWhenSkin()
{
    Store &s = store();
    QMutexLocker lock(&s.mutex);
    return s.translucent;
}
