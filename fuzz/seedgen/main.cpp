// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed inputs of the fuzz targets: small valid files of every kind each reader takes.
// Usage: fuzzseeds OUTPUT_FOLDER PROFILE_FOLDER
#include "creation/commandline.h"
#include "creation/outputformat.h"
#include "storyboard/showfile.h"
#include "storyboard/storyboard.h"
#include "tests/storyboard/heicfixture.h"
#include "tests/zomexif/photofixture.h"
#include "zomprofile/zoprofilemanager.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

// The suffixes in the order the audio target picks them by its first byte.
const QStringList audioSuffixes
    = {QStringLiteral("aac"), QStringLiteral("aiff"), QStringLiteral("ac3"), QStringLiteral("ape"),
       QStringLiteral("au"),  QStringLiteral("flac"), QStringLiteral("mpa"), QStringLiteral("mp2"),
       QStringLiteral("mp3"), QStringLiteral("ogg"),  QStringLiteral("ra"),  QStringLiteral("wav"),
       QStringLiteral("wma"), QStringLiteral("m4a")};

QImage scene(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(40, 90, 200));
    sky.setColorAt(1.0, QColor(250, 200, 120));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(30, 120, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.3, h * 0.9), w * 0.5, h * 0.3);
    return image;
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.setQuality(70);
    return writer.write(image) ? bytes : QByteArray();
}

bool writePhotos(const QDir &dir)
{
    const QImage image = scene(160, 120);
    const QByteArray camera = ExifBuilder()
                                  .setAscii(EXIF_IFD_0, EXIF_TAG_MAKE, "Maker")
                                  .setAscii(EXIF_IFD_0, EXIF_TAG_MODEL, "Model 1")
                                  .setShort(EXIF_IFD_0, EXIF_TAG_ORIENTATION, 6)
                                  .setAscii(EXIF_IFD_0, EXIF_TAG_DATE_TIME, "2024:05:01 12:00:00")
                                  .setRational(EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME, 1, 250)
                                  .setRational(EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, 40, 10)
                                  .setShort(EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS, 200)
                                  .setSRational(EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_BIAS_VALUE, -1, 3)
                                  .setShort(EXIF_IFD_EXIF, EXIF_TAG_FLASH, 1)
                                  .setRational(EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, 50, 1)
                                  .block();
    QImage wide = image;
    wide.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
    QImage mono = image.convertToFormat(QImage::Format_Mono);
    QImage alpha = image.convertToFormat(QImage::Format_ARGB32);
    alpha.setPixelColor(0, 0, QColor(0, 0, 0, 0));

    bool ok = writeFile(dir.filePath(QStringLiteral("camera.jpg")), jpegWithExif(image, camera, 70))
        && writeFile(dir.filePath(QStringLiteral("progressive.jpg")), encoded(image, "jpeg", true))
        && writeFile(dir.filePath(QStringLiteral("wide.jpg")), encoded(wide, "jpeg"))
        && writeFile(dir.filePath(QStringLiteral("plain.png")), encoded(image, "png"))
        && writeFile(dir.filePath(QStringLiteral("wide.png")), encoded(wide, "png"))
        && writeFile(dir.filePath(QStringLiteral("indexed.png")), encoded(indexed, "png"))
        && writeFile(dir.filePath(QStringLiteral("mono.png")), encoded(mono, "png"))
        && writeFile(dir.filePath(QStringLiteral("alpha.png")), encoded(alpha, "png"))
        && writeFile(dir.filePath(QStringLiteral("plain.bmp")),
                     encoded(image.scaled(40, 30), "bmp"))
        && writeFile(dir.filePath(QStringLiteral("indexed.bmp")),
                     encoded(indexed.scaled(40, 30), "bmp"))
        && writeFile(dir.filePath(QStringLiteral("plain.gif")), encoded(indexed, "gif"))
        && writeFile(dir.filePath(QStringLiteral("plain.xpm")), encoded(mono.scaled(16, 12), "xpm"))
        && writeFile(dir.filePath(QStringLiteral("plain.xbm")),
                     encoded(mono.scaled(16, 12), "xbm"));
    // Formats of the image plugins, where the plugin is installed.
    for (const char *format : {"tiff", "webp", "tga"}) {
        if (QImageWriter::supportedImageFormats().contains(format))
            ok = ok
                && writeFile(dir.filePath(QStringLiteral("plain.") + QLatin1String(format)),
                             encoded(image, format));
    }
    ok = ok
        && writeHeic(dir.filePath(QStringLiteral("camera.heic")), image.scaled(64, 48), 50, 6,
                     camera);
    return ok;
}

// A short tone as a 16-bit stereo WAV file.
QByteArray toneWav(double seconds, int rate)
{
    const int frames = int(seconds * rate);
    QByteArray pcm;
    for (int i = 0; i < frames; ++i) {
        const auto sample = qint16(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        for (int channel = 0; channel < 2; ++channel)
            pcm.append(char(sample & 0xFF)).append(char((sample >> 8) & 0xFF));
    }
    const auto le32 = [](quint32 v) {
        return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF) + char((v >> 16) & 0xFF)
            + char((v >> 24) & 0xFF);
    };
    const auto le16 = [](quint16 v) {
        return QByteArray(1, char(v & 0xFF)) + char(v >> 8);
    };
    return "RIFF" + le32(36 + quint32(pcm.size())) + "WAVEfmt " + le32(16) + le16(1) + le16(2)
        + le32(quint32(rate)) + le32(quint32(rate) * 4) + le16(4) + le16(16) + "data"
        + le32(quint32(pcm.size())) + pcm;
}

// Each audio seed is the suffix's index in one byte, then the file.
bool writeAudioSeed(const QDir &dir, const QString &suffix, const QByteArray &file)
{
    const auto index = audioSuffixes.indexOf(suffix);
    return index >= 0 && !file.isEmpty()
        && writeFile(dir.filePath(QStringLiteral("tone.") + suffix), char(index) + file);
}

bool writeAudio(const QDir &dir)
{
    const QByteArray wav = toneWav(0.3, 22050);
    if (!writeAudioSeed(dir, QStringLiteral("wav"), wav))
        return false;
    QTemporaryDir work;
    const QString source = work.filePath(QStringLiteral("tone.wav"));
    if (!writeFile(source, wav))
        return false;
    // The other kinds come from the system's encoder, where it has one for them.
    const QList<QPair<QString, QStringList>> kinds = {
        {QStringLiteral("flac"), {}},
        {QStringLiteral("mp3"), {}},
        {QStringLiteral("mp2"), {}},
        {QStringLiteral("ogg"), {QStringLiteral("-c:a"), QStringLiteral("libvorbis")}},
        {QStringLiteral("m4a"), {QStringLiteral("-c:a"), QStringLiteral("aac")}},
        {QStringLiteral("aac"), {QStringLiteral("-c:a"), QStringLiteral("aac")}},
        {QStringLiteral("ac3"), {}},
        {QStringLiteral("aiff"), {}},
        {QStringLiteral("au"), {}},
        {QStringLiteral("wma"), {QStringLiteral("-c:a"), QStringLiteral("wmav2")}},
    };
    for (const auto &[suffix, options] : kinds) {
        const QString target = work.filePath(QStringLiteral("tone.") + suffix);
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     QStringList {QStringLiteral("-nostdin"), QStringLiteral("-v"),
                                  QStringLiteral("error"), QStringLiteral("-y"),
                                  QStringLiteral("-i"), source}
                         + options + QStringList {target});
        if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
            std::fprintf(stderr, "fuzzseeds: no %s seed (ffmpeg failed)\n", qPrintable(suffix));
            continue;
        }
        QFile file(target);
        if (!file.open(QIODevice::ReadOnly) || !writeAudioSeed(dir, suffix, file.readAll()))
            return false;
    }
    return true;
}

// The program's own profiles, and the encoder command lines they give, one word a line.
bool writeProfilesAndCommands(const QDir &profileDir, const QDir &avcDir, const QString &from)
{
    const QDir source(from);
    ZoProfileManager *manager = ZoProfileManager::instance();
    if (!manager->loadTemplates(from))
        return false;
    for (const QString &id : manager->profiles()) {
        const QString name = id + QStringLiteral(".profile");
        QFile::remove(profileDir.filePath(name));
        if (!QFile::copy(source.filePath(name), profileDir.filePath(name)))
            return false;

        ZomProfileData profile(id);
        manager->getPresetData(profile);
        MediaFormat format;
        formatFromProfile(profile, format);
        const EncoderJob job
            = buildEncoderJob(profile, format, QStringLiteral("/out"), QStringLiteral("show"),
                              QStringLiteral("/tmp"), QStringLiteral("/app"));
        int n = 0;
        for (const QString &command :
             {job.videoCommand, job.audioCommand, job.muxCommand, job.reencodeCommand}) {
            if (command.isEmpty())
                continue;
            QStringList words = splitCommandLine(command);
            words.removeFirst(); // the launcher itself
            if (!writeFile(avcDir.filePath(QStringLiteral("%1-%2.args").arg(id).arg(n++)),
                           words.join(QLatin1Char('\n')).toUtf8()))
                return false;
        }
    }
    return true;
}

// Show files: an empty show, and one with turned and zoomed photos and their faces, trimmed clips,
// captions, every switch and an edited profile, with paths below and outside the show's folder.
bool writeShows(const QDir &dir)
{
    const QString base = QStringLiteral("/shows/summer");
    ShowFile empty;
    ShowFile full;
    for (int i = 0; i < 3; ++i) {
        ImageInfo photo;
        photo.path = i < 2 ? QStringLiteral("%1/photos/IMG_%2.jpg").arg(base).arg(i)
                           : QStringLiteral("/media/card/DSC_0042.JPG");
        photo.operations = {ImageInfo::TurnRight, ImageInfo::Mirror};
        photo.orientation = 5;
        photo.zoom.start = {-25.0f, -12.5f, 50.0f, 0.0f};
        photo.zoom.end = {25.0f, 12.5f, 100.0f, 0.0f};
        // Faces: two on the first photo, none found on the second, the third never searched.
        photo.facesSearched = i < 2;
        if (i == 0)
            photo.faces = {QRectF(0.1, 0.2, 0.15, 0.2), QRectF(0.6, 0.25, 0.1, 0.125)};
        if (i == 1) {
            photo.own.durationMs = 2500;
            photo.own.transition = TransitionStyle::Wipe;
            photo.own.wipePattern = QStringLiteral("circle.wpt");
            photo.own.transitionMs = 800;
            photo.own.motion = MotionStyle::Custom;
            photo.own.easing = Easing::InOut;
            photo.own.motionStart = QRectF(0, 0, 4000, 2250);
            photo.own.motionEnd = QRectF(1800, 600, 1600, 900);
        }
        // Captions: the show's style on the first, an own style on the second.
        if (i == 0)
            photo.caption.text = QStringLiteral("Morning\nat the lake");
        if (i == 1) {
            photo.caption.text = QStringLiteral("שלום");
            photo.caption.anchor = CaptionAnchor::TopRight;
            photo.caption.ownStyle = true;
            photo.caption.style = CaptionStyle::fromPreset(CaptionPreset::Band);
        }
        full.photos.append(photo);
    }
    AudioInfo clip;
    clip.path = QStringLiteral("%1/music/song.mp3").arg(base);
    clip.duration = 241.7;
    clip.clipStart = 3.25;
    clip.clipEnd = 200.5;
    full.audios = {clip, clip};
    full.photoDurationMs = 7000;
    full.transitionDurationMs = 2500;
    full.dissolveOnly = true;
    full.loopAudio = true;
    full.fadeInOut = true;
    full.framing = Framing::BlurredFit;
    full.captionStyle = CaptionStyle::fromPreset(CaptionPreset::Outline);
    full.profile = ZomProfileData(QStringLiteral("mpeg4h264"));
    full.profile.setValue(QStringLiteral("s"), QStringLiteral("1280x720"));
    full.profile.setValue(QStringLiteral("r"), QStringLiteral("25"));
    full.outputFolder = QStringLiteral("/home/ann/Videos");
    full.outputName = QStringLiteral("Summer");
    return writeFile(dir.filePath(QStringLiteral("empty.vellumix")), serializeShow(empty, base))
        && writeFile(dir.filePath(QStringLiteral("full.vellumix")), serializeShow(full, base));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzzseeds OUTPUT_FOLDER PROFILE_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const char *target :
         {"photoreader", "audioreader", "profilereader", "avcarguments", "showreader"}) {
        if (!out.mkpath(QLatin1String(target))) {
            std::fprintf(stderr, "fuzzseeds: cannot create %s\n", target);
            return 1;
        }
    }
    const bool ok = writePhotos(QDir(out.filePath(QStringLiteral("photoreader"))))
        && writeAudio(QDir(out.filePath(QStringLiteral("audioreader"))))
        && writeProfilesAndCommands(QDir(out.filePath(QStringLiteral("profilereader"))),
                                    QDir(out.filePath(QStringLiteral("avcarguments"))),
                                    QString::fromLocal8Bit(argv[2]))
        && writeShows(QDir(out.filePath(QStringLiteral("showreader"))));
    if (!ok)
        std::fprintf(stderr, "fuzzseeds: cannot write the seeds to %s\n", argv[1]);
    return ok ? 0 : 1;
}
