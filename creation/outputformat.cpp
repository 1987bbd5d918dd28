// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/outputformat.h"

#include "creation/commandline.h"
#include "storyboard/storyboard.h"
#include "zomprofile/zomprofiledata.h"

#include <QStringList>
#include <algorithm>

extern "C" {
#include <libavutil/parseutils.h>
}

namespace {

// The frame size at the start of a profile value, read as the encoder reads its size option:
// "720x576", or a name such as "pal" or "hd720". What follows a space is a note ("720X576 (PAL)").
// The width is rounded down to a multiple of 4 and the height to an even number.
bool readSize(const QString &value, int &width, int &height)
{
    const QByteArray size = value.trimmed().section(QLatin1Char(' '), 0, 0).toLower().toLatin1();
    int w = 0;
    int h = 0;
    if (size.isEmpty() || av_parse_video_size(&w, &h, size.constData()) < 0)
        return false;
    w &= ~3;
    h &= ~1;
    if (w <= 0 || h <= 0)
        return false;
    width = w;
    height = h;
    return true;
}

} // namespace

void formatFromProfile(const ZomProfileData &profile, MediaFormat &format)
{
    const QString size = profile.text(QStringLiteral("s"));
    if (isUnsetProfileValue(size) || !readSize(size, format.width, format.height)) {
        format.width = 640;
        format.height = 480;
    }

    const QString rate = profile.text(QStringLiteral("r"));
    if (!isUnsetProfileValue(rate)) {
        const double fps = parseFrameRate(rate.trimmed());
        if (fps > 0.0)
            format.frameRate = fps;
    }

    const QString channels = profile.text(QStringLiteral("ac"));
    if (!isUnsetProfileValue(channels)) {
        const int n = channels.trimmed().toInt();
        if (n > 0)
            format.channels = n;
    }
    const QString sampleRate = profile.text(QStringLiteral("ar"));
    if (!isUnsetProfileValue(sampleRate)) {
        const int n = sampleRate.trimmed().toInt();
        if (n > 0)
            format.sampleRate = n;
    }
    format.aspect = double(format.width) / double(format.height);
}

FrameShape parseFrameShape(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 2)
        return {};
    bool okAcross = false;
    bool okDown = false;
    const int across = parts[0].trimmed().toInt(&okAcross);
    const int down = parts[1].trimmed().toInt(&okDown);
    constexpr int largest = 100;
    if (!okAcross || !okDown || across <= 0 || down <= 0 || across > largest || down > largest)
        return {};
    return {across, down};
}

QSize shapedFrameSize(const ZomProfileData &profile, FrameShape shape)
{
    MediaFormat format;
    formatFromProfile(profile, format);
    if (!shape.isValid())
        return {format.width, format.height};
    const int shorter = std::min(format.width, format.height);
    double width = shorter;
    double height = shorter;
    if (shape.across >= shape.down)
        width = double(shorter) * shape.across / shape.down;
    else
        height = double(shorter) * shape.down / shape.across;
    const int w = std::max(4, qRound(width / 4.0) * 4);
    const int h = std::max(2, qRound(height / 2.0) * 2);
    return {w, h};
}

void applyFrameShape(ZomProfileData &profile, FrameShape shape)
{
    if (!shape.isValid())
        return;
    const QSize size = shapedFrameSize(profile, shape);
    profile.setValue(QStringLiteral("s"),
                     QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
}
