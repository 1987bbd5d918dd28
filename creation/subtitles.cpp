// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/subtitles.h"

#include "creation/commandline.h"
#include "storyboard/showtimeline.h"
#include "storyboard/storyboard.h"

#include <QRegularExpression>
#include <cmath>

namespace {

qint64 frameMs(int frame, double frameRate)
{
    return std::llround(frame * 1000.0 / frameRate);
}

QString srtTime(qint64 ms)
{
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

} // namespace

QList<SubtitleCue> subtitleCues(const StoryBoard &board, const ShowTimeline &timeline,
                                double frameRate)
{
    QList<SubtitleCue> cues;
    if (frameRate <= 0.0 || timeline.spans.size() != board.photos.size())
        return cues;
    for (qsizetype i = 0; i < board.photos.size(); ++i) {
        const Caption &caption = board.photos.at(i).caption;
        const PhotoSpan &span = timeline.spans.at(i);
        if (caption.isEmpty() || span.end <= span.start)
            continue;
        cues.append({frameMs(span.start, frameRate), frameMs(span.end, frameRate),
                     boundedCaptionText(caption.text)});
    }
    return cues;
}

QByteArray subRipText(const QList<SubtitleCue> &cues)
{
    QString text;
    int number = 0;
    for (const SubtitleCue &cue : cues) {
        // A blank line ends a cue in SubRip, so the caption's own blank lines are closed up.
        QStringList lines = cue.text.split(QLatin1Char('\n'));
        lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
        if (lines.isEmpty())
            continue;
        text += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                    .arg(++number)
                    .arg(srtTime(cue.startMs), srtTime(cue.endMs), lines.join(QLatin1Char('\n')));
    }
    return text.toUtf8();
}

QString subtitleCodecFor(const QString &ext)
{
    const QString e = ext.toLower();
    if (e == QLatin1String("mp4") || e == QLatin1String("m4v") || e == QLatin1String("mov")
        || e == QLatin1String("3gp") || e == QLatin1String("3g2"))
        return QStringLiteral("mov_text");
    if (e == QLatin1String("mkv"))
        return QStringLiteral("srt");
    return QString();
}

QString withSubtitleInput(const QString &commandLine, const QString &srtPath, const QString &codec)
{
    // The last input is the audio temporary; the output file closes the line.
    static const QRegularExpression shape(QStringLiteral("^(.* -i \"[^\"]*\" -i \"[^\"]*\")(.*)"
                                                         "( -y \"[^\"]*\")$"));
    const QRegularExpressionMatch match = shape.match(commandLine);
    if (!match.hasMatch() || codec.isEmpty())
        return commandLine;
    // Mapped by hand, since naming one stream drops the encoder's own pick of the others.
    const QString input = QStringLiteral(" -f srt -i ") + quoteArgument(srtPath);
    const QString maps = QStringLiteral(" -map 0:v:0 -map 1:a:0 -map 2:s:0 -scodec %1"
                                        " -disposition:s:0 0")
                             .arg(codec);
    return match.captured(1) + input + maps + match.captured(2) + match.captured(3);
}
