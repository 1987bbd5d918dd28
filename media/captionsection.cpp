// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/captionsection.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The style box's first entry follows the show, the last one opens the show's style; the others
// are the presets by their number.
constexpr int ShowStyleEntry = -1;
constexpr int EditShowStyleEntry = -2;

} // namespace

CaptionSection::CaptionSection(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("captionSection"));
    auto *grid = new QGridLayout(this);
    // The column must fit a small screen's height with the panel above it.
    grid->setContentsMargins(0, 2, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    heading = new QLabel(this);
    text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("captionText"));
    text->setTabChangesFocus(true);
    text->setMaximumHeight(fontMetrics().lineSpacing() * 2 + 10);
    text->installEventFilter(this);
    // Under the heading, where the text field leaves room: only a title card shows it.
    editTitle = new QToolButton(this);
    editTitle->setObjectName(QStringLiteral("captionEditTitle"));
    auto *headingColumn = new QVBoxLayout;
    headingColumn->setSpacing(2);
    headingColumn->addWidget(heading);
    headingColumn->addWidget(editTitle);
    headingColumn->addStretch();
    grid->addLayout(headingColumn, 1, 0);
    grid->addWidget(text, 1, 1, 1, 2);

    placeLabel = new QLabel(this);
    anchor = new QComboBox(this);
    anchor->setObjectName(QStringLiteral("captionAnchor"));
    grid->addWidget(placeLabel, 2, 0);
    grid->addWidget(anchor, 2, 1, 1, 2);
    styleLabel = new QLabel(this);
    style = new QComboBox(this);
    style->setObjectName(QStringLiteral("captionStyle"));
    grid->addWidget(styleLabel, 3, 0);
    grid->addWidget(style, 3, 1, 1, 2);
    size = new QDoubleSpinBox(this);
    size->setObjectName(QStringLiteral("captionSize"));
    size->setRange(CaptionStyle::MinSize * 100.0, CaptionStyle::MaxSize * 100.0);
    size->setDecimals(1);
    size->setSingleStep(0.5);
    size->setSuffix(QStringLiteral(" %"));
    size->setKeyboardTracking(false);
    // Tool buttons: the row has room for their text only, not for push buttons' margins.
    font = new QToolButton(this);
    font->setObjectName(QStringLiteral("captionFont"));
    colour = new QToolButton(this);
    colour->setObjectName(QStringLiteral("captionColour"));
    auto *sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(4);
    sizeRow->addWidget(size);
    sizeRow->addWidget(font);
    sizeRow->addWidget(colour);
    sizeRow->addStretch();
    // The size names itself inside its box, so that the row has the column's whole width.
    grid->addLayout(sizeRow, 4, 0, 1, 3);
    auto *checks = new QHBoxLayout;
    checks->setSpacing(6);
    outline = new QCheckBox(this);
    shadow = new QCheckBox(this);
    box = new QCheckBox(this);
    checks->addWidget(outline);
    checks->addWidget(shadow);
    checks->addWidget(box);
    checks->addStretch();
    grid->addLayout(checks, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(anchor, &QComboBox::currentIndexChanged, this, &CaptionSection::anchorPicked);
    connect(style, &QComboBox::currentIndexChanged, this, &CaptionSection::stylePicked);
    connect(size, &QDoubleSpinBox::valueChanged, this, [this](double percent) {
        editStyle([percent](CaptionStyle &s) { s.size = percent / 100.0; });
    });
    connect(colour, &QToolButton::clicked, this, &CaptionSection::pickColour);
    connect(editTitle, &QToolButton::clicked, this, &CaptionSection::editTitleRequested);
    connect(font, &QToolButton::clicked, this, &CaptionSection::pickFont);
    connect(outline, &QCheckBox::toggled, this,
            [this](bool on) { editStyle([on](CaptionStyle &s) { s.outline = on; }); });
    connect(shadow, &QCheckBox::toggled, this,
            [this](bool on) { editStyle([on](CaptionStyle &s) { s.shadow = on; }); });
    connect(box, &QCheckBox::toggled, this,
            [this](bool on) { editStyle([on](CaptionStyle &s) { s.box = on; }); });
    retranslate();
}

void CaptionSection::retranslate()
{
    heading->setText(tr("Caption:"));
    text->setPlaceholderText(tr("Text shown over the photo"));
    text->setToolTip(tr("Kept when the field is left; Ctrl+Return keeps it at once"));
    placeLabel->setText(tr("Place:"));
    styleLabel->setText(tr("Style:"));
    size->setPrefix(tr("Size:") + QLatin1Char(' '));
    size->setToolTip(tr("Height of the text in percent of the frame's height"));
    colour->setText(tr("Colour..."));
    font->setText(tr("Font..."));
    outline->setText(tr("Outline"));
    shadow->setText(tr("Shadow"));
    box->setText(tr("Box"));
    editTitle->setText(tr("Title..."));
    editTitle->setToolTip(tr("The title card's text and background"));
    fillChoices();
}

void CaptionSection::fillChoices()
{
    const QSignalBlocker quietAnchor(anchor);
    const QSignalBlocker quietStyle(style);
    anchor->clear();
    const QString places[]
        = {tr("Top left"), tr("Top"),         tr("Top right"), tr("Left"),        tr("Centre"),
           tr("Right"),    tr("Bottom left"), tr("Bottom"),    tr("Bottom right")};
    for (int i = 0; i < 9; ++i)
        anchor->addItem(places[i], i);
    style->clear();
    style->addItem(tr("As the show"), ShowStyleEntry);
    style->addItem(tr("Plain with shadow"), int(CaptionPreset::Plain));
    style->addItem(tr("White on dark band"), int(CaptionPreset::Band));
    style->addItem(tr("Bold outline"), int(CaptionPreset::Outline));
    if (!CaptionStyle::handwrittenFamily().isEmpty())
        style->addItem(tr("Handwritten"), int(CaptionPreset::Handwritten));
    style->insertSeparator(style->count());
    style->addItem(tr("The Show's Style..."), EditShowStyleEntry);
    style->setItemData(style->count() - 1, tr("The caption style of the whole show"),
                       Qt::ToolTipRole);
    load();
}

void CaptionSection::setPhotos(const QList<ImageInfo> &selected, const CaptionStyle &showStyle)
{
    // A text being typed is kept when the field loses the focus, which a click elsewhere takes
    // before the selection changes; an edit's own refresh must not hand it out again.
    photos = selected;
    showCaptionStyle = showStyle;
    load();
}

void CaptionSection::load()
{
    loading = true;
    const Caption caption = photos.isEmpty() ? Caption() : photos.first().caption;
    if (text->toPlainText() != caption.text)
        text->setPlainText(caption.text);
    anchor->setCurrentIndex(anchor->findData(int(caption.anchor)));
    const CaptionStyle &shown = caption.ownStyle ? caption.style : showCaptionStyle;
    const int entry
        = style->findData(caption.ownStyle ? int(caption.style.preset) : ShowStyleEntry);
    style->setCurrentIndex(std::max(entry, 0));
    size->setValue(shown.size * 100.0);
    outline->setChecked(shown.outline);
    shadow->setChecked(shown.shadow);
    box->setChecked(shown.box);
    loading = false;
    updateEnabled();
}

void CaptionSection::updateEnabled()
{
    const bool any = !photos.isEmpty();
    setEnabled(any);
    editTitle->setVisible(photos.size() == 1 && photos.first().titleCard);
}

bool CaptionSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == text) {
        if (event->type() == QEvent::FocusOut) {
            commitText();
        } else if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                && key->modifiers().testFlag(Qt::ControlModifier)) {
                commitText();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CaptionSection::commitText()
{
    if (loading || committing || photos.isEmpty())
        return;
    const QString typed = boundedCaptionText(text->toPlainText());
    const bool same = std::all_of(photos.cbegin(), photos.cend(),
                                  [&typed](const ImageInfo &p) { return p.caption.text == typed; });
    if (same)
        return;
    committing = true;
    emit edited(tr("Caption"), [typed](ImageInfo &photo) { photo.caption.text = typed; });
    committing = false;
}

void CaptionSection::anchorPicked(int index)
{
    if (loading || index < 0)
        return;
    const auto place = static_cast<CaptionAnchor>(anchor->itemData(index).toInt());
    emit edited(tr("Caption Place"), [place](ImageInfo &photo) { photo.caption.anchor = place; });
}

void CaptionSection::stylePicked(int index)
{
    if (loading || index < 0)
        return;
    const int entry = style->itemData(index).toInt();
    if (entry == EditShowStyleEntry) {
        // Not a style of the caption: the box goes back to the one it has.
        load();
        emit showStyleRequested();
        return;
    }
    emit edited(tr("Caption Style"), [entry](ImageInfo &photo) {
        photo.caption.ownStyle = entry != ShowStyleEntry;
        photo.caption.style = entry == ShowStyleEntry
            ? CaptionStyle()
            : CaptionStyle::fromPreset(static_cast<CaptionPreset>(entry));
    });
}

void CaptionSection::editStyle(const std::function<void(CaptionStyle &)> &edit)
{
    if (loading || photos.isEmpty())
        return;
    // A change of look makes the style the caption's own, starting from what it showed.
    const CaptionStyle showStyle = showCaptionStyle;
    emit edited(tr("Caption Style"), [edit, showStyle](ImageInfo &photo) {
        if (!photo.caption.ownStyle) {
            photo.caption.style = showStyle;
            photo.caption.ownStyle = true;
        }
        edit(photo.caption.style);
    });
}

void CaptionSection::pickColour()
{
    if (photos.isEmpty())
        return;
    const Caption &caption = photos.first().caption;
    const QColor current = caption.ownStyle ? caption.style.colour : showCaptionStyle.colour;
    const QColor chosen = QColorDialog::getColor(current, this, tr("Caption Colour"));
    if (chosen.isValid())
        editStyle([chosen](CaptionStyle &s) { s.colour = chosen; });
}

void CaptionSection::pickFont()
{
    if (photos.isEmpty())
        return;
    const Caption &caption = photos.first().caption;
    const CaptionStyle &shown = caption.ownStyle ? caption.style : showCaptionStyle;
    QFont current = shown.family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                                           : QFont(shown.family);
    current.setBold(shown.bold);
    bool ok = false;
    const QFont chosen
        = QFontDialog::getFont(&ok, current, this, tr("Caption Font"), QFontDialog::ScalableFonts);
    if (!ok)
        return;
    const QString family = chosen.family();
    const bool bold = chosen.bold();
    editStyle([family, bold](CaptionStyle &s) {
        s.family = family;
        s.bold = bold;
    });
}
