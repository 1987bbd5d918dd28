// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/picture.h"
#include "storyboard/storyboard.h"
#include "storyboard/transitions.h"

#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

Picture bgra(int w, int h, uint8_t b, uint8_t g, uint8_t r)
{
    Picture picture(w, h, AV_PIX_FMT_BGRA);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t *p = picture.row(y) + 4 * x;
            p[0] = b;
            p[1] = g;
            p[2] = r;
            p[3] = 255;
        }
    }
    return picture;
}

ImageInfo photoWithZoom(int kind, std::array<float, 4> start, std::array<float, 4> end)
{
    ImageInfo info;
    info.zoom.kind = kind;
    info.zoom.start = start;
    info.zoom.end = end;
    return info;
}

} // namespace

class TestTransitions : public QObject
{
    Q_OBJECT

private slots:
    void wipeTableShape_data();
    void wipeTableShape();
    void alphaRewrites();
    void transitionChoice();
    void progressValues();
    void zoomTransform_data();
    void zoomTransform();
    void patternLoading();
    void undecodablePattern();
    void shippedPatterns();
};

void TestTransitions::wipeTableShape_data()
{
    QTest::addColumn<double>("progress");
    QTest::newRow("D=0, only level 255 shows") << 0.0;
    QTest::newRow("D=0.1") << 0.1;
    QTest::newRow("D=0.5, widest edge") << 0.5;
    QTest::newRow("D=0.9") << 0.9;
    QTest::newRow("D=1, every level shows") << 1.0;
}

void TestTransitions::wipeTableShape()
{
    QFETCH(double, progress);
    WipeTable table;
    table.fill(-1.0);
    const double t = 1.0 - progress;
    buildWipeTable(table, t, WipeSoftness);

    if (progress == 0.0) {
        for (int g = 0; g < 255; ++g)
            QCOMPARE(table[g], 0.0);
        QCOMPARE(table[255], 255.0);
        return;
    }
    if (progress == 1.0) {
        for (int g = 0; g < 256; ++g)
            QCOMPARE(table[g], 255.0);
        return;
    }
    // Zero below the edge, full above it, a straight ramp across it; the ramp is 2 w 255 levels
    // wide with w = sin(pi t) 0.1.
    const double w = std::sin(M_PI * t) * WipeSoftness;
    int zeros = 0;
    int full = 0;
    for (int g = 0; g < 256; ++g) {
        QVERIFY(table[g] >= 0.0 && table[g] <= 255.0);
        if (g > 0)
            QVERIFY(table[g] >= table[g - 1]);
        zeros += table[g] == 0.0;
        full += table[g] == 255.0;
    }
    // The ramp starts at its own zero entry.
    const int lo = zeros - 1;
    const int hi = 256 - full;
    QVERIFY(std::abs(lo - (t - w) * 255.0) <= 1.0);
    QVERIFY(std::abs(hi - (t + w) * 255.0) <= 1.0);
    for (int g = lo; g < hi; ++g)
        QVERIFY(std::abs(table[g] - (g - lo) * 255.0 / (hi - lo)) < 1e-9);
}

void TestTransitions::alphaRewrites()
{
    QCOMPARE(int(dissolveAlpha(0.0)), 0);
    QCOMPARE(int(dissolveAlpha(0.5)), 127);
    QCOMPARE(int(dissolveAlpha(1.0)), 255);
    QCOMPARE(int(dissolveAlpha(1.7)), 255);
    QCOMPARE(int(dissolveAlpha(-0.2)), 0);

    const int w = 7;
    const int h = 3;
    const Picture incoming = bgra(w, h, 10, 20, 30);
    std::vector<uint8_t> scratch(w * h * 4, 0);
    QVERIFY(applyDissolveAlpha(scratch.data(), w, h, incoming, 99));
    for (int i = 0; i < w * h; ++i) {
        QCOMPARE(scratch[4 * i], uint8_t(10));
        QCOMPARE(scratch[4 * i + 2], uint8_t(30));
        QCOMPARE(scratch[4 * i + 3], uint8_t(99));
    }

    // The pattern pixel at (x, y) gates the picture pixel at (x, y), row for row.
    Picture pattern(w, h, AV_PIX_FMT_GRAY8);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            pattern.row(y)[x] = static_cast<uint8_t>(y * 100 + x);
    }
    WipeTable table;
    for (int g = 0; g < 256; ++g)
        table[g] = g + 0.9; // truncated when written
    table[255] = 255.0;
    QVERIFY(applyWipeAlpha(scratch.data(), w, h, incoming, pattern, table));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QCOMPARE(int(scratch[(y * w + x) * 4 + 3]), y * 100 + x);
            QCOMPARE(int(scratch[(y * w + x) * 4 + 1]), 20);
        }
    }

    // Pictures of another size are refused without touching the scratch buffer.
    std::vector<uint8_t> before = scratch;
    QVERIFY(!applyWipeAlpha(scratch.data(), w, h, incoming, Picture(w, h + 1, AV_PIX_FMT_GRAY8),
                            table));
    QVERIFY(!applyDissolveAlpha(scratch.data(), w, h, bgra(w + 1, h, 0, 0, 0), 7));
    QVERIFY(!applyDissolveAlpha(scratch.data(), w, h, Picture(w, h, AV_PIX_FMT_GRAY8), 7));
    QVERIFY(scratch == before);
}

void TestTransitions::transitionChoice()
{
    TempSettings settings;
    StoryBoard board;
    board.patterns
        = {QStringLiteral("/p/a.wpt"), QStringLiteral("/p/b.wpt"), QStringLiteral("/p/c.wpt")};
    board.dissolveOnly = false;
    const int expected[4] = {0, 1, 2, 0};
    for (int i = 0; i < 4; ++i) {
        const TransitionKind kind = transitionKind(board, i);
        QVERIFY(!kind.dissolve);
        QCOMPARE(kind.patternIndex, expected[i]);
        QCOMPARE(kind.patternPath, board.patterns.at(expected[i]));
    }
    board.dissolveOnly = true;
    QVERIFY(transitionKind(board, 1).dissolve);
    board.dissolveOnly = false;
    board.patterns.clear();
    QVERIFY(transitionKind(board, 1).dissolve);
    QVERIFY(transitionKind(board, 1).patternPath.isEmpty());
}

void TestTransitions::progressValues()
{
    // 5 s photos, 1.5 s transitions at 25 frames/s: frame 130 of a period is 5 frames into the
    // 37.5-frame transition.
    QCOMPARE(transitionProgress(130, 5.0, 1.5, 25.0), 5.0 / 37.5);
    QCOMPARE(transitionProgress(125, 5.0, 1.5, 25.0), 0.0);
    QCOMPARE(transitionProgress(200, 5.0, 1.5, 25.0), 1.0);
    QCOMPARE(transitionProgress(130, 5.0, 0.0, 25.0), 1.0);

    // Zoom progress over a photo's life of (5 + 2 * 1.5) * 25 = 200 frames: a lone photo runs
    // from Te F / L and never reaches 1.
    const double life = 200.0;
    QCOMPARE(outgoingZoomProgress(0, 1.5, 25.0, life, false), 38.0 / 200.0);
    QCOMPARE(outgoingZoomProgress(124, 1.5, 25.0, life, false), 162.0 / 200.0);
    QCOMPARE(outgoingZoomProgress(170, 1.5, 25.0, life, true), 1.0);
    QCOMPARE(incomingZoomProgress(125, 5.0, 25.0, life), 0.5 / 200.0);
    QCOMPARE(incomingZoomProgress(10, 5.0, 25.0, life), 0.0);
}

void TestTransitions::zoomTransform_data()
{
    QTest::addColumn<ImageInfo>("info");
    QTest::addColumn<bool>("useZoom");
    QTest::addColumn<double>("progress");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<double>>("params");

    const ImageInfo drift = photoWithZoom(0, {-25, -12.5, 50, 0}, {25, 12.5, 100, 0});
    QTest::newRow("translate start, reference size")
        << drift << true << 0.0 << 720 << 540 << 0 << QList<double> {-25, -12.5, 50, 0};
    QTest::newRow("translate end, 1280x720")
        << drift << true << 1.0 << 1280 << 720 << 0
        << QList<double> {25.0 / 720 * 1280, 12.5 / 540 * 720, 100.0 / 720 * 1280, 0};
    QTest::newRow("translate middle, 640x480")
        << drift << true << 0.5 << 640 << 480 << 0 << QList<double> {0, 0, 75.0 / 720 * 640, 0};
    QTest::newRow("zoom off") << drift << false << 0.7 << 640 << 480 << 0
                              << QList<double> {0, 0, 0, 0};
    const ImageInfo turn = photoWithZoom(1, {0, 0, 0, 720}, {10, 72, 54, 0});
    QTest::newRow("rotate keeps degrees")
        << turn << true << 0.5 << 1440 << 1080 << 1
        << QList<double> {5, 36.0 / 720 * 1440, 27.0 / 540 * 1080, 360.0 / 720 * 1440};
    const ImageInfo odd = photoWithZoom(4, {1, 2, 3, 4}, {5, 6, 7, 8});
    QTest::newRow("unknown kind stays, zero values")
        << odd << true << 0.5 << 640 << 480 << 4 << QList<double> {0, 0, 0, 0};
}

void TestTransitions::zoomTransform()
{
    QFETCH(ImageInfo, info);
    QFETCH(bool, useZoom);
    QFETCH(double, progress);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, kind);
    QFETCH(QList<double>, params);
    const LayerFx fx = zoomAt(progress, info, useZoom, width, height);
    QCOMPARE(fx.kind, kind);
    const float got[4] = {fx.param0, fx.param1, fx.param2, fx.param3};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(
            std::abs(got[i] - params[i]) < 1e-4,
            qPrintable(
                QStringLiteral("param%1 = %2, expected %3").arg(i).arg(got[i]).arg(params[i])));
}

void TestTransitions::patternLoading()
{
    QTemporaryDir dir;
    // A left-to-right ramp written as PNG, and a top-to-bottom ramp written as BMP; both carry
    // the pattern suffix, so the reader must go by content.
    QImage horizontal(256, 64, QImage::Format_RGB32);
    QImage vertical(64, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            if (y < 64)
                horizontal.setPixel(x, y, qRgb(x, x, x));
            if (x < 64)
                vertical.setPixel(x, y, qRgb(y, y, y));
        }
    }
    const QString ramp = dir.filePath(QStringLiteral("ramp.wpt"));
    const QString down = dir.filePath(QStringLiteral("down.wpt"));
    QVERIFY(horizontal.save(ramp, "PNG"));
    QVERIFY(vertical.save(down, "BMP"));

    Picture picture;
    QVERIFY(loadPatternPicture(ramp, picture, 120, 90));
    QCOMPARE(picture.format(), AV_PIX_FMT_GRAY8);
    QCOMPARE(picture.width(), 120);
    QCOMPARE(picture.height(), 90);
    for (int y : {0, 45, 89}) {
        const uint8_t *row = picture.row(y);
        QVERIFY2(row[0] <= 4, QByteArray::number(row[0]));
        QVERIFY2(row[119] >= 251, QByteArray::number(row[119]));
        QVERIFY(std::abs(row[60] - 128) <= 4);
        for (int x = 1; x < 120; ++x)
            QVERIFY(row[x] >= row[x - 1]);
    }

    // Rows stay top-first as in the file; a picture of the wrong kind is replaced.
    Picture wrong(10, 10, AV_PIX_FMT_BGRA);
    QVERIFY(loadPatternPicture(down, wrong, 40, 30));
    QCOMPARE(wrong.format(), AV_PIX_FMT_GRAY8);
    QCOMPARE(wrong.width(), 40);
    QVERIFY(wrong.row(0)[20] <= 8);
    QVERIFY(wrong.row(29)[20] >= 247);

    // A coloured pattern is reduced to its luma.
    QImage colours(30, 10, QImage::Format_RGB32);
    colours.fill(Qt::black);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            colours.setPixel(x, y, qRgb(255, 0, 0));
            colours.setPixel(x + 10, y, qRgb(0, 255, 0));
            colours.setPixel(x + 20, y, qRgb(0, 0, 255));
        }
    }
    const QString colourPath = dir.filePath(QStringLiteral("colour.wpt"));
    QVERIFY(colours.save(colourPath, "PNG"));
    QVERIFY(loadPatternPicture(colourPath, picture, 30, 10));
    const int red = picture.row(5)[5];
    const int green = picture.row(5)[15];
    const int blue = picture.row(5)[25];
    QVERIFY2(green > red && red > blue && blue > 0,
             qPrintable(QStringLiteral("%1 %2 %3").arg(red).arg(green).arg(blue)));
    QVERIFY(std::abs(red - 76) <= 6 && std::abs(green - 150) <= 6 && std::abs(blue - 29) <= 6);
}

void TestTransitions::undecodablePattern()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.wpt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not an image");
    file.close();

    // The cached picture may hold an older pattern: it is cleared, so the wipe ends in a cut.
    Picture picture(64, 48, AV_PIX_FMT_GRAY8);
    picture.fill(200);
    QVERIFY(!loadPatternPicture(path, picture, 64, 48));
    QVERIFY(!loadPatternPicture(dir.filePath(QStringLiteral("missing.wpt")), picture, 64, 48));
    QCOMPARE(picture.width(), 64);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x)
            QCOMPARE(int(picture.row(y)[x]), 0);
    }
    QVERIFY(!loadPatternPicture(path, picture, 0, 48));
}

void TestTransitions::shippedPatterns()
{
    const QStringList patterns = StoryBoard::listPatterns(testAppDir());
    QVERIFY2(patterns.size() >= 16, qPrintable(QString::number(patterns.size())));
    const int w = 320;
    const int h = 240;
    std::vector<std::vector<uint8_t>> loaded;
    for (const QString &path : patterns) {
        Picture picture;
        QVERIFY2(loadPatternPicture(path, picture, w, h), qPrintable(path));
        std::vector<uint8_t> levels(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            std::memcpy(levels.data() + y * w, picture.row(y), w);

        // Soft edges need many grey levels and mostly small steps between neighbours.
        QSet<int> distinct;
        int jumps = 0;
        int pairs = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int v = levels[y * w + x];
                distinct.insert(v);
                if (x + 1 < w) {
                    jumps += std::abs(levels[y * w + x + 1] - v) > 32;
                    ++pairs;
                }
                if (y + 1 < h) {
                    jumps += std::abs(levels[(y + 1) * w + x] - v) > 32;
                    ++pairs;
                }
            }
        }
        QVERIFY2(distinct.size() >= 32, qPrintable(path));
        QVERIFY2(jumps * 10 < pairs, qPrintable(path));
        for (const std::vector<uint8_t> &other : loaded) {
            double difference = 0.0;
            for (size_t i = 0; i < levels.size(); ++i)
                difference += std::abs(levels[i] - other[i]);
            QVERIFY2(difference / levels.size() > 8.0, qPrintable(path + " repeats a pattern"));
        }
        loaded.push_back(std::move(levels));
    }
}

QTEST_GUILESS_MAIN(TestTransitions)

#include "tst_transitions.moc"
