// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testsupport.h"
#include "zofc/zoapplication.h"
#include "zofc/zopref.h"

#include <QDir>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Every tool button of the main window and of the audio editing dialog takes its icon from the
// skin, by object name.
const QStringList toolButtons = {
    "play",        "pause",       "stop",     "previous",      "next",
    "mute",        "unmute",      "burn",     "importPicture", "importPictureDir",
    "importAudio", "deleteClip",  "turnLeft", "turnRight",     "mirror",
    "flip",        "autoRotate",  "restore",  "moveLeft",      "moveRight",
    "syncAlbum",   "playSegment",
};

QString picture(const QString &name)
{
    return ZoPref::skinDir() + QStringLiteral("/app_vellumix/") + name;
}

double coverage(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    qint64 opaque = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x)
            opaque += qAlpha(argb.pixel(x, y)) > 128;
    }
    return double(opaque) / (argb.width() * argb.height());
}

// Holders of the properties through which the skin configures the slider bar and the
// getting-started label; the style sheet reaches them by the object names those widgets carry.
class SliderProperties : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int horiMargin MEMBER horiMargin)
    Q_PROPERTY(int foreTop MEMBER foreTop)
    Q_PROPERTY(QString fore MEMBER fore)
    Q_PROPERTY(int clipForeTop MEMBER clipForeTop)
    Q_PROPERTY(QString clipFore MEMBER clipFore)
    Q_PROPERTY(QString clipForeSelected MEMBER clipForeSelected)
    Q_PROPERTY(QString diableclipFore MEMBER diableclipFore)
    Q_PROPERTY(int goneTop MEMBER goneTop)
    Q_PROPERTY(QString gone MEMBER gone)
    Q_PROPERTY(int clipTagTop MEMBER clipTagTop)
    Q_PROPERTY(QString clipStart MEMBER clipStart)
    Q_PROPERTY(QString clipEnd MEMBER clipEnd)
    Q_PROPERTY(int thumbTop MEMBER thumbTop)
    Q_PROPERTY(QString thumb MEMBER thumb)
    Q_PROPERTY(QString disableThumb MEMBER disableThumb)

public:
    using QWidget::QWidget;
    int horiMargin = -1, foreTop = -1, clipForeTop = -1, goneTop = -1, clipTagTop = -1,
        thumbTop = -1;
    QString fore, clipFore, clipForeSelected, diableclipFore, gone, clipStart, clipEnd, thumb,
        disableThumb;
};

class StartProperties : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString gettingStart MEMBER gettingStart)

public:
    using QLabel::QLabel;
    QString gettingStart;
};

} // namespace

class TestSkin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void iconsAreDrawnAndDistinct();
    void stripPictures();
    void gettingStartedPictures();
    void styleSheetDressesTheButtons();
    void styleSheetConfiguresTheSliderBar();

private:
    std::unique_ptr<TempSettings> settings;
};

void TestSkin::initTestCase()
{
    settings = std::make_unique<TempSettings>();
    QVERIFY2(QFileInfo::exists(ZoPref::skinDir() + QStringLiteral("/style.qss")),
             qPrintable(ZoPref::skinDir()));
}

void TestSkin::iconsAreDrawnAndDistinct()
{
    QList<QImage> images;
    for (const QString &name : toolButtons) {
        const QImage image(picture(name + QStringLiteral(".png")));
        QVERIFY2(!image.isNull(), qPrintable(name));
        QCOMPARE(image.size(), QSize(64, 64));
        const double covered = coverage(image);
        QVERIFY2(covered > 0.05 && covered < 0.8, qPrintable(name));
        for (int i = 0; i < images.size(); ++i)
            QVERIFY2(images[i] != image, qPrintable(name + " looks like " + toolButtons[i]));
        images.append(image);
    }
    const QImage appIcon(ZoPref::skinDir() + QStringLiteral("/vellumix.png"));
    QCOMPARE(appIcon.size(), QSize(256, 256));
}

// The audio bar is drawn 26 pixels high with its text from x = 30 on, and the body is tiled.
void TestSkin::stripPictures()
{
    const QImage head(picture(QStringLiteral("head.png")));
    QCOMPARE(head.height(), 26);
    QVERIFY(head.width() > 0 && head.width() <= 30);

    const QImage body
        = QImage(picture(QStringLiteral("body.png"))).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(body.height(), 26);
    for (int x = 1; x < body.width(); ++x) {
        for (int y = 0; y < body.height(); ++y)
            QCOMPARE(body.pixel(x, y), body.pixel(0, y));
    }
    QVERIFY(coverage(body) == 1.0);

    QCOMPARE(QImage(picture(QStringLiteral("transition.png"))).size(), QSize(36, 27));
}

void TestSkin::gettingStartedPictures()
{
    const QImage base(picture(QStringLiteral("start.png")));
    const QImage german(picture(QStringLiteral("start_de_DE.png")));
    const QImage french(picture(QStringLiteral("start_fr_FR.png")));
    // Drawn unscaled into a label of at least 480 x 360.
    QVERIFY(!base.isNull() && base.width() <= 480 && base.height() <= 360);
    QCOMPARE(german.size(), base.size());
    QCOMPARE(french.size(), base.size());
    QVERIFY(german != base && french != base && french != german);
}

void TestSkin::styleSheetDressesTheButtons()
{
    ZoApplication::instance()->applySkin();
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    for (const QString &name : toolButtons) {
        auto *button = new QToolButton(&window);
        button->setObjectName(name);
        layout->addWidget(button);
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (const QString &name : toolButtons) {
        const auto *button = window.findChild<QToolButton *>(name);
        QVERIFY2(!button->icon().isNull(), qPrintable(name));
        const QImage shown
            = button->icon().pixmap(QSize(64, 64)).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage file
            = QImage(picture(name + QStringLiteral(".png"))).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(shown == file, qPrintable(name));
        QCOMPARE(button->iconSize(), name == QLatin1String("burn") ? QSize(48, 48) : QSize(24, 24));
    }
}

// The slider bar and the getting-started label are configured through properties; every picture
// must exist and fit the slider's 30-pixel height.
void TestSkin::styleSheetConfiguresTheSliderBar()
{
    ZoApplication::instance()->applySkin();
    QWidget window;
    auto *slider = new SliderProperties(&window);
    slider->setObjectName(QStringLiteral("sliderClipping"));
    auto *start = new StartProperties(&window);
    start->setObjectName(QStringLiteral("gettingStart"));
    slider->ensurePolished();
    start->ensurePolished();

    const QString startPath = start->gettingStart;
    QVERIFY2(QFileInfo(startPath).isFile(), qPrintable(startPath));

    const struct
    {
        const char *image;
        const char *top;
    } layers[] = {
        {"fore", "foreTop"},
        {"clipFore", "clipForeTop"},
        {"clipForeSelected", "clipForeTop"},
        {"diableclipFore", "clipForeTop"},
        {"gone", "goneTop"},
        {"clipStart", "clipTagTop"},
        {"clipEnd", "clipTagTop"},
        {"thumb", "thumbTop"},
        {"disableThumb", "thumbTop"},
    };
    for (const auto &layer : layers) {
        const QString path = slider->property(layer.image).toString();
        const QImage image(path);
        QVERIFY2(!image.isNull(), layer.image);
        bool ok = false;
        const int top = slider->property(layer.top).toInt(&ok);
        QVERIFY2(ok && top >= 0 && top + image.height() <= 30, layer.top);
    }
    bool ok = false;
    const int margin = slider->property("horiMargin").toInt(&ok);
    const int thumbWidth = QImage(slider->property("thumb").toString()).width();
    // The thumb is centred on the value, so at either end half of it lies in the margin.
    QVERIFY(ok && margin >= thumbWidth / 2);
}

int main(int argc, char **argv)
{
    ZoApplication app(argc, argv);
    TestSkin test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_skin.moc"
