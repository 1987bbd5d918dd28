// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/zomexif/photofixture.h"
#include "zomexif/zomexifinfo.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Camera data read from photos that the test writes with libexif.
class TstZomExifInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void propertiesByType();
    void dateFallsBackToOriginalTime();
    void orientationTag_data();
    void orientationTag();
    void thumbnailOrientationIsNotThePhotos();
    void noCameraData_data();
    void noCameraData();
    void damagedBlockNeverCrashes();
    void blockFromAContainer();

private:
    QString photo(const QString &name, const QByteArray &block);

    QTemporaryDir dir;
    QImage image = quadrantImage(64, 48);
};

void TstZomExifInfo::initTestCase()
{
    QVERIFY(dir.isValid());
}

QString TstZomExifInfo::photo(const QString &name, const QByteArray &block)
{
    const QString path = dir.filePath(name);
    const QByteArray jpeg = jpegWithExif(image, block);
    if (jpeg.isEmpty() || !writeFile(path, jpeg))
        return QString();
    return path;
}

void TstZomExifInfo::propertiesByType()
{
    // Every property gets a value no other property shares, so a wrong number shows.
    ExifBuilder builder;
    builder.setAscii(EXIF_IFD_0, EXIF_TAG_MAKE, "Maker Co")
        .setAscii(EXIF_IFD_0, EXIF_TAG_MODEL, "Model X100")
        .setAscii(EXIF_IFD_0, EXIF_TAG_SOFTWARE, "Firmware 1.2")
        .setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 6)
        .setAscii(EXIF_IFD_0, EXIF_TAG_DATE_TIME, "2024:05:01 12:34:56")
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_COMPRESSED_BITS_PER_PIXEL, 5, 1)
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, 1, 250)
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, 4, 1)
        .setShort(EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_MODE, 1)
        .setShort(EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS, 400)
        .setSRational(EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_BIAS_VALUE, -2, 3)
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_MAX_APERTURE_VALUE, 3, 1)
        .setShort(EXIF_IFD_EXIF, EXIF_TAG_FLASH, 1)
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, 50, 1)
        .setShort(EXIF_IFD_EXIF, EXIF_TAG_WHITE_BALANCE, 1)
        .setShort(EXIF_IFD_EXIF, EXIF_TAG_METERING_MODE, 5);
    const QString path = photo("camera.jpg", builder.block());
    QVERIFY(!path.isEmpty());

    const ZomExifInfo exif(path);
    QVERIFY(exif.isValid());
    QCOMPARE(exif.Orientation(), 6);
    QCOMPARE(exif.property(ZomExifInfo::EquipmentMake), QStringLiteral("Maker Co"));
    QCOMPARE(exif.property(ZomExifInfo::CameraModel), QStringLiteral("Model X100"));
    QCOMPARE(exif.property(ZomExifInfo::Software), QStringLiteral("Firmware 1.2"));
    QCOMPARE(exif.property(ZomExifInfo::OrientationName), QStringLiteral("Right-top"));
    QCOMPARE(exif.property(ZomExifInfo::DateTime), QStringLiteral("2024:05:01 12:34:56"));
    QCOMPARE(exif.property(ZomExifInfo::CompressedBitsPerPixel), QStringLiteral("5"));
    QCOMPARE(exif.property(ZomExifInfo::ExposureTime), QStringLiteral("1/250 sec."));
    QCOMPARE(exif.property(ZomExifInfo::FNumber), QStringLiteral("f/4.0"));
    QCOMPARE(exif.property(ZomExifInfo::ExposureMode), QStringLiteral("Manual exposure"));
    QCOMPARE(exif.property(ZomExifInfo::IsoSpeed), QStringLiteral("400"));
    QCOMPARE(exif.property(ZomExifInfo::ExposureBias), QStringLiteral("-0.67 EV"));
    QVERIFY2(exif.property(ZomExifInfo::MaxAperture).startsWith(QStringLiteral("3.00 EV")),
             qPrintable(exif.property(ZomExifInfo::MaxAperture)));
    QCOMPARE(exif.property(ZomExifInfo::Flash), QStringLiteral("Flash fired"));
    QCOMPARE(exif.property(ZomExifInfo::FocalLength), QStringLiteral("50.0 mm"));
    QCOMPARE(exif.property(ZomExifInfo::WhiteBalance), QStringLiteral("Manual white balance"));
    QCOMPARE(exif.property(ZomExifInfo::MeteringMode), QStringLiteral("Pattern"));

    QVERIFY(exif.property(-1).isNull());
    QVERIFY(exif.property(ZomExifInfo::PropertyTypeCount).isNull());
}

void TstZomExifInfo::dateFallsBackToOriginalTime()
{
    ExifBuilder builder;
    builder.setAscii(EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, "2023:01:02 03:04:05");
    const QString path = photo("original-time.jpg", builder.block());
    QVERIFY(!path.isEmpty());
    const ZomExifInfo exif(path);
    QCOMPARE(exif.property(ZomExifInfo::DateTime), QStringLiteral("2023:01:02 03:04:05"));
    QCOMPARE(exif.Orientation(), 0);
    QVERIFY(exif.property(ZomExifInfo::EquipmentMake).isEmpty());
}

void TstZomExifInfo::orientationTag_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("tag");
    for (int tag = 0; tag <= 9; ++tag) {
        QTest::addRow("intel-%d", tag) << int(EXIF_BYTE_ORDER_INTEL) << tag;
        QTest::addRow("motorola-%d", tag) << int(EXIF_BYTE_ORDER_MOTOROLA) << tag;
    }
    QTest::addRow("motorola-large") << int(EXIF_BYTE_ORDER_MOTOROLA) << 0x0106;
}

void TstZomExifInfo::orientationTag()
{
    QFETCH(int, order);
    QFETCH(int, tag);
    ExifBuilder builder(static_cast<ExifByteOrder>(order));
    builder.setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, quint16(tag));
    const QString path
        = photo(QStringLiteral("tag-%1-%2.jpg").arg(order).arg(tag), builder.block());
    QVERIFY(!path.isEmpty());
    const ZomExifInfo exif(path);
    QVERIFY(exif.isValid());
    // Values outside 1..8 come back as they are; the story board treats them as "no tag".
    QCOMPARE(exif.Orientation(), tag);
}

void TstZomExifInfo::thumbnailOrientationIsNotThePhotos()
{
    ExifBuilder builder;
    builder.setShort(EXIF_IFD_1, EXIF_TAG_ORIENTATION, 8)
        .setAscii(EXIF_IFD_0, EXIF_TAG_MAKE, "Maker Co");
    const QString path = photo("thumb-orientation.jpg", builder.block());
    QVERIFY(!path.isEmpty());
    const ZomExifInfo exif(path);
    QCOMPARE(exif.property(ZomExifInfo::EquipmentMake), QStringLiteral("Maker Co"));
    QCOMPARE(exif.Orientation(), 0);
}

void TstZomExifInfo::noCameraData_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "png");
    }
    QTest::newRow("zero-byte") << QByteArray();
    QTest::newRow("text") << QByteArray("this is not a photo\n");
    QTest::newRow("png") << png;
    QTest::newRow("jpeg-without-camera-data") << jpegWithExif(image, QByteArray());
    QTest::newRow("only-start-marker") << QByteArray("\xFF\xD8", 2);
    QTest::newRow("app1-not-exif") << QByteArray("\xFF\xD8\xFF\xE1\x00\x08XMP\0\0\0", 12);
}

void TstZomExifInfo::noCameraData()
{
    QFETCH(QByteArray, bytes);
    const QString path = dir.filePath(QStringLiteral("none-%1.jpg").arg(QTest::currentDataTag()));
    QVERIFY(writeFile(path, bytes));
    const ZomExifInfo exif(path);
    QVERIFY(!exif.isValid());
    QCOMPARE(exif.Orientation(), 0);
    for (int i = 0; i < ZomExifInfo::PropertyTypeCount; ++i)
        QVERIFY(exif.property(i).isEmpty());

    QVERIFY(!ZomExifInfo(dir.filePath("missing.jpg")).isValid());
}

void TstZomExifInfo::blockFromAContainer()
{
    // A block as a HEIF file holds it, handed over without any JPEG around it.
    const QByteArray block = ExifBuilder(EXIF_BYTE_ORDER_MOTOROLA)
                                 .setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 6)
                                 .setAscii(EXIF_IFD_0, EXIF_TAG_MODEL, "Pocket 12")
                                 .block();
    ZomExifInfo exif;
    QVERIFY(exif.openData(block));
    QCOMPARE(exif.Orientation(), 6);
    QCOMPARE(exif.property(ZomExifInfo::CameraModel), QStringLiteral("Pocket 12"));

    // Not a camera-data block: a whole JPEG, nothing, or the TIFF structure without its header.
    for (const QByteArray &other : {jpegWithExif(image, block), QByteArray(), block.mid(6)}) {
        QVERIFY(!exif.openData(other));
        QCOMPARE(exif.Orientation(), 0);
        QVERIFY(exif.property(ZomExifInfo::CameraModel).isEmpty());
    }
    for (int length = 6; length < block.size(); ++length) {
        exif.openData(block.left(length));
        QVERIFY(exif.Orientation() == 0 || exif.Orientation() == 6);
    }
}

void TstZomExifInfo::damagedBlockNeverCrashes()
{
    ExifBuilder builder(EXIF_BYTE_ORDER_MOTOROLA);
    builder.setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 3)
        .setAscii(EXIF_IFD_0, EXIF_TAG_MAKE, "Maker Co")
        .setAscii(EXIF_IFD_0, EXIF_TAG_MODEL, "Model X100")
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, 1, 60)
        .setRational(EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, 28, 10);
    const QByteArray block = builder.block();
    QVERIFY(block.size() > 40);

    // Cut the block short at every length: the segment stays well formed, its content ends
    // early, and offsets point past the end.
    for (int length = 0; length < block.size(); ++length) {
        const QString path = photo(QStringLiteral("cut-%1.jpg").arg(length), block.left(length));
        QVERIFY(!path.isEmpty());
        const ZomExifInfo exif(path);
        QVERIFY2(exif.Orientation() == 0 || exif.Orientation() == 3, qPrintable(path));
        QFile::remove(path);
    }

    // Overwrite bytes of the structure with noise, many times over.
    QRandomGenerator random(20240501);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = block;
        const int hits = 1 + int(random.bounded(8));
        for (int i = 0; i < hits; ++i)
            damaged[6 + int(random.bounded(damaged.size() - 6))] = char(random.bounded(256));
        const QString path = photo(QStringLiteral("noise-%1.jpg").arg(round), damaged);
        QVERIFY(!path.isEmpty());
        const ZomExifInfo exif(path);
        for (int i = 0; i < ZomExifInfo::PropertyTypeCount; ++i)
            QVERIFY(exif.property(i).size() < 1024);
        QFile::remove(path);
    }

    // A segment whose declared length runs past the end of the file.
    QByteArray overlong = QByteArray("\xFF\xD8\xFF\xE1\xFF\xF0", 6) + block;
    const QString path = dir.filePath("overlong.jpg");
    QVERIFY(writeFile(path, overlong));
    const ZomExifInfo exif(path);
    QVERIFY(exif.Orientation() == 0 || exif.Orientation() == 3);
}

QTEST_GUILESS_MAIN(TstZomExifInfo)
#include "tst_zomexifinfo.moc"
