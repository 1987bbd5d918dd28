// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/caption.h"

#include <QDialog>

class ColourButton;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;

// The show's caption style, which every caption without a style of its own is drawn with: a
// preset to start from, then font, size, colour, outline, shadow and box. GUI thread only.
class CaptionStyleDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CaptionStyleDialog(const CaptionStyle &style, QWidget *parent = nullptr);

    CaptionStyle captionStyle() const;

private:
    void load(const CaptionStyle &style);
    void presetPicked(int index);
    void updateEnabled();

    QComboBox *preset = nullptr;
    QFontComboBox *family = nullptr;
    QCheckBox *bold = nullptr;
    QDoubleSpinBox *size = nullptr;
    ColourButton *colour = nullptr;
    QCheckBox *outline = nullptr;
    ColourButton *outlineColour = nullptr;
    QCheckBox *shadow = nullptr;
    QCheckBox *box = nullptr;
    ColourButton *boxColour = nullptr;

    CaptionStyle start;
    bool loading = false;
};
