// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/captionstyledialog.h"

#include "controls/colourbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace {

QString defaultFamily()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

CaptionStyleDialog::CaptionStyleDialog(const CaptionStyle &style, QWidget *parent)
    : QDialog(parent)
    , start(style)
{
    setObjectName(QStringLiteral("captionStyleDialog"));
    setWindowTitle(tr("Caption Style for the Show"));
    auto *form = new QFormLayout(this);

    preset = new QComboBox(this);
    preset->setObjectName(QStringLiteral("stylePreset"));
    preset->addItem(tr("Plain with shadow"), int(CaptionPreset::Plain));
    preset->addItem(tr("White on dark band"), int(CaptionPreset::Band));
    preset->addItem(tr("Bold outline"), int(CaptionPreset::Outline));
    if (!CaptionStyle::handwrittenFamily().isEmpty())
        preset->addItem(tr("Handwritten"), int(CaptionPreset::Handwritten));
    form->addRow(tr("Start from:"), preset);

    family = new QFontComboBox(this);
    family->setObjectName(QStringLiteral("styleFamily"));
    family->setFontFilters(QFontComboBox::ScalableFonts);
    bold = new QCheckBox(tr("Bold"), this);
    bold->setObjectName(QStringLiteral("styleBold"));
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(family, 1);
    fontRow->addWidget(bold);
    form->addRow(tr("Font:"), fontRow);

    size = new QDoubleSpinBox(this);
    size->setObjectName(QStringLiteral("styleSize"));
    size->setRange(CaptionStyle::MinSize * 100.0, CaptionStyle::MaxSize * 100.0);
    size->setDecimals(1);
    size->setSingleStep(0.5);
    size->setSuffix(QStringLiteral(" %"));
    size->setToolTip(tr("Height of the text in percent of the frame's height"));
    colour = new ColourButton(this);
    colour->setObjectName(QStringLiteral("styleColour"));
    colour->setText(tr("Text colour..."));
    colour->setDialogTitle(tr("Caption Colour"));
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size);
    sizeRow->addWidget(colour);
    sizeRow->addStretch();
    form->addRow(tr("Size:"), sizeRow);

    outline = new QCheckBox(tr("Outline"), this);
    outline->setObjectName(QStringLiteral("styleOutline"));
    outlineColour = new ColourButton(this);
    outlineColour->setObjectName(QStringLiteral("styleOutlineColour"));
    outlineColour->setText(tr("Outline colour..."));
    outlineColour->setDialogTitle(tr("Outline Colour"));
    auto *outlineRow = new QHBoxLayout;
    outlineRow->addWidget(outline);
    outlineRow->addWidget(outlineColour);
    outlineRow->addStretch();
    form->addRow(QString(), outlineRow);
    shadow = new QCheckBox(tr("Soft shadow"), this);
    shadow->setObjectName(QStringLiteral("styleShadow"));
    form->addRow(QString(), shadow);
    box = new QCheckBox(tr("Box behind the text"), this);
    box->setObjectName(QStringLiteral("styleBox"));
    boxColour = new ColourButton(this);
    boxColour->setObjectName(QStringLiteral("styleBoxColour"));
    boxColour->setText(tr("Box colour..."));
    boxColour->setDialogTitle(tr("Box Colour"));
    boxColour->setAlphaShown(true);
    auto *boxRow = new QHBoxLayout;
    boxRow->addWidget(box);
    boxRow->addWidget(boxColour);
    boxRow->addStretch();
    form->addRow(QString(), boxRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(preset, &QComboBox::currentIndexChanged, this, &CaptionStyleDialog::presetPicked);
    connect(outline, &QCheckBox::toggled, this, &CaptionStyleDialog::updateEnabled);
    connect(box, &QCheckBox::toggled, this, &CaptionStyleDialog::updateEnabled);
    load(style);
}

void CaptionStyleDialog::load(const CaptionStyle &style)
{
    loading = true;
    preset->setCurrentIndex(std::max(0, preset->findData(int(style.preset))));
    family->setCurrentFont(QFont(style.family.isEmpty() ? defaultFamily() : style.family));
    bold->setChecked(style.bold);
    size->setValue(style.size * 100.0);
    colour->setColour(style.colour);
    outline->setChecked(style.outline);
    outlineColour->setColour(style.outlineColour);
    shadow->setChecked(style.shadow);
    box->setChecked(style.box);
    boxColour->setColour(style.boxColour);
    loading = false;
    updateEnabled();
}

void CaptionStyleDialog::presetPicked(int index)
{
    if (loading || index < 0)
        return;
    load(CaptionStyle::fromPreset(static_cast<CaptionPreset>(preset->itemData(index).toInt())));
}

void CaptionStyleDialog::updateEnabled()
{
    outlineColour->setEnabled(outline->isChecked());
    boxColour->setEnabled(box->isChecked());
}

CaptionStyle CaptionStyleDialog::captionStyle() const
{
    CaptionStyle style = start;
    style.preset = static_cast<CaptionPreset>(preset->currentData().toInt());
    const QString chosen = family->currentFont().family();
    // The toolkit's own sans-serif stays "no family", so that it follows the desktop's.
    const CaptionStyle fromPreset = CaptionStyle::fromPreset(style.preset);
    const QString unchanged = start.preset == style.preset ? start.family : fromPreset.family;
    style.family = unchanged.isEmpty() && chosen == defaultFamily() ? QString() : chosen;
    style.bold = bold->isChecked();
    style.size = std::clamp(size->value() / 100.0, CaptionStyle::MinSize, CaptionStyle::MaxSize);
    style.colour = colour->colour();
    style.outline = outline->isChecked();
    style.outlineColour = outlineColour->colour();
    style.shadow = shadow->isChecked();
    style.box = box->isChecked();
    style.boxColour = boxColour->colour();
    return style;
}
