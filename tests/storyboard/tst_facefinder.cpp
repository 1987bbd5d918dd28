// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/facefinder.h"
#include "storyboard/photoloader.h"
#include "storyboard/storyboard.h"
#include "tests/storyboard/facefixture.h"

#include <QDebug>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

// The face search that the import runs on the small copy of each photo, on photos the test
// draws.
class TstFaceFinder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void eachThreadHasItsDetector();

private:
    QTemporaryDir dir;
};

namespace {

// Hills under a sky: shapes and gradients, no face.
QImage landscape(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(90, 140, 220));
    sky.setColorAt(1, QColor(220, 230, 240));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        painter.setBrush(QColor(40 + 20 * i, 110 + 15 * i, 50));
        painter.drawEllipse(
            QPointF(size.width() * (0.1 + 0.2 * i), size.height() * (0.8 + 0.03 * i)),
            size.width() * 0.25, size.height() * 0.3);
    }
    painter.setBrush(QColor(250, 240, 180));
    painter.drawEllipse(QPointF(size.width() * 0.8, size.height() * 0.2), size.height() * 0.08,
                        size.height() * 0.08);
    return image;
}

double overlap(const QRectF &a, const QRectF &b)
{
    const QRectF common = a.intersected(b);
    const double smaller = std::min(a.width() * a.height(), b.width() * b.height());
    return common.isEmpty() ? 0.0 : common.width() * common.height() / smaller;
}

} // namespace

void TstFaceFinder::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY2(findFaces(QImage(64, 64, QImage::Format_RGB32)).has_value(),
             qPrintable(QStringLiteral("no face detector at %1").arg(faceDetectorPath())));
}

void TstFaceFinder::search_data()
{
    QTest::addColumn<QSize>("size");
    // The face's centre in 0..1 of the photo and its oval's share of the photo's height; no
    // face when the share is 0.
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<double>("share");
    QTest::addColumn<QString>("format");
    QTest::newRow("portrait, JPEG decoded reduced")
        << QSize(3000, 2000) << QPointF(0.5, 0.45) << 0.45 << QStringLiteral("jpg");
    QTest::newRow("face at the left end of a wide photo")
        << QSize(1920, 1080) << QPointF(0.12, 0.45) << 0.4 << QStringLiteral("jpg");
    QTest::newRow("face at the top of a tall photo")
        << QSize(1080, 1920) << QPointF(0.5, 0.16) << 0.25 << QStringLiteral("jpg");
    QTest::newRow("small PNG, read whole")
        << QSize(320, 240) << QPointF(0.6, 0.5) << 0.5 << QStringLiteral("png");
    QTest::newRow("landscape without a face")
        << QSize(3000, 2000) << QPointF() << 0.0 << QStringLiteral("jpg");
    QTest::newRow("too small to search")
        << QSize(20, 15) << QPointF() << 0.0 << QStringLiteral("png");
}

void TstFaceFinder::search()
{
    QFETCH(QSize, size);
    QFETCH(QPointF, centre);
    QFETCH(double, share);
    QFETCH(QString, format);
    QRectF drawn;
    const QImage image = share > 0.0 ? photoWithFace(size, centre, share, &drawn) : landscape(size);
    ImageInfo info;
    info.path = dir.filePath(QStringLiteral("%1.%2").arg(QTest::currentDataTag(), format));
    QVERIFY(image.save(info.path, nullptr, 92));

    // The import never fails for the search, and a searched photo says so even without faces.
    QVERIFY(readPhotoInfo(info));
    QVERIFY(info.facesSearched);
    if (share == 0.0) {
        QCOMPARE(info.faces.size(), 0);
        return;
    }
    QCOMPARE(info.faces.size(), 1);
    const QRectF found = info.faces.first();
    QVERIFY2(overlap(found, drawn) > 0.6,
             qPrintable(QDebug::toString(found) + QStringLiteral(" found, ")
                        + QDebug::toString(drawn) + QStringLiteral(" drawn")));
}

void TstFaceFinder::eachThreadHasItsDetector()
{
    // Readers search at the same time, each with the detector of its own thread.
    const QImage photo = photoWithFace(QSize(160, 120), QPointF(0.5, 0.5), 0.6);
    QList<QRectF> alone = findFaces(photo).value_or(QList<QRectF>());
    QCOMPARE(alone.size(), 1);
    std::vector<QList<QRectF>> results(4);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < results.size(); ++i)
        threads.emplace_back([&, i] {
            for (int round = 0; round < 5; ++round)
                results[i] = findFaces(photo).value_or(QList<QRectF>());
        });
    for (std::thread &thread : threads)
        thread.join();
    for (const QList<QRectF> &result : results)
        QCOMPARE(result, alone);
}

QTEST_GUILESS_MAIN(TstFaceFinder)
#include "tst_facefinder.moc"
