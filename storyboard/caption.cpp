// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/caption.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>

CaptionStyle CaptionStyle::fromPreset(CaptionPreset which)
{
    CaptionStyle style;
    style.preset = which;
    switch (which) {
    case CaptionPreset::Plain:
        break;
    case CaptionPreset::Band:
        style.shadow = false;
        style.box = true;
        break;
    case CaptionPreset::Outline:
        style.bold = true;
        style.shadow = false;
        style.outline = true;
        style.size = 0.065;
        break;
    case CaptionPreset::Handwritten:
        style.family = handwrittenFamily();
        style.size = 0.07;
        break;
    }
    return style;
}

QString CaptionStyle::handwrittenFamily()
{
    // Script-like families that Debian packages; the first one installed wins.
    static const QStringList candidates = {
        QStringLiteral("Z003"),   QStringLiteral("URW Chancery L"),
        QStringLiteral("Purisa"), QStringLiteral("Comic Neue"),
        QStringLiteral("Kalam"),  QStringLiteral("Dancing Script"),
    };
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : candidates) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return QString();
}

QString boundedCaptionText(const QString &text)
{
    QString clean;
    clean.reserve(std::min<qsizetype>(text.size(), Caption::MaxLength));
    int lines = 1;
    for (qsizetype i = 0; i < text.size() && clean.size() < Caption::MaxLength; ++i) {
        QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                continue;
            c = QLatin1Char('\n');
        }
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char('\n');
        if (c == QLatin1Char('\n')) {
            if (++lines > Caption::MaxLines)
                break;
            clean.append(c);
            continue;
        }
        if (c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
        // A surrogate pair is kept whole or not at all.
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                continue;
            if (clean.size() + 2 > Caption::MaxLength)
                break;
            clean.append(c);
            clean.append(text.at(++i));
            continue;
        }
        if (c.category() == QChar::Other_Control || c.isLowSurrogate())
            continue;
        clean.append(c);
    }
    return clean;
}

const QStringList &captionAnchorNames()
{
    static const QStringList names = {
        QStringLiteral("topLeft"),    QStringLiteral("top"),    QStringLiteral("topRight"),
        QStringLiteral("left"),       QStringLiteral("centre"), QStringLiteral("right"),
        QStringLiteral("bottomLeft"), QStringLiteral("bottom"), QStringLiteral("bottomRight"),
    };
    return names;
}

const QStringList &captionPresetNames()
{
    static const QStringList names = {QStringLiteral("plain"), QStringLiteral("band"),
                                      QStringLiteral("outline"), QStringLiteral("handwritten")};
    return names;
}

QRectF captionSafeArea(QSize frame)
{
    const double w = frame.width();
    const double h = frame.height();
    if (w <= 0 || h <= 0)
        return QRectF();
    const double aspect = w / h;
    // Margins as fractions of the frame: left, top, right, bottom. Wide frames keep the usual
    // title margin; tall frames keep clear of the account line and buttons that phone apps lay
    // over the top, the bottom and the right edge; square frames of a smaller share of them.
    double left = 0.05, top = 0.05, right = 0.05, bottom = 0.05;
    if (aspect < 0.8) {
        left = 0.06;
        top = 0.14;
        right = 0.16;
        bottom = 0.22;
    } else if (aspect < 1.25) {
        left = 0.06;
        top = 0.08;
        right = 0.10;
        bottom = 0.14;
    }
    return QRectF(w * left, h * top, w * (1.0 - left - right), h * (1.0 - top - bottom));
}

double srgbToLinear(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double blendedLuminance(double above, double below, double share)
{
    const auto toEncoded = [](double l) {
        return l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
    };
    return srgbToLinear(share * toEncoded(above) + (1.0 - share) * toEncoded(below));
}

namespace {

// The luminance of a background of luminance under a box of colour with its alpha.
double underBox(double luminance, const QColor &box)
{
    return blendedLuminance(relativeLuminance(box), luminance, box.alphaF());
}

constexpr double MinContrast = 4.5;
constexpr int DefaultBoxAlpha = 160;

// The lowest contrast of luminance against any luminance from dark to light: none when it lies
// among them.
double worstContrast(double luminance, double dark, double light)
{
    if (luminance >= dark && luminance <= light)
        return 1.0;
    return std::min(contrastRatio(luminance, dark), contrastRatio(luminance, light));
}

// The lowest contrast any luminance from dark to light has with whichever of text and outline
// stands out more from it: every letter's edge is then seen, by its fill or by its outline.
// Against text lighter than its outline the better of the two falls as the background brightens
// up to where both are equal, and rises after; so the worst lies there or at an end of the range.
double worstEdgeContrast(double text, double outline, double dark, double light)
{
    const double equal = std::sqrt((text + 0.05) * (outline + 0.05)) - 0.05;
    const double worst = std::clamp(equal, dark, light);
    return std::max(contrastRatio(text, worst), contrastRatio(outline, worst));
}

} // namespace

double relativeLuminance(const QColor &colour)
{
    const QColor c = colour.toRgb();
    return 0.2126 * srgbToLinear(c.redF()) + 0.7152 * srgbToLinear(c.greenF())
        + 0.0722 * srgbToLinear(c.blueF());
}

double contrastRatio(double luminanceA, double luminanceB)
{
    const double light = std::max(luminanceA, luminanceB);
    const double dark = std::min(luminanceA, luminanceB);
    return (light + 0.05) / (dark + 0.05);
}

CaptionStyle readableStyle(const CaptionStyle &style, double darkest, double lightest)
{
    const double text = relativeLuminance(style.colour);
    const double boxDark = style.box ? underBox(darkest, style.boxColour) : darkest;
    const double boxLight = style.box ? underBox(lightest, style.boxColour) : lightest;
    if (worstContrast(text, boxDark, boxLight) >= MinContrast)
        return style;
    // Black or white, whichever lies farther from the text: every colour reaches 4.5 : 1 with one.
    const QColor far = contrastRatio(text, 0.0) >= contrastRatio(text, 1.0) ? QColor(Qt::black)
                                                                            : QColor(Qt::white);
    // An outline stands out from the text, and wherever the text itself does not stand out from
    // the background the outline has to.
    const QColor outline = style.outline
            && contrastRatio(text, relativeLuminance(style.outlineColour)) >= MinContrast
        ? style.outlineColour
        : far;
    CaptionStyle readable = style;
    if (worstEdgeContrast(text, relativeLuminance(outline), boxDark, boxLight) >= MinContrast) {
        readable.outline = true;
        readable.outlineColour = outline;
        return readable;
    }
    // A background too busy for any outline gets a box of the colour farthest from the text,
    // made as opaque as it must be.
    QColor box = style.box && contrastRatio(text, relativeLuminance(style.boxColour)) >= MinContrast
        ? style.boxColour
        : far;
    box.setAlpha(std::max(style.box ? style.boxColour.alpha() : 0, DefaultBoxAlpha));
    while (box.alpha() < 255
           && worstContrast(text, underBox(darkest, box), underBox(lightest, box)) < MinContrast)
        box.setAlpha(std::min(255, box.alpha() + 16));
    readable.box = true;
    readable.boxColour = box;
    return readable;
}
