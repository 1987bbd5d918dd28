// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/photosettingspanel.h"

#include "controls/durationspinbox.h"
#include "storyboard/motion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

DurationSpinBox *msBox(int minimum, int maximum, QWidget *parent)
{
    auto *box = new DurationSpinBox(parent);
    box->setRange(minimum, maximum);
    box->setSingleStep(100);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setKeyboardTracking(false);
    box->setSuffix(QStringLiteral(" ms"));
    box->setMinimumWidth(96);
    return box;
}

} // namespace

PhotoSettingsPanel::PhotoSettingsPanel(QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("photoSettings"));
    setMaximumWidth(300);
    sections = new QVBoxLayout(this);
    sections->setContentsMargins(4, 2, 4, 2);
    sections->setSpacing(4);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    durationLabel = new QLabel(this);
    ownDuration = new QCheckBox(this);
    duration = msBox(PhotoSettings::MinDurationMs, PhotoSettings::MaxDurationMs, this);
    grid->addWidget(durationLabel, 0, 0);
    grid->addWidget(ownDuration, 0, 1);
    grid->addWidget(duration, 0, 2);

    transitionLabel = new QLabel(this);
    transition = new QComboBox(this);
    pattern = new QComboBox(this);
    grid->addWidget(transitionLabel, 1, 0);
    grid->addWidget(transition, 1, 1, 1, 2);
    grid->addWidget(pattern, 2, 1, 1, 2);
    lengthLabel = new QLabel(this);
    ownLength = new QCheckBox(this);
    length = msBox(PhotoSettings::MinTransitionMs, PhotoSettings::MaxTransitionMs, this);
    grid->addWidget(lengthLabel, 3, 0);
    grid->addWidget(ownLength, 3, 1);
    grid->addWidget(length, 3, 2);

    motionLabel = new QLabel(this);
    motion = new QComboBox(this);
    easing = new QComboBox(this);
    grid->addWidget(motionLabel, 4, 0);
    grid->addWidget(motion, 4, 1, 1, 2);
    grid->addWidget(easing, 5, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    sections->addLayout(grid);

    buttons = new QGridLayout;
    buttons->setSpacing(4);
    editMotion = new QPushButton(this);
    editMotion->setObjectName(QStringLiteral("editMotion"));
    editMotion->setCheckable(true);
    swapMotion = new QPushButton(this);
    swapMotion->setObjectName(QStringLiteral("swapMotion"));
    useAlbum = new QPushButton(this);
    useAlbum->setObjectName(QStringLiteral("useAlbum"));
    sections->addLayout(buttons);
    sections->addStretch();

    connect(ownDuration, &QCheckBox::toggled, this, &PhotoSettingsPanel::ownDurationToggled);
    connect(duration, &QSpinBox::valueChanged, this, &PhotoSettingsPanel::durationChanged);
    connect(transition, &QComboBox::currentIndexChanged, this,
            &PhotoSettingsPanel::transitionPicked);
    connect(pattern, &QComboBox::currentIndexChanged, this, &PhotoSettingsPanel::patternPicked);
    connect(ownLength, &QCheckBox::toggled, this, &PhotoSettingsPanel::ownLengthToggled);
    connect(length, &QSpinBox::valueChanged, this, &PhotoSettingsPanel::lengthChanged);
    connect(motion, &QComboBox::currentIndexChanged, this, &PhotoSettingsPanel::motionPicked);
    connect(easing, &QComboBox::currentIndexChanged, this, &PhotoSettingsPanel::easingPicked);
    connect(useAlbum, &QPushButton::clicked, this, &PhotoSettingsPanel::useAlbumClicked);
    connect(swapMotion, &QPushButton::clicked, this, [this] {
        emit edited(tr("Swap Motion"), [](ImageInfo &photo) {
            std::swap(photo.own.motionStart, photo.own.motionEnd);
        });
    });
    retranslate();
}

void PhotoSettingsPanel::changeEvent(QEvent *event)
{
    // A style sheet or font changes what the buttons need.
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        arrangeButtons();
    QGroupBox::changeEvent(event);
}

void PhotoSettingsPanel::arrangeButtons()
{
    if (!buttons)
        return;
    // The panel's frame and padding as drawn now, and the tab page's frame around it.
    const int frame = width() - contentsRect().width();
    const QMargins margins = sections->contentsMargins();
    const int room = maximumWidth() - frame - margins.left() - margins.right() - 12;
    int needed = 2 * buttons->horizontalSpacing();
    for (const QPushButton *button : {editMotion, swapMotion, useAlbum})
        needed += std::max(button->minimumSizeHint().width(), button->sizeHint().width());
    for (QPushButton *button : {editMotion, swapMotion, useAlbum})
        buttons->removeWidget(button);
    buttons->addWidget(editMotion, 0, 0);
    buttons->addWidget(swapMotion, 0, 1);
    if (needed <= room)
        buttons->addWidget(useAlbum, 0, 2);
    else
        buttons->addWidget(useAlbum, 1, 0, 1, 2);
}

void PhotoSettingsPanel::addSection(QWidget *section)
{
    // Above the closing stretch.
    sections->insertWidget(sections->count() - 1, section);
}

void PhotoSettingsPanel::retranslate()
{
    setTitle(tr("Selected Photos"));
    durationLabel->setText(tr("Duration:"));
    ownDuration->setText(tr("Own"));
    ownDuration->setToolTip(tr("This photo's own duration instead of the album's"));
    transitionLabel->setText(tr("Transition:"));
    lengthLabel->setText(tr("Length:"));
    ownLength->setText(tr("Own"));
    ownLength->setToolTip(tr("This transition's own length instead of the album's"));
    motionLabel->setText(tr("Motion:"));
    editMotion->setText(tr("Edit"));
    editMotion->setToolTip(tr("Drag the start and end frames on the paused preview"));
    swapMotion->setText(tr("Swap"));
    swapMotion->setToolTip(tr("Exchange the start and end frames"));
    useAlbum->setText(tr("As Album"));
    useAlbum->setToolTip(tr("Give the selected photos the album's settings again"));
    fillChoices();
    arrangeButtons();
}

void PhotoSettingsPanel::fillChoices()
{
    const QSignalBlocker quietTransition(transition);
    const QSignalBlocker quietMotion(motion);
    const QSignalBlocker quietEasing(easing);
    transition->clear();
    transition->addItem(tr("As the album"), int(TransitionStyle::Album));
    transition->addItem(tr("Dissolve"), int(TransitionStyle::Dissolve));
    transition->addItem(tr("Wipe"), int(TransitionStyle::Wipe));
    transition->addItem(tr("Random wipe"), int(TransitionStyle::Random));
    transition->addItem(tr("Cut"), int(TransitionStyle::Cut));
    motion->clear();
    motion->addItem(tr("As the album"), int(MotionStyle::Album));
    motion->addItem(tr("Automatic"), int(MotionStyle::Automatic));
    motion->addItem(tr("None (still)"), int(MotionStyle::Still));
    motion->addItem(tr("Zoom in"), int(MotionStyle::ZoomIn));
    motion->addItem(tr("Zoom out"), int(MotionStyle::ZoomOut));
    motion->addItem(tr("Pan left"), int(MotionStyle::PanLeft));
    motion->addItem(tr("Pan right"), int(MotionStyle::PanRight));
    motion->addItem(tr("Pan up"), int(MotionStyle::PanUp));
    motion->addItem(tr("Pan down"), int(MotionStyle::PanDown));
    motion->addItem(tr("Custom"), int(MotionStyle::Custom));
    easing->clear();
    easing->addItem(tr("Linear"), int(Easing::Linear));
    easing->addItem(tr("Ease in and out"), int(Easing::InOut));
    load();
}

void PhotoSettingsPanel::setPhotos(const QList<ImageInfo> &selected, const AlbumSettings &album,
                                   const QStringList &patterns)
{
    photos = selected;
    albumSettings = album;
    if (patterns != patternPaths) {
        patternPaths = patterns;
        const QSignalBlocker quiet(pattern);
        pattern->clear();
        for (const QString &path : patterns)
            pattern->addItem(QFileInfo(path).completeBaseName(), QFileInfo(path).fileName());
    }
    load();
}

void PhotoSettingsPanel::load()
{
    loading = true;
    const PhotoSettings own = photos.isEmpty() ? PhotoSettings() : photos.first().own;
    ownDuration->setChecked(own.durationMs > 0);
    duration->setValue(own.durationMs > 0 ? own.durationMs : albumSettings.photoDurationMs);
    transition->setCurrentIndex(transition->findData(int(own.transition)));
    const int patternIndex = pattern->findData(own.wipePattern);
    pattern->setCurrentIndex(patternIndex >= 0 ? patternIndex : 0);
    ownLength->setChecked(own.transitionMs > 0);
    length->setValue(own.transitionMs > 0 ? own.transitionMs : albumSettings.transitionDurationMs);
    motion->setCurrentIndex(motion->findData(int(own.motion)));
    easing->setCurrentIndex(easing->findData(int(own.easing)));
    loading = false;
    updateEnabled();
}

void PhotoSettingsPanel::updateEnabled()
{
    const bool any = !photos.isEmpty();
    const PhotoSettings own = any ? photos.first().own : PhotoSettings();
    for (QWidget *w : {static_cast<QWidget *>(ownDuration), static_cast<QWidget *>(transition),
                       static_cast<QWidget *>(ownLength), static_cast<QWidget *>(motion),
                       static_cast<QWidget *>(easing)})
        w->setEnabled(any);
    duration->setEnabled(any && own.durationMs > 0);
    pattern->setVisible(own.transition == TransitionStyle::Wipe);
    pattern->setEnabled(any && pattern->count() > 0);
    const bool cut = own.transition == TransitionStyle::Cut;
    ownLength->setEnabled(any && !cut);
    length->setEnabled(any && !cut && own.transitionMs > 0);
    const bool custom = own.motion == MotionStyle::Custom;
    editMotion->setEnabled(any && custom && photos.size() == 1);
    if (!editMotion->isEnabled())
        editMotion->setChecked(false);
    swapMotion->setEnabled(any && custom);
    bool albumAll = true;
    for (const ImageInfo &photo : std::as_const(photos))
        albumAll = albumAll && photo.own.isAlbum();
    useAlbum->setEnabled(any && !albumAll);
}

void PhotoSettingsPanel::ownDurationToggled(bool on)
{
    if (loading)
        return;
    const int ms = on ? duration->value() : 0;
    emit edited(tr("Photo Duration"), [ms](ImageInfo &photo) { photo.own.durationMs = ms; });
}

void PhotoSettingsPanel::durationChanged(int ms)
{
    if (loading || !ownDuration->isChecked())
        return;
    emit edited(tr("Photo Duration"), [ms](ImageInfo &photo) { photo.own.durationMs = ms; });
}

void PhotoSettingsPanel::transitionPicked(int index)
{
    if (loading || index < 0)
        return;
    const auto style = static_cast<TransitionStyle>(transition->itemData(index).toInt());
    const QString name = pattern->currentData().toString();
    emit edited(tr("Transition"), [style, name](ImageInfo &photo) {
        photo.own.transition = style;
        photo.own.wipePattern = style == TransitionStyle::Wipe ? name : QString();
    });
}

void PhotoSettingsPanel::patternPicked(int index)
{
    if (loading || index < 0)
        return;
    const QString name = pattern->itemData(index).toString();
    emit edited(tr("Transition"), [name](ImageInfo &photo) {
        photo.own.transition = TransitionStyle::Wipe;
        photo.own.wipePattern = name;
    });
}

void PhotoSettingsPanel::ownLengthToggled(bool on)
{
    if (loading)
        return;
    const int ms = on ? length->value() : 0;
    emit edited(tr("Transition Length"), [ms](ImageInfo &photo) { photo.own.transitionMs = ms; });
}

void PhotoSettingsPanel::lengthChanged(int ms)
{
    if (loading || !ownLength->isChecked())
        return;
    emit edited(tr("Transition Length"), [ms](ImageInfo &photo) { photo.own.transitionMs = ms; });
}

void PhotoSettingsPanel::motionPicked(int index)
{
    if (loading || index < 0)
        return;
    const auto style = static_cast<MotionStyle>(motion->itemData(index).toInt());
    const AlbumSettings album = albumSettings;
    const int width = frameWidth;
    const int height = frameHeight;
    emit edited(tr("Motion"), [=](ImageInfo &photo) {
        // Custom rectangles start from what the photo did until now.
        if (style == MotionStyle::Custom
            && (!photo.own.motionStart.isValid() || !photo.own.motionEnd.isValid())) {
            const MotionPath path
                = photoMotion(photo, album, width, height)
                      .value_or(presetMotion(MotionStyle::Still, shownPhotoSize(photo),
                                             album.framing, width, height, framedFaces(photo)));
            photo.own.motionStart = path.start;
            photo.own.motionEnd = path.end;
        }
        photo.own.motion = style;
    });
}

void PhotoSettingsPanel::easingPicked(int index)
{
    if (loading || index < 0)
        return;
    const auto value = static_cast<Easing>(easing->itemData(index).toInt());
    emit edited(tr("Motion"), [value](ImageInfo &photo) { photo.own.easing = value; });
}

void PhotoSettingsPanel::useAlbumClicked()
{
    emit edited(tr("As Album"), [](ImageInfo &photo) { photo.own = PhotoSettings(); });
}
