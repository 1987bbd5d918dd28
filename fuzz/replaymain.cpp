// SPDX-License-Identifier: GPL-3.0-or-later
// Replays stored inputs through a fuzz target without libFuzzer: every file named, and every
// file below every folder named. A fault shows as the crash or sanitizer report it causes, and an
// input that takes longer than the target's own time limit ("-timeout=N") as a failure.
#include "fuzz/fuzzsupport.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// The input being replayed, for the message when it takes too long.
char current[4096];

void tooSlow(int)
{
    const char head[] = "replay: the input took longer than the target's time limit: ";
    write(STDERR_FILENO, head, sizeof head - 1);
    write(STDERR_FILENO, current, strlen(current));
    write(STDERR_FILENO, "\n", 1);
    _exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    unsigned timeLimit = 0;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("-timeout=")))
            timeLimit = arg.mid(9).toUInt();
        if (arg.startsWith(QLatin1Char('-')))
            continue; // a libFuzzer flag
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files.append(it.next());
        } else if (QFileInfo::exists(arg)) {
            files.append(arg);
        } else {
            std::fprintf(stderr, "replay: no such file or folder: %s\n", argv[i]);
            return 1;
        }
    }
    std::sort(files.begin(), files.end());
    std::signal(SIGALRM, tooSlow);
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "replay: cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "replay: %s\n", qPrintable(path));
        std::snprintf(current, sizeof current, "%s", qPrintable(path));
        alarm(timeLimit);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                               size_t(bytes.size()));
        alarm(0);
    }
    std::printf("replayed %lld inputs\n", static_cast<long long>(files.size()));
    return files.isEmpty() ? 1 : 0;
}
