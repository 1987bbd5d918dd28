// SPDX-License-Identifier: GPL-3.0-or-later
// A photo's own description for its caption: which of XMP, IPTC and the camera data wins, what
// counts as none, and text in either encoding IPTC is found in.
#include "zomexif/photodescription.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// The fixture writes the metadata with the same library the reader uses; its headers still name
// std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

namespace {

// A JPEG with the given descriptions; an empty one is left out.
bool writePhoto(const QString &path, const QString &xmp, const QByteArray &iptc,
                const QString &exif)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (!image.save(path, "JPEG"))
        return false;
    try {
        Exiv2::Image::AutoPtr file = Exiv2::ImageFactory::open(path.toStdString());
        file->readMetadata();
        if (!xmp.isEmpty()) {
            Exiv2::Value::AutoPtr value = Exiv2::Value::create(Exiv2::langAlt);
            value->read("lang=x-default " + xmp.toStdString());
            file->xmpData().add(Exiv2::XmpKey("Xmp.dc.description"), value.get());
        }
        if (!iptc.isEmpty())
            file->iptcData()["Iptc.Application2.Caption"] = iptc.toStdString();
        if (!exif.isEmpty())
            file->exifData()["Exif.Image.ImageDescription"] = exif.toStdString();
        file->writeMetadata();
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

} // namespace

#pragma GCC diagnostic pop

class TestPhotoDescription : public QObject
{
    Q_OBJECT

private slots:
    void description_data();
    void description();
    void unreadableFile();
};

void TestPhotoDescription::description_data()
{
    QTest::addColumn<QString>("xmp");
    QTest::addColumn<QByteArray>("iptc");
    QTest::addColumn<QString>("exif");
    QTest::addColumn<QString>("expected");
    QTest::newRow("XMP first") << QStringLiteral("Am Strand") << QByteArray("On the beach")
                               << QStringLiteral("beach") << QStringLiteral("Am Strand");
    QTest::newRow("IPTC before the camera data")
        << QString() << QByteArray("On the beach") << QStringLiteral("beach")
        << QStringLiteral("On the beach");
    QTest::newRow("camera data alone")
        << QString() << QByteArray() << QStringLiteral("  Grandma  ") << QStringLiteral("Grandma");
    QTest::newRow("a camera's placeholder is none")
        << QString() << QByteArray() << QStringLiteral("DIGITAL CAMERA") << QString();
    QTest::newRow("a placeholder in XMP gives way to IPTC")
        << QStringLiteral("DSC") << QByteArray("Harbour") << QString() << QStringLiteral("Harbour");
    QTest::newRow("IPTC in UTF-8") << QString() << QByteArray("Caf\xC3\xA9 \xE2\x98\x95")
                                   << QString() << QString::fromUtf8("Caf\xC3\xA9 \xE2\x98\x95");
    QTest::newRow("IPTC in Latin-1")
        << QString() << QByteArray("Caf\xE9") << QString() << QString::fromUtf8("Caf\xC3\xA9");
    QTest::newRow("XMP in Hebrew")
        << QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D") << QByteArray() << QString()
        << QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D");
    QTest::newRow("nothing") << QString() << QByteArray() << QString() << QString();
}

void TestPhotoDescription::description()
{
    QFETCH(QString, xmp);
    QFETCH(QByteArray, iptc);
    QFETCH(QString, exif);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(writePhoto(path, xmp, iptc, exif));
    QCOMPARE(photoDescription(path), expected);
}

void TestPhotoDescription::unreadableFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xD8\xFF\xE1\x00\x10"
               "Exif\x00\x00garbage",
               18);
    file.close();
    QCOMPARE(photoDescription(path), QString());
    QCOMPARE(photoDescription(dir.filePath(QStringLiteral("missing.jpg"))), QString());
}

QTEST_MAIN(TestPhotoDescription)
#include "tst_photodescription.moc"
