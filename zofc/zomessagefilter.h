// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Decides which diagnostic messages reach standard error. The toolkit reports much that says
// nothing to a user ("QOpenGLWidget is not supported on this platform", where it put the runtime
// folder); the program's own warnings and every real failure are kept. Thread-safe.
namespace ZoMessageFilter {

enum class Level {
    Quiet, // failures only (critical and fatal messages)
    Normal, // failures and the program's own warnings
    Verbose, // everything, debug notices and the toolkit's messages included
};

// Installs the filter as the process's message handler; call before the application object
// exists, so that its start-up messages are filtered too. Messages that pass go on to the handler
// that was installed before.
void install();
void setLevel(Level level);
Level level();

// True for a message that comes from the toolkit rather than from this program: Qt's categorised
// messages ("qt.qpa.xcb") and the uncategorised ones, which name a Qt class first.
bool isToolkitMessage(const char *category, const QString &message);
bool shows(Level level, QtMsgType type, const char *category, const QString &message);

} // namespace ZoMessageFilter
