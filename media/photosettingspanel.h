// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"

#include <QGroupBox>
#include <QList>
#include <QStringList>
#include <functional>

class DurationSpinBox;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The settings of the selected photos: their own duration, the transition to the next photo
// and its length, and their motion, each "as the album" or the photos' own. An edit is handed
// out as one change for every selected photo; sections for more per-photo settings are added
// below the built-in ones. GUI thread only.
class PhotoSettingsPanel : public QGroupBox
{
    Q_OBJECT

public:
    using Change = std::function<void(ImageInfo &)>;

    explicit PhotoSettingsPanel(QWidget *parent = nullptr);

    // Shows the settings of the first of the selected photos; none disables the panel.
    // patterns are the wipe patterns' paths.
    void setPhotos(const QList<ImageInfo> &selected, const AlbumSettings &album,
                   const QStringList &patterns);
    // The frame's size, whose shape custom motion rectangles take.
    void setFrameSize(int width, int height)
    {
        frameWidth = width;
        frameHeight = height;
    }
    void addSection(QWidget *section);
    void retranslate();

    // The motion controls' own buttons, which the window connects to the preview.
    QPushButton *editMotionButton() const { return editMotion; }
    QPushButton *swapMotionButton() const { return swapMotion; }

protected:
    void changeEvent(QEvent *event) override;

signals:
    // change is to be made to every selected photo (to its own settings only), as one step
    // named name.
    void edited(const QString &name, const PhotoSettingsPanel::Change &change);

private:
    void load();
    void fillChoices();
    void ownDurationToggled(bool on);
    void durationChanged(int ms);
    void transitionPicked(int index);
    void patternPicked(int index);
    void ownLengthToggled(bool on);
    void lengthChanged(int ms);
    void motionPicked(int index);
    void easingPicked(int index);
    void useAlbumClicked();
    void updateEnabled();
    // The motion buttons in one row where their texts fit the panel's width, else in two.
    void arrangeButtons();

    QVBoxLayout *sections = nullptr;
    QGridLayout *buttons = nullptr;
    QLabel *durationLabel = nullptr;
    QCheckBox *ownDuration = nullptr;
    DurationSpinBox *duration = nullptr;
    QLabel *transitionLabel = nullptr;
    QComboBox *transition = nullptr;
    QComboBox *pattern = nullptr;
    QLabel *lengthLabel = nullptr;
    QCheckBox *ownLength = nullptr;
    DurationSpinBox *length = nullptr;
    QLabel *motionLabel = nullptr;
    QComboBox *motion = nullptr;
    QComboBox *easing = nullptr;
    QPushButton *editMotion = nullptr;
    QPushButton *swapMotion = nullptr;
    QPushButton *useAlbum = nullptr;

    QList<ImageInfo> photos;
    AlbumSettings albumSettings;
    QStringList patternPaths;
    int frameWidth = 640;
    int frameHeight = 480;
    bool loading = false;
};
