// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's default skin into the folder named on the command line: the style sheet,
// the tool-button icons, the pictures of the photo and audio strips and of the slider bar, the
// getting-started picture and the application icon. Run at build time.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QTranslator>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

namespace {

// The palette: a light, calm surface with one blue accent and one warm accent for "create".
const QColor ink(0x37, 0x41, 0x4f);
const QColor accent(0x34, 0x78, 0xc6);
const QColor accentLight(0x8d, 0xb6, 0xe8);
const QColor warm(0xe3, 0x6b, 0x45);
const QColor paper(0xff, 0xff, 0xff);
const QColor line(0xd5, 0xd9, 0xe0);
const QColor muted(0x9a, 0xa3, 0xb0);

// Icons are drawn on a 64 x 64 grid; the style sheet shows them at 24 or 48 pixels.
constexpr int iconGrid = 64;

using Drawing = std::function<void(QPainter &)>;

QImage draw(QSize size, const Drawing &drawing)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing(painter);
    return image;
}

QPen stroke(const QColor &color, qreal width = 5)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillPolygon(QPainter &p, std::initializer_list<QPointF> points, const QColor &color)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    // A thin pen of the same colour rounds the corners.
    p.setPen(stroke(color, 3));
    p.setBrush(color);
    p.drawPath(path);
}

void outlinePolygon(QPainter &p, std::initializer_list<QPointF> points, const QColor &color)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    p.setPen(stroke(color, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// An arc of a circle with an arrow head at its end; angles in degrees, counter-clockwise from
// three o'clock, as QPainter counts them.
void arrowArc(QPainter &p, QPointF centre, qreal radius, qreal start, qreal span,
              const QColor &color)
{
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.setPen(stroke(color, 5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(box, qRound(start * 16), qRound(span * 16));

    const qreal end = (start + span) * std::numbers::pi / 180.0;
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    const qreal sense = span < 0 ? -1.0 : 1.0;
    const QPointF along(-std::sin(end) * sense, -std::cos(end) * sense);
    const QPointF across(-along.y(), along.x());
    const qreal head = 9;
    fillPolygon(p,
                {tip + along * head, tip - along * 2 + across * head * 0.8,
                 tip - along * 2 - across * head * 0.8},
                color);
}

void straightArrow(QPainter &p, QPointF from, QPointF to, const QColor &color)
{
    p.setPen(stroke(color, 5));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF along = d / length;
    const QPointF across(-along.y(), along.x());
    const qreal head = 12;
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({to - along * head + across * head, to, to - along * head - across * head}));
}

void speaker(QPainter &p)
{
    fillPolygon(p, {{8, 24}, {18, 24}, {30, 12}, {30, 52}, {18, 40}, {8, 40}}, ink);
}

void plusBadge(QPainter &p)
{
    p.setPen(stroke(paper, 3));
    p.setBrush(accent);
    p.drawEllipse(QPointF(48, 48), 13, 13);
    p.setPen(stroke(paper, 4));
    p.drawLine(QPointF(42, 48), QPointF(54, 48));
    p.drawLine(QPointF(48, 42), QPointF(48, 54));
}

void photo(QPainter &p, const QRectF &frame, const QColor &color)
{
    p.setPen(stroke(color, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 4, 4);
    const qreal w = frame.width();
    const qreal h = frame.height();
    const QPointF o = frame.topLeft();
    fillPolygon(p,
                {o + QPointF(w * 0.14, h * 0.82), o + QPointF(w * 0.40, h * 0.45),
                 o + QPointF(w * 0.58, h * 0.68), o + QPointF(w * 0.70, h * 0.56),
                 o + QPointF(w * 0.86, h * 0.82)},
                color);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(o + QPointF(w * 0.72, h * 0.28), w * 0.08, w * 0.08);
}

void note(QPainter &p, const QPointF &origin, qreal scale, const QColor &color)
{
    p.save();
    p.translate(origin);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(12, 42), 8, 6);
    p.drawEllipse(QPointF(36, 36), 8, 6);
    p.setPen(stroke(color, 4));
    p.drawLine(QPointF(19, 42), QPointF(19, 12));
    p.drawLine(QPointF(43, 36), QPointF(43, 6));
    fillPolygon(p, {{19, 12}, {43, 6}, {43, 13}, {19, 19}}, color);
    p.restore();
}

void filmFrame(QPainter &p, const QRectF &frame, const QColor &body, const QColor &holes)
{
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawRoundedRect(frame, 6, 6);
    p.setBrush(holes);
    const qreal hole = frame.height() * 0.12;
    for (qreal x = frame.left() + hole; x + hole < frame.right(); x += hole * 2.2) {
        p.drawRect(QRectF(x, frame.top() + hole * 0.6, hole, hole));
        p.drawRect(QRectF(x, frame.bottom() - hole * 1.6, hole, hole));
    }
    const QPointF c = frame.center();
    const qreal s = frame.height() * 0.22;
    fillPolygon(p, {c + QPointF(-s * 0.8, -s), c + QPointF(s * 1.1, 0), c + QPointF(-s * 0.8, s)},
                holes);
}

struct Icon
{
    const char *name;
    Drawing drawing;
};

const std::vector<Icon> &icons()
{
    static const std::vector<Icon> list = {
        {"play",
         [](QPainter &p) {
             fillPolygon(p, {{20, 12}, {52, 32}, {20, 52}}, accent);
         }},
        {"pause",
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(ink);
             p.drawRoundedRect(QRectF(16, 12, 12, 40), 3, 3);
             p.drawRoundedRect(QRectF(36, 12, 12, 40), 3, 3);
         }},
        {"stop",
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(ink);
             p.drawRoundedRect(QRectF(14, 14, 36, 36), 5, 5);
         }},
        // Plays the stretch between the in and out points: a play sign between brackets.
        {"playSegment",
         [](QPainter &p) {
             p.setPen(stroke(ink, 5));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF({{17, 12}, {8, 12}, {8, 52}, {17, 52}}));
             p.drawPolyline(QPolygonF({{47, 12}, {56, 12}, {56, 52}, {47, 52}}));
             fillPolygon(p, {{24, 19}, {44, 32}, {24, 45}}, accent);
         }},
        {"previous",
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(ink);
             p.drawRoundedRect(QRectF(12, 14, 7, 36), 2, 2);
             fillPolygon(p, {{50, 14}, {22, 32}, {50, 50}}, ink);
         }},
        {"next",
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(ink);
             p.drawRoundedRect(QRectF(45, 14, 7, 36), 2, 2);
             fillPolygon(p, {{14, 14}, {42, 32}, {14, 50}}, ink);
         }},
        {"mute",
         [](QPainter &p) {
             speaker(p);
             p.setPen(stroke(ink, 5));
             p.drawLine(QPointF(39, 23), QPointF(55, 41));
             p.drawLine(QPointF(55, 23), QPointF(39, 41));
         }},
        {"unmute",
         [](QPainter &p) {
             speaker(p);
             p.setPen(stroke(ink, 4));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(22, 22, 20, 20), -50 * 16, 100 * 16);
             p.drawArc(QRectF(14, 12, 40, 40), -50 * 16, 100 * 16);
         }},
        {"burn",
         [](QPainter &p) {
             filmFrame(p, QRectF(4, 12, 56, 40), warm, paper);
         }},
        {"importPicture",
         [](QPainter &p) {
             photo(p, QRectF(6, 10, 44, 34), ink);
             plusBadge(p);
         }},
        {"importPictureDir",
         [](QPainter &p) {
             QPainterPath folder;
             folder.moveTo(6, 16);
             folder.lineTo(22, 16);
             folder.lineTo(27, 21);
             folder.lineTo(52, 21);
             folder.lineTo(52, 50);
             folder.lineTo(6, 50);
             folder.closeSubpath();
             p.setPen(stroke(ink, 4));
             p.setBrush(Qt::NoBrush);
             p.drawPath(folder);
             photo(p, QRectF(14, 28, 24, 16), ink);
             plusBadge(p);
         }},
        {"importAudio",
         [](QPainter &p) {
             note(p, QPointF(2, 4), 0.95, ink);
             plusBadge(p);
         }},
        {"deleteClip",
         [](QPainter &p) {
             p.setPen(stroke(ink, 4));
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(12, 18), QPointF(52, 18));
             p.drawPolyline(
                 QPolygonF({QPointF(25, 18), QPointF(27, 11), QPointF(37, 11), QPointF(39, 18)}));
             QPainterPath can;
             can.moveTo(17, 23);
             can.lineTo(47, 23);
             can.lineTo(44, 55);
             can.lineTo(20, 55);
             can.closeSubpath();
             p.drawPath(can);
             p.drawLine(QPointF(27, 30), QPointF(28, 48));
             p.drawLine(QPointF(37, 30), QPointF(36, 48));
         }},
        {"turnLeft",
         [](QPainter &p) {
             arrowArc(p, {32, 34}, 19, -30, 230, ink);
         }},
        {"turnRight",
         [](QPainter &p) {
             arrowArc(p, {32, 34}, 19, 210, -230, ink);
         }},
        {"mirror",
         [](QPainter &p) {
             fillPolygon(p, {{27, 14}, {27, 50}, {7, 50}}, ink);
             outlinePolygon(p, {{37, 14}, {37, 50}, {57, 50}}, ink);
             p.setPen(QPen(muted, 2, Qt::DashLine));
             p.drawLine(QPointF(32, 6), QPointF(32, 58));
         }},
        {"flip",
         [](QPainter &p) {
             fillPolygon(p, {{14, 27}, {50, 27}, {50, 7}}, ink);
             outlinePolygon(p, {{14, 37}, {50, 37}, {50, 57}}, ink);
             p.setPen(QPen(muted, 2, Qt::DashLine));
             p.drawLine(QPointF(6, 32), QPointF(58, 32));
         }},
        {"autoRotate",
         [](QPainter &p) {
             arrowArc(p, {32, 32}, 22, 110, 140, ink);
             arrowArc(p, {32, 32}, 22, 290, 140, ink);
             p.setPen(stroke(accent, 4));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF({QPointF(24, 42), QPointF(32, 21), QPointF(40, 42)}));
             p.drawLine(QPointF(27, 35), QPointF(37, 35));
         }},
        {"restore",
         [](QPainter &p) {
             arrowArc(p, {32, 32}, 21, 60, 270, ink);
             p.setPen(Qt::NoPen);
             p.setBrush(accent);
             p.drawRoundedRect(QRectF(24, 26, 16, 12), 2, 2);
         }},
        {"moveLeft",
         [](QPainter &p) {
             straightArrow(p, {52, 32}, {12, 32}, ink);
         }},
        {"moveRight",
         [](QPainter &p) {
             straightArrow(p, {12, 32}, {52, 32}, ink);
         }},
        {"syncAlbum",
         [](QPainter &p) {
             straightArrow(p, {10, 22}, {54, 22}, ink);
             straightArrow(p, {54, 44}, {10, 44}, accent);
         }},
    };
    return list;
}

QImage transitionMarker()
{
    return draw({36, 27}, [](QPainter &p) {
        p.setPen(QPen(accent, 1.5));
        p.setBrush(QColor(0xee, 0xf3, 0xfa));
        p.drawRoundedRect(QRectF(1, 1, 34, 25), 5, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(accentLight);
        p.drawRoundedRect(QRectF(7, 6, 13, 11), 2, 2);
        p.setBrush(QColor(accent.red(), accent.green(), accent.blue(), 200));
        p.drawRoundedRect(QRectF(15, 10, 13, 11), 2, 2);
        p.setPen(QPen(paper, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(20, 13), QPointF(23, 15.5), QPointF(20, 18)}));
    });
}

// The audio bar is 26 pixels high: the head carries the note, the body is tiled to its right.
QImage audioHead()
{
    return draw({26, 26}, [](QPainter &p) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(0, 0, 34, 26), 6, 6);
        QPainterPath clip;
        clip.addRect(QRectF(0, 0, 26, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawPath(shape.intersected(clip));
        note(p, QPointF(3, 3), 0.38, paper);
    });
}

QImage audioBody()
{
    QImage body(8, 26, QImage::Format_ARGB32_Premultiplied);
    QLinearGradient fill(0, 0, 0, 26);
    fill.setColorAt(0, QColor(0xdb, 0xe8, 0xf7));
    fill.setColorAt(1, QColor(0xc4, 0xd9, 0xf2));
    QPainter p(&body);
    p.fillRect(body.rect(), fill);
    // Every column is the same, so the tiles join without a seam.
    p.fillRect(QRect(0, 0, 8, 1), accent);
    p.fillRect(QRect(0, 25, 8, 1), accent);
    return body;
}

QImage sliderBar(const QColor &color)
{
    // Borders of 2 (left, right) and 3 (top, bottom) pixels stay unscaled when it is stretched.
    return draw({16, 8}, [color](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawRoundedRect(QRectF(0, 1, 16, 6), 3, 3);
    });
}

QImage sliderThumb(const QColor &rim)
{
    return draw({16, 16}, [rim](QPainter &p) {
        p.setPen(QPen(rim, 2.5));
        p.setBrush(paper);
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    });
}

// A clip tag: a post standing on the clip position with a grip at its foot; the start tag's
// post is at its right edge, the end tag's at its left.
QImage clipTag(bool start)
{
    return draw({9, 22}, [start](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        const qreal post = start ? 6.5 : 0;
        p.drawRect(QRectF(post, 0, 2.5, 22));
        QPainterPath grip;
        grip.addRoundedRect(QRectF(0, 13, 9, 9), 2, 2);
        p.drawPath(grip);
    });
}

// The small chevron of spin boxes and combo boxes, pointing up or down.
QImage chevron(bool up)
{
    return draw({10, 6}, [up](QPainter &p) {
        p.setPen(stroke(ink, 1.6));
        const qreal tip = up ? 1 : 5;
        const qreal base = up ? 5 : 1;
        p.drawPolyline(QPolygonF({QPointF(1, base), QPointF(5, tip), QPointF(9, base)}));
    });
}

QFont font(int pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// The texts of the getting-started picture in one language.
struct StartTexts
{
    QString title;
    QString steps[3];
    QString hint;
};

// The pictures in other languages take their texts from the program's translation catalogues,
// where they are translated with the window's own texts.
constexpr const char *startContext = "GettingStarted";
constexpr const char *startSources[] = {
    QT_TRANSLATE_NOOP("GettingStarted", "Let's make a slide show"),
    QT_TRANSLATE_NOOP("GettingStarted", "Import your photos"),
    QT_TRANSLATE_NOOP("GettingStarted", "Add some music"),
    QT_TRANSLATE_NOOP("GettingStarted", "Create your video file"),
    QT_TRANSLATE_NOOP("GettingStarted", "Use the buttons below to begin"),
};

// The texts in the catalogue's language, English without one. Empty when the catalogue lacks
// one of them.
std::optional<StartTexts> startTexts(const QTranslator *catalogue)
{
    QString texts[std::size(startSources)];
    for (size_t i = 0; i < std::size(startSources); ++i) {
        texts[i] = catalogue ? catalogue->translate(startContext, startSources[i])
                             : QString::fromUtf8(startSources[i]);
        if (texts[i].isEmpty())
            return std::nullopt;
    }
    return StartTexts {texts[0], {texts[1], texts[2], texts[3]}, texts[4]};
}

// Fits the label's smallest size (480 x 360) with room to spare.
QImage gettingStarted(const StartTexts &texts)
{
    return draw({440, 300}, [&texts](QPainter &p) {
        p.setPen(QPen(line, 1));
        p.setBrush(paper);
        p.drawRoundedRect(QRectF(0.5, 0.5, 439, 299), 14, 14);

        p.setPen(accent);
        p.setFont(font(22, true));
        p.drawText(QRectF(0, 18, 440, 34), Qt::AlignCenter, texts.title);

        struct Step
        {
            QString text;
            std::function<void(QPainter &)> icon;
        };
        const std::vector<Step> steps = {
            {texts.steps[0],
             [](QPainter &q) {
                 photo(q, QRectF(8, 12, 48, 38), ink);
             }},
            {texts.steps[1],
             [](QPainter &q) {
                 note(q, QPointF(4, 4), 0.95, ink);
             }},
            {texts.steps[2],
             [](QPainter &q) {
                 filmFrame(q, QRectF(4, 12, 56, 40), warm, paper);
             }},
        };
        qreal y = 68;
        int number = 1;
        for (const Step &step : steps) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xee, 0xf3, 0xfa));
            p.drawEllipse(QPointF(70, y + 24), 26, 26);
            p.save();
            p.translate(70 - 18, y + 6);
            p.scale(36.0 / iconGrid, 36.0 / iconGrid);
            step.icon(p);
            p.restore();
            p.setPen(ink);
            p.setFont(font(17));
            p.drawText(QRectF(112, y, 310, 48), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("%1.  %2").arg(number++).arg(step.text));
            y += 62;
        }
        p.setPen(muted);
        p.setFont(font(13));
        p.drawText(QRectF(0, 254, 440, 22), Qt::AlignCenter, texts.hint);
        straightArrow(p, {220, 278}, {220, 294}, muted);
    });
}

// Drawn on a 256 x 256 grid at any size, so that small icons are drawn rather than shrunk.
QImage applicationIcon(int size = 256)
{
    return draw({size, size}, [size](QPainter &p) {
        p.scale(size / 256.0, size / 256.0);
        QLinearGradient sky(0, 16, 0, 240);
        sky.setColorAt(0, QColor(0x4f, 0x97, 0xe0));
        sky.setColorAt(1, QColor(0x2a, 0x5b, 0xa6));
        p.setPen(Qt::NoPen);
        p.setBrush(sky);
        p.drawRoundedRect(QRectF(16, 16, 224, 224), 48, 48);

        // Two photo cards, the back one turned, the front one with a landscape.
        p.save();
        p.translate(128, 120);
        p.rotate(-12);
        p.setBrush(QColor(0xdd, 0xea, 0xf8));
        p.drawRoundedRect(QRectF(-78, -58, 150, 112), 10, 10);
        p.restore();
        p.save();
        p.translate(134, 128);
        p.rotate(4);
        p.setBrush(paper);
        p.drawRoundedRect(QRectF(-76, -56, 152, 112), 10, 10);
        p.translate(-76, -56);
        p.scale(152.0 / iconGrid, 112.0 / iconGrid);
        p.setPen(Qt::NoPen);
        QPainterPath hills;
        hills.moveTo(8, 56);
        hills.lineTo(26, 28);
        hills.lineTo(38, 44);
        hills.lineTo(46, 34);
        hills.lineTo(58, 56);
        hills.closeSubpath();
        p.setBrush(accent);
        p.drawPath(hills);
        p.setBrush(QColor(0xf2, 0xb1, 0x3c));
        p.drawEllipse(QPointF(46, 18), 6, 8);
        p.restore();

        // The play badge that makes the photos a show.
        p.setBrush(warm);
        p.setPen(QPen(paper, 6));
        p.drawEllipse(QPointF(188, 188), 38, 38);
        p.setPen(Qt::NoPen);
        p.setBrush(paper);
        p.drawPolygon(QPolygonF({QPointF(176, 168), QPointF(206, 188), QPointF(176, 208)}));
    });
}

QString styleSheet()
{
    // The sheet's text is a resource of this program; the tool buttons' icon rules follow it.
    QFile source(QStringLiteral(":/style.qss"));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString sheet = QString::fromUtf8(source.readAll());
    QTextStream out(&sheet);
    out << "\n/* Tool-button icons, by object name. */\n";
    for (const Icon &icon : icons()) {
        out << "QToolButton#" << icon.name << " { qproperty-icon: url(app_vellumix/" << icon.name
            << ".png); }\n";
    }
    return sheet;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: %s SKIN_FOLDER [ICON_THEME_FOLDER [TRANSLATIONS_FOLDER]]\n",
                     argv[0]);
        return 2;
    }
    const QDir skin(QString::fromLocal8Bit(argv[1]));
    const QString pictures = skin.filePath(QStringLiteral("app_vellumix"));
    if (!QDir().mkpath(pictures)) {
        std::fprintf(stderr, "skingen: cannot create %s\n", qPrintable(pictures));
        return 1;
    }
    auto picture = [&pictures](const char *name) {
        return pictures + QLatin1Char('/') + QLatin1String(name);
    };

    bool ok = true;
    for (const Icon &icon : icons())
        ok &= save(draw({iconGrid, iconGrid}, icon.drawing), picture(icon.name) + ".png");
    ok &= save(transitionMarker(), picture("transition.png"));
    ok &= save(audioHead(), picture("head.png"));
    ok &= save(audioBody(), picture("body.png"));
    // The label picks start_<language>.png when it exists, start.png otherwise.
    ok &= save(gettingStarted(*startTexts(nullptr)), picture("start.png"));
    if (argc == 4) {
        const QString catalogues = QString::fromLocal8Bit(argv[3]);
        for (const char *language : {"de_DE", "fr_FR"}) {
            const QString name = QStringLiteral("vellumix_%1").arg(QLatin1String(language, 2));
            QTranslator catalogue;
            const std::optional<StartTexts> texts
                = catalogue.load(name, catalogues) ? startTexts(&catalogue) : std::nullopt;
            if (!texts) {
                std::fprintf(stderr, "skingen: %s/%s.qm lacks the getting-started texts\n",
                             qPrintable(catalogues), qPrintable(name));
                ok = false;
                continue;
            }
            ok &= save(gettingStarted(*texts),
                       pictures + QStringLiteral("/start_%1.png").arg(QLatin1String(language)));
        }
    }
    ok &= save(sliderBar(line), picture("slider_bar.png"));
    ok &= save(sliderBar(accentLight), picture("slider_clip.png"));
    ok &= save(sliderBar(accent), picture("slider_clip_selected.png"));
    ok &= save(sliderBar(QColor(0xc4, 0xc9, 0xd1)), picture("slider_clip_disabled.png"));
    ok &= save(sliderBar(muted), picture("slider_gone.png"));
    ok &= save(clipTag(true), picture("slider_clip_start.png"));
    ok &= save(clipTag(false), picture("slider_clip_end.png"));
    ok &= save(sliderThumb(accent), picture("slider_thumb.png"));
    ok &= save(sliderThumb(muted), picture("slider_thumb_disabled.png"));
    ok &= save(chevron(true), picture("arrow_up.png"));
    ok &= save(chevron(false), picture("arrow_down.png"));
    ok &= save(applicationIcon(), skin.filePath(QStringLiteral("vellumix.png")));
    // The desktop's menus and docks pick the size they show from an icon theme folder.
    if (argc >= 3) {
        const QDir theme(QString::fromLocal8Bit(argv[2]));
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QString apps = theme.filePath(QStringLiteral("%1x%1/apps").arg(size));
            ok &= QDir().mkpath(apps) && save(applicationIcon(size), apps + "/vellumix.png");
        }
    }
    if (!ok)
        return 1;

    // The style sheet is written last: the build takes its presence as "the skin is complete".
    const QString sheet = styleSheet();
    if (sheet.isEmpty()) {
        std::fprintf(stderr, "skingen: the style sheet resource is missing\n");
        return 1;
    }
    QFile file(skin.filePath(QStringLiteral("style.qss")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)
        || file.write(sheet.toUtf8()) < 0 || !file.flush()) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return 0;
}
