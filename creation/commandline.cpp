// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/commandline.h"

#include "clib/videorate.h"
#include "creation/videocolour.h"
#include "storyboard/storyboard.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>

namespace {

const QStringList metadataKeys = {
    QStringLiteral("title"),    QStringLiteral("author"),      QStringLiteral("copyright"),
    QStringLiteral("comment"),  QStringLiteral("album"),       QStringLiteral("genre"),
    QStringLiteral("composer"), QStringLiteral("origaritist"), QStringLiteral("encodedby"),
    QStringLiteral("year"),     QStringLiteral("timstamp"),    QStringLiteral("track"),
};

bool sameText(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString codecValue(const QString &key, const QString &value)
{
    if (key == QLatin1String("vcodec")) {
        if (value == QLatin1String("wmv3x") || value == QLatin1String("wmv2x"))
            return QStringLiteral("wmv2");
        if (value == QLatin1String("libvp8_encoder"))
            return QStringLiteral("libvp8");
    } else if (key == QLatin1String("acodec")) {
        if (value == QLatin1String("wma9x") || value == QLatin1String("wma8x")
            || value == QLatin1String("wma7x") || value == QLatin1String("wmalsl"))
            return QStringLiteral("wmav2");
    } else if (key == QLatin1String("r")) {
        // The rate as the stream header gives it, so that the encoder does not re-time frames.
        const VideoRate rate = readVideoRate(value.toStdString());
        if (rate.isValid())
            return rate.den == 1 ? QString::number(rate.num)
                                 : QStringLiteral("%1/%2").arg(rate.num).arg(rate.den);
    }
    return value;
}

// Inside double quotes a shell still gives \ " $ ` a meaning.
QString escapeForQuotes(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"') || c == QLatin1Char('$')
            || c == QLatin1Char('`'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

bool isFrameRateKey(const QString &key)
{
    return key == QLatin1String("r");
}

} // namespace

QString encoderTemplate(EncoderTemplate which)
{
    switch (which) {
    case EncoderTemplate::Video:
        return QStringLiteral("\"%1\" -@ -f yuv4mpegpipe -i - -an %2 -y \"%3\"");
    case EncoderTemplate::VideoMov:
        return QStringLiteral("\"%1\" -@ -f yuv4mpegpipe -i - -f mov -an %2 -y \"%3\"");
    case EncoderTemplate::VideoFlv:
        return QStringLiteral("\"%1\" -@ -f yuv4mpegpipe -i - -vcodec flv -an %2 -y \"%3\"");
    case EncoderTemplate::Audio:
        return QStringLiteral("\"%1\" -@ -f wav -i - -vn %2 -y \"%3\"");
    case EncoderTemplate::AudioMov:
        return QStringLiteral("\"%1\" -@ -f wav -i - -f mov -vn %2 -y \"%3\"");
    case EncoderTemplate::Mux:
        return QStringLiteral("\"%1\" -@ -i \"%2\" -i \"%3\" -acodec copy -vcodec copy -y \"%4\"");
    case EncoderTemplate::MuxVob:
        return QStringLiteral(
            "\"%1\" -@ -i \"%2\" -i \"%3\" -f vob -acodec copy -vcodec copy -y \"%4\"");
    case EncoderTemplate::MuxAsf:
        return QStringLiteral(
            "\"%1\" -@ -f asf -i \"%2\" -f asf -i \"%3\" -acodec copy -vcodec copy -y \"%4\"");
    case EncoderTemplate::MuxMov:
        return QStringLiteral(
            "\"%1\" -@ -i \"%2\" -i \"%3\" -f mov -acodec copy -vcodec copy -y \"%4\"");
    case EncoderTemplate::MuxSwf:
        return QStringLiteral(
            "\"%1\" -@ -f swf -i \"%2\" -i \"%3\" -acodec copy -vcodec copy -y \"%4\"");
    case EncoderTemplate::Reencode:
        return QStringLiteral(
            "\"%1\" -@ -progress pipe:1 -nostats -i \"%2\" -i \"%3\" %4 -y \"%5\"");
    case EncoderTemplate::Thumbnail:
        return QStringLiteral("\"%1\" -@ -y -i \"%2\" -ss 0.00 -f image2 -vcodec mjpeg -vframes 5 "
                              "-s 160x120 -an \"%3\"");
    case EncoderTemplate::Palette:
        return QStringLiteral("\"%1\" -@ -i \"%2\" -vf palettegen -y \"%3\"");
    case EncoderTemplate::PaletteUse:
        return QStringLiteral(
            "\"%1\" -@ -i \"%2\" -i \"%3\" -lavfi \"[0:v][1:v]paletteuse\" -loop %4 "
            "-f gif -y \"%5\"");
    }
    return QString();
}

QString fillTemplate(EncoderTemplate which, const QStringList &values)
{
    const QString pattern = encoderTemplate(which);
    QString out;
    out.reserve(pattern.size() + 256);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern.at(i + 1).isDigit()) {
            const int slot = pattern.at(i + 1).digitValue() - 1;
            const QString value = slot >= 0 && slot < values.size() ? values.at(slot) : QString();
            const bool quoted = i > 0 && pattern.at(i - 1) == QLatin1Char('"');
            out += quoted ? escapeForQuotes(value) : value;
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

QString encoderName()
{
    return QStringLiteral("avc");
}

QString encoderPath(const QString &appDir)
{
    return appDir + QLatin1Char('/') + encoderName();
}

QString quoteArgument(const QString &value)
{
    static const QRegularExpression special(QStringLiteral("[\\s\"'\\\\$`;&|<>()*?\\[\\]#~{}!]"));
    if (!value.isEmpty() && !value.contains(special))
        return value;
    return QLatin1Char('"') + escapeForQuotes(value) + QLatin1Char('"');
}

QString buildArguments(const ZomProfileData &profile, const MediaFormat &format)
{
    const ZoProfileManager *manager = ZoProfileManager::instance();
    const ZomProfileData::ValueMap &map = profile.values();
    const QString extFormat = manager->templateTagValue(profile.id(), QStringLiteral("ext_format"));
    const bool addFormat = !extFormat.isEmpty()
        && !sameText(extFormat, map.value(QStringLiteral("/ext_name")).toString());
    const bool cbr = map.contains(QStringLiteral("cbrorvbr"))
        && map.value(QStringLiteral("cbrorvbr")).toString() == QLatin1String("CBR");

    QString args;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        QString key = it.key();
        const QVariant &value = it.value();
        if (!value.isValid())
            continue;
        QString text = value.toString();
        if (sameText(text, QStringLiteral("default")) || sameText(text, QStringLiteral("auto"))
            || sameText(text, QStringLiteral("ignore_me")))
            continue;
        if (key.isEmpty() || key.contains(QLatin1Char('/')) || key.contains(QLatin1Char(',')))
            continue;
        bool isBool = value.typeId() == QMetaType::Bool;
        bool on = isBool && value.toBool();
        if (key.startsWith(QLatin1String("flag_"))) {
            key = key.mid(5);
            isBool = on = true;
            if (key.isEmpty())
                continue;
        }
        if (key == QLatin1String("vbrquality") && cbr)
            continue;
        if (key == QLatin1String("t") || key == QLatin1String("ss") || key == QLatin1String("s")
            || key == QLatin1String("pass"))
            continue;
        // An option without its value would take the next option as its value.
        if (!isBool && text.trimmed().isEmpty())
            continue;

        if (key == QLatin1String("vcodec") || key == QLatin1String("acodec")) {
            args += QStringLiteral(" -%1 %2").arg(key, quoteArgument(codecValue(key, text)));
        } else if (metadataKeys.contains(key)) {
            args += QStringLiteral(" -metadata %1 = %2").arg(key, quoteArgument(text));
        } else {
            const bool boolText
                = sameText(text, QStringLiteral("true")) || sameText(text, QStringLiteral("false"));
            if (!isBool && boolText && manager->profileItemType(key) == QLatin1String("bool")) {
                isBool = true;
                on = sameText(text, QStringLiteral("true"));
            }
            if (isBool) {
                if (on)
                    args += QStringLiteral(" -") + key;
            } else {
                args += QStringLiteral(" -%1 %2").arg(key, quoteArgument(codecValue(key, text)));
            }
        }

        if (isFrameRateKey(key) && !profile.id().isEmpty()
            && manager->profileType(profile.id()) == ZOM_PROFILE_TYPE_DEVICE) {
            double fps = parseFrameRate(text);
            if (!(fps >= 0.01))
                fps = 0.01;
            args += QStringLiteral(" -bt %1K").arg(200.0 / fps, 0, 'f', 2);
        }
        if (addFormat)
            args += QStringLiteral(" -f ") + quoteArgument(extFormat);
    }
    if (!args.contains(QLatin1String("aspect"), Qt::CaseInsensitive) && format.width > 0
        && format.height > 0) {
        const double aspect = double(format.width) / double(format.height);
        args += QStringLiteral(" -aspect ") + QString::number(aspect, 'g', 6);
    }
    return args;
}

QString buildSelectedArguments(const QStringList &keys, const ZomProfileData &profile)
{
    QString args;
    for (const QString &key : keys) {
        if (!profile.contains(key))
            continue;
        const QString text = profile.text(key);
        if (isUnsetProfileValue(text))
            continue;
        args += QStringLiteral(" -%1 %2").arg(key, quoteArgument(codecValue(key, text)));
    }
    return args;
}

bool isUnsetProfileValue(const QString &text)
{
    return text.contains(QLatin1String("ignore")) || text.contains(QLatin1String("auto"))
        || text.trimmed().isEmpty();
}

double parseFrameRate(const QString &text)
{
    return readVideoRate(text.toStdString()).value();
}

QString uniqueOutputPath(const QString &folder, const QString &name, const QString &ext)
{
    const QString base = folder + QLatin1Char('/') + name;
    QString path = base + QLatin1Char('.') + ext;
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = base + QLatin1Char('(') + QString::number(n) + QLatin1String(").") + ext;
    return path;
}

QString audioTempExtension(const QString &ext)
{
    if (sameText(ext, QStringLiteral("ogv")))
        return QStringLiteral("ogg");
    if (sameText(ext, QStringLiteral("swf")))
        return QStringLiteral("mp3");
    if (sameText(ext, QStringLiteral("mpg")) || sameText(ext, QStringLiteral("qt"))
        || sameText(ext, QStringLiteral("dv")))
        return QStringLiteral("wav");
    return ext;
}

QString thumbnailPath(const QString &finalPath)
{
    const qsizetype slash = finalPath.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = finalPath.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return finalPath + QLatin1String(".THM");
    return finalPath.left(dot + 1) + QLatin1String("THM");
}

QString thumbnailCommand(const QString &finalPath, const QString &thumbnail)
{
    return fillTemplate(EncoderTemplate::Thumbnail, {encoderName(), finalPath, thumbnail});
}

bool writesIndexFirst(const QString &ext)
{
    for (const char *e : {"mp4", "m4v", "mov", "qt"}) {
        if (sameText(ext, QLatin1String(e)))
            return true;
    }
    return false;
}

namespace {

// The QuickTime family writes its index after the media data unless told to move it; a file
// with the index in front starts playing in a browser before it has been downloaded whole.
const QLatin1String fastStart(" -movflags +faststart");

// The option goes before the " -y" that leads the output name (which is quoted last, so an
// unescaped quote after it cannot occur inside the name).
QString withFastStart(const QString &command)
{
    const qsizetype at = command.lastIndexOf(QLatin1String(" -y \""));
    if (at < 0)
        return command + fastStart;
    return command.left(at) + fastStart + command.mid(at);
}

EncoderJob buildGifJob(EncoderJob &job, const ZomProfileData &profile, const QString &outputFolder,
                       const QString &name, const QString &tempFolder, const QString &appDir,
                       const QString &writtenPath)
{
    // A palette of 256 colours made for the whole show, not a fixed one, keeps gradients from
    // banding; the frames go through a lossless temporary so that both passes see them as drawn.
    job.gif = true;
    job.noAudio = true;
    job.videoTarget = tempFolder + QLatin1Char('/') + name + QLatin1String("_v.mkv");
    job.paletteFile = tempFolder + QLatin1Char('/') + name + QLatin1String("_palette.png");
    job.finalPath = uniqueOutputPath(outputFolder, name, job.extension);
    job.writtenPath = writtenPath.isEmpty() ? job.finalPath : writtenPath;
    job.videoCommand
        = fillTemplate(EncoderTemplate::Video,
                       {encoderPath(appDir), QStringLiteral(" -vcodec ffv1"), job.videoTarget});
    bool ok = false;
    const int loops = profile.text(QStringLiteral("loop")).toInt(&ok);
    job.muxCommand
        = fillTemplate(EncoderTemplate::Palette, {encoderName(), job.videoTarget, job.paletteFile});
    job.reencodeCommand
        = fillTemplate(EncoderTemplate::PaletteUse,
                       {encoderName(), job.videoTarget, job.paletteFile,
                        QString::number(ok && loops >= -1 ? loops : 0), job.writtenPath});
    return job;
}

} // namespace

EncoderJob buildEncoderJob(const ZomProfileData &profile, const MediaFormat &format,
                           const QString &outputFolder, const QString &name,
                           const QString &tempFolder, const QString &appDir,
                           const QString &writtenPath)
{
    EncoderJob job;
    const QString ext = profile.text(QStringLiteral("/ext_name"));
    const auto isExt = [&ext](const char *e) {
        return sameText(ext, QLatin1String(e));
    };
    job.extension = ext;
    job.noAudio = profile.isTrue(QStringLiteral("an"));
    job.psp = sameText(profile.text(QStringLiteral("/name")), QStringLiteral("PSP"));
    job.nds = sameText(profile.text(QStringLiteral("/name")), QStringLiteral("NDS"));
    job.tv = sameText(profile.text(QStringLiteral("/full_name")),
                      QStringLiteral("H.264 Video for TV"));
    const bool pspOnly = job.psp && !job.tv;
    if (isExt("gif"))
        return buildGifJob(job, profile, outputFolder, name, tempFolder, appDir, writtenPath);

    if (job.noAudio) {
        job.videoTarget = uniqueOutputPath(outputFolder, name, ext);
    } else {
        job.videoTarget = tempFolder + QLatin1Char('/') + name + QLatin1String("_v.") + ext;
        job.audioTarget
            = tempFolder + QLatin1Char('/') + name + QLatin1String("_a.") + audioTempExtension(ext);
        job.finalPath = uniqueOutputPath(outputFolder, name, ext);
    }
    job.writtenPath = writtenPath.isEmpty() ? job.outputPath() : writtenPath;
    const QString videoOut = job.hasAudio() ? job.videoTarget : job.writtenPath;

    // Every run that encodes video says which colours its frames hold; the writer converts
    // them with the matching matrix.
    const QString colour = videoColourFor(format.width, format.height).encoderOptions();
    const bool indexFirst = writesIndexFirst(ext);
    const QString encoder = encoderPath(appDir);
    if (isExt("wmv") || pspOnly) {
        const QString args = buildSelectedArguments(
            {QStringLiteral("vcodec"), QStringLiteral("b"), QStringLiteral("r")}, profile);
        job.videoCommand = fillTemplate(EncoderTemplate::Video, {encoder, args + colour, videoOut});
    } else {
        const EncoderTemplate video = isExt("qt") ? EncoderTemplate::VideoMov
            : isExt("swf")                        ? EncoderTemplate::VideoFlv
                                                  : EncoderTemplate::Video;
        job.videoCommand
            = fillTemplate(video, {encoder, buildArguments(profile, format) + colour, videoOut});
    }
    if (!job.hasAudio()) {
        // Without sound the video run writes the final file itself.
        if (indexFirst)
            job.videoCommand = withFastStart(job.videoCommand);
        return job;
    }

    if (isExt("dv") || isExt("wmv") || isExt("mpg") || pspOnly) {
        const QString args = buildSelectedArguments({QStringLiteral("acodec"), QStringLiteral("ac"),
                                                     QStringLiteral("ar"), QStringLiteral("ab"),
                                                     QStringLiteral("vol")},
                                                    profile);
        job.audioCommand = fillTemplate(EncoderTemplate::Audio, {encoder, args, job.audioTarget});
    } else {
        const EncoderTemplate audio
            = isExt("qt") ? EncoderTemplate::AudioMov : EncoderTemplate::Audio;
        job.audioCommand
            = fillTemplate(audio, {encoder, buildArguments(profile, format), job.audioTarget});
    }

    const EncoderTemplate mux = isExt("mpg") ? EncoderTemplate::MuxVob
        : isExt("wmv")                       ? EncoderTemplate::MuxAsf
        : isExt("qt")                        ? EncoderTemplate::MuxMov
        : isExt("swf")                       ? EncoderTemplate::MuxSwf
                                             : EncoderTemplate::Mux;
    job.muxCommand
        = fillTemplate(mux, {encoderName(), job.videoTarget, job.audioTarget, job.writtenPath});
    job.reencodeCommand = fillTemplate(EncoderTemplate::Reencode,
                                       {encoderName(), job.videoTarget, job.audioTarget,
                                        buildArguments(profile, format) + colour, job.writtenPath});
    if (indexFirst) {
        job.muxCommand = withFastStart(job.muxCommand);
        job.reencodeCommand = withFastStart(job.reencodeCommand);
    }
    return job;
}

QStringList splitCommandLine(const QString &commandLine)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    const qsizetype n = commandLine.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = commandLine.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < n
                       && QStringView(u"\\\"$`").contains(commandLine.at(i + 1))) {
                word += commandLine.at(++i);
            } else {
                word += c;
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
                   || c == QLatin1Char('\r')) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('"')) {
            quoted = inWord = true;
        } else if (c == QLatin1Char('\\') && i + 1 < n) {
            word += commandLine.at(++i);
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

bool startCommandLine(QProcess &process, const QString &commandLine,
                      const QString &workingDirectory, QIODevice::OpenMode mode)
{
    QStringList words = splitCommandLine(commandLine);
    if (words.isEmpty())
        return false;
    QString program = words.takeFirst();
    if (!program.contains(QLatin1Char('/'))) {
        const QFileInfo local(QDir(workingDirectory).filePath(program));
        if (local.isFile() && local.isExecutable())
            program = local.absoluteFilePath();
    }
    process.setWorkingDirectory(workingDirectory);
    process.setProgram(program);
    process.setArguments(words);
    process.start(mode);
    return process.waitForStarted();
}

QStringList lastLogLines(const QString &logPath, int count)
{
    QFile file(logPath);
    if (count <= 0 || !file.open(QIODevice::ReadOnly))
        return {};
    // The end of a long log is enough for a few lines.
    constexpr qint64 tailBytes = 64 * 1024;
    if (file.size() > tailBytes)
        file.seek(file.size() - tailBytes);
    const QString text = QString::fromLocal8Bit(file.readAll());
    static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
    QStringList lines;
    for (const QString &line : text.split(lineEnd, Qt::SkipEmptyParts)) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    // A line cut by the seek is not shown.
    if (file.size() > tailBytes && !lines.isEmpty())
        lines.removeFirst();
    return lines.mid(std::max<qsizetype>(0, lines.size() - count));
}

qint64 takeProgressFrame(QByteArray &pending)
{
    const qsizetype end = pending.lastIndexOf('\n');
    if (end < 0)
        return -1;
    qint64 frame = -1;
    for (const QByteArray &line : pending.left(end).split('\n')) {
        if (!line.startsWith("frame="))
            continue;
        bool ok = false;
        const qint64 n = line.mid(6).trimmed().toLongLong(&ok);
        if (ok && n >= 0)
            frame = n;
    }
    pending.remove(0, end + 1);
    return frame;
}
