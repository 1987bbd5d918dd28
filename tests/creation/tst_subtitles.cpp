// SPDX-License-Identifier: GPL-3.0-or-later
// Captions as subtitles: the cues' times from the show's timeline, the SubRip text, and the
// command lines that add the track to the video.
#include "creation/commandline.h"
#include "creation/subtitles.h"
#include "storyboard/showtimeline.h"
#include "storyboard/storyboard.h"

#include <QTest>

Q_DECLARE_METATYPE(SubtitleCue)

class TestSubtitles : public QObject
{
    Q_OBJECT

private slots:
    void cues_data();
    void cues();
    void subRip_data();
    void subRip();
    void commandLines_data();
    void commandLines();
};

void TestSubtitles::cues_data()
{
    // Photos of the album's 2 s with 1 s transitions unless they set their own; captions on
    // the photos named. Each cue: the photo's first frame alone on screen to the end of its
    // transition out, in ms at 25 frames/s.
    QTest::addColumn<QList<int>>("ownDurations"); // 0: the album's
    QTest::addColumn<QList<int>>("captioned");
    QTest::addColumn<QList<qint64>>("times"); // start, end of each cue
    QTest::newRow("every photo") << QList<int> {0, 0, 0} << QList<int> {0, 1, 2}
                                 << QList<qint64> {0, 3000, 3000, 6000, 6000, 8000};
    QTest::newRow("middle photo only")
        << QList<int> {0, 0, 0} << QList<int> {1} << QList<qint64> {3000, 6000};
    // 7.5 s is frame 187.5: the change falls on frame 188.
    QTest::newRow("own durations") << QList<int> {1000, 4500, 0} << QList<int> {1, 2}
                                   << QList<qint64> {2000, 7520, 7520, 9520};
    // 2.3 s is 57.5 frames: the change falls on frame 58, and the cue with it.
    QTest::newRow("durations off the frame grid") << QList<int> {1300, 1300, 0} << QList<int> {1, 2}
                                                  << QList<qint64> {2320, 4600, 4600, 6600};
    QTest::newRow("no captions") << QList<int> {0, 0} << QList<int> {} << QList<qint64> {};
}

void TestSubtitles::cues()
{
    QFETCH(QList<int>, ownDurations);
    QFETCH(QList<int>, captioned);
    QFETCH(QList<qint64>, times);
    StoryBoard board;
    board.setPhotoDurationMs(2000);
    board.setTransitionDurationMs(1000);
    for (int i = 0; i < ownDurations.size(); ++i) {
        ImageInfo photo;
        photo.path = QStringLiteral("/p%1.jpg").arg(i);
        photo.own.durationMs = ownDurations[i];
        if (captioned.contains(i))
            photo.caption.text = QStringLiteral("photo %1").arg(i);
        board.photos.append(photo);
    }
    const QList<SubtitleCue> cues = subtitleCues(board, ShowTimeline::of(board, 25.0), 25.0);
    QCOMPARE(cues.size(), captioned.size());
    for (int i = 0; i < cues.size(); ++i) {
        QCOMPARE(cues[i].text, QStringLiteral("photo %1").arg(captioned[i]));
        QCOMPARE(cues[i].startMs, times[2 * i]);
        QCOMPARE(cues[i].endMs, times[2 * i + 1]);
    }
}

void TestSubtitles::subRip_data()
{
    QTest::addColumn<QList<SubtitleCue>>("cues");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("two cues") << QList<SubtitleCue> {{0, 1500, "Hello"}, {1500, 3000, "a\nb"}}
                              << QByteArray("1\n00:00:00,000 --> 00:00:01,500\nHello\n\n"
                                            "2\n00:00:01,500 --> 00:00:03,000\na\nb\n\n");
    QTest::newRow("past an hour") << QList<SubtitleCue> {{3723004, 3725000, "late"}}
                                  << QByteArray("1\n01:02:03,004 --> 01:02:05,000\nlate\n\n");
    QTest::newRow("blank lines closed up, empty cue left out and not counted")
        << QList<SubtitleCue> {{0, 1000, " \n"}, {1000, 2000, "x\n\n\ny"}}
        << QByteArray("1\n00:00:01,000 --> 00:00:02,000\nx\ny\n\n");
    QTest::newRow("UTF-8") << QList<SubtitleCue> {{0, 40, QStringLiteral("שלום")}}
                           << QByteArray("1\n00:00:00,000 --> 00:00:00,040\n"
                                         "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\n\n");
}

void TestSubtitles::subRip()
{
    QFETCH(QList<SubtitleCue>, cues);
    QFETCH(QByteArray, text);
    QCOMPARE(subRipText(cues), text);
}

void TestSubtitles::commandLines_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QStringList>("words"); // empty: the command stays as it is
    const QString mux
        = fillTemplate(EncoderTemplate::Mux, {"avc", "/t/v.mp4", "/t/a.m4a", "/o/x.mp4"});
    QTest::newRow("MP4 multiplexing")
        << mux << "mp4"
        << splitCommandLine(
               QStringLiteral("avc -@ -i /t/v.mp4 -i /t/a.m4a -f srt -i \"/t/my captions.srt\" "
                              "-map 0:v:0 -map 1:a:0 -map 2:s:0 -scodec mov_text -disposition:s:0 "
                              "0 -acodec copy -vcodec copy -y /o/x.mp4"));
    const QString reencode = fillTemplate(
        EncoderTemplate::Reencode, {"avc", "/t/v.mkv", "/t/a.mka", "-vcodec libx264", "/o/x.mkv"});
    QTest::newRow("Matroska re-encoding")
        << reencode << "MKV"
        << splitCommandLine(
               QStringLiteral("avc -@ -progress pipe:1 -nostats -i /t/v.mkv -i /t/a.mka -f srt -i "
                              "\"/t/my captions.srt\" -map 0:v:0 -map 1:a:0 -map 2:s:0 -scodec srt "
                              "-disposition:s:0 0 -vcodec libx264 -y /o/x.mkv"));
    QTest::newRow("AVI has no text track") << mux << "avi" << QStringList();
    QTest::newRow("a video run has one input")
        << fillTemplate(EncoderTemplate::Video, {"avc", "-vcodec libx264", "/o/x.mp4"}) << "mp4"
        << QStringList();
}

void TestSubtitles::commandLines()
{
    QFETCH(QString, command);
    QFETCH(QString, extension);
    QFETCH(QStringList, words);
    const QString result = withSubtitleInput(command, QStringLiteral("/t/my captions.srt"),
                                             subtitleCodecFor(extension));
    if (words.isEmpty())
        QCOMPARE(result, command);
    else
        QCOMPARE(splitCommandLine(result), words);
    // The path with its space stays one word.
    QCOMPARE(words.isEmpty(), !words.contains(QStringLiteral("/t/my captions.srt")));
}

QTEST_MAIN(TestSubtitles)
#include "tst_subtitles.moc"
