// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"

#include <QRectF>
#include <QSize>
#include <functional>
#include <optional>
#include <vector>

class ShowTimeline;

// One photo layer under a caption in one frame: where its motion puts it and how it is blended
// over the layers below (a dissolve's share, or a wipe that shows it whole in parts).
struct BackdropLayer
{
    int photo = -1;
    int orientation = 0;
    LayerFx fx;
    bool wipe = false;
    double share = 1.0;

    bool operator==(const BackdropLayer &other) const = default;
};
using CaptionBackdrop = std::vector<BackdropLayer>; // bottom layer first

// The photo layers photo's caption is drawn over in every frame it shows in: its own photo along
// its motion and the neighbouring photos in the halves of the transitions where the caption
// shows. Sampled along the motion, with repeats left out.
std::vector<CaptionBackdrop> captionBackdrops(const StoryBoard &board, const MediaFormat &format,
                                              const ShowTimeline &timeline, int photo);

// The part of a layer's frame-sized picture (top row 0) that lies under area (frame pixels, top
// row 0) when the layer is drawn with fx and orientation; none for a turning layer.
std::optional<QRectF> areaInLayer(const QRectF &area, const LayerFx &fx, int orientation,
                                  QSize frame);

// The darkest and lightest luminance behind a caption over area in all of backdrops, given the
// luminance range of a photo's picture inside a rectangle (frame pixels, top row 0). Dissolves
// are blended on the encoded values, as the drawer blends them.
struct LuminanceRange
{
    double darkest = 0.0;
    double lightest = 0.0;
};
using PhotoLuminance = std::function<LuminanceRange(int photo, const QRect &area)>;
LuminanceRange backdropLuminance(const std::vector<CaptionBackdrop> &backdrops, const QRect &area,
                                 QSize frame, const PhotoLuminance &photoLuminance);
