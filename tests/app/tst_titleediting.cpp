// SPDX-License-Identifier: GPL-3.0-or-later
// Title cards and the show's caption style edited from the main window as a user does: each edit
// one undo step, kept in the show's model.
#include "app/vellumix.h"
#include "controls/colourbutton.h"
#include "media/captionsection.h"
#include "media/captionstyledialog.h"
#include "media/photolistwidget.h"
#include "media/titlecarddialog.h"
#include "tests/app/windowtest.h"

#include "ui_vellumix.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <functional>

namespace {

// Picks the entry with text in a combo box by keys, as a user does.
void pickByKeys(QComboBox *box, const QString &text)
{
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    box->setFocus();
    while (box->currentIndex() != target)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

// Picks the entry with text from a combo box's opened list, as a click in the list does.
void pickFromList(QComboBox *box, const QString &text)
{
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    box->showPopup();
    QAbstractItemView *list = box->view();
    QTRY_VERIFY(list->isVisible());
    list->setCurrentIndex(list->model()->index(target, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

void clickOk(QDialog *dialog)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    QVERIFY(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
}

using StyleEdit = std::function<void(CaptionStyleDialog *)>;
using StyleCheck = std::function<bool(const CaptionStyle &)>;

} // namespace

Q_DECLARE_METATYPE(StyleEdit)
Q_DECLARE_METATYPE(StyleCheck)

class TestTitleEditing : public WindowTest
{
    Q_OBJECT
public:
    TestTitleEditing()
        : WindowTest(true)
    { }

private slots:
    void initTestCase();
    void titleCardAddedAndEdited();
    void showCaptionStyle_data();
    void showCaptionStyle();

private:
    // Shows the settings column's tab: 0 the album's, 1 the selected photos'.
    void showTab(int tab)
    {
        auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("settingsTabs"));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                          tabs->tabBar()->tabRect(tab).center());
    }
};

void TestTitleEditing::initTestCase()
{
    QVERIFY(writeMedia({{320, 240}, {480, 360}, {640, 480}}, QStringLiteral("song.wav"), 3.0));
}

void TestTitleEditing::titleCardAddedAndEdited()
{
    loadShow(false);
    showTab(1);
    PhotoListWidget *strip = ui()->photoListWidget;
    auto *addTitle = window->findChild<QAction *>(QStringLiteral("actionAdd_Title"));
    auto *editTitle = window->findChild<QToolButton *>(QStringLiteral("captionEditTitle"));
    QVERIFY(addTitle && editTitle);
    clickRow(strip, 2);
    QVERIFY(!editTitle->isVisible());
    const int steps = window->undoStack()->count();

    // Added before the selected photo, on a colour.
    QVERIFY(whenOpen<TitleCardDialog>(
        [addTitle] { addTitle->trigger(); },
        [](TitleCardDialog *dialog) {
            auto *text = dialog->findChild<QPlainTextEdit *>(QStringLiteral("titleText"));
            QTest::keyClicks(text, QStringLiteral("Our Summer"));
            pickByKeys(dialog->findChild<QComboBox *>(QStringLiteral("titleBackground")),
                       TitleCardDialog::tr("Colour"));
            clickOk(dialog);
        }));
    QCOMPARE(window->undoStack()->count(), steps + 1);
    QCOMPARE(window->board().photos.size(), 4);
    const ImageInfo added = window->board().photos.at(1);
    QVERIFY(added.titleCard);
    QCOMPARE(added.caption.text, QStringLiteral("Our Summer"));
    QCOMPARE(added.card.background, TitleCard::Background::Colour);

    // Edited from the panel: new text on a blurred copy of the third photo, one more step; the
    // card keeps its place and the look of its text.
    clickRow(strip, 2);
    QTRY_VERIFY(editTitle->isVisible());
    QVERIFY(whenOpen<TitleCardDialog>(
        [editTitle] { QTest::mouseClick(editTitle, Qt::LeftButton); },
        [this](TitleCardDialog *dialog) {
            auto *text = dialog->findChild<QPlainTextEdit *>(QStringLiteral("titleText"));
            QCOMPARE(text->toPlainText(), QStringLiteral("Our Summer"));
            text->selectAll();
            QTest::keyClicks(text, QStringLiteral("The End"));
            pickByKeys(dialog->findChild<QComboBox *>(QStringLiteral("titleBackground")),
                       TitleCardDialog::tr("Blurred copy of a photo"));
            pickByKeys(dialog->findChild<QComboBox *>(QStringLiteral("titlePhoto")),
                       QFileInfo(photoFiles.at(2)).fileName());
            clickOk(dialog);
        }));
    QCOMPARE(window->undoStack()->count(), steps + 2);
    const ImageInfo edited = window->board().photos.at(1);
    QVERIFY(edited.titleCard);
    QCOMPARE(edited.caption.text, QStringLiteral("The End"));
    QCOMPARE(edited.caption.style, added.caption.style);
    QCOMPARE(edited.card.background, TitleCard::Background::BlurredPhoto);
    QCOMPARE(QFileInfo(edited.card.photo), QFileInfo(photoFiles.at(2)));
    QVERIFY(edited.path != added.path);

    window->undoStack()->undo();
    QCOMPARE(window->board().photos.at(1).caption.text, QStringLiteral("Our Summer"));
    QCOMPARE(window->board().photos.at(1).card, added.card);
    window->undoStack()->undo();
    QCOMPARE(window->board().photos.size(), 3);
}

void TestTitleEditing::showCaptionStyle_data()
{
    // What the user does in the dialog, and what the show's style then holds.
    using Edit = StyleEdit;
    using Check = StyleCheck;
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<Check>("check");
    QTest::newRow("preset: white on a dark band") << Edit([](CaptionStyleDialog *d) {
        pickByKeys(d->findChild<QComboBox *>(QStringLiteral("stylePreset")),
                   CaptionStyleDialog::tr("White on dark band"));
    }) << Check([](const CaptionStyle &s) {
        return s == CaptionStyle::fromPreset(CaptionPreset::Band);
    });
    QTest::newRow("size typed") << Edit([](CaptionStyleDialog *d) {
        auto *size = d->findChild<QDoubleSpinBox *>(QStringLiteral("styleSize"));
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("8"));
        QTest::keyClick(size, Qt::Key_Tab);
    }) << Check([](const CaptionStyle &s) { return qFuzzyCompare(s.size, 0.08); });
    QTest::newRow("outline and box, shadow off") << Edit([](CaptionStyleDialog *d) {
        for (const char *name : {"styleOutline", "styleBox", "styleShadow"}) {
            auto *box = d->findChild<QCheckBox *>(QLatin1String(name));
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        }
    }) << Check([](const CaptionStyle &s) {
        return s.outline && s.box && !s.shadow && s.family.isEmpty()
            && s.preset == CaptionPreset::Plain;
    });
}

void TestTitleEditing::showCaptionStyle()
{
    using Edit = StyleEdit;
    using Check = StyleCheck;
    QFETCH(Edit, edit);
    QFETCH(Check, check);
    loadShow(false);
    showTab(1);
    clickRow(ui()->photoListWidget, 0);
    // The caption's own style box, whose last entry opens the show's style.
    auto *box = window->findChild<QComboBox *>(QStringLiteral("captionStyle"));
    QVERIFY(box && box->isVisible());
    const CaptionStyle before = window->board().captionStyle;
    const int steps = window->undoStack()->count();
    QVERIFY(whenOpen<CaptionStyleDialog>(
        [box] { pickFromList(box, CaptionSection::tr("The Show's Style...")); },
        [&edit](CaptionStyleDialog *dialog) {
            edit(dialog);
            clickOk(dialog);
        }));
    QCOMPARE(window->undoStack()->count(), steps + 1);
    QVERIFY(check(window->board().captionStyle));
    // Photos without a style of their own are drawn with it, and the box still says so.
    QCOMPARE(window->board().captionStyleAt(0), window->board().captionStyle);
    QCOMPARE(box->currentIndex(), 0);
    window->undoStack()->undo();
    QCOMPARE(window->board().captionStyle, before);
}

QTEST_MAIN(TestTitleEditing)
#include "tst_titleediting.moc"
