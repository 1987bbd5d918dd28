// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how a caption looks in a 720p and in a 4K video made by the program itself: a grey
// photo named "HIH lift" made with --captions filename, a frame of each video decoded to grey
// levels. For each size: the height of the text and the area of its ink as shares of the frame,
// and the median width of the text's rising edges (the distance over which the level climbs
// from 10 % to 90 % of the step from the background to the text's own level), in pixels. Text drawn
// at the frame's own size has edges as narrow at 4K as at 720p; text drawn small and scaled up has
// edges three times as wide.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct Look
{
    double textShare = 0.0;
    double inkShare = 0.0;
    double edgeWidth = 0.0;
    int edges = 0;
};

bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

template<typename T> double percentile(std::vector<T> values, double share)
{
    if (values.empty())
        return 0.0;
    const auto at = values.begin() + qsizetype(share * double(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

Look lookOf(const QByteArray &grey, QSize size)
{
    const auto level = [&](int x, int y) {
        return int(uchar(grey.at(qsizetype(y) * size.width() + x)));
    };
    // The photo is one grey; the text is lighter.
    std::vector<int> all;
    for (int y = 0; y < size.height(); y += 4)
        for (int x = 0; x < size.width(); x += 4)
            all.push_back(level(x, y));
    const double background = percentile(all, 0.5);
    std::vector<int> light;
    int top = size.height();
    int bottom = -1;
    const double half = background + 0.5 * (255.0 - background);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (level(x, y) > half) {
                light.push_back(level(x, y));
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    Look look;
    if (bottom < top)
        return look;
    look.textShare = double(bottom - top + 1) / size.height();
    const double text = percentile(light, 0.9);
    const double low = background + 0.1 * (text - background);
    const double high = background + 0.9 * (text - background);
    // Where the levels cross a value between two neighbouring pixels, in fractional pixels.
    const auto crossing = [&](int x, int y, double value) {
        const int before = level(x - 1, y);
        return x - 1 + (value - before) / std::max(1, level(x, y) - before);
    };
    std::vector<double> widths;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 1; x < size.width(); ++x) {
            // A rising edge: from at most low to at least high, every step up.
            if (level(x - 1, y) > low || level(x, y) <= low)
                continue;
            int end = x;
            while (end < size.width() && level(end, y) < high && level(end, y) >= level(end - 1, y))
                ++end;
            if (end < size.width() && level(end, y) >= high)
                widths.push_back(crossing(end, y, high) - crossing(x, y, low));
            x = end;
        }
    }
    // The text's ink: each pixel counted by how far it lies from the background to the text.
    double ink = 0.0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            ink += std::clamp((level(x, y) - background) / (text - background), 0.0, 1.0);
    look.inkShare = ink / (double(size.width()) * size.height());
    look.edges = int(widths.size());
    look.edgeWidth = percentile(widths, 0.5);
    return look;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString appDir = qEnvironmentVariable("VELLUMIX_APP_DIR", VELLUMIX_BUILD_APP_DIR);
    const QString vellumix = appDir + QStringLiteral("/vellumix");
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    QTemporaryDir work;
    if (ffmpeg.isEmpty() || !work.isValid() || !QFile::exists(vellumix)) {
        std::fprintf(stderr, "needs %s, the ffmpeg program and a temporary folder\n",
                     qPrintable(vellumix));
        return 1;
    }
    const QString photo = work.filePath(QStringLiteral("HIH lift.png"));
    QImage grey(1920, 1080, QImage::Format_RGB32);
    grey.fill(QColor(90, 90, 90));
    if (!grey.save(photo)) {
        std::fprintf(stderr, "cannot write the photo\n");
        return 1;
    }
    QList<Look> looks;
    const QList<QSize> sizes {QSize(1280, 720), QSize(3840, 2160)};
    for (const QSize &size : sizes) {
        const QString name = QStringLiteral("caption%1").arg(size.height());
        const QString video = work.filePath(name + QStringLiteral(".mp4"));
        QByteArray frame;
        if (!run(vellumix,
                 {"create", "--no-zoom", "--no-transition", "--photo-duration", "2000",
                  "--captions", "filename", "--set",
                  QStringLiteral("s=%1x%2").arg(size.width()).arg(size.height()), "--output-dir",
                  work.path(), "--name", name, photo})
            || !run(ffmpeg,
                    {"-v", "error", "-ss", "1", "-i", video, "-frames:v", "1", "-f", "rawvideo",
                     "-pix_fmt", "gray", "-"},
                    &frame)
            || frame.size() != qsizetype(size.width()) * size.height())
            return 1;
        const Look look = lookOf(frame, size);
        looks.append(look);
        std::printf("%4d x %-4d  text %.4f of the frame height, its ink %.5f of the frame; "
                    "rising edges %.2f px wide (median of %d)\n",
                    size.width(), size.height(), look.textShare, look.inkShare, look.edgeWidth,
                    look.edges);
    }
    if (looks.size() == 2 && looks[0].textShare > 0.0 && looks[0].edgeWidth > 0.0) {
        // The ink's share grows with the square of the text's size.
        std::printf("4K against 720p: text height %.3f times the share (%.3f by its ink), edges "
                    "%.2f times as wide in pixels\n",
                    looks[1].textShare / looks[0].textShare,
                    std::sqrt(looks[1].inkShare / looks[0].inkShare),
                    looks[1].edgeWidth / looks[0].edgeWidth);
    }
    return 0;
}
