// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the show from the main window as a user does: the import commands with their file
// dialogs, the settings column, the edit commands with their enabled states and context menus,
// and undo and redo of every change.
#include "app/vellumix.h"
#include "audio/storyboardrender.h"
#include "controls/motionrecteditor.h"
#include "media/audiolistwidget.h"
#include "media/photolistwidget.h"
#include "media/photosettingspanel.h"
#include "preview/avplayer.h"
#include "tests/app/windowtest.h"
#include "zofc/zopref.h"

#include "ui_vellumix.h"

#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>
#include <memory>

namespace {

// Types names into a file dialog's name field and accepts it, as a user choosing files does.
void choose(QFileDialog *dialog, const QString &typed)
{
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(typed);
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
}

// A click on a check box's or radio button's own box, wherever the layout stretched the widget.
void clickBox(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// A key pressed wherever the keyboard focus is.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key, modifiers);
}

QStringList visibleTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator())
            texts.append(action->text());
    }
    return texts;
}

} // namespace

class TestVellumixEditing : public WindowTest
{
    Q_OBJECT
public:
    TestVellumixEditing()
        : WindowTest(true)
    { }

private slots:
    void initTestCase();
    void importPhotosRemembersTheFolder();
    void importFolderTakesItsOwnPhotosOnly();
    void importAudioKeepsTheFrameReached();
    void durationsAreHeldToTheirRanges();
    void transitionSwitches();
    void syncWithAudioSetsThePhotoTime();
    void settingsWaitForAPause();
    void framingRedrawsThePreview();
    void moveAndTurnFollowTheSelection();
    void clearKeepsTheOtherStrip();
    void sortWithoutSelectionSortsTheAudio();
    void photoMenuOnATransitionMarker();
    void undoAndRedoRestoreTheShow();
    void undoGoesBackAHundredSteps();
    void selectedPhotosEditedAsOneStep();
    void captionsEditedAsOneStep();
    void transitionMarkerChoosesItsTransition();
    void motionRectanglesDraggedOnThePreview();
};

void TestVellumixEditing::initTestCase()
{
    // Sizes differ so that sorting by size has an order to find.
    QVERIFY(writeMedia({{320, 240}, {480, 360}, {640, 480}, {800, 600}},
                       QStringLiteral("a-song.wav"), 18.0, QStringLiteral("b-short.wav")));
}

void TestVellumixEditing::importPhotosRemembersTheFolder()
{
    // Blanks around the stored folder do not hide it.
    ZoPref::setValue(QStringLiteral("PhotoLastDir"), QStringLiteral("  ") + dir.path() + "  ");
    QString opened;
    QVERIFY(
        whenOpen<QFileDialog>([this] { QTest::mouseClick(ui()->importPicture, Qt::LeftButton); },
                              [&](QFileDialog *dialog) {
                                  opened = dialog->directory().absolutePath();
                                  QVERIFY(dialog->selectedNameFilter().startsWith(
                                      QStringLiteral("All Supported Files (*.jpg *.jpeg")));
                                  choose(dialog, QStringLiteral("\"photo2.jpg\" \"photo1.jpg\""));
                              }));
    QCOMPARE(opened, dir.path());
    QTRY_COMPARE(pathsOf(window->board().photos), QStringList({photoFiles[1], photoFiles[0]}));
    QCOMPARE(ZoPref::value(QStringLiteral("PhotoLastDir"), QString()).toString(), dir.path());

    // A cancelled dialog changes nothing.
    ZoPref::setValue(QStringLiteral("PhotoLastDir"), QStringLiteral("/nowhere"));
    QVERIFY(whenOpen<QFileDialog>([this] { ui()->actionImport_Picture->trigger(); },
                                  [](QFileDialog *dialog) { dialog->reject(); }));
    QCOMPARE(window->board().photos.size(), 2);
    QCOMPARE(ZoPref::value(QStringLiteral("PhotoLastDir"), QString()).toString(),
             QStringLiteral("/nowhere"));
}

void TestVellumixEditing::importFolderTakesItsOwnPhotosOnly()
{
    QTemporaryDir folder;
    QVERIFY(QFile::copy(photoFiles[1], folder.filePath(QStringLiteral("b.png"))));
    QVERIFY(QFile::copy(photoFiles[0], folder.filePath(QStringLiteral("A.JPG"))));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("c")));
    QVERIFY(QFile::copy(photoFiles[2], folder.filePath(QStringLiteral("c/c.jpg"))));
    QTemporaryDir empty;

    // A folder without photos imports nothing and is not remembered.
    ZoPref::setValue(QStringLiteral("PhotoLastDir"), dir.path());
    QVERIFY(
        whenOpen<QFileDialog>([this] { QTest::mouseClick(ui()->importPictureDir, Qt::LeftButton); },
                              [&](QFileDialog *dialog) { choose(dialog, empty.path()); }));
    QVERIFY(window->board().photos.isEmpty());
    QCOMPARE(ZoPref::value(QStringLiteral("PhotoLastDir"), QString()).toString(), dir.path());

    QVERIFY(
        whenOpen<QFileDialog>([this] { QTest::mouseClick(ui()->importPictureDir, Qt::LeftButton); },
                              [&](QFileDialog *dialog) { choose(dialog, folder.path()); }));
    QTRY_COMPARE(pathsOf(window->board().photos),
                 QStringList({folder.filePath(QStringLiteral("A.JPG")),
                              folder.filePath(QStringLiteral("b.png"))}));
    QCOMPARE(ZoPref::value(QStringLiteral("PhotoLastDir"), QString()).toString(), folder.path());
}

void TestVellumixEditing::importAudioKeepsTheFrameReached()
{
    loadShow(false);
    window->showPosition(200);
    ZoPref::setValue(QStringLiteral("AudioLastDir"), dir.path());
    QVERIFY(whenOpen<QFileDialog>([this] { QTest::mouseClick(ui()->importAudio, Qt::LeftButton); },
                                  [](QFileDialog *dialog) {
                                      QVERIFY(dialog->nameFilters().contains(
                                          QStringLiteral("AIF Files (*.aif *.aiff)")));
                                      choose(dialog, QStringLiteral("b-short.wav"));
                                  }));
    QTRY_COMPARE(pathsOf(window->board().audios), QStringList({shortSong}));
    QCOMPARE(ui()->avPlayer->currentFrame(), 200);
    QCOMPARE(ui()->audioLength->text(), QStringLiteral("00:00:03"));
}

void TestVellumixEditing::durationsAreHeldToTheirRanges()
{
    loadShow(false);
    const int frames = window->renderer()->totalFrames();
    // Too short a transition is raised to the shortest allowed once confirmed.
    QSpinBox *transition = ui()->spinBox_2;
    transition->selectAll();
    QTest::keyClicks(transition, QStringLiteral("400"));
    QTest::keyClick(transition, Qt::Key_Return);
    QCOMPARE(transition->value(), 500);
    QCOMPARE(window->board().transitionDurationMs, 500);
    QCOMPARE(window->board().transitionDuration, 0.5);
    QVERIFY(window->renderer()->totalFrames() < frames);

    // Too long a photo time is cut to the longest allowed.
    QSpinBox *photo = ui()->spinBox;
    photo->selectAll();
    QTest::keyClicks(photo, QStringLiteral("999999"));
    QTest::keyClick(photo, Qt::Key_Return);
    QCOMPARE(photo->value(), 999000);
    QCOMPARE(window->board().photoDurationMs, 999000);
    QCOMPARE(ui()->position->maximum(), window->renderer()->totalFrames());
}

void TestVellumixEditing::transitionSwitches()
{
    loadShow(false);
    StoryBoard &board = window->board();
    const double before = board.totalDuration();
    const int frame = 300;
    window->showPosition(frame);
    clickBox(ui()->checkBox);
    QVERIFY(!board.useTransition);
    QCOMPARE(board.totalDuration(), before - 2 * 1.5);
    QVERIFY(!ui()->radioButton->isEnabled());
    QVERIFY(!ui()->radioButton_2->isEnabled());
    QCOMPARE(ui()->avPlayer->currentFrame(), frame);
    QCOMPARE(ui()->photoLength->text(), QStringLiteral("00:00:15"));

    clickBox(ui()->checkBoxUseDynamicZoom);
    QVERIFY(!board.useZoom);
    clickBox(ui()->checkBox_2);
    QVERIFY(board.loopAudio);

    // Without wipe patterns only the dissolve can be chosen.
    clickBox(ui()->checkBox);
    QVERIFY(board.useTransition);
    QCOMPARE(ui()->radioButton->isEnabled(), true);
    QCOMPARE(ui()->radioButton_2->isEnabled(), !board.patterns.isEmpty());
    if (!board.patterns.isEmpty()) {
        clickBox(ui()->radioButton);
        QVERIFY(board.dissolveOnly);
        clickBox(ui()->radioButton_2);
        QVERIFY(!board.dissolveOnly);
    }
    board.patterns.clear();
    clickBox(ui()->checkBox);
    clickBox(ui()->checkBox);
    QVERIFY(ui()->radioButton->isEnabled());
    QVERIFY(!ui()->radioButton_2->isEnabled());
}

void TestVellumixEditing::syncWithAudioSetsThePhotoTime()
{
    loadShow(true);
    QVERIFY(ui()->syncAlbum->isEnabled());
    QSignalSpy typed(ui()->spinBox, &QSpinBox::valueChanged);
    const int steps = window->undoStack()->count();
    QTest::mouseClick(ui()->syncAlbum, Qt::LeftButton);
    // (18 s - 2 transitions of 1.5 s) / 3 photos = 5 s, rounded to frames plus one at 25/s.
    QCOMPARE(window->board().photoDurationMs, 5040);
    QCOMPARE(window->board().photoDuration, 5.04);
    QCOMPARE(ui()->spinBox->value(), 5040);
    QCOMPARE(typed.size(), 0);
    QCOMPARE(window->undoStack()->count(), steps + 1);
    QCOMPARE(ui()->position->maximum(), window->renderer()->totalFrames());
}

void TestVellumixEditing::settingsWaitForAPause()
{
    loadShow(true);
    QTest::mouseClick(ui()->play, Qt::LeftButton);
    QCOMPARE(window->state(), Vellumix::PlayState::Playing);
    for (QWidget *control : std::initializer_list<QWidget *> {
             ui()->spinBox, ui()->spinBox_2, ui()->checkBox, ui()->checkBoxUseDynamicZoom,
             ui()->checkBox_2, ui()->radioButton, ui()->radioButton_2, ui()->adjustOrder,
             ui()->syncAlbum, ui()->comboBoxFraming})
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    QTest::mouseClick(ui()->pause, Qt::LeftButton);
    for (QWidget *control : std::initializer_list<QWidget *> {
             ui()->spinBox, ui()->spinBox_2, ui()->checkBox, ui()->checkBoxUseDynamicZoom,
             ui()->checkBox_2, ui()->radioButton, ui()->adjustOrder, ui()->syncAlbum,
             ui()->comboBoxFraming})
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
}

void TestVellumixEditing::framingRedrawsThePreview()
{
    // A portrait photo in the 4:3 preview stands between bars.
    QImage image(240, 480, QImage::Format_RGB32);
    image.fill(QColor(230, 40, 40));
    const QString portrait = dir.filePath(QStringLiteral("portrait.jpg"));
    QVERIFY(image.save(portrait, "JPEG"));
    window->openFiles({portrait});
    QTRY_COMPARE_WITH_TIMEOUT(ui()->photoListWidget->count(), 1, PatienceMs);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), PatienceMs);
    window->showPosition(10);
    QCOMPARE(window->board().framing, Framing::Fit);
    const auto barColour = [this] {
        const QRect frame = ui()->avPlayer->frameViewport();
        const QImage shown = ui()->avPlayer->grabSurface();
        return shown.pixelColor(frame.left() + frame.width() / 20,
                                shown.height() - 1 - frame.center().y());
    };
    QCOMPARE(barColour(), QColor(Qt::black));

    const int steps = window->undoStack()->count();
    ui()->comboBoxFraming->setFocus();
    QTest::keyClick(ui()->comboBoxFraming, Qt::Key_Down);
    QCOMPARE(window->board().framing, Framing::BlurredFit);
    QCOMPARE(window->undoStack()->count(), steps + 1);
    QCOMPARE(ui()->avPlayer->currentFrame(), 10);
    QTRY_VERIFY_WITH_TIMEOUT(barColour().red() > 60, PatienceMs);

    window->undoStack()->undo();
    QCOMPARE(window->board().framing, Framing::Fit);
    QCOMPARE(ui()->comboBoxFraming->currentIndex(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(barColour(), QColor(Qt::black), PatienceMs);
    window->undoStack()->redo();
    QCOMPARE(ui()->comboBoxFraming->currentText(), QStringLiteral("Fit on a blurred background"));
}

void TestVellumixEditing::moveAndTurnFollowTheSelection()
{
    loadShow(true);
    PhotoListWidget *strip = ui()->photoListWidget;
    const auto moves = [this] {
        return std::pair(ui()->moveLeft->isEnabled(), ui()->moveRight->isEnabled());
    };
    clickRow(strip, 0);
    QCOMPARE(moves(), std::pair(false, true));
    QVERIFY(ui()->actionMove_Right->isEnabled());
    QVERIFY(ui()->turnLeft->isEnabled());
    QVERIFY(ui()->actionDelete->isEnabled());
    clickRow(strip, 4);
    QCOMPARE(moves(), std::pair(true, false));
    clickRow(strip, 2);
    QCOMPARE(moves(), std::pair(true, true));
    // A transition marker alone is no photo to move, turn or delete.
    clickRow(strip, 3);
    QCOMPARE(moves(), std::pair(false, false));
    QVERIFY(!ui()->deleteClip->isEnabled());
    QVERIFY(!ui()->turnRight->isEnabled());
    QVERIFY(!ui()->actionMirror->isEnabled());

    // Turning goes to the selected photo only.
    clickRow(strip, 2);
    QTest::mouseClick(ui()->turnLeft, Qt::LeftButton);
    QCOMPARE(window->board().photos.at(1).operations, QList<int>({ImageInfo::TurnLeft}));
    QVERIFY(window->board().photos.at(0).operations.isEmpty());
    QTest::mouseClick(ui()->restore, Qt::LeftButton);
    QVERIFY(window->board().photos.at(1).operations.isEmpty());

    // A clip takes the selection; the rotation tools have nothing to turn.
    clickRow(ui()->audioListWidget, 0);
    QVERIFY(strip->selectedItems().isEmpty());
    for (QToolButton *button : {ui()->turnLeft, ui()->turnRight, ui()->mirror, ui()->flip,
                                ui()->autoRotate, ui()->restore})
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(ui()->deleteClip->isEnabled());
    QCOMPARE(moves(), std::pair(false, false));

    // Move Right with the keyboard-free path: the button of the first photo.
    clickRow(strip, 0);
    QTest::mouseClick(ui()->moveRight, Qt::LeftButton);
    QCOMPARE(pathsOf(window->board().photos),
             QStringList({photoFiles[1], photoFiles[0], photoFiles[2]}));
    QCOMPARE(strip->currentRow(), 2);
    QCOMPARE(moves(), std::pair(true, true));
}

void TestVellumixEditing::clearKeepsTheOtherStrip()
{
    loadShow(true);
    clickRow(ui()->photoListWidget, 2);
    QTest::mouseClick(ui()->play, Qt::LeftButton);
    ui()->actionClear->trigger();
    QCOMPARE(window->state(), Vellumix::PlayState::Stopped);
    QCOMPARE(ui()->photoListWidget->count(), 0);
    QVERIFY(window->board().photos.isEmpty());
    QCOMPARE(pathsOf(window->board().audios), QStringList({song}));
    QCOMPARE(ui()->avPlayer->currentFrame(), 0);
    QVERIFY(ui()->avPlayer->isVisible());
    QVERIFY(!ui()->burn->isEnabled());

    clickRow(ui()->audioListWidget, 0);
    ui()->actionClear->trigger();
    QVERIFY(window->board().audios.isEmpty());
    QVERIFY(ui()->gettingStart->isVisible());
}

void TestVellumixEditing::sortWithoutSelectionSortsTheAudio()
{
    window->openFiles({photoFiles[1], photoFiles[0], song, shortSong});
    QTRY_COMPARE_WITH_TIMEOUT(ui()->audioListWidget->count(), 2, PatienceMs);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), PatienceMs);
    QVERIFY(QFileInfo(shortSong).size() < QFileInfo(song).size());

    ui()->actionSortBySize->trigger();
    QVERIFY(ui()->actionSortBySize->isChecked());
    QVERIFY(!ui()->actionSortByName->isChecked());
    QCOMPARE(pathsOf(window->board().audios), QStringList({shortSong, song}));
    QCOMPARE(pathsOf(window->board().photos), QStringList({photoFiles[1], photoFiles[0]}));

    // A checked choice triggered again stays checked; the order applies to the chosen strip.
    ui()->actionSortBySize->trigger();
    QVERIFY(ui()->actionSortBySize->isChecked());
    clickRow(ui()->photoListWidget, 0);
    ui()->actionSortDescending->trigger();
    QVERIFY(!ui()->actionSortAscending->isChecked());
    QCOMPARE(pathsOf(window->board().photos), QStringList({photoFiles[1], photoFiles[0]}));
    ui()->actionSortAscending->trigger();
    QCOMPARE(pathsOf(window->board().photos), QStringList({photoFiles[0], photoFiles[1]}));
}

void TestVellumixEditing::photoMenuOnATransitionMarker()
{
    loadShow(false);
    PhotoListWidget *strip = ui()->photoListWidget;
    const auto menuAt = [strip](int row) {
        QStringList texts;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            texts = visibleTexts(menu);
            menu->close();
        });
        clickRow(strip, row);
        const QPoint at = centreOf(strip, row);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, strip->viewport()->mapToGlobal(at));
        QApplication::sendEvent(strip->viewport(), &event);
        return texts;
    };
    QCOMPARE(menuAt(1),
             QStringList({ui()->actionClear->text(), ui()->actionSelect_All->text(),
                          ui()->menuSort_By->title(),
                          QCoreApplication::translate("Vellumix", "Transition")}));
    const QStringList onPhoto = menuAt(2);
    QCOMPARE(onPhoto.first(), ui()->actionDelete->text());
    QVERIFY(onPhoto.contains(ui()->actionTurn_Left->text()));
    QCOMPARE(onPhoto.last(), ui()->actionMove_Right->text());
}

void TestVellumixEditing::undoAndRedoRestoreTheShow()
{
    loadShow(true);
    QUndoStack *undo = window->undoStack();
    StoryBoard &board = window->board();
    QVERIFY(undo->canUndo());
    const QList<ImageInfo> loaded = board.photos;

    // A drop of a file between the first two photos.
    QVERIFY(dropOn(ui()->photoListWidget, {photoFiles[3]}, 2));
    QTRY_COMPARE_WITH_TIMEOUT(board.photos.size(), 4, PatienceMs);
    const QStringList dropped = pathsOf(board.photos);
    // A sort by name, descending, of the photos.
    clickRow(ui()->photoListWidget, 0);
    QTest::mouseClick(ui()->turnRight, Qt::LeftButton);
    const QList<ImageInfo> turned = board.photos;
    ui()->actionSortDescending->trigger();
    const QStringList sorted = pathsOf(board.photos);
    QCOMPARE(sorted, QStringList({photoFiles[3], photoFiles[2], photoFiles[1], photoFiles[0]}));
    // A duration changed with the arrow key.
    ui()->spinBox_2->setFocus();
    QTest::keyClick(ui()->spinBox_2, Qt::Key_Up);
    QCOMPARE(board.transitionDurationMs, 1600);
    const int longer = window->renderer()->totalFrames();

    // The strip has the keyboard; a spin box would take Ctrl+Z for its own text. (Without a
    // window manager the window is not active again by itself after the import dialog.)
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    ui()->photoListWidget->setFocus();
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(board.transitionDurationMs, 1500);
    QCOMPARE(board.transitionDuration, 1.5);
    QCOMPARE(ui()->spinBox_2->value(), 1500);
    QVERIFY(window->renderer()->totalFrames() < longer);
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pathsOf(board.photos), pathsOf(turned));
    QCOMPARE(pathsOf(ui()->photoListWidget->photoList()), pathsOf(turned));
    QCOMPARE(board.photos.at(0).operations, QList<int>({ImageInfo::TurnRight}));
    press(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(board.photos.at(0).operations.isEmpty());
    press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pathsOf(board.photos), pathsOf(loaded));
    QCOMPARE(ui()->photoListWidget->count(), 5);
    QCOMPARE(ui()->position->maximum(), window->renderer()->totalFrames());

    // And forward again, with the Edit menu's entry and the key.
    QAction *redo = ui()->menuEdit->actions().at(1);
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(pathsOf(board.photos), dropped);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(pathsOf(board.photos), sorted);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(board.transitionDurationMs, 1600);
    QCOMPARE(ui()->spinBox_2->value(), 1600);
    QCOMPARE(window->renderer()->totalFrames(), longer);
    QVERIFY(!undo->canRedo());

    // Back to before the import, and the audio strip with it.
    while (undo->canUndo())
        undo->undo();
    QVERIFY(board.isEmpty());
    QCOMPARE(ui()->audioListWidget->count(), 0);
    QVERIFY(ui()->gettingStart->isVisible());
}

void TestVellumixEditing::undoGoesBackAHundredSteps()
{
    loadShow(false);
    const QStringList loaded = pathsOf(window->board().photos);
    PhotoListWidget *strip = ui()->photoListWidget;
    clickRow(strip, 0);
    QUndoStack *undo = window->undoStack();
    const int before = undo->count();
    for (int i = 0; i < 120; ++i)
        QTest::mouseClick(i % 2 ? ui()->moveLeft : ui()->moveRight, Qt::LeftButton);
    QCOMPARE(undo->count() - before, 120);
    for (int i = 0; i < 120; ++i)
        undo->undo();
    QCOMPARE(pathsOf(window->board().photos), loaded);
    QVERIFY(undo->canUndo());
}

void TestVellumixEditing::selectedPhotosEditedAsOneStep()
{
    loadShow(false);
    PhotoListWidget *strip = ui()->photoListWidget;
    auto *panel = window->findChild<PhotoSettingsPanel *>();
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("settingsTabs"));
    QVERIFY(panel && tabs && !panel->isVisible());
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    QVERIFY(panel->isVisible());
    auto *transition = panel->findChildren<QComboBox *>().value(0);
    QVERIFY(transition && !transition->isEnabled());
    const QVariant plainMarker = strip->item(1)->data(Qt::DecorationRole);
    const QVariant plainPhoto = strip->item(2)->data(Qt::DecorationRole);

    // All three photos, then "Cut" picked with the keyboard: one step for all of them.
    clickRow(strip, 0);
    QTest::mouseClick(strip->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(strip, 4));
    QCOMPARE(strip->selectedPhotoIndexes(), QList<int>({0, 1, 2}));
    QVERIFY(transition->isEnabled());
    const int steps = window->undoStack()->count();
    transition->setFocus();
    QTest::keyClick(transition, Qt::Key_End);
    for (const ImageInfo &photo : window->board().photos)
        QCOMPARE(photo.own.transition, TransitionStyle::Cut);
    QCOMPARE(window->undoStack()->count(), steps + 1);
    QCOMPARE(window->renderer()->totalFrames(), 3 * 125);
    // The strip marks the photos and the markers that have settings of their own.
    QVERIFY(strip->item(1)->data(Qt::DecorationRole) != plainMarker);
    QVERIFY(strip->item(2)->data(Qt::DecorationRole) != plainPhoto);

    window->undoStack()->undo();
    for (const ImageInfo &photo : window->board().photos)
        QVERIFY(photo.own.isAlbum());
    QCOMPARE(window->renderer()->totalFrames(), 450);
    QCOMPARE(strip->item(1)->data(Qt::DecorationRole), plainMarker);
    QCOMPARE(strip->item(2)->data(Qt::DecorationRole), plainPhoto);
    window->undoStack()->redo();
    QCOMPARE(window->board().photos.at(2).own.transition, TransitionStyle::Cut);
}

void TestVellumixEditing::captionsEditedAsOneStep()
{
    loadShow(false);
    PhotoListWidget *strip = ui()->photoListWidget;
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("settingsTabs"));
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    auto *text = window->findChild<QPlainTextEdit *>(QStringLiteral("captionText"));
    auto *style = window->findChild<QComboBox *>(QStringLiteral("captionStyle"));
    QVERIFY(text && style && text->isVisible());

    // Typed for the three selected photos and kept with Ctrl+Return: one step.
    clickRow(strip, 0);
    QTest::mouseClick(strip->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(strip, 4));
    const int steps = window->undoStack()->count();
    QTest::mouseClick(text->viewport(), Qt::LeftButton);
    QTest::keyClicks(text, QStringLiteral("Harbour"));
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(text, QStringLiteral("at noon"));
    QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(window->undoStack()->count(), steps + 1);
    for (const ImageInfo &photo : window->board().photos)
        QCOMPARE(photo.caption.text, QStringLiteral("Harbour\nat noon"));

    // A preset makes the style the captions' own, again as one step; leaving the field with
    // the text unchanged records nothing.
    style->setFocus();
    QTest::keyClick(style, Qt::Key_Down);
    QCOMPARE(window->undoStack()->count(), steps + 2);
    for (const ImageInfo &photo : window->board().photos)
        QVERIFY(photo.caption.ownStyle);

    window->undoStack()->undo();
    window->undoStack()->undo();
    for (const ImageInfo &photo : window->board().photos)
        QVERIFY(photo.caption.isEmpty() && !photo.caption.ownStyle);
    QVERIFY(text->toPlainText().isEmpty());

    // A double-click on the paused preview edits the caption of the photo on screen only.
    clickRow(strip, 2);
    QTimer::singleShot(200, window.get(), [] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->setTextValue(QStringLiteral("Lighthouse"));
        dialog->accept();
    });
    QTest::mouseDClick(ui()->avPlayer, Qt::LeftButton);
    QCOMPARE(window->board().photos.at(1).caption.text, QStringLiteral("Lighthouse"));
    QVERIFY(window->board().photos.at(0).caption.isEmpty());
    QVERIFY(window->board().photos.at(2).caption.isEmpty());
}

void TestVellumixEditing::motionRectanglesDraggedOnThePreview()
{
    loadShow(false);
    PhotoListWidget *strip = ui()->photoListWidget;
    auto *panel = window->findChild<PhotoSettingsPanel *>();
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("settingsTabs"));
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    clickRow(strip, 2);
    // "Custom", the last motion, starts from the rectangles of the photo's automatic path.
    auto *motion = panel->findChildren<QComboBox *>().value(2);
    QVERIFY(motion);
    motion->setFocus();
    QTest::keyClick(motion, Qt::Key_End);
    const PhotoSettings chosen = window->board().photos.at(1).own;
    QCOMPARE(chosen.motion, MotionStyle::Custom);
    QVERIFY(chosen.motionStart.isValid() && chosen.motionEnd.isValid());
    QVERIFY(chosen.motionStart != chosen.motionEnd);

    QPushButton *edit = panel->editMotionButton();
    QVERIFY(edit->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton);
    auto *editor = window->findChild<MotionRectEditor *>();
    QTRY_VERIFY(editor && editor->isVisible());
    QVERIFY(ui()->play->isVisible());

    // The end rectangle dragged to the left: one step, and the photo plays at once.
    const int steps = window->undoStack()->count();
    const QPoint from = editor->toWidget(editor->endRect()).center().toPoint() + QPoint(0, 5);
    QTest::mousePress(editor, Qt::LeftButton, {}, from);
    QTest::mouseMove(editor, from - QPoint(10, 0));
    QTest::mouseMove(editor, from - QPoint(20, 0));
    QTest::mouseRelease(editor, Qt::LeftButton, {}, from - QPoint(20, 0));
    QCOMPARE(window->undoStack()->count(), steps + 1);
    const PhotoSettings dragged = window->board().photos.at(1).own;
    QVERIFY(dragged.motionEnd.center().x() < chosen.motionEnd.center().x());
    QCOMPARE(dragged.motionEnd.size(), chosen.motionEnd.size());
    QVERIFY(!editor->isVisible());
    QVERIFY(ui()->pause->isVisible());
    QTest::mouseClick(ui()->pause, Qt::LeftButton);

    window->undoStack()->undo();
    QCOMPARE(window->board().photos.at(1).own.motionEnd, chosen.motionEnd);
}

void TestVellumixEditing::transitionMarkerChoosesItsTransition()
{
    loadShow(false);
    PhotoListWidget *strip = ui()->photoListWidget;
    // A double-click on the marker after photo 2 opens its choices; Dissolve is picked.
    QTimer poll;
    connect(&poll, &QTimer::timeout, &poll, [&poll] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        for (QAction *action : menu->actions()) {
            if (action->text() == QCoreApplication::translate("Vellumix", "Dissolve"))
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll.start(20);
    // A click, then the second press that the system reports as double.
    QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, centreOf(strip, 3));
    QTest::mouseDClick(strip->viewport(), Qt::LeftButton, {}, centreOf(strip, 3));
    QTRY_COMPARE(window->board().photos.at(1).own.transition, TransitionStyle::Dissolve);
    QVERIFY(window->board().photos.at(0).own.isAlbum());
    QVERIFY(window->board().photos.at(2).own.isAlbum());
    window->undoStack()->undo();
    QVERIFY(window->board().photos.at(1).own.isAlbum());
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestVellumixEditing test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_vellumixediting.moc"
