// SPDX-License-Identifier: GPL-3.0-or-later
// Prints how long one frame takes to compose and read back off screen (as the video writer
// does) for a hold, a dissolve and a wipe frame at four frame sizes, in milliseconds and as
// ratios against a reference run in the same process: copying the frame's BGRA bytes once on the
// CPU at the same size.
// Usage: bench_compose [frames per measurement at 640x480, default 40]

#include "storyboard/gldrawer.h"
#include "storyboard/picture.h"
#include "storyboard/transitions.h"

#include <GL/gl.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif

namespace {

Picture photo(int w, int h, int seed)
{
    Picture picture(w, h, AV_PIX_FMT_BGRA);
    for (int y = 0; y < h; ++y) {
        uint8_t *row = picture.row(y);
        for (int x = 0; x < w; ++x) {
            row[4 * x] = static_cast<uint8_t>((x * 255) / w + seed);
            row[4 * x + 1] = static_cast<uint8_t>((y * 255) / h);
            row[4 * x + 2] = static_cast<uint8_t>(((x ^ y) + seed * 17) & 0xFF);
            row[4 * x + 3] = 255;
        }
    }
    return picture;
}

Picture radialPattern(int w, int h)
{
    Picture picture(w, h, AV_PIX_FMT_GRAY8);
    const double reach = std::hypot(w / 2.0, h / 2.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            picture.row(y)[x] = static_cast<uint8_t>(
                255.0 * (1.0 - std::hypot(x - w / 2.0, y - h / 2.0) / reach));
    }
    return picture;
}

// Milliseconds per call of step, best of three runs of frames calls each.
double timePerFrame(int frames, const std::function<void(int)> &step)
{
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < frames; ++i)
            step(i);
        best = std::min(best, timer.nsecsElapsed() / 1e6 / frames);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int baseFrames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    const int sizes[4][2] = {{640, 480}, {1280, 720}, {1920, 1080}, {3840, 2160}};

    std::printf("%-10s %12s %12s %12s %12s   %s\n", "frame", "reference", "hold", "dissolve",
                "wipe", "ratios hold/dissolve/wipe to reference");
    for (const auto &size : sizes) {
        const int w = size[0];
        const int h = size[1];
        const int frames = std::max(3, baseFrames * 640 * 480 / (w * h));
        GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
        if (!drawer.open(w, h, 2, true)) {
            std::printf("%dx%d: cannot open the drawer\n", w, h);
            return 1;
        }
        const Picture outgoing = photo(w, h, 0);
        const Picture incoming = photo(w, h, 90);
        const Picture pattern = radialPattern(w, h);
        std::vector<uint8_t> readBack(static_cast<size_t>(w) * h * 4);
        std::vector<uint8_t> copy(readBack.size());
        ImageInfo info;
        info.zoom = defaultZoomFor(3);

        const double reference = timePerFrame(frames * 4, [&](int i) {
            std::memcpy(copy.data(), outgoing.data[0], copy.size());
            copy[static_cast<size_t>(i) % copy.size()] ^= 1;
        });
        enum Kind { Hold, Dissolve, Wipe };
        const auto compose = [&](Kind kind, int i) {
            const double x = (i % 100) / 100.0;
            drawer.beginFrame();
            drawer.uploadLayer(0, outgoing);
            if (kind == Dissolve)
                drawer.setDissolve(1, x, incoming);
            else if (kind == Wipe)
                drawer.setWipe(1, 1.0 - x, WipeSoftness, pattern, incoming);
            drawer.drawLayer(0, 0, zoomAt(x, info, true, w, h));
            if (kind != Hold)
                drawer.drawLayer(1, 0, zoomAt(x * 0.2, info, true, w, h));
            drawer.endFrame();
            drawer.grabFrame(GL_BGRA, GL_UNSIGNED_BYTE, readBack.data());
        };
        compose(Wipe, 0); // warm-up: first use of the textures and the scratch picture
        const double hold = timePerFrame(frames, [&](int i) { compose(Hold, i); });
        const double dissolve = timePerFrame(frames, [&](int i) { compose(Dissolve, i); });
        const double wipe = timePerFrame(frames, [&](int i) { compose(Wipe, i); });
        std::printf("%4dx%-5d %9.3f ms %9.2f ms %9.2f ms %9.2f ms   %.0f / %.0f / %.0f\n", w, h,
                    reference, hold, dissolve, wipe, hold / reference, dissolve / reference,
                    wipe / reference);
        std::fflush(stdout);
    }
    return 0;
}
