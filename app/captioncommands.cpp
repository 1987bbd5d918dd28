// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/showedit.h"

#include "audio/storyboardrender.h"
#include "media/captionsection.h"
#include "media/photolistwidget.h"
#include "media/photosettingspanel.h"
#include "preview/avplayer.h"
#include "storyboard/titlecard.h"
#include "zomexif/photodescription.h"

#include "ui_vellumix.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHash>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <functional>

namespace {

// Hands a double-click on a widget to a callback; the widget keeps every event.
class DoubleClickWatcher : public QObject
{
public:
    DoubleClickWatcher(QWidget *watched, std::function<void()> onDoubleClick)
        : QObject(watched)
        , callback(std::move(onDoubleClick))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            callback();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> callback;
};

} // namespace

void Vellumix::setUpCaptionCommands()
{
    captionSection = new CaptionSection(photoPanel);
    photoPanel->addSection(captionSection);
    connect(captionSection, &CaptionSection::edited, this, &Vellumix::editSelectedPhotos);

    editCaptionAction = new QAction(this);
    editCaptionAction->setObjectName(QStringLiteral("actionEdit_Caption"));
    connect(editCaptionAction, &QAction::triggered, this,
            [this] { editCaptionText(ui->photoListWidget->selectedPhotoIndexes()); });

    captionFromDescriptionAction = new QAction(this);
    connect(captionFromDescriptionAction, &QAction::triggered, this,
            [this] { captionsFromPhotos(false); });
    captionFromFileNameAction = new QAction(this);
    connect(captionFromFileNameAction, &QAction::triggered, this,
            [this] { captionsFromPhotos(true); });

    showCaptionStyleAction = new QAction(this);
    connect(showCaptionStyleAction, &QAction::triggered, this, &Vellumix::useCaptionStyleForShow);
    addTitleAction = new QAction(this);
    addTitleAction->setObjectName(QStringLiteral("actionAdd_Title"));
    connect(addTitleAction, &QAction::triggered, this, &Vellumix::addTitleCard);
    ui->menuEdit->addSeparator();
    ui->menuEdit->addAction(addTitleAction);

    // On the paused preview a double-click edits the caption of the photo on screen.
    new DoubleClickWatcher(ui->avPlayer, [this] {
        const int photo = pausedPhoto();
        if (photo >= 0)
            editCaptionText({photo});
    });
}

void Vellumix::retranslateCaptionCommands()
{
    if (!captionSection)
        return;
    captionSection->retranslate();
    editCaptionAction->setText(tr("Edit Caption..."));
    captionFromDescriptionAction->setText(tr("Caption from Photo Description"));
    captionFromDescriptionAction->setToolTip(
        tr("The description the photo file carries (XMP, IPTC or camera data)"));
    captionFromFileNameAction->setText(tr("Caption from File Name"));
    showCaptionStyleAction->setText(tr("Use This Caption Style for the Show"));
    showCaptionStyleAction->setToolTip(
        tr("Every caption without a style of its own takes this photo's caption style"));
    addTitleAction->setText(tr("Add Title..."));
    addTitleAction->setToolTip(tr("A title card before the selected photo"));
}

int Vellumix::pausedPhoto() const
{
    if (playState == PlayState::Playing || storyBoard.photos.isEmpty())
        return -1;
    const int photo = render->timeline().photoAt(ui->avPlayer->currentFrame());
    return photo < storyBoard.photos.size() ? photo : -1;
}

void Vellumix::editCaptionText(const QList<int> &indexes)
{
    QList<int> photos;
    for (int index : indexes) {
        if (index >= 0 && index < storyBoard.photos.size())
            photos.append(index);
    }
    if (photos.isEmpty())
        return;
    bool ok = false;
    const QString label = photos.size() == 1
        ? tr("Caption of this photo:")
        : tr("Caption of the %n selected photos:", nullptr, int(photos.size()));
    const QString text = QInputDialog::getMultiLineText(
        this, tr("Edit Caption"), label, storyBoard.photos.at(photos.first()).caption.text, &ok);
    if (!ok)
        return;
    const QString bounded = boundedCaptionText(text);
    editPhotos(photos, tr("Caption"),
               [bounded](ImageInfo &photo) { photo.caption.text = bounded; });
}

void Vellumix::captionsFromPhotos(bool fileNames)
{
    const QList<int> photos = ui->photoListWidget->selectedPhotoIndexes();
    // Read before the edit, so that the one step holds every photo's text.
    QHash<QString, QString> texts;
    for (int index : photos) {
        if (index < 0 || index >= storyBoard.photos.size())
            continue;
        const QString &path = storyBoard.photos.at(index).path;
        texts.insert(path,
                     boundedCaptionText(fileNames ? QFileInfo(path).completeBaseName()
                                                  : photoDescription(path)));
    }
    editPhotos(photos, tr("Caption"), [texts](ImageInfo &photo) {
        const QString text = texts.value(photo.path);
        // A photo without a description keeps the caption it has.
        if (!text.isEmpty())
            photo.caption.text = text;
    });
}

void Vellumix::addTitleCard()
{
    const QList<int> selected = ui->photoListWidget->selectedPhotoIndexes();
    const int before = selected.isEmpty() ? 0 : selected.first();
    const QString selectedPhoto
        = before < storyBoard.photos.size() && !storyBoard.photos.at(before).titleCard
        ? storyBoard.photos.at(before).path
        : QString();

    QDialog dialog(this);
    dialog.setWindowTitle(tr("Add Title"));
    auto *form = new QFormLayout(&dialog);
    auto *text = new QPlainTextEdit(&dialog);
    text->setObjectName(QStringLiteral("titleText"));
    text->setTabChangesFocus(true);
    text->setMinimumWidth(320);
    text->setMaximumHeight(text->fontMetrics().lineSpacing() * 4 + 12);
    auto *background = new QComboBox(&dialog);
    background->setObjectName(QStringLiteral("titleBackground"));
    background->addItem(tr("Gradient"), int(TitleCard::Background::Gradient));
    background->addItem(tr("Colour"), int(TitleCard::Background::Colour));
    if (!selectedPhoto.isEmpty())
        background->addItem(tr("Blurred copy of the selected photo"),
                            int(TitleCard::Background::BlurredPhoto));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(tr("Text:"), text);
    form->addRow(tr("Background:"), background);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const auto updateOk = [text, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!text->toPlainText().trimmed().isEmpty());
    };
    connect(text, &QPlainTextEdit::textChanged, &dialog, updateOk);
    updateOk();
    if (dialog.exec() != QDialog::Accepted)
        return;

    TitleCard card;
    card.background = static_cast<TitleCard::Background>(background->currentData().toInt());
    if (card.background == TitleCard::Background::BlurredPhoto)
        card.photo = selectedPhoto;
    ImageInfo record;
    if (!makeTitleCard(text->toPlainText(), card, titleCardFolder(), record)) {
        QMessageBox::warning(this, tr("Add Title"),
                             tr("The title card cannot be written to %1.")
                                 .arg(QDir::toNativeSeparators(titleCardFolder())));
        return;
    }
    on_pause_clicked();
    QList<ImageInfo> photos = storyBoard.photos;
    photos.insert(std::clamp(before, 0, int(photos.size())), record);
    runEdit(tr("Add Title"), [&] { ui->photoListWidget->setPhotoList(photos); });
}

void Vellumix::useCaptionStyleForShow()
{
    const int index = ui->photoListWidget->selectedPhotoIndexes().value(0, -1);
    if (index < 0 || index >= storyBoard.photos.size())
        return;
    const CaptionStyle before = storyBoard.captionStyle;
    const CaptionStyle after = storyBoard.captionStyleAt(index);
    if (after == before)
        return;
    on_pause_clicked();
    const auto apply = [this](const CaptionStyle &style) {
        storyBoard.captionStyle = style;
        onStoryBoardDataChanged();
        showPhotoSettings();
    };
    apply(after);
    undo->push(new ShowEdit<CaptionStyle>(tr("Caption Style"), before, after, apply));
}
