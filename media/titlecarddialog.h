// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/titlecard.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QString>

class ColourButton;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;

// A title card's text and background: a colour, a gradient of two, or a blurred copy of one of
// the show's photos, with a small picture of the result. GUI thread only.
class TitleCardDialog : public QDialog
{
    Q_OBJECT

public:
    // photos are the paths of the show's photos a card can take its background from.
    TitleCardDialog(const QString &title, const QString &text, const TitleCard &card,
                    const QStringList &photos, QWidget *parent = nullptr);

    QString text() const;
    TitleCard card() const;

private:
    void updateState();

    QPlainTextEdit *textEdit = nullptr;
    QComboBox *background = nullptr;
    ColourButton *colour = nullptr;
    ColourButton *colour2 = nullptr;
    QComboBox *photo = nullptr;
    QLabel *preview = nullptr;
    QDialogButtonBox *buttons = nullptr;
    // The preview's background, made again only when the card changes (a blurred photo is read
    // from its file), not with every key typed.
    TitleCard previewCard;
    QImage previewBackground;
};
