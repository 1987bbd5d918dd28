// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample show: a handful of photos painted here (several sizes and aspect ratios,
// one stored sideways with a camera orientation tag asking for a quarter turn) and a short
// synthesised tune as a WAV file.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <libexif/exif-data.h>
#include <memory>

namespace {

// A camera-data block carrying the orientation tag, as APP1 content.
QByteArray exifBlock(int orientation)
{
    std::unique_ptr<ExifData, void (*)(ExifData *)> data(exif_data_new(), exif_data_unref);
    exif_data_set_data_type(data.get(), EXIF_DATA_TYPE_COMPRESSED);
    exif_data_set_byte_order(data.get(), EXIF_BYTE_ORDER_INTEL);
    exif_data_fix(data.get());
    ExifEntry *entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!entry) {
        entry = exif_entry_new();
        exif_content_add_entry(data->ifd[EXIF_IFD_0], entry);
        exif_entry_initialize(entry, EXIF_TAG_ORIENTATION);
        exif_entry_unref(entry);
    }
    exif_set_short(entry->data, EXIF_BYTE_ORDER_INTEL, static_cast<ExifShort>(orientation));

    unsigned char *bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &bytes, &size);
    QByteArray block(reinterpret_cast<const char *>(bytes), static_cast<int>(size));
    free(bytes);
    return block;
}

bool saveJpeg(const QImage &image, const QString &path, int orientation = 0)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 88))
        return false;
    if (orientation > 0) {
        const QByteArray block = exifBlock(orientation);
        QByteArray segment("\xFF\xE1", 2);
        const int length = static_cast<int>(block.size()) + 2;
        segment.append(char(length >> 8)).append(char(length & 0xFF)).append(block);
        jpeg.insert(2, segment); // right after the start-of-image marker
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size();
}

QImage sunset(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h * 0.65);
    sky.setColorAt(0.0, QColor(38, 52, 122));
    sky.setColorAt(0.55, QColor(236, 120, 84));
    sky.setColorAt(1.0, QColor(255, 206, 120));
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(w * 0.62, h * 0.6, h * 0.16);
    sun.setColorAt(0.0, QColor(255, 250, 220));
    sun.setColorAt(0.7, QColor(255, 214, 120));
    sun.setColorAt(1.0, QColor(255, 214, 120, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.62, h * 0.6), h * 0.16, h * 0.16);
    QLinearGradient sea(0, h * 0.62, 0, h);
    sea.setColorAt(0.0, QColor(40, 70, 120));
    sea.setColorAt(1.0, QColor(12, 24, 50));
    p.fillRect(QRectF(0, h * 0.62, w, h * 0.38), sea);
    p.setPen(QPen(QColor(255, 220, 160, 140), std::max(1.0, h / 300.0)));
    for (int i = 0; i < 14; ++i) {
        const double y = h * (0.65 + i * 0.022);
        const double half = w * (0.03 + i * 0.012);
        p.drawLine(QPointF(w * 0.62 - half, y), QPointF(w * 0.62 + half, y));
    }
    return image;
}

QImage mountains(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(120, 180, 235));
    sky.setColorAt(1.0, QColor(225, 240, 250));
    p.fillRect(image.rect(), sky);
    const QColor ranges[]
        = {QColor(150, 165, 190), QColor(95, 120, 150), QColor(55, 85, 70), QColor(35, 60, 40)};
    QRandomGenerator random(7);
    for (int r = 0; r < 4; ++r) {
        QPainterPath path(QPointF(0, h));
        const double base = h * (0.45 + r * 0.13);
        for (int x = 0; x <= 24; ++x) {
            const double peak = (x % 2 ? 0.12 : 0.02) + random.bounded(0.08);
            path.lineTo(QPointF(w * x / 24.0, base - h * peak));
        }
        path.lineTo(QPointF(w, h));
        path.closeSubpath();
        p.fillPath(path, ranges[r]);
    }
    return image;
}

QImage meadow(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient grass(0, 0, 0, h);
    grass.setColorAt(0.0, QColor(150, 200, 240));
    grass.setColorAt(0.4, QColor(190, 225, 245));
    grass.setColorAt(0.41, QColor(120, 180, 70));
    grass.setColorAt(1.0, QColor(50, 110, 35));
    p.fillRect(image.rect(), grass);
    QRandomGenerator random(11);
    const QColor petals[]
        = {QColor(250, 80, 90), QColor(255, 220, 60), QColor(250, 250, 250), QColor(170, 90, 220)};
    for (int i = 0; i < 160; ++i) {
        const double y = h * (0.45 + random.bounded(0.55));
        const double x = random.bounded(double(w));
        const double r = h * 0.006 * (1.0 + 3.0 * (y / h - 0.4));
        p.setBrush(petals[i % 4]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x, y), r, r);
    }
    return image;
}

// A lighthouse, painted upright; it is stored turned so the camera tag must set it right.
QImage lighthouse(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(60, 120, 200));
    sky.setColorAt(0.75, QColor(180, 215, 240));
    sky.setColorAt(0.76, QColor(30, 80, 130));
    sky.setColorAt(1.0, QColor(20, 50, 90));
    p.fillRect(image.rect(), sky);
    const double cx = w * 0.5;
    QPainterPath tower;
    tower.moveTo(cx - w * 0.14, h * 0.8);
    tower.lineTo(cx - w * 0.08, h * 0.25);
    tower.lineTo(cx + w * 0.08, h * 0.25);
    tower.lineTo(cx + w * 0.14, h * 0.8);
    tower.closeSubpath();
    p.fillPath(tower, QColor(245, 245, 240));
    p.setClipPath(tower);
    for (int band = 0; band < 3; ++band)
        p.fillRect(QRectF(0, h * (0.33 + band * 0.16), w, h * 0.07), QColor(200, 40, 40));
    p.setClipping(false);
    p.fillRect(QRectF(cx - w * 0.1, h * 0.17, w * 0.2, h * 0.08), QColor(255, 230, 130));
    p.fillRect(QRectF(cx - w * 0.12, h * 0.14, w * 0.24, h * 0.03), QColor(40, 40, 40));
    return image;
}

// A gentle tune: a I-vi-IV-V progression of soft chords with a plucked melody on top.
bool writeTune(const QString &path, double seconds)
{
    constexpr int rate = 44100;
    const int frames = static_cast<int>(seconds * rate);
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * 2);
    const double chords[4][3] = {{261.63, 329.63, 392.00},
                                 {220.00, 261.63, 329.63},
                                 {174.61, 220.00, 261.63},
                                 {196.00, 246.94, 293.66}};
    const double melody[16] = {523.25, 587.33, 659.25, 587.33, 523.25, 659.25, 783.99, 659.25,
                               698.46, 659.25, 587.33, 523.25, 587.33, 659.25, 587.33, 493.88};
    const double beat = 0.5;
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const int bar = static_cast<int>(t / (beat * 4)) % 4;
        double left = 0.0;
        double right = 0.0;
        for (double f : chords[bar]) {
            const double pad
                = 0.07 * std::sin(2 * M_PI * f * t) + 0.02 * std::sin(4 * M_PI * f * t);
            left += pad;
            right += pad;
        }
        const int note = static_cast<int>(t / beat) % 16;
        const double since = std::fmod(t, beat);
        const double pluck = 0.22 * std::exp(-since * 5.0) * std::sin(2 * M_PI * melody[note] * t);
        left += pluck * 0.8;
        right += pluck * 0.6;
        // Fade in and out over a second.
        const double fade = std::min({1.0, t, seconds - t});
        pcm[i * 2] = static_cast<int16_t>(std::clamp(left * fade, -1.0, 1.0) * 32000);
        pcm[i * 2 + 1] = static_cast<int16_t>(std::clamp(right * fade, -1.0, 1.0) * 32000);
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto le32 = [](quint32 v) {
        return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF) + char((v >> 16) & 0xFF)
            + char((v >> 24) & 0xFF);
    };
    const auto le16 = [](quint16 v) {
        return QByteArray(1, char(v & 0xFF)) + char(v >> 8);
    };
    const quint32 dataBytes = static_cast<quint32>(pcm.size() * 2);
    QByteArray header = "RIFF" + le32(36 + dataBytes) + "WAVEfmt " + le32(16) + le16(1) + le16(2)
        + le32(rate) + le32(rate * 4) + le16(4) + le16(16) + "data" + le32(dataBytes);
    return file.write(header) == header.size()
        && file.write(reinterpret_cast<const char *>(pcm.data()), dataBytes) == dataBytes;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: samplegen FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.filePath(QStringLiteral("photos")))
        || !QDir().mkpath(out.filePath(QStringLiteral("music"))))
        return 1;

    bool ok = saveJpeg(sunset(1600, 1200), out.filePath(QStringLiteral("photos/01 sunset.jpg")))
        && saveJpeg(mountains(1920, 1080), out.filePath(QStringLiteral("photos/02 mountains.jpg")))
        && mountains(1200, 500).save(out.filePath(QStringLiteral("photos/03 panorama.png")))
        // Stored lying on its side; the camera tag 6 asks for a quarter turn to the right.
        && saveJpeg(lighthouse(900, 1200).transformed(QTransform().rotate(-90)),
                    out.filePath(QStringLiteral("photos/04 lighthouse.jpg")), 6)
        && saveJpeg(meadow(1024, 1024), out.filePath(QStringLiteral("photos/05 meadow.jpg")));
    ok = ok && writeTune(out.filePath(QStringLiteral("music/tune.wav")), 24.0);
    if (!ok)
        std::fprintf(stderr, "samplegen: cannot write the sample media to %s\n", argv[1]);
    return ok ? 0 : 1;
}
