// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the wipe patterns: 8-bit grey PNG images named "*.wpt". During a wipe the bright parts
// of a pattern reveal the incoming photo first and the dark parts last; smooth gradients give the
// wipes soft edges. Usage: patterngen <output folder>

#include <QDir>
#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

namespace {

constexpr int Width = 960;
constexpr int Height = 720;
constexpr double Pi = std::numbers::pi;

// A pattern as the order in which each point is revealed: 1 first, 0 last. u runs left to right
// and v top to bottom over 0..1.
using Shape = std::function<double(double u, double v)>;

double frac(double x)
{
    return x - std::floor(x);
}

// Distance from the centre, with the picture's aspect ratio, scaled so the corners are at 1.
double radius(double u, double v)
{
    const double dx = (u - 0.5) * Width;
    const double dy = (v - 0.5) * Height;
    return std::hypot(dx, dy) / std::hypot(Width * 0.5, Height * 0.5);
}

// Angle clockwise from twelve o'clock, 0..1 for one turn.
double clockAngle(double u, double v)
{
    const double a = std::atan2((u - 0.5) * Width, -(v - 0.5) * Height);
    return frac(a / (2.0 * Pi));
}

double spiral(double u, double v)
{
    // An arm of three turns wound out from the centre: the position along the arm orders it.
    constexpr double turns = 3.0;
    const double r = radius(u, v) * turns;
    const double a = clockAngle(u, v);
    const double lap = std::floor(r - a);
    const double along = std::clamp((lap + a) / turns, 0.0, 1.0);
    return 1.0 - along;
}

std::vector<double> smoothNoise()
{
    // Value noise on two octaves from a fixed seed, so every build writes the same file.
    std::mt19937 random(20061);
    const auto octave = [&](int cellsX, int cellsY) {
        std::vector<double> grid(static_cast<size_t>((cellsX + 1) * (cellsY + 1)));
        for (double &g : grid)
            g = random() / 4294967296.0;
        return [grid, cellsX, cellsY](double u, double v) {
            const double x = u * cellsX;
            const double y = v * cellsY;
            const int ix = std::min(static_cast<int>(x), cellsX - 1);
            const int iy = std::min(static_cast<int>(y), cellsY - 1);
            const auto smooth = [](double t) {
                return t * t * (3.0 - 2.0 * t);
            };
            const double fx = smooth(x - ix);
            const double fy = smooth(y - iy);
            const auto at = [&](int gx, int gy) {
                return grid[gy * (cellsX + 1) + gx];
            };
            const double top = at(ix, iy) + fx * (at(ix + 1, iy) - at(ix, iy));
            const double bottom = at(ix, iy + 1) + fx * (at(ix + 1, iy + 1) - at(ix, iy + 1));
            return top + fy * (bottom - top);
        };
    };
    const auto coarse = octave(8, 6);
    const auto fine = octave(24, 18);
    std::vector<double> values(static_cast<size_t>(Width) * Height);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const double u = (x + 0.5) / Width;
            const double v = (y + 0.5) / Height;
            values[static_cast<size_t>(y) * Width + x] = 0.7 * coarse(u, v) + 0.3 * fine(u, v);
        }
    }
    return values;
}

// Spreads values evenly over 0..1 by rank, so that a wipe uncovers equal areas in equal times.
std::vector<double> equalised(const std::vector<double> &values)
{
    std::vector<size_t> order(values.size());
    std::iota(order.begin(), order.end(), size_t {0});
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<double> result(values.size());
    for (size_t rank = 0; rank < order.size(); ++rank)
        result[order[rank]] = static_cast<double>(rank) / (order.size() - 1);
    return result;
}

QImage render(const Shape &shape)
{
    QImage image(Width, Height, QImage::Format_Grayscale8);
    for (int y = 0; y < Height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < Width; ++x) {
            const double level = std::clamp(shape((x + 0.5) / Width, (y + 0.5) / Height), 0.0, 1.0);
            row[x] = static_cast<uchar>(std::lround(level * 255.0));
        }
    }
    return image;
}

QImage renderValues(const std::vector<double> &values)
{
    QImage image(Width, Height, QImage::Format_Grayscale8);
    for (int y = 0; y < Height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < Width; ++x)
            row[x] = static_cast<uchar>(std::lround(
                std::clamp(values[static_cast<size_t>(y) * Width + x], 0.0, 1.0) * 255.0));
    }
    return image;
}

struct Pattern
{
    const char *name;
    Shape shape;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: patterngen <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "patterngen: cannot create %s\n", argv[1]);
        return 1;
    }

    const std::array<Pattern, 21> patterns {{
        {"ramp-left",
         [](double u, double) {
             return 1.0 - u;
         }},
        {"ramp-right",
         [](double u, double) {
             return u;
         }},
        {"ramp-top",
         [](double, double v) {
             return 1.0 - v;
         }},
        {"ramp-bottom",
         [](double, double v) {
             return v;
         }},
        {"diagonal-top-left",
         [](double u, double v) {
             return 1.0 - (u + v) * 0.5;
         }},
        {"diagonal-bottom-right",
         [](double u, double v) {
             return (u + v) * 0.5;
         }},
        {"diagonal-top-right",
         [](double u, double v) {
             return (u + 1.0 - v) * 0.5;
         }},
        {"diagonal-bottom-left",
         [](double u, double v) {
             return (1.0 - u + v) * 0.5;
         }},
        {"radial-out",
         [](double u, double v) {
             return 1.0 - radius(u, v);
         }},
        {"radial-in",
         [](double u, double v) {
             return radius(u, v);
         }},
        {"clock",
         [](double u, double v) {
             return 1.0 - clockAngle(u, v);
         }},
        {"barn-doors-open",
         [](double u, double) {
             return 1.0 - std::abs(u - 0.5) * 2.0;
         }},
        {"barn-doors-close",
         [](double u, double) {
             return std::abs(u - 0.5) * 2.0;
         }},
        {"blinds-horizontal",
         [](double, double v) {
             return 1.0 - frac(v * 8.0);
         }},
        {"blinds-vertical",
         [](double u, double) {
             return 1.0 - frac(u * 10.0);
         }},
        {"checkerboard",
         [](double u, double v) {
             // Every other square sweeps in first, then the rest.
             const int parity = (static_cast<int>(u * 8.0) + static_cast<int>(v * 6.0)) % 2;
             return 1.0 - (parity * 0.5 + 0.5 * frac(u * 8.0));
         }},
        {"diamond",
         [](double u, double v) {
             return 1.0 - (std::abs(u - 0.5) + std::abs(v - 0.5));
         }},
        {"box-out",
         [](double u, double v) {
             return 1.0 - 2.0 * std::max(std::abs(u - 0.5), std::abs(v - 0.5));
         }},
        {"spiral", spiral},
        {"pinwheel",
         [](double u, double v) {
             return 1.0 - frac(clockAngle(u, v) * 4.0);
         }},
        {"wave",
         [](double u, double v) {
             return (u + 0.08 * std::sin(v * 4.0 * Pi) + 0.08) / 1.16;
         }},
    }};

    int failures = 0;
    const auto save = [&](const QImage &image, const char *name) {
        const QString path
            = QDir(folder).filePath(QString::fromLatin1(name) + QLatin1String(".wpt"));
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "patterngen: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    };
    for (const Pattern &pattern : patterns)
        save(render(pattern.shape), pattern.name);
    save(renderValues(equalised(smoothNoise())), "noise-dissolve");
    return failures == 0 ? 0 : 1;
}
