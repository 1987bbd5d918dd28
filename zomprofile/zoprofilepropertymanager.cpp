// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoprofilepropertymanager.h"

#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The order items are shown in; keys not named here follow in key order.
const QStringList &preferredOrder()
{
    static const QStringList order = {
        "vcodec", "s",  "b",  "b/",      "r",    "aspect", "cbrorvbr", "vbrquality",
        "preset", "g",  "bf", "pix_fmt", "vtag", "pass",   "acodec",   "ab",
        "ab/",    "ar", "ac", "vol",     "an",   "t",      "ss",       "timedelay",
    };
    return order;
}

const QStringList &videoKeys()
{
    static const QStringList keys
        = {"vcodec",     "s",      "b", "b/", "r",       "aspect", "cbrorvbr",
           "vbrquality", "preset", "g", "bf", "pix_fmt", "vtag",   "pass"};
    return keys;
}

const QStringList &audioKeys()
{
    static const QStringList keys = {"acodec", "ab", "ab/", "ar", "ac", "vol", "an"};
    return keys;
}

// Bits per pixel of the three video levels, and the audio levels in kilobits per second.
constexpr std::array<double, 3> videoBitsPerPixel = {0.04, 0.08, 0.16};
constexpr std::array<int, 3> audioKilobits = {64, 128, 192};
constexpr double volumeUnitsPerPercent = 2.56;

ZoProperty::Kind kindOf(const QString &key, const QString &type)
{
    using Kind = ZoProperty::Kind;
    if (key == QLatin1String("vol"))
        return Kind::Percent;
    if (key == QLatin1String("timedelay"))
        return Kind::Seconds;
    if (type == QLatin1String("bool"))
        return Kind::Switch;
    if (type == QLatin1String("list"))
        return Kind::Choice;
    if (type == QLatin1String("bitrate"))
        return Kind::Bitrate;
    if (type == QLatin1String("size"))
        return Kind::Size;
    if (type == QLatin1String("rate"))
        return Kind::Rate;
    if (type == QLatin1String("int"))
        return Kind::Integer;
    return Kind::Text;
}

QString translated(const QString &label)
{
    return QCoreApplication::translate("ZoProfileManager", label.toUtf8().constData());
}

// Pixels per second of a "WxH" size at a rate; 640x480 at 25 when they cannot be read.
double pixelsPerSecond(const QString &size, const QString &rate)
{
    static const QRegularExpression sizePattern(QStringLiteral("^\\s*(\\d+)\\s*x\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch m = sizePattern.match(size);
    double pixels = 640.0 * 480.0;
    if (m.hasMatch() && m.captured(1).toInt() > 0 && m.captured(2).toInt() > 0)
        pixels = m.captured(1).toDouble() * m.captured(2).toDouble();
    QString r = rate.trimmed();
    if (r.endsWith(QLatin1String("fps"), Qt::CaseInsensitive))
        r.chop(3);
    bool ok = false;
    double fps = r.toDouble(&ok);
    if (!ok || !(fps > 0.0) || fps > 1000.0)
        fps = 25.0;
    return pixels * fps;
}

} // namespace

QStringList ZoProfilePropertyManager::qualityLevels()
{
    return {QCoreApplication::translate("ZoProfilePropertyManager", "Low Quality"),
            QCoreApplication::translate("ZoProfilePropertyManager", "Normal Quality"),
            QCoreApplication::translate("ZoProfilePropertyManager", "High Quality")};
}

QString ZoProfilePropertyManager::customQuality()
{
    return QCoreApplication::translate("ZoProfilePropertyManager", "Custom...");
}

std::shared_ptr<ZoProperty> ZoProfilePropertyManager::buildTree(const ZomProfileData &data)
{
    const ZoProfileManager *manager = ZoProfileManager::instance();
    auto root = std::make_shared<ZoProperty>(QString(), QString(), ZoProperty::Kind::Category);
    const auto category = [&root](const char *name) {
        return new ZoProperty(QLatin1String(name),
                              QCoreApplication::translate("ZoProfilePropertyManager", name),
                              ZoProperty::Kind::Category, root.get());
    };
    ZoProperty *video = category(QT_TRANSLATE_NOOP("ZoProfilePropertyManager", "Video"));
    ZoProperty *audio = category(QT_TRANSLATE_NOOP("ZoProfilePropertyManager", "Audio"));
    ZoProperty *metadata = category(QT_TRANSLATE_NOOP("ZoProfilePropertyManager", "Metadata"));
    ZoProperty *other = category(QT_TRANSLATE_NOOP("ZoProfilePropertyManager", "Other"));

    QStringList keys;
    for (auto it = data.values().constBegin(); it != data.values().constEnd(); ++it) {
        if (!manager->itemInfo(it.key()).hidden && !it.key().contains(QLatin1Char('/')))
            keys.append(it.key());
    }
    if (keys.contains(QLatin1String("b")))
        keys.append(QStringLiteral("b/"));
    if (keys.contains(QLatin1String("ab")))
        keys.append(QStringLiteral("ab/"));
    std::stable_sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) {
        const qsizetype ia = preferredOrder().indexOf(a);
        const qsizetype ib = preferredOrder().indexOf(b);
        if (ia != ib)
            return ia >= 0 && (ib < 0 || ia < ib);
        return a < b;
    });

    for (const QString &key : std::as_const(keys)) {
        ZoProperty *parent = other;
        if (videoKeys().contains(key))
            parent = video;
        else if (audioKeys().contains(key))
            parent = audio;

        if (key.endsWith(QLatin1Char('/'))) {
            const bool isVideo = key == QLatin1String("b/");
            auto *item = new ZoProperty(
                key,
                isVideo ? QCoreApplication::translate("ZoProfilePropertyManager", "Picture Quality")
                        : QCoreApplication::translate("ZoProfilePropertyManager", "Sound Quality"),
                ZoProperty::Kind::Quality, parent);
            item->setSimple(true);
            QStringList choices = qualityLevels();
            if (isVideo)
                choices.append(customQuality());
            item->setChoices(choices);
            const int kbps
                = kilobits(data.text(isVideo ? QStringLiteral("b") : QStringLiteral("ab")));
            item->setValue(isVideo ? videoQuality(kbps, data.text(QStringLiteral("s")),
                                                  data.text(QStringLiteral("r")))
                                   : audioQuality(kbps));
            continue;
        }

        const ZoProfileItemInfo info = manager->itemInfo(key);
        if (info.type == QLatin1String("metadata"))
            parent = metadata;
        auto *item = new ZoProperty(key, translated(info.label), kindOf(key, info.type), parent);
        item->setSimple(info.simple);
        QStringList choices = manager->itemChoices(data.id(), key);
        const QString value = data.value(key).typeId() == QMetaType::Bool
            ? (data.value(key).toBool() ? QStringLiteral("true") : QStringLiteral("false"))
            : data.text(key);
        if (!value.isEmpty() && !choices.contains(value) && item->kind() != ZoProperty::Kind::Text)
            choices.prepend(value);
        item->setChoices(choices);
        item->setValue(value);
    }
    for (ZoProperty *group : {video, audio, metadata, other}) {
        if (group->childProperties().isEmpty())
            delete group;
    }
    return root;
}

QString ZoProfilePropertyManager::propertyValue(const ZoProperty *property)
{
    return property ? property->value() : QString();
}

void ZoProfilePropertyManager::setPropertyText(ZoProperty *property, const QString &text)
{
    if (!property)
        return;
    QString value = text.trimmed();
    switch (property->kind()) {
    case ZoProperty::Kind::Percent:
        if (value.endsWith(QLatin1Char('%'))) {
            value.chop(1);
            bool ok = false;
            const double percent = value.toDouble(&ok);
            if (!ok)
                return;
            value = QString::number(qRound(percent * volumeUnitsPerPercent));
        }
        break;
    case ZoProperty::Kind::Seconds:
        if (value.endsWith(QLatin1Char('s')))
            value.chop(1);
        break;
    default:
        break;
    }
    property->setValue(value);
}

void ZoProfilePropertyManager::writeProfileData(const ZoProperty *root, ZomProfileData &data)
{
    if (!root)
        return;
    for (const ZoProperty *item : root->items()) {
        if (item->kind() != ZoProperty::Kind::Quality)
            data.setValue(item->key(), item->value());
    }
}

QString ZoProfilePropertyManager::videoQuality(int kbps, const QString &size, const QString &rate)
{
    const double bitsPerPixel = kbps * 1000.0 / pixelsPerSecond(size, rate);
    // Each level covers the bits per pixel up to the geometric middle between it and the next.
    int level = 0;
    while (level < 2
           && bitsPerPixel >= std::sqrt(videoBitsPerPixel[level] * videoBitsPerPixel[level + 1]))
        ++level;
    return qualityLevels().at(level);
}

int ZoProfilePropertyManager::videoBitrateFor(const QString &level, const QString &size,
                                              const QString &rate)
{
    const qsizetype index = qualityLevels().indexOf(level);
    if (index < 0)
        return 0;
    const double kbps = videoBitsPerPixel[index] * pixelsPerSecond(size, rate) / 1000.0;
    return std::max(10, static_cast<int>(std::lround(kbps / 10.0)) * 10);
}

QString ZoProfilePropertyManager::audioQuality(int kbps)
{
    int level = 0;
    while (level < 2 && kbps >= (audioKilobits[level] + audioKilobits[level + 1]) / 2)
        ++level;
    return qualityLevels().at(level);
}

int ZoProfilePropertyManager::audioBitrateFor(const QString &level)
{
    const qsizetype index = qualityLevels().indexOf(level);
    return index < 0 ? 0 : audioKilobits[index];
}

int ZoProfilePropertyManager::kilobits(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d+)"));
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}
