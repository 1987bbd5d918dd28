// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/showedit.h"

#include <algorithm>

bool samePhotos(const QList<ImageInfo> &a, const QList<ImageInfo> &b)
{
    return std::equal(
        a.cbegin(), a.cend(), b.cbegin(), b.cend(), [](const ImageInfo &x, const ImageInfo &y) {
            return x.path == y.path && x.operations == y.operations
                && x.orientation == y.orientation && x.own == y.own && x.caption == y.caption;
        });
}

bool sameClips(const QList<AudioInfo> &a, const QList<AudioInfo> &b)
{
    return std::equal(
        a.cbegin(), a.cend(), b.cbegin(), b.cend(), [](const AudioInfo &x, const AudioInfo &y) {
            return x.path == y.path && x.clipStart == y.clipStart && x.clipEnd == y.clipEnd;
        });
}
