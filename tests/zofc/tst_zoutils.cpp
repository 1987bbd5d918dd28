// SPDX-License-Identifier: GPL-3.0-or-later
#include "zofc/zoutils.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

// A source picture whose every region can be recognised after scaling: each corner pixel has a
// colour of its own, the top and bottom edges one colour per row, the left and right edges one
// colour per column, and the centre one colour.
struct NinePatch
{
    int width = 12, height = 10, left = 3, top = 2, right = 4, bottom = 3;
    QImage image;

    NinePatch()
    {
        image = QImage(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, colour(x, y));
        }
    }
    bool inLeft(int x) const { return x < left; }
    bool inRight(int x) const { return x >= width - right; }
    bool inTop(int y) const { return y < top; }
    bool inBottom(int y) const { return y >= height - bottom; }
    QRgb colour(int x, int y) const
    {
        const bool edgeColumn = inLeft(x) || inRight(x);
        const bool edgeRow = inTop(y) || inBottom(y);
        if (edgeColumn && edgeRow)
            return qRgb(40 + 15 * x, 30 + 20 * y, 200);
        if (edgeRow)
            return qRgb(10, 100 + 10 * y, 50);
        if (edgeColumn)
            return qRgb(100 + 10 * x, 10, 60);
        return qRgb(250, 250, 0);
    }
};

bool allOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 255)
                return false;
        }
    }
    return true;
}

} // namespace

class TestZoUtils : public QObject
{
    Q_OBJECT

private slots:
    void scaleBorderImage_data();
    void scaleBorderImage();
    void scaleBorderImageTiny_data();
    void scaleBorderImageTiny();
    void folderNameValid_data();
    void folderNameValid();
    void folderWritable();
    void folderNotWritable_data();
    void folderNotWritable();
    void tempPathCreatesFolder();
    void labelElidedText();
    void timeText_data();
    void timeText();
};

void TestZoUtils::scaleBorderImage_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("wider and taller") << QSize(60, 40);
    QTest::newRow("same size") << QSize(12, 10);
    QTest::newRow("wider only") << QSize(200, 10);
    QTest::newRow("taller only") << QSize(12, 33);
    QTest::newRow("just the borders") << QSize(7, 5);
}

// Corners come out unscaled, top and bottom edges keep their rows, left and right edges keep
// their columns, and the centre fills the rest.
void TestZoUtils::scaleBorderImage()
{
    QFETCH(QSize, size);
    const NinePatch source;
    const QImage scaled = Zo::scaleBorderImage(source.image, size, source.left, source.top,
                                               source.right, source.bottom)
                              .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(scaled.size(), size);
    const int w = size.width();
    const int h = size.height();
    for (int y = 0; y < h; ++y) {
        // The source row or column a target pixel must come from, where it is determined.
        const int sy = y < source.top ? y : (y >= h - source.bottom ? source.height - (h - y) : -1);
        for (int x = 0; x < w; ++x) {
            const int sx
                = x < source.left ? x : (x >= w - source.right ? source.width - (w - x) : -1);
            QRgb expected;
            if (sx >= 0 && sy >= 0)
                expected = source.colour(sx, sy);
            else if (sy >= 0)
                expected = source.colour(source.left, sy);
            else if (sx >= 0)
                expected = source.colour(sx, source.top);
            else
                expected = source.colour(source.left, source.top);
            if (scaled.pixel(x, y) != expected) {
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(scaled.pixel(x, y), 8, 16)
                                     .arg(expected, 8, 16)));
            }
        }
    }
}

void TestZoUtils::scaleBorderImageTiny_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("border");
    QTest::newRow("1 x 1") << QSize(1, 1) << 3;
    QTest::newRow("narrower than the borders") << QSize(3, 40) << 3;
    QTest::newRow("lower than the borders") << QSize(40, 2) << 3;
    QTest::newRow("borders wider than the source") << QSize(30, 30) << 20;
    QTest::newRow("borders wider than source and target") << QSize(5, 5) << 20;
    QTest::newRow("negative borders") << QSize(30, 30) << -4;
}

// Targets smaller than the borders, and borders larger than the source, still give a full
// picture of the requested size without holes.
void TestZoUtils::scaleBorderImageTiny()
{
    QFETCH(QSize, size);
    QFETCH(int, border);
    const NinePatch source;
    const QImage scaled = Zo::scaleBorderImage(source.image, size, border, border, border, border);
    QCOMPARE(scaled.size(), size);
    QVERIFY(allOpaque(scaled));

    const QPixmap pixmap = Zo::scaleBorderImage(QPixmap::fromImage(source.image), size, border,
                                                border, border, border);
    QCOMPARE(pixmap.size(), size);
}

void TestZoUtils::folderNameValid_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("mustExist");
    QTest::addColumn<bool>("valid");

    const QString existing = QDir::tempPath();
    const QString missing = existing + QStringLiteral("/vellumix-no-such-folder-7f3a");
    QTest::newRow("existing folder") << existing << true << true;
    QTest::newRow("existing folder, need not exist") << existing << false << true;
    QTest::newRow("missing folder, must exist") << missing << true << false;
    QTest::newRow("missing folder, need not exist") << missing << false << true;
    QTest::newRow("empty") << QString() << false << false;
    QTest::newRow("relative") << QStringLiteral("Videos/out") << false << false;
    QTest::newRow("newline") << existing + QStringLiteral("/a\nb") << false << false;
    QTest::newRow("tab") << existing + QStringLiteral("/a\tb") << false << false;
    QTest::newRow("NUL") << existing + QStringLiteral("/a") + QChar(0) + QStringLiteral("b")
                         << false << false;
    QTest::newRow("name too long")
        << existing + QLatin1Char('/') + QString(256, QLatin1Char('x')) << false << false;
    QTest::newRow("a file, not a folder") << QStringLiteral("/proc/self/status") << false << false;
}

void TestZoUtils::folderNameValid()
{
    QFETCH(QString, path);
    QFETCH(bool, mustExist);
    QFETCH(bool, valid);
    QCOMPARE(Zo::isFolderNameValid(path, mustExist), valid);
}

// A writable folder passes, and the probe leaves nothing behind.
void TestZoUtils::folderWritable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(Zo::isFolderWritable(dir.path()));
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    QVERIFY(QDir(dir.path()).entryList(all).isEmpty());
}

void TestZoUtils::folderNotWritable_data()
{
    QTest::addColumn<QString>("path");
    // The tests may run as root, for whom permission bits do not stop a write: these folders
    // refuse every user.
    QTest::newRow("below a regular file") << QStringLiteral("file/sub");
    QTest::newRow("missing folder") << QStringLiteral("missing");
    QTest::newRow("process file system") << QStringLiteral("/proc");
}

void TestZoUtils::folderNotWritable()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString folder = QDir::isAbsolutePath(path) ? path : dir.filePath(path);
    if (folder == QLatin1String("/proc") && !QFileInfo(folder).isDir())
        QSKIP("no /proc here");
    QVERIFY(!Zo::isFolderWritable(folder));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
}

void TestZoUtils::tempPathCreatesFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wanted = dir.filePath(QStringLiteral("nested/tmp"));
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(wanted));
    const QString path = Zo::tempPath();
    if (saved.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", saved);
    QCOMPARE(path, wanted);
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(Zo::isFolderWritable(path));
}

void TestZoUtils::labelElidedText()
{
    QLabel label;
    label.resize(120, 20);
    const QString longText
        = QStringLiteral("Importing /home/someone/Pictures/Holiday/IMG_0001.jpg...");
    const QString elided = Zo::labelElidedText(&label, longText);
    QVERIFY(elided != longText);
    QVERIFY(label.fontMetrics().horizontalAdvance(elided) <= label.contentsRect().width());
    QVERIFY(elided.endsWith(QStringLiteral("...")));
    QCOMPARE(Zo::labelElidedText(&label, QStringLiteral("Short")), QStringLiteral("Short"));
}

void TestZoUtils::timeText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "00:00:00";
    QTest::newRow("fractions are cut, not rounded") << 75.99 << "00:01:15";
    QTest::newRow("hours") << 3600.0 * 2 + 61 << "02:01:01";
    QTest::newRow("more than 99 hours") << 3600.0 * 100 << "100:00:00";
    QTest::newRow("negative") << -5.0 << "00:00:00";
    QTest::newRow("not a number") << std::nan("") << "00:00:00";
}

void TestZoUtils::timeText()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(Zo::timeText(seconds), text);
}

QTEST_MAIN(TestZoUtils)
#include "tst_zoutils.moc"
