// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// The settings store and the program's folders. Every read names its default; every write goes
// to disk at once. Thread-safe.
class ZoPref
{
public:
    static QVariant value(const QString &key, const QVariant &defaultValue);
    // With deferred false (the callers' choice everywhere) the value is on disk on return.
    static void setValue(const QString &key, const QVariant &value, bool deferred = false);
    static void remove(const QString &key);

    // The settings file. Defaults to Vellumix/Vellumix.conf in the user's configuration folder;
    // tests point it elsewhere.
    static QString fileName();
    static void setFileName(const QString &path);

    // The folder of the running program ($VELLUMIX_APP_DIR when set, so that tests and tools
    // run beside a build can use the build's application folder).
    static QString appDir();
    // The current skin's folder below appDir()/skin; skin pictures live under "/app_vellumix/".
    static QString skinDir();
    static QString skinName();
    static void setSkinName(const QString &name);
    static QString appCode() { return QStringLiteral("vellumix"); }
    static QString product_name() { return QStringLiteral("Vellumix"); }

    static void setTanslucentWhenSkin(bool on);
    static bool tanslucentWhenSkin();
};
