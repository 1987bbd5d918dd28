// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/titlecard.h"

#include "storyboard/photoloader.h"
#include "storyboard/storyboard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>

QImage titleCardImage(const TitleCard &card, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(card.colour);
    QPainter painter(&image);
    if (card.background == TitleCard::Background::Gradient) {
        QLinearGradient gradient(0, 0, 0, size.height());
        gradient.setColorAt(0.0, card.colour);
        gradient.setColorAt(1.0, card.colour2);
        painter.fillRect(image.rect(), gradient);
    } else if (card.background == TitleCard::Background::BlurredPhoto) {
        QImageReader reader(card.photo);
        reader.setAutoTransform(true);
        // A small copy blown up is the blur: smooth scaling spreads each pixel over many.
        const QSize full = reader.size();
        if (full.isValid())
            reader.setScaledSize(full.scaled(64, 64, Qt::KeepAspectRatio));
        const QImage small = reader.read();
        if (!small.isNull()) {
            const QImage tiny
                = small.scaled(24, 24, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            const QImage blurred
                = tiny.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
            painter.drawImage(QPoint((size.width() - blurred.width()) / 2,
                                     (size.height() - blurred.height()) / 2),
                              blurred);
            // Darkened, so that light text reads on it.
            painter.fillRect(image.rect(), QColor(0, 0, 0, 110));
        }
    }
    return image;
}

QString titleCardFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/titles");
}

QString writeTitleCardImage(const TitleCard &card, const QString &folder)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(int(card.background)));
    hash.addData(card.colour.name(QColor::HexArgb).toUtf8());
    hash.addData(card.colour2.name(QColor::HexArgb).toUtf8());
    if (card.background == TitleCard::Background::BlurredPhoto) {
        const QFileInfo photo(card.photo);
        hash.addData(photo.absoluteFilePath().toUtf8());
        hash.addData(QByteArray::number(photo.lastModified().toMSecsSinceEpoch()));
    }
    const QString path = QDir(folder).filePath(
        QStringLiteral("title-%1.png").arg(QString::fromLatin1(hash.result().toHex().left(16))));
    if (QFileInfo::exists(path))
        return path;
    if (!QDir().mkpath(folder))
        return QString();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || !titleCardImage(card, QSize(TitleCard::ImageWidth, TitleCard::ImageHeight))
                .save(&file, "PNG")
        || !file.commit())
        return QString();
    return path;
}

bool makeTitleCard(const QString &text, const TitleCard &card, const QString &folder,
                   ImageInfo &record)
{
    const QString path = writeTitleCardImage(card, folder);
    if (path.isEmpty())
        return false;
    ImageInfo info;
    info.path = path;
    if (!readPhotoInfo(info))
        return false;
    info.titleCard = true;
    info.card = card;
    info.own.motion = MotionStyle::Still;
    info.facesSearched = true;
    info.caption.text = boundedCaptionText(text);
    info.caption.anchor = CaptionAnchor::Centre;
    info.caption.ownStyle = true;
    info.caption.style.size = 0.09;
    info.caption.style.bold = true;
    record = info;
    return true;
}
