// SPDX-License-Identifier: GPL-3.0-or-later
#include "zomprofile/zoprofiletexts.h"

#include <QCoreApplication>

QStringList profileTemplateTexts()
{
    static const char *const texts[] = {
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Share"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "More formats"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Legacy"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Video sites"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Full HD 16:9 for video sites"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Video sites 4K"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Ultra HD 16:9 for video sites"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Phones, vertical"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Vertical 9:16 for short-video apps"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Square"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Square 1:1 for feeds"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Portrait post"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Portrait 4:5 for feeds"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Animated GIF"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Looping animated GIF for chats"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "3GP Video for Mobile Phones"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "AVI MPEG-4 Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "DV Video PAL"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "MPEG-2 DVD Video NTSC"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "MPEG-2 DVD Video PAL"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Flash Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "H.264 Video for TV"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "H.264 HD Video 720p"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Matroska Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "QuickTime Movie"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "MPEG-4 Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "MPEG-4 H.264 Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "MP4 Silent"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "MPEG-4 H.264 Video without Audio"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Ogg Theora Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Mobile Phone"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "MP4 Video for Mobile Phones"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "PSP Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Flash Movie"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "H.264 Ultra HD Video 3840 x 2160"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "WebM VP8 Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "WebM VP9 Video"),
        QT_TRANSLATE_NOOP("ZoProfileTemplates", "Windows Media Video"),
    };
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

QString translatedProfileText(const QString &text)
{
    return QCoreApplication::translate("ZoProfileTemplates", text.toUtf8().constData());
}
