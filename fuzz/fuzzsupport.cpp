// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace fuzz {

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/vellumix-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vellumix-fuzz-XXXXXX"));
    return dir;
}

} // namespace

void initialize(int *argc, char ***argv, std::initializer_list<const char *> limits)
{
    // Kept for the whole run: libFuzzer holds on to the argument vector.
    static std::vector<char *> arguments;
    arguments.clear();
    arguments.push_back((*argv)[0]);
    for (const char *limit : limits)
        arguments.push_back(const_cast<char *>(limit));
    for (int i = 1; i < *argc; ++i)
        arguments.push_back((*argv)[i]);
    arguments.push_back(nullptr);
    *argc = int(arguments.size()) - 1;
    *argv = arguments.data();

    // The readers log every refused file; a fuzz run refuses millions.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int appArgc = 1;
    static char appName[] = "vellumix-fuzz";
    static char *appArgv[] = {appName, nullptr};
    static QGuiApplication app(appArgc, appArgv);
    if (!scratch().isValid()) {
        std::fprintf(stderr, "fuzz: no scratch folder\n");
        std::exit(1);
    }
}

QString scratchFolder()
{
    return scratch().path();
}

QString writeInput(const uint8_t *data, size_t size, const QString &suffix)
{
    const QString path = scratch().filePath(QStringLiteral("input.") + suffix);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz: contract broken: %s\n", what);
    std::abort();
}

} // namespace fuzz
