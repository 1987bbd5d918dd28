// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/photoloader.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

class Picture;

// Photos decoded once for several frame sizes: while versions of one show are made one after
// another, each photo is read, turned and converted once, at the largest size any of the versions
// draws it, and every version scales that copy down. The copies are kept up to a budget of bytes,
// the least recently used going first, so that a long show never holds all its photos: beyond the
// budget a photo is decoded again. Not thread-safe: belongs to its owner's thread.
class DecodedPhotos
{
public:
    static constexpr qint64 DefaultBudget = qint64(512) * 1024 * 1024;

    explicit DecodedPhotos(qint64 budgetBytes = DefaultBudget)
        : budget(budgetBytes)
    { }

    // The frames of every version; the copies already kept are dropped when these change.
    void setFrames(const QList<FrameNeed> &frames);
    const QList<FrameNeed> &frames() const { return needs; }

    // Draws the photo into picture (BGRA, the frame's size) with framing and around its faces,
    // as loadPhotoPicture() does; false, with the picture opaque black, when the photo cannot be
    // read.
    bool draw(const QString &path, bool turn90, Picture &picture, Framing framing,
              const QList<QRectF> &faces = {});

    int decodes() const { return decodeCount; }
    int kept() const { return int(copies.size()); }
    qint64 keptBytes() const { return bytes; }

private:
    struct Copy
    {
        QImage image;
        QSize shown;
        quint64 used = 0;
    };
    const Copy *copyOf(const QString &path, bool turn90);

    QList<FrameNeed> needs;
    QHash<QString, Copy> copies;
    Copy lastUnkept;
    qint64 budget = DefaultBudget;
    qint64 bytes = 0;
    quint64 clock = 0;
    int decodeCount = 0;
};
