// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/versioncheck.h"

#include "clib/handles.h"
#include "creation/commandline.h"
#include "creation/outputformat.h"
#include "creation/videocolour.h"
#include "storyboard/storyboard.h"
#include "zomprofile/zomprofiledata.h"

#include <QCoreApplication>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

namespace {

QString decoderName(const QString &encoder)
{
    if (encoder == QLatin1String("libx264"))
        return QStringLiteral("h264");
    if (encoder == QLatin1String("libx265"))
        return QStringLiteral("hevc");
    if (encoder == QLatin1String("libvpx-vp9"))
        return QStringLiteral("vp9");
    if (encoder == QLatin1String("libvp8_encoder"))
        return QStringLiteral("vp8");
    return encoder;
}

QString rateText(double fps)
{
    return QString::number(fps, 'g', 5);
}

VersionCheckItem item(VersionCheckItem::What what, bool ok, const QString &found,
                      const QString &expected)
{
    VersionCheckItem result;
    result.what = what;
    result.ok = ok;
    result.found = found;
    result.expected = expected;
    return result;
}

QString colourText(const AVCodecParameters *par)
{
    return QStringLiteral("%1/%2/%3")
        .arg(QLatin1String(av_color_space_name(par->color_space)),
             QLatin1String(av_color_primaries_name(par->color_primaries)),
             QLatin1String(av_color_transfer_name(par->color_trc)));
}

} // namespace

VersionExpectation expectationFor(const ZomProfileData &profile, int frames)
{
    VersionExpectation e;
    MediaFormat format;
    formatFromProfile(profile, format);
    e.width = format.width;
    e.height = format.height;
    e.frameRate = format.frameRate;
    e.videoCodec = decoderName(profile.text(QStringLiteral("vcodec")));
    e.highProfile = e.videoCodec == QLatin1String("h264")
        && profile.text(QStringLiteral("profile:v")) == QLatin1String("high");
    const QString extension = profile.text(QStringLiteral("/ext_name"));
    const bool gif = extension.compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0;
    if (!profile.isTrue(QStringLiteral("an")) && !gif) {
        e.audioCodec = decoderName(profile.text(QStringLiteral("acodec")));
        e.sampleRate = format.sampleRate;
    }
    e.colourTags = e.videoCodec == QLatin1String("h264");
    e.indexFirst = writesIndexFirst(extension);
    e.loops = gif;
    e.seconds = format.frameRate > 0.0 ? frames / format.frameRate : 0.0;
    return e;
}

QString VersionCheckItem::name() const
{
    switch (what) {
    case What::File:
        return QCoreApplication::translate("VersionCheck", "File");
    case What::FrameSize:
        return QCoreApplication::translate("VersionCheck", "Frame size");
    case What::FrameRate:
        return QCoreApplication::translate("VersionCheck", "Frame rate");
    case What::VideoCodec:
        return QCoreApplication::translate("VersionCheck", "Video codec");
    case What::AudioCodec:
        return QCoreApplication::translate("VersionCheck", "Audio codec");
    case What::Colour:
        return QCoreApplication::translate("VersionCheck", "Colour tags");
    case What::IndexFirst:
        return QCoreApplication::translate("VersionCheck", "Index first");
    case What::Duration:
        return QCoreApplication::translate("VersionCheck", "Duration");
    case What::Looping:
        return QCoreApplication::translate("VersionCheck", "Looping");
    }
    return QString();
}

QString VersionCheckItem::text() const
{
    if (ok || expected.isEmpty())
        return QCoreApplication::translate("VersionCheck", "%1: %2").arg(name(), found);
    return QCoreApplication::translate("VersionCheck", "%1: %2 (expected %3)")
        .arg(name(), found, expected);
}

bool VersionCheck::ok() const
{
    return !items.isEmpty()
        && std::all_of(items.cbegin(), items.cend(),
                       [](const VersionCheckItem &item) { return item.ok; });
}

QList<VersionCheckItem> VersionCheck::failures() const
{
    QList<VersionCheckItem> failed;
    std::copy_if(items.cbegin(), items.cend(), std::back_inserter(failed),
                 [](const VersionCheckItem &item) { return !item.ok; });
    return failed;
}

QString VersionCheck::summary() const
{
    if (ok())
        return QCoreApplication::translate("VersionCheck", "all checks passed");
    QStringList lines;
    for (const VersionCheckItem &failed : failures())
        lines.append(failed.text());
    return lines.join(QLatin1String("; "));
}

bool hasIndexFirst(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Walks the top-level boxes only; a file holds a handful of them.
    constexpr int mostBoxes = 64;
    qint64 at = 0;
    for (int n = 0; n < mostBoxes && file.seek(at); ++n) {
        uchar header[16];
        if (file.read(reinterpret_cast<char *>(header), 8) != 8)
            return false;
        quint64 size = qFromBigEndian<quint32>(header);
        const QByteArray type(reinterpret_cast<const char *>(header + 4), 4);
        if (type == "moov")
            return true;
        if (type == "mdat")
            return false;
        if (size == 1) {
            if (file.read(reinterpret_cast<char *>(header + 8), 8) != 8)
                return false;
            size = qFromBigEndian<quint64>(header + 8);
        }
        if (size < 8)
            return false;
        at += static_cast<qint64>(size);
    }
    return false;
}

bool gifLoopsForever(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The extension follows the header and the global colour table (at most 768 bytes).
    const QByteArray head = file.read(2048);
    if (!head.startsWith("GIF8"))
        return false;
    const qsizetype at = head.indexOf("NETSCAPE2.0");
    if (at < 0 || at + 15 >= head.size())
        return false;
    // Sub-block of 3 bytes: 1, then the loop count, little-endian; 0 is forever.
    const auto byte = [&head](qsizetype i) {
        return static_cast<uchar>(head.at(i));
    };
    return byte(at + 11) == 3 && byte(at + 12) == 1 && byte(at + 13) == 0 && byte(at + 14) == 0;
}

VersionCheck checkVersion(const QString &path, const VersionExpectation &expected)
{
    using What = VersionCheckItem::What;
    VersionCheck check;
    AVFormatContext *raw = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (avformat_open_input(&raw, name.constData(), nullptr, nullptr) < 0) {
        check.items.append(item(What::File, false,
                                QCoreApplication::translate("VersionCheck", "cannot be read"),
                                QString()));
        return check;
    }
    const FormatContextPtr context(raw);
    if (avformat_find_stream_info(context.get(), nullptr) < 0) {
        check.items.append(
            item(What::File, false,
                 QCoreApplication::translate("VersionCheck", "no stream information"), QString()));
        return check;
    }
    const int videoIndex
        = av_find_best_stream(context.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audioIndex
        = av_find_best_stream(context.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (videoIndex < 0) {
        check.items.append(item(What::VideoCodec, false,
                                QCoreApplication::translate("VersionCheck", "no video"),
                                expected.videoCodec));
        return check;
    }
    const AVStream *video = context->streams[videoIndex];
    const AVCodecParameters *par = video->codecpar;

    const QString size = QStringLiteral("%1 × %2");
    check.items.append(
        item(What::FrameSize, par->width == expected.width && par->height == expected.height,
             size.arg(par->width).arg(par->height), size.arg(expected.width).arg(expected.height)));

    const AVRational rate
        = video->avg_frame_rate.num > 0 ? video->avg_frame_rate : video->r_frame_rate;
    const double fps = rate.den > 0 ? av_q2d(rate) : 0.0;
    check.items.append(item(What::FrameRate, std::abs(fps - expected.frameRate) < 0.01,
                            rateText(fps), rateText(expected.frameRate)));

    QString codec = QLatin1String(avcodec_get_name(par->codec_id));
    bool codecOk = codec == expected.videoCodec;
    if (expected.highProfile) {
        const char *profile = avcodec_profile_name(par->codec_id, par->profile);
        codec += QStringLiteral(" (%1)").arg(QLatin1String(profile ? profile : "?"));
        codecOk = codecOk && par->profile == FF_PROFILE_H264_HIGH;
    }
    check.items.append(item(What::VideoCodec, codecOk, codec,
                            expected.highProfile ? expected.videoCodec + QStringLiteral(" (High)")
                                                 : expected.videoCodec));

    if (!expected.audioCodec.isEmpty()) {
        QString found = QCoreApplication::translate("VersionCheck", "none");
        bool audioOk = false;
        if (audioIndex >= 0) {
            const AVCodecParameters *sound = context->streams[audioIndex]->codecpar;
            found = QStringLiteral("%1, %2 Hz")
                        .arg(QLatin1String(avcodec_get_name(sound->codec_id)))
                        .arg(sound->sample_rate);
            audioOk = avcodec_get_name(sound->codec_id) == expected.audioCodec
                && sound->sample_rate == expected.sampleRate;
        }
        check.items.append(
            item(What::AudioCodec, audioOk, found,
                 QStringLiteral("%1, %2 Hz").arg(expected.audioCodec).arg(expected.sampleRate)));
    } else if (audioIndex >= 0) {
        check.items.append(
            item(What::AudioCodec, false,
                 QLatin1String(avcodec_get_name(context->streams[audioIndex]->codecpar->codec_id)),
                 QCoreApplication::translate("VersionCheck", "none")));
    }

    if (expected.colourTags) {
        const VideoColour colour = videoColourFor(expected.width, expected.height);
        const QString want
            = QStringLiteral("%1/%2/%3")
                  .arg(colour.matrixName(), colour.primariesName(), colour.transferName());
        const QString found = colourText(par);
        check.items.append(
            item(What::Colour, found == want && par->color_range == AVCOL_RANGE_MPEG, found, want));
    }
    if (expected.indexFirst) {
        const bool first = hasIndexFirst(path);
        check.items.append(item(What::IndexFirst, first,
                                first ? QCoreApplication::translate("VersionCheck", "yes")
                                      : QCoreApplication::translate("VersionCheck", "no"),
                                QCoreApplication::translate("VersionCheck", "yes")));
    }

    double seconds = 0.0;
    if (video->duration > 0 && video->duration != AV_NOPTS_VALUE)
        seconds = video->duration * av_q2d(video->time_base);
    else if (context->duration > 0)
        seconds = double(context->duration) / AV_TIME_BASE;
    // Two frames either way, as an encoder may hold back or repeat one at the ends.
    const double slack = expected.frameRate > 0.0 ? 2.0 / expected.frameRate : 0.1;
    const QString secondsText = QStringLiteral("%1 s");
    check.items.append(item(What::Duration, std::abs(seconds - expected.seconds) <= slack,
                            secondsText.arg(seconds, 0, 'f', 2),
                            secondsText.arg(expected.seconds, 0, 'f', 2)));

    if (expected.loops) {
        const bool loops = gifLoopsForever(path);
        check.items.append(item(What::Looping, loops,
                                loops ? QCoreApplication::translate("VersionCheck", "forever")
                                      : QCoreApplication::translate("VersionCheck", "once"),
                                QCoreApplication::translate("VersionCheck", "forever")));
    }
    return check;
}
