// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/commandline.h"
#include "creation/videocolour.h"
#include "storyboard/storyboard.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>

// Every shipped profile, run the way a video is made: the piped video and audio runs of the
// launcher, then the multiplexing run, checked with ffprobe.
class TestEncoderProfiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void encode_data();
    void encode();
    void reencodePath();
    void awkwardFolderNamesWithoutPath();

private:
    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Run run(const QString &commandLine, const QByteArray &input = {}, bool streamFrames = false,
            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());
    void makeVideo(const ZomProfileData &data, const QString &out, const QString &tmp,
                   EncoderJob &job, const QProcessEnvironment &env);
    static QJsonObject probe(const QString &file);

    QString appDir;
    MediaFormat format;
    double seconds = 2.0;
};

namespace {

// The output format the main window derives from a profile: a frame size that counts is made a
// multiple of 4 by 2; rate, channels and sample rate replace the previous values when they count.
MediaFormat formatFrom(const ZomProfileData &data)
{
    const auto counts = [](const QString &v) {
        return !v.contains(QLatin1String("ignore")) && !v.contains(QLatin1String("auto"));
    };
    MediaFormat f;
    const QString s = data.text("s");
    if (counts(s)) {
        const QStringList wh = s.split(QLatin1Char('x'), Qt::KeepEmptyParts, Qt::CaseInsensitive);
        if (wh.size() == 2) {
            f.width = wh[0].toInt() & ~3;
            f.height = wh[1].toInt() & ~1;
        }
    }
    QString r = data.text("r");
    if (counts(r)) {
        if (r.endsWith(QLatin1String("fps")))
            r.chop(3);
        f.frameRate = r.toDouble();
    }
    if (counts(data.text("ac")))
        f.channels = data.text("ac").toInt();
    if (counts(data.text("ar")))
        f.sampleRate = data.text("ar").toInt();
    f.aspect = double(f.width) / f.height;
    return f;
}

QString y4mRate(double fps)
{
    for (int base : {24, 30, 60}) {
        if (std::fabs(fps - base * 1000.0 / 1001.0) < 0.01)
            return QStringLiteral("%1:1001").arg(base * 1000);
    }
    return QStringLiteral("%1:1000").arg(qRound(fps * 1000));
}

QByteArray y4mHeader(const MediaFormat &f)
{
    return QStringLiteral("YUV4MPEG2 W%1 H%2 F%3 Ip A1:1 C420jpeg\n")
        .arg(f.width)
        .arg(f.height)
        .arg(y4mRate(f.frameRate))
        .toLatin1();
}

// One frame: a bright bar that moves across a dark gradient, so encoders see motion.
QByteArray y4mFrame(const MediaFormat &f, int index)
{
    const int w = f.width, h = f.height;
    QByteArray frame("FRAME\n");
    const qsizetype header = frame.size();
    frame.resize(header + w * h * 3 / 2);
    uchar *y = reinterpret_cast<uchar *>(frame.data()) + header;
    const int bar = (index * 8) % w;
    for (int row = 0; row < h; ++row) {
        uchar *line = y + row * w;
        memset(line, 16 + (row * 128) / h, w);
        memset(line + bar, 235, std::min(w / 10, w - bar));
    }
    memset(y + w * h, 128, w * h / 2);
    return frame;
}

QByteArray wavTone(const MediaFormat &f, double seconds)
{
    const int frames = int(f.sampleRate * seconds);
    const int channels = f.channels;
    QByteArray wav(44 + frames * channels * 2, Qt::Uninitialized);
    uchar *p = reinterpret_cast<uchar *>(wav.data());
    const auto put32 = [&](int at, quint32 v) {
        qToLittleEndian(v, p + at);
    };
    const auto put16 = [&](int at, quint16 v) {
        qToLittleEndian(v, p + at);
    };
    memcpy(p, "RIFF", 4);
    put32(4, 36 + frames * channels * 2);
    memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, channels);
    put32(24, f.sampleRate);
    put32(28, f.sampleRate * channels * 2);
    put16(32, channels * 2);
    put16(34, 16);
    memcpy(p + 36, "data", 4);
    put32(40, frames * channels * 2);
    for (int i = 0; i < frames; ++i) {
        const qint16 v = qint16(8000 * std::sin(2 * M_PI * 440.0 * i / f.sampleRate));
        for (int c = 0; c < channels; ++c)
            qToLittleEndian(v, p + 44 + (i * channels + c) * 2);
    }
    return wav;
}

double rational(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 2 || parts[1].toDouble() == 0)
        return 0;
    return parts[0].toDouble() / parts[1].toDouble();
}

// The shipped profiles whose video cannot say which colours it holds, and why. All are
// standard-definition sizes, which players take for BT.601, the matrix the writer uses there.
const QHash<QString, QString> untaggedReasons = {
    {"3gp", "H.263 has no colour description, and the encoder's 3GP writer stores none"},
    {"avi",
     "MPEG-4 Part 2 as the encoder writes it has no colour description; AVI has no place "
     "for one"},
    {"dv", "DV video is BT.601 by definition and has no colour description"},
    {"flv", "Sorenson H.263 has no colour description; FLV has no place for one"},
    {"swf", "Sorenson H.263 has no colour description; SWF has no place for one"},
    {"ogv",
     "Theora can name only the BT.470 M and B/G primaries, not the 525-line ones of "
     "640 x 480"},
    {"wmv", "WMV 8 video has no colour description; ASF has no place for one"},
};

// Stream codec names of ffmpeg's encoders and of the profile names that stand for them.
QString codecName(const QString &encoder)
{
    static const QHash<QString, QString> names = {
        {"libx264", "h264"},    {"libx265", "hevc"},       {"wmv3x", "wmv2"},
        {"wmv2x", "wmv2"},      {"libvp8_encoder", "vp8"}, {"libvpx", "vp8"},
        {"libvpx-vp9", "vp9"},  {"libtheora", "theora"},   {"flv", "flv1"},
        {"dvvideo", "dvvideo"}, {"wma9x", "wmav2"},        {"wma8x", "wmav2"},
        {"wma7x", "wmav2"},     {"libmp3lame", "mp3"},     {"libvorbis", "vorbis"},
        {"libopus", "opus"},
    };
    return names.value(encoder, encoder);
}

} // namespace

TestEncoderProfiles::Run TestEncoderProfiles::run(const QString &commandLine,
                                                  const QByteArray &input, bool streamFrames,
                                                  const QProcessEnvironment &env)
{
    Run result;
    QProcess process;
    process.setProcessEnvironment(env);
    if (!startCommandLine(process, commandLine, appDir)) {
        result.err = process.errorString().toUtf8();
        return result;
    }
    if (streamFrames) {
        // Frames are made one at a time, as the renderer does, so a 4K run never holds the
        // whole clip in memory.
        process.write(y4mHeader(format));
        const int count = qRound(seconds * format.frameRate);
        for (int i = 0; i < count && process.state() == QProcess::Running; ++i) {
            process.write(y4mFrame(format, i));
            while (process.bytesToWrite() > 0 && process.waitForBytesWritten(60000)) { }
        }
    } else if (!input.isEmpty()) {
        process.write(input);
        while (process.bytesToWrite() > 0 && process.waitForBytesWritten(60000)) { }
    }
    process.closeWriteChannel();
    process.waitForFinished(300000);
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

QJsonObject TestEncoderProfiles::probe(const QString &file)
{
    QProcess ffprobe;
    ffprobe.start(
        "ffprobe",
        {"-v", "error", "-show_streams", "-show_format", "-count_packets", "-of", "json", file});
    if (!ffprobe.waitForFinished(120000) || ffprobe.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

// The types of a file's top-level boxes, in file order (ISO media and QuickTime files).
static QList<QByteArray> topLevelBoxes(const QString &path)
{
    QFile file(path);
    QList<QByteArray> types;
    if (!file.open(QIODevice::ReadOnly))
        return types;
    qint64 at = 0;
    while (at + 8 <= file.size() && file.seek(at)) {
        const QByteArray head = file.read(16);
        if (head.size() < 8)
            break;
        quint64 size = qFromBigEndian<quint32>(head.constData());
        if (size == 1 && head.size() == 16)
            size = qFromBigEndian<quint64>(head.constData() + 8);
        else if (size == 0)
            size = file.size() - at;
        types.append(head.mid(4, 4));
        if (size < 8)
            break;
        at += qint64(size);
    }
    return types;
}

void TestEncoderProfiles::initTestCase()
{
    appDir = testAppDir();
    QVERIFY2(QFileInfo(encoderPath(appDir)).isExecutable(), qPrintable(encoderPath(appDir)));
    QVERIFY(!QStandardPaths::findExecutable("ffprobe").isEmpty());
}

void TestEncoderProfiles::init()
{
    QVERIFY(ZoProfileManager::instance()->loadTemplates(appDir + "/profiles"));
}

void TestEncoderProfiles::encode_data()
{
    QTest::addColumn<QString>("id");
    ZoProfileManager *manager = ZoProfileManager::instance();
    QVERIFY(manager->loadTemplates(testAppDir() + "/profiles"));
    QVERIFY(manager->profiles().size() >= 18);
    QVERIFY(manager->hasProfile("mpeg4h264"));
    for (const QString &id : manager->profiles()) {
        // A GIF takes two more passes after the piped run; tst_versionrun makes and probes it.
        if (manager->templateTagValue(id, QStringLiteral("ext_format")) == QLatin1String("gif"))
            continue;
        QTest::newRow(qPrintable(id)) << id;
    }
}

void TestEncoderProfiles::makeVideo(const ZomProfileData &data, const QString &out,
                                    const QString &tmp, EncoderJob &job,
                                    const QProcessEnvironment &env)
{
    format = formatFrom(data);
    job = buildEncoderJob(data, format, out, "Clip", tmp, appDir);
    const Run video = run(job.videoCommand, {}, true, env);
    QVERIFY2(video.exitCode == 0, qPrintable(job.videoCommand + "\n" + video.err.right(3000)));
    if (!job.hasAudio())
        return;
    const Run audio = run(job.audioCommand, wavTone(format, seconds), false, env);
    QVERIFY2(audio.exitCode == 0, qPrintable(job.audioCommand + "\n" + audio.err.right(3000)));
}

void TestEncoderProfiles::encode()
{
    QFETCH(QString, id);
    ZoProfileManager *manager = ZoProfileManager::instance();
    ZomProfileData data(manager->profileUrl(id));
    QVERIFY(manager->getPresetData(data));
    // The output format is derived from these; the ffprobe checks below compare against it.
    for (const char *key : {"s", "r", "ac", "ar"})
        QVERIFY2(!data.text(QLatin1String(key)).isEmpty(), key);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("out")) && QDir().mkpath(dir.filePath("tmp")));

    EncoderJob job;
    makeVideo(data, dir.filePath("out"), dir.filePath("tmp"), job,
              QProcessEnvironment::systemEnvironment());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(job.hasAudio(), !data.isTrue("an"));
    if (job.hasAudio()) {
        const Run mux = run(job.muxCommand);
        QVERIFY2(mux.exitCode == 0, qPrintable(job.muxCommand + "\n" + mux.err.right(3000)));
    }
    const QString output = job.outputPath();
    QCOMPARE(output, dir.filePath("out/Clip." + data.text("/ext_name")));
    QVERIFY(QFileInfo(output).size() > 0);

    const QJsonObject info = probe(output);
    QVERIFY2(!info.isEmpty(), qPrintable(output));
    if (writesIndexFirst(data.text("/ext_name"))) {
        const QList<QByteArray> boxes = topLevelBoxes(output);
        QVERIFY2(boxes.contains("moov") && boxes.contains("mdat")
                     && boxes.indexOf("moov") < boxes.indexOf("mdat"),
                 boxes.join(' ').constData());
    }
    QJsonObject video, audio;
    for (const QJsonValue &s : info.value("streams").toArray()) {
        const QJsonObject stream = s.toObject();
        (stream.value("codec_type").toString() == "video" ? video : audio) = stream;
    }
    QCOMPARE(video.value("codec_name").toString(), codecName(data.text("vcodec")));
    QCOMPARE(video.value("width").toInt(), format.width);
    QCOMPARE(video.value("height").toInt(), format.height);
    // Some containers keep no frame rate (ASF stores times in ms): then frames over duration.
    const double duration = info.value("format").toObject().value("duration").toString().toDouble();
    const int packets = video.value("nb_read_packets").toString().toInt();
    double rate = rational(video.value("avg_frame_rate").toString());
    if (std::fabs(rate - format.frameRate) > 0.02 && duration > 0)
        rate = packets / duration;
    QVERIFY2(
        std::fabs(rate - format.frameRate) < 0.05 * format.frameRate,
        qPrintable(QString("rate %1, %2 packets in %3 s").arg(rate).arg(packets).arg(duration)));
    QVERIFY2(std::fabs(packets - seconds * format.frameRate) <= 2,
             qPrintable(QString::number(packets)));
    // SWF keeps no duration; the packet count above stands for it there.
    if (duration > 0) {
        QVERIFY2(duration > seconds - 0.3 && duration < seconds + 0.5,
                 qPrintable(QString::number(duration)));
    }

    // Players take the colours from the stream's tags; where a codec and its container have no
    // place for them, they assume from the size what the writer used.
    const VideoColour colour = videoColourFor(format.width, format.height);
    const QString untagged = untaggedReasons.value(id);
    const QString tags
        = QStringLiteral("%1 %2 %3 %4")
              .arg(video.value("color_space").toString(), video.value("color_primaries").toString(),
                   video.value("color_transfer").toString(), video.value("color_range").toString());
    if (untagged.isEmpty()) {
        QCOMPARE(tags,
                 QStringLiteral("%1 %2 %3 tv")
                     .arg(colour.matrixName(), colour.primariesName(), colour.transferName()));
    } else {
        QVERIFY2(colour.standard != VideoColour::Standard::Bt709, qPrintable(untagged));
        QVERIFY2(video.value("color_space").toString().isEmpty()
                     || video.value("color_space").toString() == QLatin1String("unknown"),
                 qPrintable(QStringLiteral("%1 is listed as untagged but says %2").arg(id, tags)));
    }

    if (!job.hasAudio()) {
        QVERIFY(audio.isEmpty());
        return;
    }
    QCOMPARE(audio.value("codec_type").toString(), QStringLiteral("audio"));
    QCOMPARE(audio.value("codec_name").toString(), codecName(data.text("acodec")));
    QCOMPARE(audio.value("channels").toInt(), format.channels);
    QCOMPARE(audio.value("sample_rate").toString().toInt(), format.sampleRate);

    if (job.psp) {
        const QString thm = thumbnailPath(output);
        QCOMPARE(QFileInfo(thm).suffix(), QStringLiteral("THM"));
        QVERIFY(run(thumbnailCommand(output, thm)).exitCode == 0);
        const QJsonObject picture = probe(thm).value("streams").toArray().at(0).toObject();
        QCOMPARE(picture.value("codec_name").toString(), QStringLiteral("mjpeg"));
        QCOMPARE(picture.value("width").toInt(), 160);
        QCOMPARE(picture.value("height").toInt(), 120);
    }
}

void TestEncoderProfiles::reencodePath()
{
    // A profile named NDS skips the stream copy; the re-encoding run makes the file and reports
    // its progress on standard output.
    QTemporaryDir profiles;
    QFile file(profiles.filePath("nds.profile"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[template]\ngroup = Devices\ntype = device\next_format = avi\n[values]\n"
               "/name = NDS\n/full_name = Handheld Console Video\n/ext_name = avi\n"
               "vcodec = mpeg4\nacodec = libmp3lame\nb = 256K\nab = 64K\ns = 256x192\n"
               "r = 15fps\nac = 1\nar = 22050\ntitle = Handheld \"test\"\n");
    file.close();
    ZoProfileManager *manager = ZoProfileManager::instance();
    QVERIFY(manager->loadTemplates(profiles.path()));
    ZomProfileData data(manager->profileUrl("nds"));
    QVERIFY(manager->getPresetData(data));

    QTemporaryDir dir;
    EncoderJob job;
    makeVideo(data, dir.path(), dir.path(), job, QProcessEnvironment::systemEnvironment());
    if (QTest::currentTestFailed())
        return;
    QVERIFY(job.nds);
    QVERIFY(job.reencodeCommand.contains(" -bt 13.33K"));
    const Run reencode = run(job.reencodeCommand);
    QVERIFY2(reencode.exitCode == 0,
             qPrintable(job.reencodeCommand + "\n" + reencode.err.right(3000)));
    QVERIFY(reencode.out.contains("frame="));
    QVERIFY(reencode.out.contains("fps="));
    QVERIFY(!reencode.err.contains("frame="));

    const QJsonObject info = probe(job.finalPath);
    QCOMPARE(info.value("format").toObject().value("tags").toObject().value("title").toString(),
             QStringLiteral("Handheld \"test\""));
    const QJsonArray streams = info.value("streams").toArray();
    QCOMPARE(streams.size(), 2);
    QStringList codecs;
    for (const QJsonValue &s : streams)
        codecs << s.toObject().value("codec_name").toString();
    codecs.sort();
    QCOMPARE(codecs, QStringList({"mp3", "mpeg4"}));
}

void TestEncoderProfiles::awkwardFolderNamesWithoutPath()
{
    // Folder and file names a shell would mangle reach the encoder whole, and the bare "avc"
    // runs find the launcher in the application folder with no PATH at all.
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    QVERIFY(!ffmpeg.isEmpty());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", "/nonexistent");
    env.insert("VELLUMIX_FFMPEG", ffmpeg);

    QTemporaryDir dir;
    const QString out = dir.filePath("Fotos für \"Ömer\" $HOME \\ `x` 'y' %1");
    const QString tmp = dir.filePath("tmp $PATH\\");
    QVERIFY(QDir().mkpath(out) && QDir().mkpath(tmp));
    ZomProfileData data(ZoProfileManager::instance()->profileUrl("mpeg4h264"));
    QVERIFY(ZoProfileManager::instance()->getPresetData(data));
    data.setValue("title", "Sommer \"2024\" $5 \\ 100%");

    EncoderJob job;
    makeVideo(data, out, tmp, job, env);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(job.videoTarget, tmp + "/Clip_v.mp4");
    QVERIFY(QFileInfo(job.videoTarget).size() > 0);
    QVERIFY(QFileInfo(job.audioTarget).size() > 0);
    const Run mux = run(job.muxCommand, {}, false, env);
    QVERIFY2(mux.exitCode == 0, qPrintable(job.muxCommand + "\n" + mux.err.right(3000)));
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList({"Clip.mp4"}));
    const QJsonObject info = probe(out + "/Clip.mp4");
    QCOMPARE(info.value("format").toObject().value("tags").toObject().value("title").toString(),
             QStringLiteral("Sommer \"2024\" $5 \\ 100%"));
}

QTEST_GUILESS_MAIN(TestEncoderProfiles)
#include "tst_encoderprofiles.moc"
