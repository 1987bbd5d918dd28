// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long making three versions of one show (16:9, 9:16 and 1:1: the "video",
// "vertical" and "square" presets) in one run takes against making the 16:9 version alone, and
// against three separate runs, as ratios measured in the same process: 12 photos of 4000 x 3000,
// 5 s each with 1.5 s wipes, zoom on, one MP3. The run of three decodes each photo once for all
// three; the separate runs decode every photo for every version.
// With --runs N the three measurements run N times in turn and the medians are printed.
// With --photos N the show has N photos instead of 12.

#include "audio/storyboardrender.h"
#include "bench/photofixture.h"
#include "creation/versionrun.h"
#include "storyboard/offscreenglcontext.h"
#include "storyboard/photoloader.h"
#include "zofc/zopref.h"
#include "zomprofile/zoprofilemanager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr PhotoLook encoderLook {32, 24, 600, 300, false};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

VersionRun::Version version(const QString &id, const StoryBoard &board, int count)
{
    ZoProfileManager *manager = ZoProfileManager::instance();
    VersionRun::Version v;
    v.profile.setId(manager->profileUrl(id));
    manager->getPresetData(v.profile);
    v.label = id;
    v.name = versionFileName(QStringLiteral("bench"), id, count);
    v.framing = versionFraming(id, board.framing);
    v.check = false;
    return v;
}

// Seconds for one run of the versions; negative when a version failed.
double timeRun(StoryBoardRender &render, const QList<VersionRun::Version> &versions,
               const QString &folder, int *decodes)
{
    VersionRun run;
    run.setOutputFolder(folder);
    run.setCallerReportsFailures(true);
    QEventLoop loop;
    QObject::connect(&run, &VersionRun::runEnded, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    if (!run.start(&render, versions))
        return -1.0;
    if (!run.isFinished())
        loop.exec();
    const double seconds = clock.elapsed() / 1000.0;
    if (decodes)
        *decodes = run.decodedPhotos().decodes();
    for (const VersionRun::Result &result : run.results()) {
        if (!result.made) {
            std::fprintf(stderr, "%s\n", qPrintable(result.failure));
            return -1.0;
        }
        QFile::remove(result.path);
    }
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("VELLUMIX_APP_DIR"))
        qputenv("VELLUMIX_APP_DIR", VELLUMIX_BUILD_APP_DIR);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    OffscreenGLContext::rasterizeOnCallingThread();
    QApplication app(argc, argv);
    QTemporaryDir work;
    ZoPref::setFileName(work.filePath(QStringLiteral("settings.conf")));
    ZoPref::setValue(QStringLiteral("AfterBurnAction"), 5);
    const QString appDir = ZoPref::appDir();
    if (!ZoProfileManager::instance()->loadTemplates(appDir + QStringLiteral("/profiles"))) {
        std::fprintf(stderr, "no profiles in %s\n", qPrintable(appDir));
        return 1;
    }
    int runs = 1;
    int photoCount = 12;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--runs") == 0)
            runs = std::max(1, QByteArray(argv[++i]).toInt());
        else if (qstrcmp(argv[i], "--photos") == 0)
            photoCount = std::max(1, QByteArray(argv[++i]).toInt());
    }

    StoryBoard board;
    board.patterns = StoryBoard::listPatterns(appDir);
    board.useZoom = true;
    board.setPhotoDurationMs(5000);
    board.setTransitionDurationMs(1500);
    std::printf("writing %d photos of 4000 x 3000 ...\n", photoCount);
    std::fflush(stdout);
    for (int i = 0; i < photoCount; ++i) {
        ImageInfo info;
        info.path = work.filePath(QStringLiteral("photo%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        if (!photoLikeImage(4000, 3000, 100 + i, encoderLook).save(info.path, "JPEG", 90)
            || !readPhotoInfo(info)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(info.path));
            return 1;
        }
        info.zoom = nextDefaultZoom();
        board.photos.append(info);
    }
    AudioInfo music;
    music.path = work.filePath(QStringLiteral("music.mp3"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-v", "error", "-y", "-f", "lavfi", "-i",
                  QStringLiteral("sine=f=220:d=%1").arg(board.totalDuration() + 2.0), "-c:a",
                  "libmp3lame", music.path});
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0 || !readAudioInfo(music)) {
        std::fprintf(stderr, "cannot write the MP3\n");
        return 1;
    }
    board.audios.append(music);

    StoryBoardRender render;
    render.setStoryBoard(&board);
    const QString out = work.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    const QStringList ids
        = {QStringLiteral("video"), QStringLiteral("vertical"), QStringLiteral("square")};
    QList<VersionRun::Version> three;
    for (const QString &id : ids)
        three.append(version(id, board, 3));

    std::vector<double> againstOne;
    std::vector<double> againstSeparate;
    for (int r = 0; r < runs; ++r) {
        int decodes = 0;
        const double together = timeRun(render, three, out, &decodes);
        double separate = 0.0;
        double one = 0.0;
        for (const QString &id : ids) {
            const double seconds = timeRun(render, {version(id, board, 1)}, out, nullptr);
            if (seconds < 0.0)
                return 1;
            separate += seconds;
            if (id == ids.first())
                one = seconds;
        }
        if (together < 0.0)
            return 1;
        againstOne.push_back(together / one);
        againstSeparate.push_back(together / separate);
        std::printf("run %d: three in one run %.1f s (%d photo decodes), 16:9 alone %.1f s, "
                    "three separate runs %.1f s: %.2f x one, %.2f x separate\n",
                    r + 1, together, decodes, one, separate, together / one, together / separate);
        std::fflush(stdout);
    }
    std::printf("median: three versions in one run take %.2f times the 16:9 version alone and "
                "%.2f times three separate runs\n",
                median(againstOne), median(againstSeparate));
    return 0;
}
