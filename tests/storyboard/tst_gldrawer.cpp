// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/gldrawer.h"
#include "storyboard/picture.h"
#include "storyboard/transitions.h"

#include <GL/gl.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif

namespace {

struct Bgra
{
    int b = 0;
    int g = 0;
    int r = 0;
    int a = 255;
};

// A frame-sized BGRA picture; colour(x, y) is given in photo coordinates (y = 0 at the top), and
// the picture stores the bottom row first as photo pictures do.
Picture makePhoto(int w, int h, const std::function<Bgra(int x, int y)> &colour)
{
    Picture picture(w, h, AV_PIX_FMT_BGRA);
    for (int row = 0; row < h; ++row) {
        uint8_t *p = picture.row(row);
        const int y = h - 1 - row;
        for (int x = 0; x < w; ++x) {
            const Bgra c = colour(x, y);
            p[4 * x] = static_cast<uint8_t>(c.b);
            p[4 * x + 1] = static_cast<uint8_t>(c.g);
            p[4 * x + 2] = static_cast<uint8_t>(c.r);
            p[4 * x + 3] = static_cast<uint8_t>(c.a);
        }
    }
    return picture;
}

Picture solidPhoto(int w, int h, Bgra c)
{
    return makePhoto(w, h, [c](int, int) { return c; });
}

Picture greyPattern(int w, int h, const std::function<int(int x, int y)> &level)
{
    Picture picture(w, h, AV_PIX_FMT_GRAY8);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            picture.row(y)[x] = static_cast<uint8_t>(level(x, y));
    }
    return picture;
}

// A read-back frame: BGRA bytes in the order grabFrame delivers them.
struct Frame
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;
    Bgra at(int x, int y) const
    {
        const uint8_t *p = bytes.data() + (static_cast<size_t>(y) * width + x) * 4;
        return {p[0], p[1], p[2], p[3]};
    }
};

Frame grab(GLDrawer &drawer)
{
    Frame frame;
    frame.width = drawer.frameWidth();
    frame.height = drawer.frameHeight();
    frame.bytes.assign(static_cast<size_t>(frame.width) * frame.height * 4, 0xAB);
    if (!drawer.grabFrame(GL_BGRA, GL_UNSIGNED_BYTE, frame.bytes.data()))
        frame.bytes.clear();
    return frame;
}

// Raw colour bytes of a surface image, whatever its alpha says.
Bgra surfaceAt(const QImage &image, int x, int y)
{
    const uchar *p = image.constScanLine(y) + 4 * x;
    return {p[2], p[1], p[0], p[3]};
}

bool near(const Bgra &c, const Bgra &expected, int tolerance)
{
    return std::abs(c.b - expected.b) <= tolerance && std::abs(c.g - expected.g) <= tolerance
        && std::abs(c.r - expected.r) <= tolerance;
}

QByteArray describe(const Bgra &c)
{
    return QByteArray("b=") + QByteArray::number(c.b) + " g=" + QByteArray::number(c.g)
        + " r=" + QByteArray::number(c.r) + " a=" + QByteArray::number(c.a);
}

#define COMPARE_COLOUR(actual, expected, tolerance)                                                \
    QVERIFY2(near((actual), (expected), (tolerance)),                                              \
             describe(actual) + " expected " + describe(expected))

// Photo quadrants: top-left red, top-right green, bottom-left blue, bottom-right white.
const Bgra Red {0, 0, 255};
const Bgra Green {0, 255, 0};
const Bgra Blue {255, 0, 0};
const Bgra White {255, 255, 255};
const Bgra Black {0, 0, 0};

Picture quadrantPhoto(int w, int h)
{
    return makePhoto(w, h, [w, h](int x, int y) {
        const bool right = x >= w / 2;
        const bool bottom = y >= h / 2;
        return bottom ? (right ? White : Blue) : (right ? Green : Red);
    });
}

// The frame used to compare platforms: a zoomed photo with a soft radial wipe over it.
Frame referenceFrame(GLDrawer &drawer)
{
    const int w = 320;
    const int h = 240;
    if (!drawer.open(w, h, 2, true))
        return {};
    const Picture outgoing = makePhoto(w, h, [](int x, int y) {
        return Bgra {(x * 7) % 256, (y * 5) % 256, (x + y) % 256};
    });
    const Picture incoming = quadrantPhoto(w, h);
    const Picture pattern = greyPattern(w, h, [w, h](int x, int y) {
        const double r = std::hypot(x - w / 2.0, y - h / 2.0) / std::hypot(w / 2.0, h / 2.0);
        return static_cast<int>(std::lround(255.0 * (1.0 - r)));
    });
    ImageInfo info;
    info.zoom = defaultZoomFor(5);
    drawer.beginFrame();
    drawer.uploadLayer(0, outgoing);
    drawer.setWipe(1, 0.4, WipeSoftness, pattern, incoming);
    drawer.drawLayer(0, 2, zoomAt(0.3, info, true, w, h));
    drawer.drawLayer(1, 0, zoomAt(0.1, info, true, w, h));
    drawer.endFrame();
    return grab(drawer);
}

// Largest difference of any colour channel between two frames of the same size.
int maxDifference(const Frame &a, const Frame &b)
{
    int worst = 0;
    for (size_t i = 0; i < a.bytes.size() && i < b.bytes.size(); ++i) {
        if (i % 4 != 3)
            worst = std::max(worst, std::abs(int(a.bytes[i]) - int(b.bytes[i])));
    }
    return a.bytes.size() == b.bytes.size() ? worst : 256;
}

// Smooth but lopsided in both directions, so that a mirrored or shifted layer shows.
Picture lopsidedPhoto(int w, int h, int seed)
{
    return makePhoto(w, h, [w, h, seed](int x, int y) {
        return Bgra {(x * 255 / w + seed) % 256, y * 255 / h,
                     (64 + x * x / (4 * w) + y * 97 / h + seed) % 256};
    });
}

// A layer pushed away to twice the frame's distance: half size, centred.
LayerFx pushedAway(int frameWidth)
{
    LayerFx fx;
    fx.param2 = -static_cast<float>(frameWidth);
    return fx;
}

bool headless()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

} // namespace

class TestGLDrawer : public QObject
{
    Q_OBJECT

private slots:
    void emptyFrameIsOpaqueBlack();
    void letterboxesOffscreen();
    void letterboxesOnScreen();
    void readBackOrder();
    void dissolveMixesHalfway();
    void wipeTableEnds();
    void rampWipeRevealsBrightSideFirst();
    void orientationFlips_data();
    void orientationFlips();
    void defaultZoomScale();
    void subPixelMotion();
    void backgroundUnderUncoveredLayers();
    void mixedFrameMatchesLayers_data();
    void mixedFrameMatchesLayers();
    void mixedFrameOverUncoveredLayers();
    void namedUploadsAreNotRepeated();
    void constantDissolveKeepsAlphaRule();
    void minifiedFrameIsFiltered();
    void ultraHdFrame();
    void reopenAndMisfitInput();
    void offscreenChildOfShownWindow();
    void sameFrameHeadlessAndUnderX();
    void sameFrameOnScreenAndOffscreen();
};

void TestGLDrawer::emptyFrameIsOpaqueBlack()
{
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(640, 480, 2, true));
    drawer.setClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    // No layer, then a layer that was never given a picture, moved off centre and turned: the
    // background and the unused layer are opaque black alike.
    LayerFx moved;
    moved.param0 = 100.0f;
    for (int layers = 0; layers < 2; ++layers) {
        drawer.beginFrame();
        if (layers > 0)
            drawer.drawLayer(1, 3, moved);
        drawer.endFrame();
        const Frame frame = grab(drawer);
        QCOMPARE(frame.bytes.size(), size_t {640 * 480 * 4});
        for (size_t i = 0; i < frame.bytes.size(); i += 4) {
            const uint32_t pixel = frame.bytes[i] | frame.bytes[i + 1] << 8
                | frame.bytes[i + 2] << 16 | static_cast<uint32_t>(frame.bytes[i + 3]) << 24;
            if (pixel != 0xFF000000u)
                QFAIL(qPrintable(QStringLiteral("pixel %1 is %2").arg(i / 4).arg(pixel, 8, 16)));
        }
    }
}

void TestGLDrawer::letterboxesOffscreen()
{
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(640, 480, 2, false));
    drawer.setClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    drawer.resize(800, 480);
    drawer.beginFrame();
    drawer.uploadLayer(0, solidPhoto(640, 480, White));
    drawer.drawLayer(0, 0, LayerFx {});
    drawer.endFrame();
    const QImage surface = drawer.grabSurface();
    QCOMPARE(surface.size(), QSize(800, 480));
    QCOMPARE(drawer.frameViewport(), QRect(80, 0, 640, 480));
    const Bgra grey {127, 127, 127};
    for (int y : {0, 240, 479}) {
        COMPARE_COLOUR(surfaceAt(surface, 0, y), grey, 1);
        COMPARE_COLOUR(surfaceAt(surface, 79, y), grey, 1);
        COMPARE_COLOUR(surfaceAt(surface, 80, y), White, 0);
        COMPARE_COLOUR(surfaceAt(surface, 719, y), White, 0);
        COMPARE_COLOUR(surfaceAt(surface, 720, y), grey, 1);
        COMPARE_COLOUR(surfaceAt(surface, 799, y), grey, 1);
    }
    // The frame itself is still read back whole at its own size.
    const Frame frame = grab(drawer);
    QVERIFY(!frame.bytes.empty());
    COMPARE_COLOUR(frame.at(0, 0), White, 0);
    COMPARE_COLOUR(frame.at(639, 479), White, 0);
}

void TestGLDrawer::letterboxesOnScreen()
{
    if (headless())
        QSKIP("on-screen drawing needs a display");
    GLDrawer drawer;
    QVERIFY(drawer.open(640, 480, 2, false));
    drawer.setClearColor(0.5f, 0.5f, 0.5f, 0.0f);
    drawer.resize(800, 480);
    drawer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&drawer));
    drawer.beginFrame();
    QVERIFY(drawer.uploadLayer(0, solidPhoto(640, 480, White)));
    drawer.drawLayer(0, 0, LayerFx {});
    drawer.endFrame();
    const QImage surface = drawer.grabSurface();
    QCOMPARE(surface.size(), QSize(800, 480));
    QCOMPARE(drawer.frameViewport(), QRect(80, 0, 640, 480));
    const Bgra grey {127, 127, 127};
    COMPARE_COLOUR(surfaceAt(surface, 40, 240), grey, 1);
    COMPARE_COLOUR(surfaceAt(surface, 79, 10), grey, 1);
    COMPARE_COLOUR(surfaceAt(surface, 80, 10), White, 0);
    COMPARE_COLOUR(surfaceAt(surface, 400, 240), White, 0);
    COMPARE_COLOUR(surfaceAt(surface, 719, 470), White, 0);
    COMPARE_COLOUR(surfaceAt(surface, 760, 240), grey, 1);

    // A narrower window letterboxes above and below instead.
    drawer.resize(400, 480);
    QTRY_COMPARE(drawer.frameViewport(), QRect(0, 90, 400, 300));
}

void TestGLDrawer::readBackOrder()
{
    // Top half white, bottom half black: the writer's mapping reads the white rows first, the
    // preview's mapping gives GL's bottom-first order.
    const Picture photo = makePhoto(64, 48, [](int, int y) { return y < 24 ? White : Black; });
    for (bool flipT : {true, false}) {
        GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
        QVERIFY(drawer.open(64, 48, 2, flipT));
        drawer.beginFrame();
        drawer.uploadLayer(0, photo);
        drawer.drawLayer(0, 0, LayerFx {});
        drawer.endFrame();
        const Frame frame = grab(drawer);
        QVERIFY(!frame.bytes.empty());
        const Bgra first = flipT ? White : Black;
        const Bgra last = flipT ? Black : White;
        for (int x : {0, 31, 63}) {
            COMPARE_COLOUR(frame.at(x, 0), first, 0);
            COMPARE_COLOUR(frame.at(x, 23), first, 0);
            COMPARE_COLOUR(frame.at(x, 24), last, 0);
            COMPARE_COLOUR(frame.at(x, 47), last, 0);
        }
    }
}

void TestGLDrawer::dissolveMixesHalfway()
{
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(320, 240, 2, true));
    const Bgra from {200, 40, 10};
    const Bgra to {20, 100, 240};
    drawer.beginFrame();
    drawer.uploadLayer(0, solidPhoto(320, 240, from));
    QVERIFY(drawer.setDissolve(1, 0.5, solidPhoto(320, 240, to)));
    drawer.drawLayer(0, 0, LayerFx {});
    drawer.drawLayer(1, 0, LayerFx {});
    drawer.endFrame();
    const Frame frame = grab(drawer);
    QVERIFY(!frame.bytes.empty());
    const Bgra mix {(from.b + to.b) / 2, (from.g + to.g) / 2, (from.r + to.r) / 2};
    for (int y : {0, 120, 239}) {
        for (int x : {0, 160, 319})
            COMPARE_COLOUR(frame.at(x, y), mix, 2);
    }
}

void TestGLDrawer::wipeTableEnds()
{
    // Left half of the pattern at level 254, right half at 255.
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(320, 240, 2, true));
    const Picture outgoing = solidPhoto(320, 240, Red);
    const Picture incoming = solidPhoto(320, 240, Blue);
    const Picture pattern = greyPattern(320, 240, [](int x, int) { return x < 160 ? 254 : 255; });
    for (double progress : {0.0, 1.0}) {
        drawer.beginFrame();
        drawer.uploadLayer(0, outgoing);
        QVERIFY(drawer.setWipe(1, 1.0 - progress, WipeSoftness, pattern, incoming));
        drawer.drawLayer(0, 0, LayerFx {});
        drawer.drawLayer(1, 0, LayerFx {});
        drawer.endFrame();
        const Frame frame = grab(drawer);
        QVERIFY(!frame.bytes.empty());
        COMPARE_COLOUR(frame.at(10, 120), progress == 0.0 ? Red : Blue, 0);
        COMPARE_COLOUR(frame.at(159, 0), progress == 0.0 ? Red : Blue, 0);
        COMPARE_COLOUR(frame.at(160, 239), Blue, 0);
        COMPARE_COLOUR(frame.at(310, 120), Blue, 0);
        QCOMPARE(drawer.wipeTable()[254], progress == 0.0 ? 0.0 : 255.0);
    }
}

void TestGLDrawer::rampWipeRevealsBrightSideFirst()
{
    const int w = 256;
    const int h = 64;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    const Picture outgoing = solidPhoto(w, h, Black);
    const Picture incoming = solidPhoto(w, h, White);
    const Picture ramp = greyPattern(w, h, [](int x, int) { return x; });
    int previousEdge = w;
    for (double progress : {0.2, 0.5, 0.8}) {
        drawer.beginFrame();
        drawer.uploadLayer(0, outgoing);
        drawer.setWipe(1, 1.0 - progress, WipeSoftness, ramp, incoming);
        drawer.drawLayer(0, 0, LayerFx {});
        drawer.drawLayer(1, 0, LayerFx {});
        drawer.endFrame();
        const Frame frame = grab(drawer);
        QVERIFY(!frame.bytes.empty());
        // Brightness never falls from left to right, the left is still dark and the right shows
        // the incoming photo; the soft edge spans several columns.
        int soft = 0;
        for (int x = 1; x < w; ++x) {
            QVERIFY(frame.at(x, 32).g >= frame.at(x - 1, 32).g);
            soft += frame.at(x, 32).g > 5 && frame.at(x, 32).g < 250;
        }
        QCOMPARE(frame.at(0, 32).g, 0);
        QCOMPARE(frame.at(w - 1, 32).g, 255);
        QVERIFY2(soft >= 10, QByteArray::number(soft));
        // As the wipe advances its edge moves towards the dark side.
        int edge = 0;
        while (edge < w && frame.at(edge, 32).g < 128)
            ++edge;
        QVERIFY2(edge < previousEdge, QByteArray::number(edge));
        QVERIFY(std::abs(edge - static_cast<int>((1.0 - progress) * 255)) <= 3);
        previousEdge = edge;
    }
}

void TestGLDrawer::orientationFlips_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QList<int>>("quadrants"); // top-left, top-right, bottom-left, bottom-right
    // 0 red, 1 green, 2 blue, 3 white, as in the photo.
    QTest::newRow("0 unchanged") << 0 << QList<int> {0, 1, 2, 3};
    QTest::newRow("1 upside down") << 1 << QList<int> {2, 3, 0, 1};
    QTest::newRow("2 mirrored") << 2 << QList<int> {1, 0, 3, 2};
    QTest::newRow("3 half turn") << 3 << QList<int> {3, 2, 1, 0};
    QTest::newRow("4 upside down") << 4 << QList<int> {2, 3, 0, 1};
    QTest::newRow("5 half turn") << 5 << QList<int> {3, 2, 1, 0};
    QTest::newRow("6 untransformed") << 6 << QList<int> {0, 1, 2, 3};
    QTest::newRow("7 mirrored") << 7 << QList<int> {1, 0, 3, 2};
}

void TestGLDrawer::orientationFlips()
{
    QFETCH(int, orientation);
    QFETCH(QList<int>, quadrants);
    const Bgra colours[4] = {Red, Green, Blue, White};
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(160, 120, 2, true));
    drawer.beginFrame();
    drawer.uploadLayer(0, quadrantPhoto(160, 120));
    drawer.drawLayer(0, orientation, LayerFx {});
    drawer.endFrame();
    const Frame frame = grab(drawer);
    QVERIFY(!frame.bytes.empty());
    COMPARE_COLOUR(frame.at(40, 30), colours[quadrants[0]], 0);
    COMPARE_COLOUR(frame.at(120, 30), colours[quadrants[1]], 0);
    COMPARE_COLOUR(frame.at(40, 90), colours[quadrants[2]], 0);
    COMPARE_COLOUR(frame.at(120, 90), colours[quadrants[3]], 0);
    // The flip is about the frame's centre: corners stay covered.
    COMPARE_COLOUR(frame.at(0, 0), colours[quadrants[0]], 0);
    COMPARE_COLOUR(frame.at(159, 119), colours[quadrants[3]], 0);
}

void TestGLDrawer::defaultZoomScale()
{
    // A white box half the frame wide; its width on screen gives the apparent scale.
    const int w = 640;
    const int h = 480;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    const Picture box = makePhoto(w, h, [w, h](int x, int y) {
        return (x >= w / 4 && x < 3 * w / 4 && y >= h / 4 && y < 3 * h / 4) ? White : Black;
    });
    ImageInfo info;
    info.zoom = defaultZoomFor(0);
    const double expected[2] = {720.0 / 670.0, 720.0 / 620.0};
    for (int end = 0; end < 2; ++end) {
        drawer.beginFrame();
        drawer.uploadLayer(0, box);
        drawer.drawLayer(0, 0, zoomAt(end, info, true, w, h));
        drawer.endFrame();
        const Frame frame = grab(drawer);
        QVERIFY(!frame.bytes.empty());
        double width = 0.0;
        for (int x = 0; x < w; ++x)
            width += frame.at(x, h / 2).g / 255.0;
        double height = 0.0;
        for (int y = 0; y < h; ++y)
            height += frame.at(w / 2, y).g / 255.0;
        const double scale = width / (w / 2.0);
        QVERIFY2(std::abs(scale - expected[end]) < 0.004,
                 qPrintable(QStringLiteral("scale %1, expected %2").arg(scale).arg(expected[end])));
        QVERIFY(std::abs(height / (h / 2.0) - expected[end]) < 0.004);
    }
}

void TestGLDrawer::subPixelMotion()
{
    // A sharp vertical edge moved by fractions of a pixel: the column at the edge takes
    // intermediate levels in order instead of jumping a whole pixel.
    const int w = 320;
    const int h = 240;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    const Picture edge = makePhoto(w, h, [w](int x, int) { return x < w / 2 ? Black : White; });
    int previous = 255;
    for (float shift : {0.0f, 0.25f, 0.5f, 0.75f}) {
        LayerFx fx;
        fx.param0 = shift;
        drawer.beginFrame();
        drawer.uploadLayer(0, edge);
        drawer.drawLayer(0, 0, fx);
        drawer.endFrame();
        const Frame frame = grab(drawer);
        QVERIFY(!frame.bytes.empty());
        const int level = frame.at(w / 2, h / 2).g;
        if (shift == 0.0f)
            QCOMPARE(level, 255);
        else
            QVERIFY2(level < previous && level > 0, QByteArray::number(level));
        if (shift == 0.5f)
            QVERIFY2(std::abs(level - 128) <= 8, QByteArray::number(level));
        previous = level;
    }
}

void TestGLDrawer::backgroundUnderUncoveredLayers()
{
    // The black background shows wherever the layers leave the frame uncovered or let it
    // through, never the clear colour of the window around the frame.
    const int w = 320;
    const int h = 240;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    drawer.setClearColor(1.0f, 0.0f, 0.0f, 1.0f);

    // Pushed away to twice the distance: half size, centred, with black around it.
    const LayerFx away = pushedAway(w);
    drawer.beginFrame();
    drawer.uploadLayer(0, solidPhoto(w, h, White));
    drawer.drawLayer(0, 0, away);
    drawer.endFrame();
    Frame frame = grab(drawer);
    QVERIFY(!frame.bytes.empty());
    COMPARE_COLOUR(frame.at(0, 0), Black, 0);
    COMPARE_COLOUR(frame.at(w / 4 - 2, h / 2), Black, 0);
    COMPARE_COLOUR(frame.at(w / 4 + 2, h / 2), White, 0);
    COMPARE_COLOUR(frame.at(w / 2, h / 2), White, 0);
    COMPARE_COLOUR(frame.at(3 * w / 4 + 2, h / 2), Black, 0);

    // A half-transparent picture on layer 0, zoomed in so it covers the frame, still blends
    // over the black background.
    LayerFx closer;
    closer.param2 = w * 0.1f;
    drawer.beginFrame();
    drawer.uploadLayer(0, solidPhoto(w, h, Bgra {255, 255, 255, 128}));
    drawer.drawLayer(0, 0, closer);
    drawer.endFrame();
    frame = grab(drawer);
    COMPARE_COLOUR(frame.at(w / 2, h / 2), (Bgra {128, 128, 128}), 2);
    COMPARE_COLOUR(frame.at(0, 0), (Bgra {128, 128, 128}), 2);

    // Re-uploading an opaque picture into that layer takes effect on the frame already drawn.
    drawer.uploadLayer(0, solidPhoto(w, h, Green));
    frame = grab(drawer);
    COMPARE_COLOUR(frame.at(0, 0), Green, 0);
    drawer.uploadLayer(0, solidPhoto(w, h, Bgra {255, 255, 255, 128}));
    frame = grab(drawer);
    COMPARE_COLOUR(frame.at(0, 0), (Bgra {128, 128, 128}), 2);

    // A frame that covers everything, then one that does not: nothing of the first stays.
    drawer.uploadLayer(0, solidPhoto(w, h, Green));
    frame = grab(drawer);
    COMPARE_COLOUR(frame.at(0, 0), Green, 0);
    drawer.beginFrame();
    drawer.drawLayer(0, 0, away);
    drawer.endFrame();
    frame = grab(drawer);
    COMPARE_COLOUR(frame.at(0, 0), Black, 0);
    COMPARE_COLOUR(frame.at(w / 2, h / 2), Green, 0);
}

void TestGLDrawer::minifiedFrameIsFiltered()
{
    // One white column in three, shown at a quarter of its size: every shown pixel should be
    // near the average grey rather than picking single columns.
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(640, 480, 2, false));
    drawer.resize(160, 120);
    drawer.beginFrame();
    drawer.uploadLayer(0, makePhoto(640, 480, [](int x, int) { return x % 3 ? Black : White; }));
    drawer.drawLayer(0, 0, LayerFx {});
    drawer.endFrame();
    const QImage surface = drawer.grabSurface();
    QCOMPARE(surface.size(), QSize(160, 120));
    QVERIFY(drawer.usesMipmaps());
    for (int x = 4; x < 156; ++x) {
        const int level = surfaceAt(surface, x, 60).g;
        QVERIFY2(level > 40 && level < 140,
                 qPrintable(QStringLiteral("x %1: %2").arg(x).arg(level)));
    }
    drawer.resize(640, 480);
    drawer.grabSurface();
    QVERIFY(!drawer.usesMipmaps());
}

void TestGLDrawer::ultraHdFrame()
{
    const int w = 3840;
    const int h = 2160;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    drawer.beginFrame();
    drawer.uploadLayer(0, quadrantPhoto(w, h));
    drawer.drawLayer(0, 0, LayerFx {});
    drawer.endFrame();
    const Frame frame = grab(drawer);
    QCOMPARE(frame.bytes.size(), size_t {w} * h * 4);
    COMPARE_COLOUR(frame.at(0, 0), Red, 0);
    COMPARE_COLOUR(frame.at(w / 2 - 1, h / 2 - 1), Red, 0);
    COMPARE_COLOUR(frame.at(w / 2, 0), Green, 0);
    COMPARE_COLOUR(frame.at(w - 1, 0), Green, 0);
    COMPARE_COLOUR(frame.at(0, h - 1), Blue, 0);
    COMPARE_COLOUR(frame.at(w / 2 - 1, h / 2), Blue, 0);
    COMPARE_COLOUR(frame.at(w - 1, h - 1), White, 0);
    COMPARE_COLOUR(frame.at(w / 2, h / 2), White, 0);
}

void TestGLDrawer::reopenAndMisfitInput()
{
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(320, 240, 2, true));
    QVERIFY(!drawer.uploadLayer(0, solidPhoto(160, 120, White)));
    QVERIFY(!drawer.uploadLayer(2, solidPhoto(320, 240, White)));
    QVERIFY(!drawer.setDissolve(1, 0.5, solidPhoto(321, 240, White)));
    QVERIFY(!drawer.setWipe(1, 0.5, 0.1, greyPattern(10, 10, [](int, int) { return 0; }),
                            solidPhoto(320, 240, White)));
    drawer.beginFrame();
    drawer.drawLayer(5, 0, LayerFx {});
    LayerFx odd;
    odd.kind = 7;
    odd.param0 = 1000.0f;
    QVERIFY(drawer.uploadLayer(0, solidPhoto(320, 240, Green)));
    drawer.drawLayer(0, 0, odd); // unknown kind: drawn without a transform
    drawer.endFrame();
    Frame frame = grab(drawer);
    QVERIFY(!frame.bytes.empty());
    COMPARE_COLOUR(frame.at(0, 0), Green, 0);
    COMPARE_COLOUR(frame.at(319, 239), Green, 0);

    // Reopening at another size starts from a black frame of that size.
    QVERIFY(drawer.open(200, 100, 1, true));
    QCOMPARE(drawer.frameWidth(), 200);
    QCOMPARE(drawer.textureCount(), 1);
    drawer.beginFrame();
    drawer.endFrame();
    frame = grab(drawer);
    QCOMPARE(frame.bytes.size(), size_t {200 * 100 * 4});
    COMPARE_COLOUR(frame.at(199, 99), Black, 0);

    drawer.close();
    QCOMPARE(drawer.frameWidth(), -1);
    QVERIFY(grab(drawer).bytes.empty());
    QVERIFY(!drawer.open(100000, 16, 2, true));
    QCOMPARE(drawer.frameWidth(), -1);
}

void TestGLDrawer::offscreenChildOfShownWindow()
{
    // The writer lives inside a dialog: showing the dialog must not show the drawer, and the
    // drawer keeps drawing into its own buffer.
    QWidget window;
    auto *drawer = new GLDrawer(&window, GLDrawer::Target::Offscreen);
    window.resize(200, 100);
    window.show();
    QVERIFY(!drawer->isVisible());
    QVERIFY(drawer->open(64, 48, 2, true));
    drawer->beginFrame();
    drawer->uploadLayer(0, quadrantPhoto(64, 48));
    drawer->drawLayer(0, 0, LayerFx {});
    drawer->endFrame();
    const Frame frame = grab(*drawer);
    QVERIFY(!frame.bytes.empty());
    COMPARE_COLOUR(frame.at(0, 0), Red, 0);
    COMPARE_COLOUR(frame.at(63, 47), White, 0);
    QVERIFY(!drawer->isVisible());
}

void TestGLDrawer::sameFrameHeadlessAndUnderX()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || headless())
        QSKIP("compares a run under an X display with one without");
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    const Frame here = referenceFrame(drawer);
    QVERIFY(!here.bytes.empty());

    QTemporaryDir dir;
    const QString dump = dir.filePath(QStringLiteral("frame.bgra"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VELLUMIX_DUMP_REFERENCE_FRAME"), dump);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    QFile file(dump);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray there = file.readAll();
    QCOMPARE(there.size(), static_cast<qsizetype>(here.bytes.size()));
    QVERIFY(std::memcmp(there.constData(), here.bytes.data(), here.bytes.size()) == 0);
}

void TestGLDrawer::sameFrameOnScreenAndOffscreen()
{
    if (headless())
        QSKIP("on-screen drawing needs a display");
    GLDrawer offscreen(nullptr, GLDrawer::Target::Offscreen);
    const Frame reference = referenceFrame(offscreen);
    QVERIFY(!reference.bytes.empty());

    GLDrawer screen;
    screen.resize(500, 300);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    const Frame shown = referenceFrame(screen);
    QCOMPARE(shown.bytes.size(), reference.bytes.size());
    // Off screen the layers are drawn as fixed-point rectangles, on screen in floating point, so
    // filtering may round a few levels apart. A picture misplaced by a fraction of a pixel differs
    // by far more on this pattern, and at many pixels.
    int worst = 0;
    size_t apart = 0;
    for (size_t i = 0; i < shown.bytes.size(); ++i) {
        const int difference = std::abs(shown.bytes[i] - reference.bytes[i]);
        worst = std::max(worst, difference);
        apart += difference > 2 ? 1 : 0;
    }
    QVERIFY2(
        worst <= 4 && apart * 100 < shown.bytes.size(),
        qPrintable(QStringLiteral("worst %1, %2 values more than 2 apart").arg(worst).arg(apart)));
}

// Besides the tests, the program draws the reference frame into a file when asked to, so that a
// run without a display can be compared with one under X.
void TestGLDrawer::mixedFrameMatchesLayers_data()
{
    QTest::addColumn<bool>("flipT");
    QTest::addColumn<int>("lowerOrientation");
    QTest::addColumn<int>("upperOrientation");
    QTest::addColumn<float>("shift");
    QTest::newRow("read-back, upright") << true << 0 << 0 << 0.0f;
    QTest::newRow("read-back, zoomed and shifted") << true << 0 << 0 << 1.0f;
    QTest::newRow("read-back, mirrored layers") << true << 2 << 1 << 1.0f;
    QTest::newRow("read-back, half turn under upright") << true << 3 << 0 << -1.0f;
    QTest::newRow("on screen, mirrored layers") << false << 4 << 7 << 1.0f;
}

void TestGLDrawer::mixedFrameMatchesLayers()
{
    // A dissolve over a shifted, zoomed or turned layer must show what the two layers drawn alone
    // and mixed by the upper layer's alpha show.
    QFETCH(bool, flipT);
    QFETCH(int, lowerOrientation);
    QFETCH(int, upperOrientation);
    QFETCH(float, shift);
    const int w = 320;
    const int h = 240;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, flipT));
    const Picture lower = lopsidedPhoto(w, h, 0);
    const Picture upper = lopsidedPhoto(w, h, 120);
    // Both closer than the frame, so they cover it wherever they are shifted to.
    LayerFx lowerFx;
    lowerFx.param0 = 0.05f * w * shift;
    lowerFx.param1 = -0.04f * h * shift;
    lowerFx.param2 = 0.2f * w;
    LayerFx upperFx = lowerFx;
    upperFx.param0 = -0.03f * w * shift;
    upperFx.param1 = 0.06f * h * shift;
    upperFx.param2 = 0.25f * w;

    const auto alone = [&](int index, const Picture &picture, int orientation, const LayerFx &fx) {
        drawer.beginFrame();
        drawer.uploadLayer(index, picture);
        drawer.drawLayer(index, orientation, fx);
        drawer.endFrame();
        return grab(drawer);
    };
    const Frame lowerOnly = alone(0, lower, lowerOrientation, lowerFx);
    const Frame upperOnly = alone(1, upper, upperOrientation, upperFx);

    drawer.beginFrame();
    drawer.uploadLayer(0, lower, 1);
    QVERIFY(drawer.setDissolve(1, 0.25, upper, 2));
    drawer.drawLayer(0, lowerOrientation, lowerFx);
    drawer.drawLayer(1, upperOrientation, upperFx);
    drawer.endFrame();
    const Frame mixed = grab(drawer);
    QVERIFY(!mixed.bytes.empty());

    Frame expected = lowerOnly;
    const double a = dissolveAlpha(0.25) / 255.0;
    for (size_t i = 0; i < expected.bytes.size(); ++i) {
        expected.bytes[i] = static_cast<uint8_t>(
            std::lround(upperOnly.bytes[i] * a + lowerOnly.bytes[i] * (1.0 - a)));
    }
    QVERIFY2(maxDifference(mixed, expected) <= 2,
             QByteArray::number(maxDifference(mixed, expected)));
    // The check above means something only if the two layers differ where they are compared.
    QVERIFY(maxDifference(lowerOnly, upperOnly) > 60);
}

void TestGLDrawer::mixedFrameOverUncoveredLayers()
{
    // Where a layer of a two-layer frame does not reach, the lower one leaves the black
    // background and the upper one lets the lower show.
    const int w = 320;
    const int h = 240;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    drawer.setClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    const LayerFx away = pushedAway(w);

    drawer.beginFrame();
    drawer.uploadLayer(0, solidPhoto(w, h, White), 1);
    QVERIFY(drawer.setDissolve(1, 0.5, solidPhoto(w, h, Blue), 2));
    drawer.drawLayer(0, 0, away);
    drawer.drawLayer(1, 0, LayerFx {});
    drawer.endFrame();
    Frame frame = grab(drawer);
    QVERIFY(!frame.bytes.empty());
    const Bgra blueOverBlack {127, 0, 0};
    const Bgra blueOverWhite {255, 128, 128};
    COMPARE_COLOUR(frame.at(4, 4), blueOverBlack, 2);
    COMPARE_COLOUR(frame.at(w / 4 - 4, h / 2), blueOverBlack, 2);
    COMPARE_COLOUR(frame.at(w / 2, h / 2), blueOverWhite, 2);

    drawer.beginFrame();
    drawer.uploadLayer(0, solidPhoto(w, h, White), 1);
    QVERIFY(drawer.setDissolve(1, 0.5, solidPhoto(w, h, Blue), 2));
    drawer.drawLayer(0, 0, LayerFx {});
    drawer.drawLayer(1, 0, away);
    drawer.endFrame();
    frame = grab(drawer);
    COMPARE_COLOUR(frame.at(4, 4), White, 0);
    COMPARE_COLOUR(frame.at(w / 2, h / 2), blueOverWhite, 2);
}

void TestGLDrawer::namedUploadsAreNotRepeated()
{
    const int w = 160;
    const int h = 120;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    const auto show = [&](int index) {
        drawer.beginFrame();
        drawer.drawLayer(index, 0, LayerFx {});
        drawer.endFrame();
        return grab(drawer).at(w / 2, h / 2);
    };
    const Picture red = solidPhoto(w, h, Red);
    QVERIFY(drawer.uploadLayer(1, red, 7));
    COMPARE_COLOUR(show(1), Red, 0);

    // The same name means the same pixels: the layer keeps what it holds.
    QVERIFY(drawer.uploadLayer(1, solidPhoto(w, h, Green), 7));
    COMPARE_COLOUR(show(1), Red, 0);
    QVERIFY(drawer.uploadLayer(1, solidPhoto(w, h, Green), 8));
    COMPARE_COLOUR(show(1), Green, 0);

    // Anything else put into the layer forgets the name, so the named picture comes back.
    for (int way = 0; way < 3; ++way) {
        QVERIFY(drawer.uploadLayer(1, red, 9));
        if (way == 0)
            QVERIFY(drawer.setDissolve(1, 0.5, solidPhoto(w, h, Blue)));
        else if (way == 1)
            QVERIFY(drawer.uploadLayer(1, solidPhoto(w, h, Blue)));
        else
            QVERIFY(drawer.open(w, h, 2, true));
        QVERIFY(drawer.uploadLayer(1, red, 9));
        COMPARE_COLOUR(show(1), Red, 0);
    }
}

void TestGLDrawer::constantDissolveKeepsAlphaRule()
{
    // Every alpha byte of the incoming picture becomes trunc(D * 255), whatever it was: a named
    // picture that is not opaque must not be drawn with its own alpha times D.
    const int w = 160;
    const int h = 120;
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(w, h, 2, true));
    const auto dissolve = [&](double progress, const Picture &incoming, uint64_t name) {
        drawer.beginFrame();
        drawer.uploadLayer(0, solidPhoto(w, h, Red), 1);
        drawer.setDissolve(1, progress, incoming, name);
        drawer.drawLayer(0, 0, LayerFx {});
        drawer.drawLayer(1, 0, LayerFx {});
        drawer.endFrame();
        return grab(drawer).at(w / 2, h / 2);
    };
    const Picture halfBlue = solidPhoto(w, h, Bgra {255, 0, 0, 128});
    COMPARE_COLOUR(dissolve(1.0, halfBlue, 5), Blue, 0);
    const Bgra mix = dissolve(0.3, halfBlue, 5);
    COMPARE_COLOUR(dissolve(0.3, halfBlue, 0), mix, 1);
    const Picture blue = solidPhoto(w, h, Blue);
    COMPARE_COLOUR(dissolve(0.3, blue, 6), mix, 1);
    COMPARE_COLOUR(dissolve(0.3, blue, 0), mix, 1);
    COMPARE_COLOUR(mix, (Bgra {76, 0, 179}), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dump = qEnvironmentVariable("VELLUMIX_DUMP_REFERENCE_FRAME");
    if (!dump.isEmpty()) {
        GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
        const Frame frame = referenceFrame(drawer);
        QFile file(dump);
        if (frame.bytes.empty() || !file.open(QIODevice::WriteOnly))
            return 1;
        file.write(reinterpret_cast<const char *>(frame.bytes.data()),
                   static_cast<qint64>(frame.bytes.size()));
        return 0;
    }
    TestGLDrawer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gldrawer.moc"
