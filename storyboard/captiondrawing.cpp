// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/captiondrawing.h"

#include "storyboard/caption.h"
#include "storyboard/picture.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

// Proportions of the text's pixel size.
constexpr double BoxPadding = 0.35;
constexpr double OutlineWidth = 0.14;
constexpr double ShadowOffset = 0.05;
constexpr double ShadowBlur = 0.08;
constexpr double Reach = 0.5; // how far outline, shadow and box reach past the lines

Qt::Alignment horizontalOf(CaptionAnchor anchor)
{
    switch (anchor) {
    case CaptionAnchor::TopLeft:
    case CaptionAnchor::Left:
    case CaptionAnchor::BottomLeft:
        return Qt::AlignLeft;
    case CaptionAnchor::TopRight:
    case CaptionAnchor::Right:
    case CaptionAnchor::BottomRight:
        return Qt::AlignRight;
    default:
        return Qt::AlignHCenter;
    }
}

// A box blur of the alpha of a premultiplied black image, run twice each way.
void blurAlpha(QImage &image, int radius)
{
    if (radius < 1)
        return;
    const int w = image.width();
    const int h = image.height();
    std::vector<int> line(static_cast<size_t>(std::max(w, h)));
    const auto pass = [&](int count, int length, auto at) {
        for (int i = 0; i < count; ++i) {
            for (int j = 0; j < length; ++j)
                line[static_cast<size_t>(j)] = *at(i, j);
            int sum = 0;
            for (int j = -radius; j <= radius; ++j)
                sum += line[static_cast<size_t>(std::clamp(j, 0, length - 1))];
            for (int j = 0; j < length; ++j) {
                *at(i, j) = static_cast<uint8_t>(sum / (2 * radius + 1));
                sum += line[static_cast<size_t>(std::min(j + radius + 1, length - 1))];
                sum -= line[static_cast<size_t>(std::max(j - radius, 0))];
            }
        }
    };
    // Alpha is the fourth byte of a little-endian ARGB32 pixel.
    const auto alphaRow = [&](int y, int x) {
        return image.scanLine(y) + 4 * x + 3;
    };
    const auto alphaColumn = [&](int x, int y) {
        return image.scanLine(y) + 4 * x + 3;
    };
    for (int round = 0; round < 2; ++round) {
        pass(h, w, alphaRow);
        pass(w, h, alphaColumn);
    }
}

// The width of the widest part of text that a line cannot break inside.
double widestUnbreakable(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(font);
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    double widest = 0.0;
    qsizetype start = 0;
    for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
        widest = std::max(widest, metrics.horizontalAdvance(text.mid(start, at - start).trimmed()));
        start = at;
    }
    return widest;
}

} // namespace

CaptionShape layoutCaption(const QString &text, CaptionAnchor anchor, const CaptionStyle &style,
                           QSize frame)
{
    CaptionShape shape;
    const QRectF safe = captionSafeArea(frame);
    const QString bounded = boundedCaptionText(text);
    if (safe.isEmpty() || bounded.trimmed().isEmpty())
        return shape;
    shape.pixelSize = std::max(1.0, std::round(style.size * frame.height()));

    QFont font = style.family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                                        : QFont(style.family);
    font.setPixelSize(static_cast<int>(shape.pixelSize));
    font.setBold(style.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    // A word wider than a narrow frame's safe area would be broken inside; the text gets
    // smaller instead, so that the widest run between line break opportunities fits.
    const double widest = widestUnbreakable(bounded, font);
    const double needed = widest + 2.0 * Reach * shape.pixelSize;
    if (needed > safe.width()) {
        shape.pixelSize = std::max(1.0, std::floor(shape.pixelSize * safe.width() / needed));
        font.setPixelSize(static_cast<int>(shape.pixelSize));
    }

    QString shaped = bounded;
    shaped.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(shaped, font);
    // The anchor's side is the frame's, whatever the direction of the text.
    QTextOption option(horizontalOf(anchor) | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTextDirection(bounded.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    // The text wraps inside the safe area, less what outline and box need around it.
    const double width = std::max(1.0, safe.width() - 2.0 * Reach * shape.pixelSize);
    layout.beginLayout();
    double y = 0.0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0.0, y));
        y += line.height();
        shape.lines |= line.naturalTextRect();
    }
    layout.endLayout();

    QPainterPath glyphs;
    glyphs.setFillRule(Qt::WindingFill);
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            QPainterPath glyph = raw.pathForGlyph(indexes.at(i));
            glyph.translate(positions.at(i));
            glyphs.addPath(glyph);
        }
    }

    // The lines' box goes to the anchor's side or middle of the safe area, inset by the reach.
    const double inset = Reach * shape.pixelSize;
    const QRectF inner = safe.adjusted(inset, inset, -inset, -inset);
    const int column = static_cast<int>(anchor) % 3;
    const int row = static_cast<int>(anchor) / 3;
    const QRectF &box = shape.lines;
    const double x = column == 0 ? inner.left()
        : column == 2            ? inner.right() - box.width()
                                 : inner.center().x() - box.width() / 2.0;
    const double top = row == 0 ? inner.top()
        : row == 2              ? inner.bottom() - box.height()
                                : inner.center().y() - box.height() / 2.0;
    const QPointF shift(x - box.left(), top - box.top());
    glyphs.translate(shift);
    shape.lines.translate(shift);
    shape.glyphs = glyphs;
    const QRectF reach
        = shape.lines.united(glyphs.boundingRect()).adjusted(-inset, -inset, inset, inset);
    shape.covered = reach.toAlignedRect().intersected(QRect(QPoint(0, 0), frame));
    return shape;
}

void backgroundLuminance(const Picture &photo, const QRect &area, double &darkest, double &lightest)
{
    darkest = 0.0;
    lightest = 0.0;
    const QRect inside = area.intersected(QRect(0, 0, photo.width(), photo.height()));
    if (photo.isNull() || photo.format() != AV_PIX_FMT_BGRA || inside.isEmpty())
        return;
    // Luminance is sums of per-channel linear values, so each channel is looked up once.
    static const std::array<std::array<float, 256>, 3> weighted = [] {
        std::array<std::array<float, 256>, 3> table {};
        const double weights[3] = {0.0722, 0.7152, 0.2126}; // B, G, R
        for (int c = 0; c < 3; ++c) {
            for (int v = 0; v < 256; ++v) {
                table[static_cast<size_t>(c)][static_cast<size_t>(v)]
                    = float(weights[c] * srgbToLinear(v / 255.0));
            }
        }
        return table;
    }();
    // A few stray pixels (a glint, noise) do not make text unreadable: the darkest and lightest
    // ends of the area, a two-hundredth of it each, are left out.
    constexpr int Bins = 1024;
    std::array<int, Bins> histogram {};
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const uint8_t *p = photo.row(photo.height() - 1 - y) + 4 * inside.left();
        for (int x = 0; x < inside.width(); ++x, p += 4) {
            const float l = weighted[0][p[0]] + weighted[1][p[1]] + weighted[2][p[2]];
            ++histogram[static_cast<size_t>(std::clamp(int(l * Bins), 0, Bins - 1))];
        }
    }
    const qint64 count = qint64(inside.width()) * inside.height();
    const qint64 ignored = count / 200;
    int low = 0;
    for (qint64 seen = 0; low < Bins - 1; ++low) {
        seen += histogram[static_cast<size_t>(low)];
        if (seen > ignored)
            break;
    }
    int high = Bins - 1;
    for (qint64 seen = 0; high > 0; --high) {
        seen += histogram[static_cast<size_t>(high)];
        if (seen > ignored)
            break;
    }
    darkest = double(low) / Bins;
    lightest = std::min(1.0, double(high + 1) / Bins);
}

void drawCaption(const CaptionShape &shape, const CaptionStyle &style, Picture &picture)
{
    picture.fill(0);
    const QRect area = shape.covered;
    if (area.isEmpty() || picture.format() != AV_PIX_FMT_BGRA)
        return;
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const double px = shape.pixelSize;
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-area.topLeft());
        if (style.box) {
            const double pad = BoxPadding * px;
            painter.setPen(Qt::NoPen);
            painter.setBrush(style.boxColour);
            painter.drawRoundedRect(shape.lines.adjusted(-pad, -pad * 0.5, pad, pad * 0.5),
                                    pad * 0.5, pad * 0.5);
        }
        if (style.shadow) {
            QImage shadow(area.size(), QImage::Format_ARGB32_Premultiplied);
            shadow.fill(Qt::transparent);
            {
                QPainter shadowPainter(&shadow);
                shadowPainter.setRenderHint(QPainter::Antialiasing);
                shadowPainter.translate(-area.topLeft()
                                        + QPointF(ShadowOffset * px, ShadowOffset * px));
                shadowPainter.fillPath(shape.glyphs, QColor(0, 0, 0, 200));
            }
            blurAlpha(shadow, static_cast<int>(std::lround(ShadowBlur * px)));
            painter.drawImage(area.topLeft(), shadow);
        }
        if (style.outline) {
            QPainterPathStroker stroker;
            stroker.setWidth(2.0 * OutlineWidth * px);
            stroker.setJoinStyle(Qt::RoundJoin);
            stroker.setCapStyle(Qt::RoundCap);
            painter.fillPath(stroker.createStroke(shape.glyphs), style.outlineColour);
        }
        painter.fillPath(shape.glyphs, style.colour);
    }
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const int row = picture.height() - 1 - (area.top() + y);
        std::memcpy(picture.row(row) + 4 * area.left(), straight.constScanLine(y),
                    static_cast<size_t>(straight.width()) * 4);
    }
}

QRect renderCaption(const QString &text, CaptionAnchor anchor, const CaptionStyle &style,
                    const Picture *photo, Picture &picture)
{
    const QSize frame(picture.width(), picture.height());
    const CaptionShape shape = layoutCaption(text, anchor, style, frame);
    if (shape.covered.isEmpty()) {
        picture.fill(0);
        return QRect();
    }
    CaptionStyle readable = style;
    if (photo) {
        // The photo moves and zooms under its caption: look a tenth of the frame around it.
        const int marginX = frame.width() / 10;
        const int marginY = frame.height() / 10;
        double darkest = 0.0;
        double lightest = 0.0;
        backgroundLuminance(*photo, shape.covered.adjusted(-marginX, -marginY, marginX, marginY),
                            darkest, lightest);
        readable = readableStyle(style, darkest, lightest);
    }
    drawCaption(shape, readable, picture);
    return shape.covered;
}
