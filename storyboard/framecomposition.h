// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"
#include "storyboard/transitions.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

class Picture;

// The most layers a frame has: two photos in a transition, each with its caption.
constexpr int MaxFrameLayers = 4;

// One picture layer of a frame: what it shows, how it is placed, and where its alpha comes from.
struct FrameLayer
{
    enum class Alpha {
        Own, // the picture's own alpha bytes
        Dissolve, // every alpha byte dissolveAlpha(dissolve)
        Wipe, // the frame's wipe table looked up by the pattern pixel at the same place
        Fade, // the picture's own alpha times dissolve, inside box
    };

    int photo = -1; // index in the story board's photos
    bool caption = false; // the layer is the photo's caption, not the photo
    QRect box; // for a caption: what it covers, in frame pixels with the top row 0
    int orientation = 0; // 0..7
    LayerFx fx;
    Alpha alpha = Alpha::Own;
    double dissolve = 1.0;
    QString pattern; // path of the wipe pattern

    // The pictures, filled in from the renderer's caches; frame-sized BGRA and grey.
    const Picture *picture = nullptr;
    uint64_t contentId = 0; // names the picture's pixels; 0 for none
    const Picture *patternPicture = nullptr;
};

// Everything one frame shows, bottom layer first over the opaque black background; no layers
// is the background alone. Worked out before any drawing, so it can be checked without GL.
struct FrameComposition
{
    std::vector<FrameLayer> layers;
    // For a layer with Alpha::Wipe: the table of threshold wipeThreshold and WipeSoftness.
    double wipeThreshold = 0.0;
    WipeTable wipeTable {};
};
