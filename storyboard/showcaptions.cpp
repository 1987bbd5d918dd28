// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/showcaptions.h"

#include <QCoreApplication>
#include <QJsonValue>
#include <cmath>
#include <limits>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ShowFile", text);
}

bool fail(QString *error, const QString &what)
{
    if (error)
        *error = what;
    return false;
}

bool readText(const QJsonObject &o, const QString &key, QString &value, QString *error)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined())
        return true;
    if (!v.isString())
        return fail(error, tr("\"%1\" must be a text").arg(key));
    value = v.toString();
    return true;
}

bool readBool(const QJsonObject &o, const QString &key, bool &value, QString *error)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined())
        return true;
    if (!v.isBool())
        return fail(error, tr("\"%1\" must be true or false").arg(key));
    value = v.toBool();
    return true;
}

bool readColour(const QJsonObject &o, const QString &key, QColor &value, QString *error)
{
    QString name;
    if (!readText(o, key, name, error))
        return false;
    if (!o.contains(key))
        return true;
    const QColor colour = QColor::fromString(name);
    if (!name.startsWith(QLatin1Char('#')) || !colour.isValid())
        return fail(error, tr("\"%1\" must be a colour such as \"#ffffff\"").arg(key));
    value = colour;
    return true;
}

// A name a later version may have added is read as the default.
template<typename Enum>
bool readChoice(const QJsonObject &o, const QString &key, const QStringList &names, Enum &value,
                QString *error)
{
    QString name;
    if (!readText(o, key, name, error))
        return false;
    const qsizetype index = names.indexOf(name);
    if (index >= 0)
        value = static_cast<Enum>(index);
    return true;
}

QString colourName(const QColor &colour)
{
    return colour.alpha() == 255 ? colour.name(QColor::HexRgb) : colour.name(QColor::HexArgb);
}

} // namespace

bool readCaptionStyle(const QJsonValue &value, CaptionStyle &style, QString *error)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return fail(error, tr("must be an object"));
    const QJsonObject o = value.toObject();
    CaptionStyle read;
    if (!readChoice(o, QStringLiteral("preset"), captionPresetNames(), read.preset, error)
        || !readText(o, QStringLiteral("font"), read.family, error)
        || !readBool(o, QStringLiteral("bold"), read.bold, error)
        || !readColour(o, QStringLiteral("colour"), read.colour, error)
        || !readBool(o, QStringLiteral("outline"), read.outline, error)
        || !readColour(o, QStringLiteral("outlineColour"), read.outlineColour, error)
        || !readBool(o, QStringLiteral("shadow"), read.shadow, error)
        || !readBool(o, QStringLiteral("box"), read.box, error)
        || !readColour(o, QStringLiteral("boxColour"), read.boxColour, error))
        return false;
    const QJsonValue size = o.value(QLatin1String("size"));
    if (!size.isUndefined()) {
        const double d = size.toDouble(std::numeric_limits<double>::quiet_NaN());
        if (!size.isDouble() || !std::isfinite(d) || d < CaptionStyle::MinSize
            || d > CaptionStyle::MaxSize)
            return fail(error,
                        tr("\"%1\" is %2, outside %3 to %4")
                            .arg(QStringLiteral("size"))
                            .arg(size.toVariant().toString())
                            .arg(CaptionStyle::MinSize)
                            .arg(CaptionStyle::MaxSize));
        read.size = d;
    }
    if (read.family.size() > 200 || read.family.contains(QChar(0)))
        return fail(error, tr("\"%1\" must be a text").arg(QStringLiteral("font")));
    style = read;
    return true;
}

bool readCaption(const QJsonValue &value, Caption &caption, QString *error)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return fail(error, tr("must be an object"));
    const QJsonObject o = value.toObject();
    Caption read;
    if (!readText(o, QStringLiteral("text"), read.text, error)
        || !readChoice(o, QStringLiteral("anchor"), captionAnchorNames(), read.anchor, error))
        return false;
    // Longer text is kept to what a caption holds rather than refusing the show.
    read.text = boundedCaptionText(read.text);
    const QJsonValue style = o.value(QLatin1String("style"));
    read.ownStyle = !style.isUndefined();
    if (!readCaptionStyle(style, read.style, error)) {
        if (error)
            *error = QStringLiteral("style: %1").arg(*error);
        return false;
    }
    caption = read;
    return true;
}

QJsonObject captionStyleObject(const CaptionStyle &style)
{
    if (style == CaptionStyle())
        return QJsonObject();
    QJsonObject o {
        {QStringLiteral("preset"), captionPresetNames().value(int(style.preset))},
        {QStringLiteral("size"), style.size},
        {QStringLiteral("bold"), style.bold},
        {QStringLiteral("colour"), colourName(style.colour)},
        {QStringLiteral("outline"), style.outline},
        {QStringLiteral("outlineColour"), colourName(style.outlineColour)},
        {QStringLiteral("shadow"), style.shadow},
        {QStringLiteral("box"), style.box},
        {QStringLiteral("boxColour"), colourName(style.boxColour)},
    };
    if (!style.family.isEmpty())
        o.insert(QStringLiteral("font"), style.family);
    return o;
}

QJsonObject captionObject(const Caption &caption)
{
    if (caption.text.isEmpty())
        return QJsonObject();
    QJsonObject o {{QStringLiteral("text"), caption.text}};
    if (caption.anchor != CaptionAnchor::Bottom)
        o.insert(QStringLiteral("anchor"), captionAnchorNames().value(int(caption.anchor)));
    if (caption.ownStyle) {
        // An own style equal to the default is still the photo's own, so it is written whole.
        QJsonObject style = captionStyleObject(caption.style);
        if (style.isEmpty())
            style.insert(QStringLiteral("preset"), captionPresetNames().value(0));
        o.insert(QStringLiteral("style"), style);
    }
    return o;
}

namespace {

const QStringList backgroundNames
    = {QStringLiteral("colour"), QStringLiteral("gradient"), QStringLiteral("blur")};

} // namespace

bool readTitleCard(const QJsonValue &value, TitleCard &card, bool *isCard, QString *error)
{
    if (value.isUndefined())
        return true;
    if (!value.isObject())
        return fail(error, tr("must be an object"));
    const QJsonObject o = value.toObject();
    TitleCard read;
    if (!readChoice(o, QStringLiteral("background"), backgroundNames, read.background, error)
        || !readColour(o, QStringLiteral("colour"), read.colour, error)
        || !readColour(o, QStringLiteral("colour2"), read.colour2, error)
        || !readText(o, QStringLiteral("photo"), read.photo, error))
        return false;
    card = read;
    if (isCard)
        *isCard = true;
    return true;
}

QJsonObject titleCardObject(const TitleCard &card)
{
    QJsonObject o {
        {QStringLiteral("background"), backgroundNames.value(int(card.background))},
        {QStringLiteral("colour"), colourName(card.colour)},
        {QStringLiteral("colour2"), colourName(card.colour2)},
    };
    if (card.background == TitleCard::Background::BlurredPhoto)
        o.insert(QStringLiteral("photo"), card.photo);
    return o;
}
