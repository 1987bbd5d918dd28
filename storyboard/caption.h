// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

// Where a caption sits in the frame's safe area.
enum class CaptionAnchor {
    TopLeft = 0,
    Top = 1,
    TopRight = 2,
    Left = 3,
    Centre = 4,
    Right = 5,
    BottomLeft = 6,
    Bottom = 7,
    BottomRight = 8,
};

// The starting points of a caption's look; choosing one sets every field of a CaptionStyle.
enum class CaptionPreset { Plain = 0, Band = 1, Outline = 2, Handwritten = 3 };

// How caption text is drawn. Sizes are fractions of the frame height, so that a caption keeps its
// place and weight at every frame size.
struct CaptionStyle
{
    static constexpr double MinSize = 0.02;
    static constexpr double MaxSize = 0.2;

    CaptionPreset preset = CaptionPreset::Plain;
    QString family; // empty: the toolkit's sans-serif
    double size = 0.055; // text height over frame height
    bool bold = false;
    QColor colour = Qt::white;
    bool outline = false;
    QColor outlineColour = Qt::black;
    bool shadow = true;
    bool box = false;
    QColor boxColour = QColor(0, 0, 0, 160);

    bool operator==(const CaptionStyle &other) const = default;

    static CaptionStyle fromPreset(CaptionPreset which);
    // The family the handwritten preset uses: the first installed of a few script-like families,
    // or empty.
    static QString handwrittenFamily();
};

// A photo's caption: one or more lines, its place, and its own style or the show's.
struct Caption
{
    static constexpr int MaxLength = 500;
    static constexpr int MaxLines = 6;

    QString text;
    CaptionAnchor anchor = CaptionAnchor::Bottom;
    bool ownStyle = false;
    CaptionStyle style;

    bool operator==(const Caption &other) const = default;
    bool isEmpty() const { return text.trimmed().isEmpty(); }
};

// The text cut to MaxLength characters and MaxLines lines, with line ends as "\n" and the
// characters that have no business in a caption (controls other than the line end) removed.
QString boundedCaptionText(const QString &text);

// The names the show file gives anchors and presets, in enum order.
const QStringList &captionAnchorNames();
const QStringList &captionPresetNames();

// The part of a frame where text stays clear of the edges and, in tall and square frames, of
// what phone apps lay over the top, bottom and right of a video.
QRectF captionSafeArea(QSize frame);

// WCAG's relative luminance of an sRGB colour and contrast ratio of two luminances.
double relativeLuminance(const QColor &colour);
double contrastRatio(double luminanceA, double luminanceB);
// The linear light of an encoded sRGB value (0 to 1).
double srgbToLinear(double encoded);
// The luminance of above laid over below with share (0 to 1) of above, blended as the drawer
// blends: on the encoded values.
double blendedLuminance(double above, double below, double share);

// The style made to keep a contrast of 4.5 : 1 against a background whose luminances lie between
// darkest and lightest: as it is where it does, else with an outline that does against all of the
// background, else with a box behind the text, made opaque enough.
CaptionStyle readableStyle(const CaptionStyle &style, double darkest, double lightest);
