// SPDX-License-Identifier: GPL-3.0-or-later
// Captions: kept in the show file, bounded, laid out in the safe area at a size relative to the
// frame, drawn in reading order, made readable over bright photos, and shown with their photo.
#include "storyboard/captionbackdrop.h"
#include "storyboard/captiondrawing.h"
#include "storyboard/gldrawer.h"
#include "storyboard/motion.h"
#include "storyboard/picture.h"
#include "storyboard/showfile.h"
#include "storyboard/storyboardframes.h"
#include "storyboard/titlecard.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

Q_DECLARE_METATYPE(Caption)
Q_DECLARE_METATYPE(CaptionStyle)
Q_DECLARE_METATYPE(TitleCard)

namespace {

Picture solidPicture(QSize size, QColor colour)
{
    Picture picture(size.width(), size.height(), AV_PIX_FMT_BGRA);
    for (int y = 0; y < size.height(); ++y) {
        uint8_t *p = picture.row(y);
        for (int x = 0; x < size.width(); ++x, p += 4) {
            p[0] = uint8_t(colour.blue());
            p[1] = uint8_t(colour.green());
            p[2] = uint8_t(colour.red());
            p[3] = 255;
        }
    }
    return picture;
}

// Pixels of a caption picture (bottom row first) drawn opaque enough to count, by kind.
struct Ink
{
    int light = 0; // every channel above 200
    int dark = 0; // every channel below 60
    std::vector<int> columns; // pixels of any colour with alpha above 128, per column
};

Ink inkOf(const Picture &picture)
{
    Ink ink;
    ink.columns.assign(size_t(picture.width()), 0);
    for (int y = 0; y < picture.height(); ++y) {
        const uint8_t *p = picture.row(y);
        for (int x = 0; x < picture.width(); ++x, p += 4) {
            if (p[3] <= 128)
                continue;
            ++ink.columns[size_t(x)];
            if (p[0] > 200 && p[1] > 200 && p[2] > 200)
                ++ink.light;
            else if (p[0] < 60 && p[1] < 60 && p[2] < 60)
                ++ink.dark;
        }
    }
    return ink;
}

CaptionStyle flatStyle()
{
    CaptionStyle style;
    style.shadow = false;
    style.size = 0.1;
    return style;
}

// The frame the shows of these tests are drawn in: small, and 16:9 as most shows are.
MediaFormat smallFrame()
{
    MediaFormat format;
    format.width = 320;
    format.height = 180;
    format.frameRate = 10.0;
    return format;
}

QString writePhoto(const QTemporaryDir &dir, const QString &name, QColor colour)
{
    QImage image(160, 90, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    return image.save(path, "PNG") ? path : QString();
}

} // namespace

class TestCaptions : public QObject
{
    Q_OBJECT

private slots:
    void showFileRoundTrip_data();
    void showFileRoundTrip();
    void damagedCaptions_data();
    void damagedCaptions();
    void boundedText_data();
    void boundedText();
    void readableStyle_data();
    void readableStyle();
    void outlineFollowsThePhoto_data();
    void outlineFollowsThePhoto();
    void readableOnEveryFrame_data();
    void readableOnEveryFrame();
    void areaUnderTheCaption_data();
    void areaUnderTheCaption();
    void readingOrder_data();
    void readingOrder();
    void placedInTheSafeArea_data();
    void placedInTheSafeArea();
    void shownWithItsPhoto_data();
    void shownWithItsPhoto();
    void titleCards_data();
    void titleCards();
};

void TestCaptions::showFileRoundTrip_data()
{
    QTest::addColumn<Caption>("caption");
    QTest::addColumn<CaptionStyle>("showStyle");
    Caption plain;
    plain.text = QStringLiteral("Lake at dawn");
    QTest::newRow("text only") << plain << CaptionStyle();
    Caption lines = plain;
    lines.text = QStringLiteral("שלום\nمرحبا \"quoted\" नमस्ते");
    lines.anchor = CaptionAnchor::TopRight;
    QTest::newRow("two lines of three scripts, top right") << lines << CaptionStyle();
    Caption own = plain;
    own.ownStyle = true;
    own.style = CaptionStyle::fromPreset(CaptionPreset::Outline);
    own.style.family = QStringLiteral("DejaVu Serif");
    own.style.colour = QColor(255, 220, 0);
    own.style.boxColour = QColor(10, 20, 30, 99);
    own.style.size = 0.125;
    QTest::newRow("own style with every field") << own << CaptionStyle();
    Caption ownDefault = plain;
    ownDefault.ownStyle = true;
    QTest::newRow("own style equal to the default stays own") << ownDefault << CaptionStyle();
    QTest::newRow("show style") << plain << CaptionStyle::fromPreset(CaptionPreset::Band);
    QTest::newRow("no caption") << Caption() << CaptionStyle::fromPreset(CaptionPreset::Outline);
}

void TestCaptions::showFileRoundTrip()
{
    QFETCH(Caption, caption);
    QFETCH(CaptionStyle, showStyle);
    ShowFile show;
    ImageInfo photo;
    photo.path = QStringLiteral("/photos/a.jpg");
    photo.caption = caption;
    show.photos = {photo, photo};
    show.photos[1].caption = Caption();
    show.captionStyle = showStyle;
    const ShowReadResult read = parseShow(serializeShow(show, QStringLiteral("/")), "/");
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.show.photos.size(), 2);
    QCOMPARE(read.show.photos[0].caption, caption);
    QCOMPARE(read.show.photos[1].caption, Caption());
    QCOMPARE(read.show.captionStyle, showStyle);
}

void TestCaptions::damagedCaptions_data()
{
    QTest::addColumn<QByteArray>("photoFields");
    QTest::addColumn<QByteArray>("rootFields");
    QTest::addColumn<QString>("error"); // empty: read, with the caption text below
    QTest::addColumn<QString>("text");
    QTest::newRow("caption not an object")
        << QByteArray(R"(, "caption": "hello")") << QByteArray()
        << QStringLiteral("photo 1.caption: must be an object") << QString();
    QTest::newRow("text a number") << QByteArray(R"(, "caption": {"text": 5})") << QByteArray()
                                   << QStringLiteral("\"text\" must be a text") << QString();
    QTest::newRow("size too large")
        << QByteArray(R"(, "caption": {"text": "a", "style": {"size": 3}})") << QByteArray()
        << QStringLiteral("photo 1.caption: style: \"size\" is 3") << QString();
    QTest::newRow("colour without #")
        << QByteArray() << QByteArray(R"(, "captionStyle": {"colour": "red"})")
        << QStringLiteral("captionStyle: \"colour\" must be a colour") << QString();
    QTest::newRow("unknown anchor is the default")
        << QByteArray(R"(, "caption": {"text": "a", "anchor": "somewhere"})") << QByteArray()
        << QString() << QStringLiteral("a");
    QTest::newRow("controls dropped") << QByteArray(R"(, "caption": {"text": "a\u0007b\r\nc"})")
                                      << QByteArray() << QString() << QStringLiteral("ab\nc");
}

void TestCaptions::damagedCaptions()
{
    QFETCH(QByteArray, photoFields);
    QFETCH(QByteArray, rootFields);
    QFETCH(QString, error);
    QFETCH(QString, text);
    const QByteArray bytes = R"({"format": "vellumix-show", "version": 1)" + rootFields
        + R"(, "photos": [{"path": "/p.jpg")" + photoFields + "}]}";
    const ShowReadResult read = parseShow(bytes, QStringLiteral("/"));
    if (!error.isEmpty()) {
        QVERIFY2(read.error.contains(error), qPrintable(read.error));
        return;
    }
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.show.photos[0].caption.text, text);
    QCOMPARE(read.show.photos[0].caption.anchor, CaptionAnchor::Bottom);
}

void TestCaptions::boundedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bounded");
    QTest::newRow("short text kept") << QStringLiteral("Day one") << QStringLiteral("Day one");
    QTest::newRow("long text cut")
        << QString(900, QLatin1Char('x')) << QString(Caption::MaxLength, QLatin1Char('x'));
    QTest::newRow("ten lines cut to six")
        << QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10") << QStringLiteral("1\n2\n3\n4\n5\n6");
    QTest::newRow("line ends made one kind")
        << QStringLiteral("a\r\nb\rc") + QChar(QChar::LineSeparator) + QStringLiteral("d")
        << QStringLiteral("a\nb\nc\nd");
    QTest::newRow("tab made a space, escape dropped")
        << QStringLiteral("a\tb\x1b[31m") << QStringLiteral("a b[31m");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8C\x85"); // two UTF-16 units
    QTest::newRow("surrogate pair not split at the limit")
        << QString(Caption::MaxLength - 1, QLatin1Char('x')) + emoji
        << QString(Caption::MaxLength - 1, QLatin1Char('x'));
    QTest::newRow("lone surrogates dropped") << QStringLiteral("a") + QChar(0xDC00)
            + QStringLiteral("b") + QChar(0xD800)
            + QStringLiteral("c") << QStringLiteral("abc");
}

void TestCaptions::boundedText()
{
    QFETCH(QString, text);
    QFETCH(QString, bounded);
    QCOMPARE(boundedCaptionText(text), bounded);
}

void TestCaptions::readableStyle_data()
{
    QTest::addColumn<CaptionStyle>("style");
    QTest::addColumn<double>("darkest");
    QTest::addColumn<double>("lightest");
    QTest::addColumn<bool>("outlined");
    QTest::addColumn<QColor>("outlineColour");
    QTest::addColumn<bool>("boxed");
    const CaptionStyle white;
    QTest::newRow("white over a dark photo: as chosen")
        << white << 0.0 << 0.15 << false << QColor(Qt::black) << false;
    // White letters stand out from the dark part, their black outline from the light part.
    QTest::newRow("white over dark ground and bright sky: black outline")
        << white << 0.05 << 1.0 << true << QColor(Qt::black) << false;
    QTest::newRow("white over bright sky: black outline")
        << white << 0.3 << 1.0 << true << QColor(Qt::black) << false;
    QTest::newRow("white over mid grey: black outline")
        << white << 0.2 << 0.2 << true << QColor(Qt::black) << false;
    QTest::newRow("white over busy grey to white: black outline")
        << white << 0.12 << 1.0 << true << QColor(Qt::black) << false;
    CaptionStyle black = white;
    black.colour = Qt::black;
    QTest::newRow("black over a dim night photo: white outline")
        << black << 0.0 << 0.15 << true << QColor(Qt::white) << false;
    QTest::newRow("black over a night photo with lights: white outline")
        << black << 0.0 << 0.4 << true << QColor(Qt::white) << false;
    CaptionStyle grey = white;
    grey.colour = QColor(128, 128, 128);
    QTest::newRow("grey text amid its own grey: a box")
        << grey << 0.1 << 0.4 << false << QColor(Qt::black) << true;
    const CaptionStyle band = CaptionStyle::fromPreset(CaptionPreset::Band);
    QTest::newRow("white on its band over white: the band suffices")
        << band << 1.0 << 1.0 << false << band.outlineColour << true;
    CaptionStyle thinBand = band;
    thinBand.boxColour = QColor(0, 0, 0, 40);
    QTest::newRow("white on a faint band over white: outlined")
        << thinBand << 1.0 << 1.0 << true << QColor(Qt::black) << true;
    CaptionStyle greyOutline = white;
    greyOutline.outline = true;
    greyOutline.outlineColour = QColor(200, 200, 200);
    QTest::newRow("an outline without contrast is made black")
        << greyOutline << 1.0 << 1.0 << true << QColor(Qt::black) << false;
}

void TestCaptions::readableStyle()
{
    QFETCH(CaptionStyle, style);
    QFETCH(double, darkest);
    QFETCH(double, lightest);
    QFETCH(bool, outlined);
    QFETCH(QColor, outlineColour);
    QFETCH(bool, boxed);
    const CaptionStyle readable = ::readableStyle(style, darkest, lightest);
    QCOMPARE(readable.outline, outlined || style.outline);
    QCOMPARE(readable.outlineColour, outlineColour);
    QCOMPARE(readable.box, boxed);
    QCOMPARE(readable.colour, style.colour);
    // What it adds is enough by its own measure, and a box no more opaque than it must be.
    QCOMPARE(::readableStyle(readable, darkest, lightest), readable);
    if (boxed && !style.box && readable.boxColour.alpha() > 160) {
        CaptionStyle lighter = readable;
        lighter.boxColour.setAlpha(readable.boxColour.alpha() - 16);
        QVERIFY(::readableStyle(lighter, darkest, lightest) != lighter);
    }
}

void TestCaptions::outlineFollowsThePhoto_data()
{
    QTest::addColumn<QColor>("photo");
    QTest::addColumn<bool>("outlined");
    QTest::newRow("white photo") << QColor(Qt::white) << true;
    QTest::newRow("pale yellow photo") << QColor(250, 240, 160) << true;
    QTest::newRow("black photo") << QColor(Qt::black) << false;
    QTest::newRow("dark blue photo") << QColor(10, 20, 90) << false;
}

void TestCaptions::outlineFollowsThePhoto()
{
    QFETCH(QColor, photo);
    QFETCH(bool, outlined);
    const QSize frame(320, 180);
    const Picture behind = solidPicture(frame, photo);
    Picture caption(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
    const QRect box = renderCaption(QStringLiteral("Snow"), CaptionAnchor::Centre, flatStyle(),
                                    &behind, caption);
    QVERIFY(!box.isEmpty());
    const Ink ink = inkOf(caption);
    QVERIFY(ink.light > 50);
    // A black outline round the white letters, or none at all.
    if (outlined)
        QVERIFY2(ink.dark > ink.light / 4, qPrintable(QString::number(ink.dark)));
    else
        QCOMPARE(ink.dark, 0);
}

void TestCaptions::readableOnEveryFrame_data()
{
    // Photos as letters: W white, B black, H black above white with the line through the middle
    // of the caption. White text, held 2 s with 1 s transitions at 10 frames/s.
    QTest::addColumn<QString>("photos");
    QTest::addColumn<int>("captioned");
    QTest::addColumn<QString>("transition");
    QTest::addColumn<int>("expected"); // 0 as chosen, 1 outlined, 2 boxed
    QTest::newRow("white photo: outlined") << "W" << 0 << "dissolve" << 1;
    QTest::newRow("black photo: as chosen") << "B" << 0 << "dissolve" << 0;
    QTest::newRow("half black, half white: outlined") << "H" << 0 << "dissolve" << 1;
    // A wipe shows the next photo whole in parts while the leaving caption fades out, and the
    // arriving caption fades in over what is left of the one before.
    QTest::newRow("black wiped to white: outlined") << "BW" << 0 << "wipe" << 1;
    QTest::newRow("black after a wipe from white: outlined") << "WBB" << 1 << "wipe" << 1;
    // A dissolve has brought the other photo half way in at most while the caption shows.
    QTest::newRow("black dissolving to white: as chosen") << "BW" << 0 << "dissolve" << 0;
    QTest::newRow("white between dissolving blacks: outlined") << "BWB" << 1 << "dissolve" << 1;
    QTest::newRow("black cut to white: as chosen") << "BW" << 0 << "cut" << 0;
}

void TestCaptions::readableOnEveryFrame()
{
    QFETCH(QString, photos);
    QFETCH(int, captioned);
    QFETCH(QString, transition);
    QFETCH(int, expected);
    QTemporaryDir dir;
    StoryBoard board;
    board.patterns = {dir.filePath(QStringLiteral("a.wpt"))};
    board.useZoom = false;
    board.dissolveOnly = transition == QLatin1String("dissolve");
    board.useTransition = transition != QLatin1String("cut");
    board.setPhotoDurationMs(2000);
    board.setTransitionDurationMs(1000);
    for (qsizetype i = 0; i < photos.size(); ++i) {
        QImage image(160, 90, QImage::Format_RGB32);
        image.fill(photos.at(i) == QLatin1Char('B') ? Qt::black : Qt::white);
        if (photos.at(i) == QLatin1Char('H'))
            QPainter(&image).fillRect(0, 0, 160, 45, Qt::black);
        ImageInfo info;
        info.path = dir.filePath(QStringLiteral("%1.png").arg(i));
        QVERIFY(image.save(info.path));
        board.photos.append(info);
    }
    board.photos[captioned].caption.text = QStringLiteral("Two\nlines");
    board.photos[captioned].caption.anchor = CaptionAnchor::Centre;
    board.captionStyle = flatStyle();

    const MediaFormat format = smallFrame();
    StoryBoardFrames frames;
    frames.setFormat(format);
    frames.setStoryBoard(&board);
    const StoryBoardFrames::CaptionPicture &caption = frames.captionPicture(captioned);
    QVERIFY(!caption.box.isEmpty());
    QCOMPARE(caption.style.outline, expected == 1);
    QCOMPARE(caption.style.box, expected == 2);
    // What is drawn follows the decision: a dark band or outline round the white letters.
    const Ink ink = inkOf(caption.picture);
    QVERIFY(ink.light > 50);
    QCOMPARE(ink.dark > ink.light / 4, expected != 0);
    // One decision for the whole caption: asked again for a frame of its own, it is the same.
    const uint64_t serial = caption.picture.serial;
    frames.composition(frames.timeline().spans.at(captioned).holdEnd - 1);
    QCOMPARE(frames.captionPicture(captioned).picture.serial, serial);
}

void TestCaptions::areaUnderTheCaption_data()
{
    // A frame-sized photo shown through a motion rectangle: the part of its picture under a
    // part of the frame is that part of the rectangle, mirrored with the photo.
    QTest::addColumn<QRectF>("shown");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QRectF>("area");
    QTest::addColumn<QRectF>("expected");
    const QRectF frame(0, 0, 320, 180);
    QTest::newRow("unmoved") << frame << 0 << QRectF(10, 150, 100, 20) << QRectF(10, 150, 100, 20);
    QTest::newRow("zoomed into the top left")
        << QRectF(0, 0, 160, 90) << 0 << frame << QRectF(0, 0, 160, 90);
    QTest::newRow("bottom band of a view of the bottom right")
        << QRectF(160, 90, 160, 90) << 0 << QRectF(0, 135, 320, 45)
        << QRectF(160, 157.5, 160, 22.5);
    QTest::newRow("mirrored, zoomed into the top left")
        << QRectF(0, 0, 160, 90) << 2 << frame << QRectF(160, 0, 160, 90);
    QTest::newRow("flipped, bottom band unmoved")
        << frame << 1 << QRectF(0, 135, 320, 45) << QRectF(0, 0, 320, 45);
}

void TestCaptions::areaUnderTheCaption()
{
    QFETCH(QRectF, shown);
    QFETCH(int, orientation);
    QFETCH(QRectF, area);
    QFETCH(QRectF, expected);
    const QSizeF photo(320, 180);
    const LayerFx fx = rectFx(shown, photo, Framing::Fit, 320, 180);
    const std::optional<QRectF> under = areaInLayer(area, fx, orientation, QSize(320, 180));
    QVERIFY(under);
    const auto near = [](const QRectF &a, const QRectF &b) {
        return std::abs(a.left() - b.left()) < 0.5 && std::abs(a.top() - b.top()) < 0.5
            && std::abs(a.right() - b.right()) < 0.5 && std::abs(a.bottom() - b.bottom()) < 0.5;
    };
    QVERIFY2(near(*under, expected),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(under->x())
                            .arg(under->y())
                            .arg(under->width())
                            .arg(under->height())));
}

void TestCaptions::readingOrder_data()
{
    // Logical order: a long word, a space, a short one. Read right to left, the long word
    // stands at the right.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("longWordRight");
    QTest::newRow("Hebrew") << QStringLiteral("שששששש ו") << true;
    QTest::newRow("Arabic, joined") << QStringLiteral("سسسسسس ا") << true;
    QTest::newRow("Hindi, with vowel signs") << QStringLiteral("नमस्तेनमस्ते क") << false;
    QTest::newRow("Latin") << QStringLiteral("mmmmmm i") << false;
}

void TestCaptions::readingOrder()
{
    QFETCH(QString, text);
    QFETCH(bool, longWordRight);
    const QSize frame(640, 360);
    CaptionStyle style = flatStyle();
    Picture caption(frame.width(), frame.height(), AV_PIX_FMT_BGRA);
    renderCaption(text, CaptionAnchor::Centre, style, nullptr, caption);
    const Ink ink = inkOf(caption);
    // The widest gap between inked columns is the space between the words.
    int first = -1, last = -1, gapStart = -1, gapEnd = -1, previous = -1;
    for (int x = 0; x < frame.width(); ++x) {
        if (ink.columns[size_t(x)] == 0)
            continue;
        if (first < 0)
            first = x;
        if (previous >= 0 && x - previous > gapEnd - gapStart) {
            gapStart = previous;
            gapEnd = x;
        }
        previous = last = x;
    }
    QVERIFY2(gapEnd - gapStart > 3, "no two words drawn: is a font of the script installed?");
    const int leftWidth = gapStart - first;
    const int rightWidth = last - gapEnd;
    QCOMPARE(rightWidth > leftWidth, longWordRight);
}

void TestCaptions::placedInTheSafeArea_data()
{
    QTest::addColumn<CaptionAnchor>("anchor");
    QTest::addColumn<QSize>("small");
    QTest::addColumn<QSize>("large");
    QTest::addColumn<QString>("text");
    const QString lines = QStringLiteral("Grandma's garden\nsummer");
    QTest::newRow("bottom of 720p and 4K")
        << CaptionAnchor::Bottom << QSize(1280, 720) << QSize(3840, 2160) << lines;
    QTest::newRow("bottom right of a phone frame")
        << CaptionAnchor::BottomRight << QSize(360, 640) << QSize(1080, 1920) << lines;
    QTest::newRow("top left of a square frame")
        << CaptionAnchor::TopLeft << QSize(480, 480) << QSize(1080, 1080) << lines;
    // Wider than the safe area at the style's size: made smaller, never broken inside.
    QTest::newRow("one long word in a phone frame")
        << CaptionAnchor::Centre << QSize(360, 640) << QSize(1080, 1920)
        << QStringLiteral("Wonderlandishnesses");
}

void TestCaptions::placedInTheSafeArea()
{
    QFETCH(CaptionAnchor, anchor);
    QFETCH(QSize, small);
    QFETCH(QSize, large);
    QFETCH(QString, text);
    const CaptionStyle style = CaptionStyle::fromPreset(CaptionPreset::Band);
    const CaptionShape a = layoutCaption(text, anchor, style, small);
    const CaptionShape b = layoutCaption(text, anchor, style, large);
    for (const auto &[shape, frame] : {std::pair {&a, small}, std::pair {&b, large}}) {
        const QRectF safe = captionSafeArea(frame);
        QVERIFY(safe.contains(shape->covered.adjusted(1, 1, -1, -1)));
        // The anchor's corner of the lines lies at the matching corner of the safe area.
        const QRectF lines = shape->lines;
        const double reach = 0.5 * shape->pixelSize + 1.0;
        const int column = int(anchor) % 3;
        const int row = int(anchor) / 3;
        if (column == 0)
            QVERIFY(lines.left() - safe.left() <= reach);
        if (column == 2)
            QVERIFY(safe.right() - lines.right() <= reach);
        if (row == 0)
            QVERIFY(lines.top() - safe.top() <= reach);
        if (row == 2)
            QVERIFY(safe.bottom() - lines.bottom() <= reach);
        if (!text.contains(QLatin1Char(' ')))
            QVERIFY2(lines.height() < 2.0 * shape->pixelSize,
                     qPrintable(QString::number(lines.height())));
    }
    // The same share of the frame at both sizes.
    const double heightA = a.lines.height() / small.height();
    const double heightB = b.lines.height() / large.height();
    QVERIFY2(std::abs(heightA - heightB) < 0.04 * heightA,
             qPrintable(QStringLiteral("%1 vs %2").arg(heightA).arg(heightB)));
    const double inkA = a.glyphs.boundingRect().width() / small.width();
    const double inkB = b.glyphs.boundingRect().width() / large.width();
    QVERIFY2(std::abs(inkA - inkB) < 0.05 * inkA,
             qPrintable(QStringLiteral("%1 vs %2").arg(inkA).arg(inkB)));
}

void TestCaptions::shownWithItsPhoto_data()
{
    // Three photos held 2 s with 1 s dissolves at 10 frames/s: photo 1 (the captioned one)
    // arrives over frames 20-29, is held alone over 30-49 and leaves over 50-59. Its caption
    // fades in over the second half of its arrival and out over the first half of its leaving.
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("expected"); // 0 none, 1 fading, 2 whole
    QTest::newRow("first photo held") << 5 << 0;
    QTest::newRow("arriving, first half") << 23 << 0;
    QTest::newRow("arriving, second half") << 27 << 1;
    QTest::newRow("held") << 35 << 2;
    QTest::newRow("held, last frame") << 49 << 2;
    QTest::newRow("leaving, first half") << 52 << 1;
    QTest::newRow("leaving, second half") << 57 << 0;
    QTest::newRow("next photo held") << 65 << 0;
}

void TestCaptions::shownWithItsPhoto()
{
    QFETCH(int, frame);
    QFETCH(int, expected);
    QTemporaryDir dir;
    StoryBoard board;
    board.patterns.clear();
    board.useZoom = false;
    board.dissolveOnly = true;
    board.setPhotoDurationMs(2000);
    board.setTransitionDurationMs(1000);
    for (const QColor &colour : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::darkGreen)}) {
        ImageInfo info;
        info.path = writePhoto(dir, colour.name().mid(1) + QStringLiteral(".png"), colour);
        QVERIFY(!info.path.isEmpty());
        board.photos.append(info);
    }
    board.photos[1].caption.text = QStringLiteral("HELLO");
    board.photos[1].caption.anchor = CaptionAnchor::Centre;
    board.captionStyle = flatStyle();
    board.captionStyle.size = 0.2;

    const MediaFormat format = smallFrame();
    StoryBoardFrames frames;
    frames.setFormat(format);
    frames.setStoryBoard(&board);
    QCOMPARE(frames.totalFrames(), 80);
    GLDrawer drawer(nullptr, GLDrawer::Target::Offscreen);
    QVERIFY(drawer.open(format.width, format.height, MaxFrameLayers, true));
    std::vector<uint8_t> pixels(size_t(format.width) * format.height * 4);
    // Drawn in order from the start, as a video is, so that uploads kept between frames count.
    int whitest = 0;
    for (int k = 0; k <= frame; ++k)
        frames.drawFrame(k, &drawer);
    QVERIFY(drawer.grabFrame(0x80E1 /* GL_BGRA */, 0x1401 /* GL_UNSIGNED_BYTE */, pixels.data()));
    int white = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        const int low = std::min({pixels[i], pixels[i + 1], pixels[i + 2]});
        whitest = std::max(whitest, low);
        white += low > 235;
    }
    switch (expected) {
    case 0:
        QVERIFY2(whitest < 40, qPrintable(QString::number(whitest)));
        break;
    case 1:
        QVERIFY2(whitest > 60 && whitest < 215, qPrintable(QString::number(whitest)));
        break;
    default:
        QVERIFY2(white > 200, qPrintable(QString::number(white)));
        break;
    }
}

void TestCaptions::titleCards_data()
{
    // The background's colour at the top and at the bottom of the picture.
    QTest::addColumn<TitleCard>("card");
    QTest::addColumn<QColor>("top");
    QTest::addColumn<QColor>("bottom");
    TitleCard colour;
    colour.background = TitleCard::Background::Colour;
    colour.colour = QColor(200, 40, 10);
    QTest::newRow("colour") << colour << colour.colour << colour.colour;
    TitleCard gradient;
    gradient.colour = QColor(250, 250, 0);
    gradient.colour2 = QColor(0, 0, 250);
    QTest::newRow("gradient") << gradient << gradient.colour << gradient.colour2;
    TitleCard blurred;
    blurred.background = TitleCard::Background::BlurredPhoto;
    blurred.colour = Qt::black;
    // Green above red, blurred and darkened: dark green at the top, dark red at the bottom.
    QTest::newRow("blurred photo") << blurred << QColor(0, 145, 0) << QColor(145, 0, 0);
}

void TestCaptions::titleCards()
{
    QFETCH(TitleCard, card);
    QFETCH(QColor, top);
    QFETCH(QColor, bottom);
    QTemporaryDir dir;
    if (card.background == TitleCard::Background::BlurredPhoto) {
        QImage photo(400, 300, QImage::Format_RGB32);
        photo.fill(Qt::red);
        QPainter(&photo).fillRect(0, 0, 400, 150, Qt::green);
        card.photo = dir.filePath(QStringLiteral("photo.png"));
        QVERIFY(photo.save(card.photo));
    }
    ImageInfo record;
    QVERIFY(makeTitleCard(QStringLiteral("Summer\n2026"), card, dir.filePath("titles"), record));
    QVERIFY(record.titleCard);
    QCOMPARE(record.caption.text, QStringLiteral("Summer\n2026"));
    QCOMPARE(record.caption.anchor, CaptionAnchor::Centre);
    QCOMPARE(record.width, TitleCard::ImageWidth);
    const QImage picture(record.path);
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
            + std::abs(a.blue() - b.blue())
            <= 30;
    };
    const QColor atTop = picture.pixelColor(picture.width() / 2, 2);
    const QColor atBottom = picture.pixelColor(picture.width() / 2, picture.height() - 3);
    QVERIFY2(near(atTop, top), qPrintable(atTop.name()));
    QVERIFY2(near(atBottom, bottom), qPrintable(atBottom.name()));

    // In a frame of any shape the card fills the frame, corner to corner, with no bars.
    for (const QSize shape : {QSize(320, 240), QSize(180, 320), QSize(240, 240)}) {
        StoryBoard board;
        board.photos = {record};
        MediaFormat format;
        format.width = shape.width();
        format.height = shape.height();
        StoryBoardFrames frames;
        frames.setFormat(format);
        frames.setStoryBoard(&board);
        const Picture &drawn = frames.photoPicture(record);
        const auto pixel = [&drawn](int x, int y) {
            const uint8_t *p = drawn.row(drawn.height() - 1 - y) + 4 * x;
            return QColor(p[2], p[1], p[0]);
        };
        for (const int x : {0, shape.width() - 1}) {
            QVERIFY2(near(pixel(x, 1), top), qPrintable(pixel(x, 1).name()));
            QVERIFY2(near(pixel(x, shape.height() - 2), bottom),
                     qPrintable(pixel(x, shape.height() - 2).name()));
        }
    }

    // Kept in the show file, and drawn again when its picture has gone.
    ShowFile show;
    show.photos = {record};
    const QString path = dir.filePath(QStringLiteral("show.vellumix"));
    QVERIFY(writeShowFile(path, show));
    QVERIFY(QFile::remove(record.path));
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    const ShowReadResult read = readShowFile(path);
    QVERIFY2(read.ok(), qPrintable(read.error));
    const ImageInfo &again = read.show.photos.first();
    QVERIFY(again.titleCard);
    QCOMPARE(again.card, card);
    QCOMPARE(again.caption, record.caption);
    QVERIFY(!again.missing);
    QVERIFY(again.path.startsWith(dir.filePath(QStringLiteral("data"))));
    QCOMPARE(QImage(again.path).pixelColor(picture.width() / 2, 2), atTop);
}

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
