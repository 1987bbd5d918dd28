// SPDX-License-Identifier: GPL-3.0-or-later
// The properties window: rows per kind, values shown as typed, language change.
#include "media/mediainfowidget.h"
#include "tests/support/testsupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// The label column of the view's table, in order.
QStringList labels(const QString &html)
{
    static const QRegularExpression cell(QStringLiteral("<tr><td>([^<]*)</td>"));
    QStringList out;
    for (auto it = cell.globalMatch(html); it.hasNext();)
        out.append(it.next().captured(1));
    return out;
}

} // namespace

class TestMediaInfoWidget : public QObject
{
    Q_OBJECT
private slots:
    void rowsOfEachKind_data();
    void rowsOfEachKind();
    void photoWithoutCameraDataShowsEmptyRows();
    void valuesAreShownAsTyped();
    void settingAnotherKindDropsOldFields();
    void languageChangeRebuildsAndRetitles();

private:
    TempSettings settings;
};

void TestMediaInfoWidget::rowsOfEachKind_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("photo") << int(MediaInfo::Photo)
                           << QStringList {"File Name:",      "Format:",
                                           "Resolution:",     "Size:",
                                           "Modified:",       "-------------------------",
                                           "Equipment Make:", "Camera Model:",
                                           "Software:",       "Compressed Bit-Per-Pixel:",
                                           "Exposure Time:",  "F-Number:",
                                           "Exposure Mode:",  "Exposure Bias:",
                                           "Max Aperture:"};
    QTest::newRow("audio") << int(MediaInfo::Audio)
                           << QStringList {"File Name:", "Format:",      "Size:",
                                           "Channels:",  "Sample Rate:", "Duration:"};
    QTest::newRow("empty") << int(MediaInfo::Empty) << QStringList();
    QTest::newRow("unknown mode") << 7 << QStringList();
}

void TestMediaInfoWidget::rowsOfEachKind()
{
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    MediaInfoWidget widget;
    MediaInfo info;
    info.mode = mode;
    info.fileName = QStringLiteral("a.jpg");
    widget.setMediaInfo(info);
    widget.updateView();
    QCOMPARE(labels(widget.html()), expected);
    QCOMPARE(widget.view()->toPlainText().isEmpty(), expected.isEmpty());
}

void TestMediaInfoWidget::photoWithoutCameraDataShowsEmptyRows()
{
    MediaInfoWidget widget;
    MediaInfo info;
    info.mode = MediaInfo::Photo;
    info.fileName = QStringLiteral("a.jpg");
    info.size = QStringLiteral("1464 KB");
    widget.setMediaInfo(info);
    widget.updateView();
    const QString html = widget.html();
    QVERIFY(html.contains(QStringLiteral("<tr><td>Size:</td><td>1464 KB</td></tr>")));
    QVERIFY(html.contains(QStringLiteral("<tr><td>Equipment Make:</td><td></td></tr>")));
    QVERIFY(html.contains(QStringLiteral("<tr><td>Max Aperture:</td><td></td></tr>")));
    QVERIFY(html.startsWith(QStringLiteral("<html><body><table border=\"0\"")));
    QVERIFY(html.endsWith(QStringLiteral("</table></body></html>")));
}

// Camera data and file names are written by whoever made the file: markup in them must show
// as text and never load anything.
void TestMediaInfoWidget::valuesAreShownAsTyped()
{
    MediaInfoWidget widget;
    MediaInfo info;
    info.mode = MediaInfo::Photo;
    info.fileName = QStringLiteral("<b>x&y.jpg");
    info.make = QStringLiteral("<img src=\"file:///etc/passwd\">");
    info.model = QStringLiteral("</td></tr></table><a href=\"http://example.invalid\">go</a>");
    widget.setMediaInfo(info);
    widget.updateView();
    const QString plain = widget.view()->toPlainText();
    QVERIFY(plain.contains(info.fileName));
    QVERIFY(plain.contains(info.make));
    QVERIFY(plain.contains(info.model));
    const QString html = widget.html();
    QVERIFY(!html.contains(QStringLiteral("<img")));
    QVERIFY(!html.contains(QStringLiteral("<a ")));
    QVERIFY(!html.contains(QStringLiteral("<b>")));
    // Nothing in the document refers to an image or a link.
    const QString rendered = widget.view()->document()->toHtml();
    QVERIFY(!rendered.contains(QStringLiteral("<img")));
    QVERIFY(!rendered.contains(QStringLiteral("<a ")));
}

void TestMediaInfoWidget::settingAnotherKindDropsOldFields()
{
    MediaInfoWidget widget;
    MediaInfo photo;
    photo.mode = MediaInfo::Photo;
    photo.make = QStringLiteral("Camera Maker");
    photo.channels = QStringLiteral("9"); // not a photo field
    widget.setMediaInfo(photo);
    QCOMPARE(widget.mediaInfo().make, photo.make);
    QVERIFY(widget.mediaInfo().channels.isEmpty());

    MediaInfo audio;
    audio.mode = MediaInfo::Audio;
    audio.fileName = QStringLiteral("song.mp3");
    audio.channels = QStringLiteral("2");
    audio.make = QStringLiteral("ignored");
    widget.setMediaInfo(audio);
    widget.updateView();
    QVERIFY(widget.mediaInfo().make.isEmpty());
    QVERIFY(widget.html().contains(QStringLiteral("<tr><td>Channels:</td><td>2</td></tr>")));
    QVERIFY(!widget.html().contains(QStringLiteral("ignored")));

    MediaInfo empty;
    empty.fileName = QStringLiteral("x");
    widget.setMediaInfo(empty);
    widget.updateView();
    QVERIFY(widget.mediaInfo().fileName.isEmpty());
    QVERIFY(widget.view()->toPlainText().isEmpty());
}

void TestMediaInfoWidget::languageChangeRebuildsAndRetitles()
{
    MediaInfoWidget widget;
    QCOMPARE(widget.windowTitle(), QStringLiteral("Properties"));
    QCOMPARE(widget.width(), 280);
    MediaInfo info;
    info.mode = MediaInfo::Audio;
    info.fileName = QStringLiteral("song.mp3");
    widget.setMediaInfo(info);
    QVERIFY(widget.view()->toPlainText().isEmpty()); // not drawn until asked
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&widget, &change);
    // The title names the file, apart from the main window's.
    QCOMPARE(widget.windowTitle(), QStringLiteral("song.mp3 - Properties"));
    QVERIFY(widget.view()->toPlainText().contains(QStringLiteral("song.mp3")));
}

QTEST_MAIN(TestMediaInfoWidget)
#include "tst_mediainfowidget.moc"
