// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zomessagefilter.h"

#include <QRegularExpression>
#include <atomic>
#include <cstring>

namespace {

std::atomic<ZoMessageFilter::Level> currentLevel {ZoMessageFilter::Level::Normal};
QtMessageHandler previousHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!ZoMessageFilter::shows(currentLevel.load(), type, context.category, message))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

namespace ZoMessageFilter {

void install()
{
    QtMessageHandler previous = qInstallMessageHandler(filterMessage);
    // A second install must not make the filter call itself.
    if (previous != filterMessage)
        previousHandler = previous;
}

void setLevel(Level level)
{
    currentLevel.store(level);
}

Level level()
{
    return currentLevel.load();
}

bool isToolkitMessage(const char *category, const QString &message)
{
    if (category && std::strncmp(category, "qt.", 3) == 0)
        return true;
    // "QStandardPaths: ...", "QOpenGLWidget is not ...", "QObject::connect: ...". The program's
    // own messages name their class or subsystem first too, and none of those is a Q followed
    // by a capital. The off-screen platform's notices name no class.
    static const QRegularExpression toolkit(
        QStringLiteral("^(Q[A-Z]\\w*\\b|This plugin does not support|libpng warning)"));
    return toolkit.match(message).hasMatch();
}

bool shows(Level level, QtMsgType type, const char *category, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg || level == Level::Verbose)
        return true;
    if (level == Level::Quiet || type != QtWarningMsg)
        return false;
    return !isToolkitMessage(category, message);
}

} // namespace ZoMessageFilter
