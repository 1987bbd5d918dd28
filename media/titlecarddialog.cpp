// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/titlecarddialog.h"

#include "controls/colourbutton.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr QSize PreviewSize(192, 108);

} // namespace

TitleCardDialog::TitleCardDialog(const QString &title, const QString &text, const TitleCard &card,
                                 const QStringList &photos, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("titleCardDialog"));
    setWindowTitle(title);
    auto *form = new QFormLayout(this);
    textEdit = new QPlainTextEdit(text, this);
    textEdit->setObjectName(QStringLiteral("titleText"));
    textEdit->setTabChangesFocus(true);
    textEdit->setMinimumWidth(320);
    textEdit->setMaximumHeight(textEdit->fontMetrics().lineSpacing() * 4 + 12);
    form->addRow(tr("Text:"), textEdit);

    background = new QComboBox(this);
    background->setObjectName(QStringLiteral("titleBackground"));
    background->addItem(tr("Gradient"), int(TitleCard::Background::Gradient));
    background->addItem(tr("Colour"), int(TitleCard::Background::Colour));
    if (!photos.isEmpty() || !card.photo.isEmpty())
        background->addItem(tr("Blurred copy of a photo"),
                            int(TitleCard::Background::BlurredPhoto));
    background->setCurrentIndex(std::max(0, background->findData(int(card.background))));
    form->addRow(tr("Background:"), background);

    colour = new ColourButton(this);
    colour->setObjectName(QStringLiteral("titleColour"));
    colour->setText(tr("Colour..."));
    colour->setDialogTitle(tr("Title Card Colour"));
    colour->setColour(card.colour);
    colour2 = new ColourButton(this);
    colour2->setObjectName(QStringLiteral("titleColour2"));
    colour2->setText(tr("Second colour..."));
    colour2->setDialogTitle(tr("Title Card Colour"));
    colour2->setColour(card.colour2);
    auto *colours = new QHBoxLayout;
    colours->addWidget(colour);
    colours->addWidget(colour2);
    colours->addStretch();
    form->addRow(tr("Colours:"), colours);

    photo = new QComboBox(this);
    photo->setObjectName(QStringLiteral("titlePhoto"));
    for (const QString &path : photos)
        photo->addItem(QFileInfo(path).fileName(), path);
    // A card keeps its photo when that has left the show since.
    if (!card.photo.isEmpty() && photo->findData(card.photo) < 0)
        photo->addItem(QFileInfo(card.photo).fileName(), card.photo);
    photo->setCurrentIndex(std::max(0, photo->findData(card.photo)));
    form->addRow(tr("Photo:"), photo);

    preview = new QLabel(this);
    preview->setObjectName(QStringLiteral("titlePreview"));
    preview->setFixedSize(PreviewSize);
    form->addRow(QString(), preview);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(textEdit, &QPlainTextEdit::textChanged, this, &TitleCardDialog::updateState);
    connect(background, &QComboBox::currentIndexChanged, this, &TitleCardDialog::updateState);
    connect(photo, &QComboBox::currentIndexChanged, this, &TitleCardDialog::updateState);
    connect(colour, &ColourButton::colourPicked, this, &TitleCardDialog::updateState);
    connect(colour2, &ColourButton::colourPicked, this, &TitleCardDialog::updateState);
    updateState();
}

QString TitleCardDialog::text() const
{
    return textEdit->toPlainText();
}

TitleCard TitleCardDialog::card() const
{
    TitleCard card;
    card.background = static_cast<TitleCard::Background>(background->currentData().toInt());
    card.colour = colour->colour();
    card.colour2 = colour2->colour();
    if (card.background == TitleCard::Background::BlurredPhoto)
        card.photo = photo->currentData().toString();
    return card;
}

void TitleCardDialog::updateState()
{
    const TitleCard chosen = card();
    colour->setEnabled(chosen.background != TitleCard::Background::BlurredPhoto);
    colour2->setEnabled(chosen.background == TitleCard::Background::Gradient);
    photo->setEnabled(chosen.background == TitleCard::Background::BlurredPhoto);
    // The text in the card's own bold white, roughly as the video shows it.
    if (previewBackground.isNull() || chosen != previewCard) {
        previewCard = chosen;
        previewBackground = titleCardImage(chosen, PreviewSize);
    }
    QImage picture = previewBackground;
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(PreviewSize.height() / 8);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     text());
    painter.end();
    preview->setPixmap(QPixmap::fromImage(picture));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!text().trimmed().isEmpty());
}
