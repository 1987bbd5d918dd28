// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/showmedia.h"

#include "audio/audiodecoder.h"
#include "storyboard/photoloader.h"
#include "storyboard/storyboard.h"

#include <QFileInfo>

#include <algorithm>

bool rereadShowPhoto(ImageInfo &info)
{
    ImageInfo read;
    read.path = info.path;
    // Faces kept in the show are not searched again.
    read.faces = info.faces;
    read.facesSearched = info.facesSearched;
    if (!QFileInfo(info.path).isFile() || !readPhotoInfo(read)) {
        info.missing = true;
        return false;
    }
    read.operations = info.operations;
    read.zoom = info.zoom;
    read.own = info.own;
    read.caption = info.caption;
    read.titleCard = info.titleCard;
    read.card = info.card;
    foldOrientation(read);
    info = read;
    return true;
}

bool rereadShowAudio(AudioInfo &info)
{
    AudioInfo read;
    read.path = info.path;
    if (!QFileInfo(info.path).isFile() || !readAudioInfo(read) || info.clipStart >= read.duration) {
        info.missing = true;
        return false;
    }
    read.clipStart = info.clipStart;
    read.clipEnd = std::min(info.clipEnd, read.duration);
    info = read;
    return true;
}
