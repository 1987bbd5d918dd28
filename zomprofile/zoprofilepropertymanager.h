// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zomprofile/zoproperty.h"

#include <QStringList>
#include <memory>

class ZomProfileData;

// Builds the property tree of a profile and converts between what the editors show and the
// values the encoder reads.
class ZoProfilePropertyManager
{
public:
    // The quality levels of the "b/" and "ab/" items, lowest first.
    static QStringList qualityLevels();
    // The entry of "b/" that opens the bit-rate calculator instead of choosing a level.
    static QString customQuality();

    // A category per kind of value (video, audio, metadata, other) holding one item per shown
    // value of data, plus a quality item next to each of "b" and "ab".
    static std::shared_ptr<ZoProperty> buildTree(const ZomProfileData &data);

    // The property's value as the encoder reads it ("256" for a volume shown as 100%).
    static QString propertyValue(const ZoProperty *property);
    // Takes an edited or normalised text ("150%", "3s", "768K") as the property's value.
    static void setPropertyText(ZoProperty *property, const QString &text);

    // Writes every item's value into data (quality items are not profile values).
    static void writeProfileData(const ZoProperty *root, ZomProfileData &data);

    // Quality levels: video by bits per pixel at the frame size and rate, audio by kilobits.
    static QString videoQuality(int kbps, const QString &size, const QString &rate);
    static int videoBitrateFor(const QString &level, const QString &size, const QString &rate);
    static QString audioQuality(int kbps);
    static int audioBitrateFor(const QString &level);
    // The kilobits of a bit-rate text ("768K", "768k", "768"); 0 when it has none.
    static int kilobits(const QString &text);
};
