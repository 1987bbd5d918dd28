// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long photo import and photo pictures take, as ratios against a reference run in
// the same process: readPhotoInfo against a full decode of the same JPEG,
// loadPhotoPicture's reduced-scale decoding against its full-resolution pipeline, a phone's
// HEIC photo against the same photo as JPEG, and a 24 MP Display P3 photo, converted to sRGB,
// against the same pixels without a profile.

#include "bench/photofixture.h"
#include "storyboard/photoloader.h"
#include "storyboard/picture.h"
#include "storyboard/storyboard.h"
#include "tests/storyboard/heicfixture.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr quint32 photoSeed = 4711;

struct Timing
{
    double cpu = 0.0; // fastest run, processor time of the whole process
    double wall = 0.0; // median run, elapsed time
};

double processCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Other programs share the machine, which stretches elapsed times at random; the processor
// time of the fastest run is the steadier figure, the median elapsed time the one a user sees.
Timing timeRuns(int runs, const std::function<void()> &work)
{
    std::vector<double> cpu;
    std::vector<double> wall;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = processCpuMs();
        work();
        cpu.push_back(processCpuMs() - cpuStart);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    return {cpu.front(), wall[wall.size() / 2]};
}

QImage fullDecode(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

void printRow(const QString &what, Timing reference, Timing measured)
{
    std::printf("%-24s %9.1f %9.1f %9.1f %9.1f %7.3f %7.3f\n", qPrintable(what), reference.cpu,
                reference.wall, measured.cpu, measured.wall, measured.cpu / reference.cpu,
                measured.wall / reference.wall);
}

void printHeader(const char *reference, const char *measured)
{
    std::printf("%-24s %19s %19s %15s\n", "", reference, measured, "ratio");
    std::printf("%-24s %9s %9s %9s %9s %7s %7s\n", "", "cpu ms", "wall ms", "cpu ms", "wall ms",
                "cpu", "wall");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 7;
    // The reference decodes a 48 MP photo whole (192 MB), above the reader's default limit.
    QImageReader::setAllocationLimit(512);

    std::printf("readPhotoInfo against a full decode of the same JPEG, %d runs each\n", runs);
    printHeader("full decode", "readPhotoInfo");
    QString path24;
    const QSize photos[] = {{4240, 2832}, {6000, 4000}, {8000, 6000}};
    for (const QSize photo : photos) {
        const QString path
            = dir.filePath(QStringLiteral("%1x%2.jpg").arg(photo.width()).arg(photo.height()));
        {
            QImageWriter writer(path, "jpeg");
            writer.setQuality(92);
            if (!writer.write(photoLikeImage(photo.width(), photo.height(), photoSeed))) {
                std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
        if (photo.width() == 6000)
            path24 = path;
        bool ok = true;
        const Timing full = timeRuns(runs, [&] { ok = ok && !fullDecode(path).isNull(); });
        const Timing info = timeRuns(runs, [&] {
            ImageInfo record;
            record.path = path;
            ok = ok && readPhotoInfo(record);
        });
        if (!ok) {
            std::fprintf(stderr, "Decoding %s failed\n", qPrintable(path));
            return 1;
        }
        printRow(QStringLiteral("%1 MP %2x%3 %4 MB")
                     .arg(qRound(photo.width() * photo.height() / 1e6))
                     .arg(photo.width())
                     .arg(photo.height())
                     .arg(QFileInfo(path).size() / 1e6, 0, 'f', 1),
                 full, info);
    }

    std::printf("\nloadPhotoPicture from the 24 MP JPEG: reduced-scale decoding against the "
                "full-resolution pipeline, %d runs each\n",
                runs);
    printHeader("full resolution", "reduced scale");
    const QSize frames[] = {{640, 480}, {1280, 720}, {1920, 1080}, {3840, 2160}};
    for (const QSize frame : frames) {
        Picture picture(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
        bool ok = true;
        const auto load = [&](PhotoDecode decode) {
            ok = ok
                && loadPhotoPicture(path24, picture, frame.width(), frame.height(), false, decode);
        };
        const Timing full = timeRuns(runs, [&] { load(PhotoDecode::Full); });
        const Timing fast = timeRuns(runs, [&] { load(PhotoDecode::Fast); });
        if (!ok) {
            std::fprintf(stderr, "Loading the picture failed\n");
            return 1;
        }
        printRow(QStringLiteral("frame %1x%2").arg(frame.width()).arg(frame.height()), full, fast);
    }

    // A phone's 12 MP photo, as HEIC with the 320-pixel thumbnail phones store and without one,
    // against the same pixels as JPEG.
    std::printf("\nHEIC against JPEG, the same 12 MP photo, %d runs each\n", runs);
    printHeader("JPEG", "HEIC");
    const QImage phone = photoLikeImage(4032, 3024, photoSeed);
    const QString jpeg = dir.filePath(QStringLiteral("phone.jpg"));
    const QString heic = dir.filePath(QStringLiteral("phone.heic"));
    const QString bare = dir.filePath(QStringLiteral("bare.heic"));
    if (!phone.save(jpeg, "jpeg", 92) || !writeHeic(heic, phone, 80, 1, {}, 320)
        || !writeHeic(bare, phone, 80)) {
        std::fprintf(stderr, "Cannot write the phone photos\n");
        return 1;
    }
    bool ok = true;
    const auto info = [&ok](const QString &path) {
        return [&ok, path] {
            ImageInfo record;
            record.path = path;
            ok = ok && readPhotoInfo(record);
        };
    };
    const Timing jpegInfo = timeRuns(runs, info(jpeg));
    printRow(QStringLiteral("readPhotoInfo thumbnail"), jpegInfo, timeRuns(runs, info(heic)));
    printRow(QStringLiteral("readPhotoInfo no thumb."), jpegInfo, timeRuns(runs, info(bare)));
    for (const QSize frame : {QSize(1280, 720), QSize(1920, 1080)}) {
        Picture picture(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
        const auto load = [&](const QString &path) {
            return [&, path] {
                ok = ok && loadPhotoPicture(path, picture, frame.width(), frame.height(), false);
            };
        };
        printRow(QStringLiteral("picture %1x%2").arg(frame.width()).arg(frame.height()),
                 timeRuns(runs, load(jpeg)), timeRuns(runs, load(heic)));
    }
    if (!ok) {
        std::fprintf(stderr, "Reading the phone photos failed\n");
        return 1;
    }

    // The loader converts the fitted picture, not the photo: the last row shows what converting
    // the whole 24 MP photo would cost on top of its decode.
    std::printf("\nA 24 MP Display P3 JPEG against the same pixels without a profile, %d runs "
                "each\n",
                runs);
    printHeader("no profile", "Display P3");
    QImage wide = photoLikeImage(6000, 4000, photoSeed);
    const QString plain = dir.filePath(QStringLiteral("plain.jpg"));
    const QString p3 = dir.filePath(QStringLiteral("p3.jpg"));
    const bool plainWritten = wide.save(plain, "jpeg", 92);
    wide.setColorSpace(QColorSpace::DisplayP3);
    if (!plainWritten || !wide.save(p3, "jpeg", 92)) {
        std::fprintf(stderr, "Cannot write the 24 MP photos\n");
        return 1;
    }
    wide = QImage();
    printRow(QStringLiteral("readPhotoInfo"), timeRuns(runs, info(plain)),
             timeRuns(runs, info(p3)));
    for (const QSize frame : {QSize(1920, 1080), QSize(3840, 2160)}) {
        Picture picture(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
        const auto load = [&](const QString &path) {
            return [&, path] {
                ok = ok && loadPhotoPicture(path, picture, frame.width(), frame.height(), false);
            };
        };
        printRow(QStringLiteral("picture %1x%2").arg(frame.width()).arg(frame.height()),
                 timeRuns(runs, load(plain)), timeRuns(runs, load(p3)));
    }
    printRow(QStringLiteral("whole photo converted"),
             timeRuns(runs, [&] { ok = ok && !fullDecode(p3).isNull(); }), timeRuns(runs, [&] {
                 QImage image = fullDecode(p3);
                 image.convertToColorSpace(QColorSpace::SRgb);
                 ok = ok && !image.isNull();
             }));
    if (!ok) {
        std::fprintf(stderr, "Reading the 24 MP photos failed\n");
        return 1;
    }
    return 0;
}
