// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

struct ImageInfo;

// What a title card shows behind its text: one colour, a gradient from colour to colour2 (top to
// bottom), or a blurred, darkened copy of a photo.
struct TitleCard
{
    enum class Background { Colour = 0, Gradient = 1, BlurredPhoto = 2 };
    static constexpr int ImageWidth = 1920;
    static constexpr int ImageHeight = 1080;

    Background background = Background::Gradient;
    QColor colour = QColor(24, 32, 64);
    QColor colour2 = QColor(96, 32, 72);
    QString photo; // for BlurredPhoto

    bool operator==(const TitleCard &other) const = default;
};

// The card's background as an image of size; a photo that cannot be read gives colour.
QImage titleCardImage(const TitleCard &card, QSize size);
// The background written as a PNG file into folder under a name made from its settings (an
// existing one is used again); empty when it cannot be written.
QString writeTitleCardImage(const TitleCard &card, const QString &folder);
// The program's own folder for title card backgrounds.
QString titleCardFolder();
// A photo record of a title card with text: the background's file, read as a photo, with the
// text as its centred caption in a larger style and no motion. False when the background cannot
// be written or read.
bool makeTitleCard(const QString &text, const TitleCard &card, const QString &folder,
                   ImageInfo &record);
