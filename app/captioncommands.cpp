// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/showedit.h"

#include "audio/storyboardrender.h"
#include "media/captionsection.h"
#include "media/captionstyledialog.h"
#include "media/photolistwidget.h"
#include "media/photosettingspanel.h"
#include "media/titlecarddialog.h"
#include "preview/avplayer.h"
#include "storyboard/titlecard.h"
#include "zomexif/photodescription.h"

#include "ui_vellumix.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHash>
#include <QInputDialog>
#include <QMessageBox>
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
    editTitleAction = new QAction(this);
    editTitleAction->setObjectName(QStringLiteral("actionEdit_Title"));
    connect(editTitleAction, &QAction::triggered, this,
            [this] { editTitleCard(ui->photoListWidget->selectedPhotoIndexes().value(0, -1)); });
    connect(captionSection, &CaptionSection::editTitleRequested, editTitleAction,
            &QAction::trigger);
    editTitleAction->setEnabled(false);
    editShowStyleAction = new QAction(this);
    editShowStyleAction->setObjectName(QStringLiteral("actionCaption_Style"));
    connect(editShowStyleAction, &QAction::triggered, this, &Vellumix::editShowCaptionStyle);
    ui->menuEdit->addSeparator();
    ui->menuEdit->addActions({addTitleAction, editTitleAction, editShowStyleAction});
    connect(captionSection, &CaptionSection::showStyleRequested, editShowStyleAction,
            &QAction::trigger);

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
    editTitleAction->setText(tr("Edit Title..."));
    editTitleAction->setToolTip(tr("The selected title card's text and background"));
    editShowStyleAction->setText(tr("Caption Style for the Show..."));
    editShowStyleAction->setToolTip(tr("The look of every caption without a style of its own"));
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

QStringList Vellumix::titleCardPhotos() const
{
    QStringList paths;
    for (const ImageInfo &photo : storyBoard.photos) {
        if (!photo.titleCard && !photo.missing && !paths.contains(photo.path))
            paths.append(photo.path);
    }
    return paths;
}

bool Vellumix::askTitleCard(const QString &command, const QString &text, const TitleCard &card,
                            ImageInfo &record)
{
    TitleCardDialog dialog(command, text, card, titleCardPhotos(), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (makeTitleCard(dialog.text(), dialog.card(), titleCardFolder(), record))
        return true;
    QMessageBox::warning(this, command,
                         tr("The title card cannot be written to %1.")
                             .arg(QDir::toNativeSeparators(titleCardFolder())));
    return false;
}

void Vellumix::addTitleCard()
{
    const QList<int> selected = ui->photoListWidget->selectedPhotoIndexes();
    const int before = selected.isEmpty() ? 0 : selected.first();
    TitleCard card;
    // A blurred copy starts from the selected photo.
    if (before < storyBoard.photos.size() && !storyBoard.photos.at(before).titleCard)
        card.photo = storyBoard.photos.at(before).path;
    ImageInfo record;
    if (!askTitleCard(tr("Add Title"), QString(), card, record))
        return;
    on_pause_clicked();
    QList<ImageInfo> photos = storyBoard.photos;
    photos.insert(std::clamp(before, 0, int(photos.size())), record);
    runEdit(tr("Add Title"), [&] { ui->photoListWidget->setPhotoList(photos); });
}

void Vellumix::editTitleCard(int index)
{
    if (index < 0 || index >= storyBoard.photos.size() || !storyBoard.photos.at(index).titleCard)
        return;
    const ImageInfo old = storyBoard.photos.at(index);
    ImageInfo record;
    if (!askTitleCard(tr("Edit Title"), old.caption.text, old.card, record))
        return;
    // The card keeps its place, its own settings and its text's look.
    record.own = old.own;
    const QString text = record.caption.text;
    record.caption = old.caption;
    record.caption.text = text;
    if (record.path == old.path && record.card == old.card && record.caption == old.caption)
        return;
    on_pause_clicked();
    QList<ImageInfo> photos = storyBoard.photos;
    photos[index] = record;
    runEdit(tr("Edit Title"), [&] { ui->photoListWidget->setPhotoList(photos); });
    ui->photoListWidget->setCurrentRow(index * 2);
}

void Vellumix::editShowCaptionStyle()
{
    CaptionStyleDialog dialog(storyBoard.captionStyle, this);
    if (dialog.exec() == QDialog::Accepted)
        setShowCaptionStyle(dialog.captionStyle());
}

void Vellumix::setShowCaptionStyle(const CaptionStyle &after)
{
    const CaptionStyle before = storyBoard.captionStyle;
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

void Vellumix::useCaptionStyleForShow()
{
    const int index = ui->photoListWidget->selectedPhotoIndexes().value(0, -1);
    if (index < 0 || index >= storyBoard.photos.size())
        return;
    setShowCaptionStyle(storyBoard.captionStyleAt(index));
}
