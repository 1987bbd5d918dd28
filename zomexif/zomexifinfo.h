// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The camera data of one photo file: its orientation tag and display texts of the camera
// properties, read once by open(). A value type; instances are independent, so different
// threads may each use their own.
class ZomExifInfo
{
public:
    // Property types for property(). The order is fixed: the story board stores the texts by
    // these numbers and the properties dialog picks them by number.
    enum PropertyType {
        EquipmentMake = 0,
        CameraModel = 1,
        Software = 2,
        OrientationName = 3,
        DateTime = 4,
        CompressedBitsPerPixel = 5,
        ExposureTime = 6,
        FNumber = 7,
        ExposureMode = 8,
        IsoSpeed = 9,
        ExposureBias = 10,
        MaxAperture = 11,
        Flash = 12,
        FocalLength = 13,
        WhiteBalance = 14,
        MeteringMode = 15,
        PropertyTypeCount = 16
    };

    ZomExifInfo() = default;
    explicit ZomExifInfo(const QString &path) { open(path); }

    // Reads the camera data of a photo file; false (and no data) when the file cannot be read
    // or holds no readable camera data. Damaged camera data yields whatever entries survive.
    bool open(const QString &path);
    // The same for a camera-data block taken from a container by its own reader: "Exif\0\0"
    // and the TIFF structure (the APP1 body of a JPEG, the Exif item of a HEIF file).
    bool openData(const QByteArray &block);
    bool isValid() const { return valid; }

    // The orientation tag of the photo, 1..8; 0 when the photo has none (or an unusable one).
    // Values outside 1..8 found in the file are returned as they are.
    int Orientation() const { return orientation; }
    // The display text of a property type ("1/250 sec.", "f/4.0"); empty when the photo does
    // not carry that property or the type is out of range.
    QString property(int type) const;
    // The photo's own description (the ImageDescription tag), trimmed; empty when it has none.
    QString description() const { return descriptionText; }

private:
    bool load(const unsigned char *block, unsigned int size);

    bool valid = false;
    int orientation = 0;
    QStringList texts;
    QString descriptionText;
};
