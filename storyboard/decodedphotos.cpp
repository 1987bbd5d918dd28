// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/decodedphotos.h"

#include "storyboard/faceframing.h"
#include "storyboard/picture.h"

#include <QDebug>

extern "C" {
#include <libavutil/pixfmt.h>
}

void DecodedPhotos::setFrames(const QList<FrameNeed> &frames)
{
    const auto same = [](const FrameNeed &a, const FrameNeed &b) {
        return a.frame == b.frame && a.framing == b.framing;
    };
    if (std::equal(frames.cbegin(), frames.cend(), needs.cbegin(), needs.cend(), same))
        return;
    needs = frames;
    copies.clear();
    bytes = 0;
}

const DecodedPhotos::Copy *DecodedPhotos::copyOf(const QString &path, bool turn90)
{
    const QString key = path + (turn90 ? QLatin1String("|90") : QLatin1String("|0"));
    ++clock;
    auto it = copies.find(key);
    if (it != copies.end()) {
        it->used = clock;
        return &*it;
    }
    Copy copy;
    copy.image = readFittedPhoto(path, turn90, needs, PhotoDecode::Fast, &copy.shown);
    ++decodeCount;
    if (copy.image.isNull())
        return nullptr;
    copy.used = clock;
    const qint64 size = copy.image.sizeInBytes();
    // The least recently used go until the new copy fits; one larger than the whole budget is
    // used once and not kept.
    while (!copies.isEmpty() && bytes + size > budget) {
        auto oldest = copies.begin();
        for (auto c = copies.begin(); c != copies.end(); ++c) {
            if (c->used < oldest->used)
                oldest = c;
        }
        bytes -= oldest->image.sizeInBytes();
        copies.erase(oldest);
    }
    if (size > budget) {
        lastUnkept = copy;
        return &lastUnkept;
    }
    bytes += size;
    return &*copies.insert(key, copy);
}

bool DecodedPhotos::draw(const QString &path, bool turn90, Picture &picture, Framing framing,
                         const QList<QRectF> &faces)
{
    if (picture.isNull() || picture.format() != AV_PIX_FMT_BGRA)
        return false;
    const QSize frame(picture.width(), picture.height());
    const bool known = std::any_of(needs.cbegin(), needs.cend(), [&](const FrameNeed &need) {
        return need.frame == frame && need.framing == framing;
    });
    // A frame nobody announced would get a copy too small for it.
    if (!known)
        return loadPhotoPicture(path, picture, frame.width(), frame.height(), turn90,
                                PhotoDecode::Fast, framing, faces);
    const Copy *copy = copyOf(path, turn90);
    if (!copy) {
        fillOpaqueBlack(picture);
        return false;
    }
    const QSize fitted = fittedPhotoSize(copy->shown, frame, framing);
    const QList<QRectF> shownFaces = turn90 ? facesTurnedRight(faces) : faces;
    if (copy->image.size() == fitted)
        return placePhotoPicture(copy->image, picture, framing, shownFaces);
    return placePhotoPicture(
        copy->image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), picture,
        framing, shownFaces);
}
