// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/showmedia.h"

#include "audio/audioanalysis.h"
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
    // Measures kept in the show are not taken again; a show saved before they were has them
    // taken now, once.
    if (info.measured) {
        read.measured = true;
        read.loudness = info.loudness;
        read.truePeak = info.truePeak;
        read.waveform = info.waveform;
        read.beats = info.beats;
    } else {
        analyseAudio(read);
    }
    info = read;
    return true;
}
