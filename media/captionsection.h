// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/photosettingspanel.h"
#include "storyboard/storyboard.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// The per-photo panel's caption part: the selected photos' caption text, its place in the frame
// and its look, as the show's or its own. Every edit is handed out as one change for all the
// selected photos. GUI thread only.
class CaptionSection : public QWidget
{
    Q_OBJECT

public:
    explicit CaptionSection(QWidget *parent = nullptr);

    // Shows the caption of the first of the selected photos; none disables the section.
    void setPhotos(const QList<ImageInfo> &selected, const CaptionStyle &showStyle);
    void retranslate();
    QPlainTextEdit *textEdit() const { return text; }

signals:
    void edited(const QString &name, const PhotoSettingsPanel::Change &change);
    // The show's caption style, or the selected title card, is to be edited in its dialog.
    void showStyleRequested();
    void editTitleRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void fillChoices();
    void commitText();
    void anchorPicked(int index);
    void stylePicked(int index);
    void editStyle(const std::function<void(CaptionStyle &)> &edit);
    void pickColour();
    void pickFont();
    void updateEnabled();

    QLabel *heading = nullptr;
    QPlainTextEdit *text = nullptr;
    QLabel *placeLabel = nullptr;
    QComboBox *anchor = nullptr;
    QLabel *styleLabel = nullptr;
    QComboBox *style = nullptr;
    QDoubleSpinBox *size = nullptr;
    QToolButton *font = nullptr;
    QToolButton *colour = nullptr;
    QToolButton *editTitle = nullptr;
    QCheckBox *outline = nullptr;
    QCheckBox *shadow = nullptr;
    QCheckBox *box = nullptr;

    QList<ImageInfo> photos;
    CaptionStyle showCaptionStyle;
    bool loading = false;
    bool committing = false;
};
