// SPDX-License-Identifier: GPL-3.0-or-later
// Photos decoded once for the frames of several versions: each drawn as a photo decoded for its
// own frame alone, and the budget that bounds what is kept.
#include "storyboard/decodedphotos.h"
#include "storyboard/picture.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

extern "C" {
#include <libavutil/pixfmt.h>
}

namespace {

// Largest difference of one colour sample and the mean difference between two pictures.
std::pair<int, double> difference(const Picture &a, const Picture &b)
{
    int largest = 0;
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        const uint8_t *p = a.row(y);
        const uint8_t *q = b.row(y);
        for (int x = 0; x < a.width() * 4; ++x) {
            const int d = std::abs(int(p[x]) - int(q[x]));
            largest = std::max(largest, d);
            sum += d;
        }
    }
    return {largest, sum / (double(a.width()) * a.height() * 4)};
}

} // namespace

class TestDecodedPhotos : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsAsEachFrameAlone_data();
    void drawsAsEachFrameAlone();
    void budgetBoundsWhatIsKept();

private:
    QTemporaryDir folder;
    QStringList photos;
    const QList<FrameNeed> frames = {{QSize(320, 180), Framing::Fit},
                                     {QSize(180, 320), Framing::BlurredFit},
                                     {QSize(180, 180), Framing::BlurredFit},
                                     {QSize(180, 224), Framing::Fill}};
};

void TestDecodedPhotos::initTestCase()
{
    // A landscape and a portrait photo, large enough to be decoded reduced, with detail that a
    // wrong scale or offset would move.
    const QSize sizes[] = {{1600, 1200}, {900, 1400}};
    for (int i = 0; i < 2; ++i) {
        QImage image(sizes[i], QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, image.width(), image.height());
        gradient.setColorAt(0, QColor(230, 40, 30));
        gradient.setColorAt(1, QColor(20, 60, 220));
        painter.fillRect(image.rect(), gradient);
        painter.fillRect(QRect(image.width() / 4, image.height() / 3, image.width() / 3, 40),
                         Qt::white);
        painter.end();
        photos.append(folder.filePath(QStringLiteral("photo%1.jpg").arg(i)));
        QVERIFY(image.save(photos.last(), "JPEG", 92));
    }
}

void TestDecodedPhotos::drawsAsEachFrameAlone_data()
{
    QTest::addColumn<bool>("turn90");
    QTest::newRow("as shot") << false;
    QTest::newRow("turned") << true;
}

void TestDecodedPhotos::drawsAsEachFrameAlone()
{
    QFETCH(bool, turn90);
    DecodedPhotos shared;
    shared.setFrames(frames);
    for (const FrameNeed &need : frames) {
        for (const QString &photo : std::as_const(photos)) {
            const QString where = QStringLiteral("%1 in %2x%3 framing %4")
                                      .arg(photo)
                                      .arg(need.frame.width())
                                      .arg(need.frame.height())
                                      .arg(int(need.framing));
            Picture alone(need.frame.width(), need.frame.height(), AV_PIX_FMT_BGRA);
            QVERIFY(loadPhotoPicture(photo, alone, need.frame.width(), need.frame.height(), turn90,
                                     PhotoDecode::Full, need.framing));
            Picture drawn(need.frame.width(), need.frame.height(), AV_PIX_FMT_BGRA);
            QVERIFY(shared.draw(photo, turn90, drawn, need.framing));
            // The same geometry; samples differ only by the extra scaling of the shared copy.
            const auto [largest, mean] = difference(alone, drawn);
            QVERIFY2(mean < 2.0, qPrintable(where + QStringLiteral(": mean %1").arg(mean)));
            QVERIFY2(largest < 80, qPrintable(where + QStringLiteral(": largest %1").arg(largest)));
        }
    }
    // Every photo decoded once for all four frames.
    QCOMPARE(shared.decodes(), int(photos.size()));
    QCOMPARE(shared.kept(), int(photos.size()));
}

void TestDecodedPhotos::budgetBoundsWhatIsKept()
{
    // Room for one copy of the landscape photo at its largest need (320 x 240), not for two.
    const qint64 oneCopy = qint64(320) * 240 * 4;
    DecodedPhotos shared(oneCopy + oneCopy / 2);
    shared.setFrames(frames);
    Picture picture(180, 180, AV_PIX_FMT_BGRA);
    for (int round = 0; round < 2; ++round) {
        for (const QString &photo : std::as_const(photos)) {
            QVERIFY(shared.draw(photo, false, picture, Framing::BlurredFit));
            QVERIFY(shared.keptBytes() <= oneCopy + oneCopy / 2);
        }
    }
    // Each draw evicted the other photo: decoded again every time, and never more than one kept.
    QCOMPARE(shared.decodes(), 4);
    QCOMPARE(shared.kept(), 1);
    // Other frames drop what was kept for the old ones.
    shared.setFrames({{QSize(64, 64), Framing::Fit}});
    QCOMPARE(shared.kept(), 0);
    // A photo that cannot be read is drawn opaque black.
    Picture missing(64, 64, AV_PIX_FMT_BGRA);
    QVERIFY(
        !shared.draw(folder.filePath(QStringLiteral("gone.jpg")), false, missing, Framing::Fit));
    QCOMPARE(missing.row(10)[3], uint8_t(255));
    QCOMPARE(missing.row(10)[0], uint8_t(0));
}

QTEST_GUILESS_MAIN(TestDecodedPhotos)
#include "tst_decodedphotos.moc"
