// SPDX-License-Identifier: GPL-3.0-or-later
// bench_import: how long the import's reading thread takes for a batch of large JPEGs, as a
// ratio against a one-thread readPhotoInfo loop over the same files in the same run (runs
// alternate, the median ratio is reported), what the face search adds to that loop, and, with
// --memory, the resident memory after a strip has been filled with many small photos through the
// import dialog.

#include "bench/photofixture.h"
#include "media/importprogress.h"
#include "media/infoparser.h"
#include "media/photolistwidget.h"
#include "storyboard/photoloader.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void print(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void progress(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stderr);
}

// count JPEGs in the folder: a few distinct pictures, each file a copy under its own name.
QStringList writePhotos(const QTemporaryDir &dir, int count, QSize size)
{
    constexpr int distinct = 4;
    QStringList sources;
    for (int i = 0; i < std::min(count, distinct); ++i) {
        const QString path = dir.filePath(QStringLiteral("source%1.jpg").arg(i));
        if (!photoLikeImage(size.width(), size.height(), 100 + i).save(path, "JPEG", 90))
            return {};
        sources.append(path);
    }
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path
            = dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        if (!QFile::copy(sources.at(i % sources.size()), path))
            return {};
        paths.append(path);
    }
    return paths;
}

// The import's own reading, face search included; without it when faces is false (records that
// say they were searched are not searched again).
double oneThreadLoop(const QStringList &paths, bool faces = true)
{
    QElapsedTimer clock;
    clock.start();
    int read = 0;
    for (const QString &path : paths) {
        ImageInfo info;
        info.path = path;
        info.facesSearched = !faces;
        read += readPhotoInfo(info) ? 1 : 0;
    }
    if (read != paths.size())
        progress(QStringLiteral("warning: %1 of %2 photos read").arg(read).arg(paths.size()));
    return clock.nsecsElapsed() / 1e9;
}

// The parser as the import dialog drives it: started, its records taken every 40 ms.
double parserRun(const QStringList &paths)
{
    QElapsedTimer clock;
    clock.start();
    InfoParser parser(&paths, true);
    parser.start();
    qsizetype taken = 0;
    while (!parser.wait(40))
        taken += parser.takePhotos().size();
    taken += parser.takePhotos().size();
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (taken != paths.size())
        progress(QStringLiteral("warning: %1 of %2 photos read").arg(taken).arg(paths.size()));
    return seconds;
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

// A field of /proc/self/status in MB ("VmRSS", "VmHWM").
double statusMb(const char *field)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1.0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1.0;
}

int speed(int count, QSize size, int runs)
{
    QTemporaryDir dir;
    progress(QStringLiteral("writing %1 photos of %2 x %3...")
                 .arg(count)
                 .arg(size.width())
                 .arg(size.height()));
    const QStringList paths = writePhotos(dir, count, size);
    if (paths.isEmpty()) {
        progress(QStringLiteral("cannot write the photos"));
        return 1;
    }
    oneThreadLoop(paths.mid(0, 4)); // warm the file cache and the decoder's code

    std::vector<double> ratios;
    std::vector<double> faceShares;
    for (int run = 0; run < runs; ++run) {
        const double reference = oneThreadLoop(paths);
        const double parser = parserRun(paths);
        const double withoutFaces = oneThreadLoop(paths, false);
        ratios.push_back(parser / reference);
        faceShares.push_back((reference - withoutFaces) / withoutFaces);
        print(QStringLiteral("run %1: one-thread loop %2 s (%3 s without the face search), "
                             "import parser %4 s, ratio %5")
                  .arg(run + 1)
                  .arg(reference, 0, 'f', 2)
                  .arg(withoutFaces, 0, 'f', 2)
                  .arg(parser, 0, 'f', 2)
                  .arg(parser / reference, 0, 'f', 3));
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const size_t middle = values.size() / 2;
        return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
    };
    print(QStringLiteral("median ratio %1 over %2 runs (%3 processors, load %4)")
              .arg(median(ratios), 0, 'f', 3)
              .arg(runs)
              .arg(QThread::idealThreadCount())
              .arg(loadAverage()));
    print(QStringLiteral("the face search adds %1 of the one-thread reading time (median)")
              .arg(median(faceShares), 0, 'f', 3));
    return 0;
}

int memory(int count)
{
    QTemporaryDir dir;
    progress(QStringLiteral("writing %1 photos of 640 x 480...").arg(count));
    const QStringList paths = writePhotos(dir, count, QSize(640, 480));
    if (paths.isEmpty())
        return 1;
    const double before = statusMb("VmRSS");
    PhotoListWidget list;
    list.resize(900, 72);
    list.show();
    QElapsedTimer clock;
    clock.start();
    ImportProgress dialog(true, &list);
    dialog.setFiles(paths);
    dialog.exec();
    if (dialog.addedAny())
        list.finishInsertion();
    print(QStringLiteral("%1 photos imported in %2 s; resident %3 MB (before the import %4 MB, "
                         "peak %5 MB)")
              .arg(list.photoList().size())
              .arg(clock.elapsed() / 1000.0, 0, 'f', 1)
              .arg(statusMb("VmRSS"), 0, 'f', 0)
              .arg(before, 0, 'f', 0)
              .arg(statusMb("VmHWM"), 0, 'f', 0));
    return list.photoList().size() == count ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures photo import speed and memory."));
    parser.addHelpOption();
    const QCommandLineOption countOption(QStringLiteral("count"), QStringLiteral("Photos."),
                                         QStringLiteral("n"), QStringLiteral("100"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Photo size."),
                                        QStringLiteral("WxH"), QStringLiteral("6000x4000"));
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Alternating runs of each."),
                                        QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption memoryOption(
        QStringLiteral("memory"),
        QStringLiteral("Import n small photos into a strip and report the memory."),
        QStringLiteral("n"));
    parser.addOptions({countOption, sizeOption, runsOption, memoryOption});
    parser.process(app);

    if (parser.isSet(memoryOption))
        return memory(parser.value(memoryOption).toInt());
    const QStringList size = parser.value(sizeOption).split(QLatin1Char('x'));
    if (size.size() != 2)
        return 2;
    return speed(std::max(1, parser.value(countOption).toInt()),
                 QSize(size[0].toInt(), size[1].toInt()),
                 std::max(1, parser.value(runsOption).toInt()));
}
