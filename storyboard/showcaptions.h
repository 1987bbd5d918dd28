// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/caption.h"
#include "storyboard/titlecard.h"

#include <QJsonObject>
#include <QString>

// The show file's caption objects: a photo's "caption" and the show's "captionStyle". The
// readers leave the value as it was and put the fault in *error when the object is damaged.
bool readCaption(const QJsonValue &value, Caption &caption, QString *error);
bool readCaptionStyle(const QJsonValue &value, CaptionStyle &style, QString *error);
// Empty when there is nothing to keep (no text; the default style).
QJsonObject captionObject(const Caption &caption);
QJsonObject captionStyleObject(const CaptionStyle &style);

// A photo's "title": the background of a title card. Read into card, with *isCard set.
bool readTitleCard(const QJsonValue &value, TitleCard &card, bool *isCard, QString *error);
QJsonObject titleCardObject(const TitleCard &card);
