// SPDX-License-Identifier: GPL-3.0-or-later
// What the drawer's layers hold: pictures uploaded as they are, dissolved, faded or wiped in.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include "storyboard/gldrawer.h"
#include "storyboard/gldrawerscope.h"

#include "storyboard/picture.h"

#include <QDebug>
#include <algorithm>
#include <cstring>

namespace {

// Whether every pixel of a BGRA picture has alpha 255. The pixels of a row are and-ed together
// without stopping early, which lets the compiler vectorise the common, opaque case.
bool isOpaque(const Picture &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const uint8_t *row = picture.row(y);
        uint32_t all = 0xFFFFFFFFu;
        for (int x = 0; x < picture.width(); ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, row + 4 * x, sizeof pixel);
            all &= pixel;
        }
        uint8_t bytes[4];
        std::memcpy(bytes, &all, sizeof bytes);
        if (bytes[3] != 0xFFu)
            return false;
    }
    return true;
}
} // namespace

bool GLDrawer::uploadPixels(int index, const uint8_t *pixels, int rowPixels, bool opaque,
                            uint64_t contentId)
{
    CurrentScope scope(this);
    if (!scope || !resourcesReady)
        return false;
    const auto layer = static_cast<size_t>(index);
    if (!ensureLayerStorage(index))
        return false;
    layerContent[layer] = contentId;
    glBindTexture(GL_TEXTURE_2D, textures[layer]);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowPixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, frameW, frameH, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (mipmapped)
        glGenerateMipmap(GL_TEXTURE_2D);
    if (layerOpaque[layer] != opaque) {
        layerOpaque[layer] = opaque;
        layerChanged(index);
    }
    return true;
}

void GLDrawer::layerChanged(int index)
{
    // The compiled frame draws the layer with or without blending and with its constant alpha:
    // redo it before painting.
    if (std::any_of(frameLayers.begin(), frameLayers.end(),
                    [index](const LayerCall &call) { return call.index == index; }))
        listStale = true;
}

void GLDrawer::setLayerAlpha(int index, float alpha)
{
    float &current = layerAlpha[static_cast<size_t>(index)];
    if (current != alpha) {
        current = alpha;
        layerChanged(index);
    }
}

bool GLDrawer::drawsOpaque(int index) const
{
    const auto layer = static_cast<size_t>(index);
    return layerOpaque[layer] && layerAlpha[layer] >= 1.0f;
}

bool GLDrawer::validLayer(int index, const char *operation) const
{
    if (frameW <= 0 || index < 0 || index >= requestedTextures) {
        qWarning("GLDrawer::%s: no layer %d in a drawer with %d", operation, index,
                 requestedTextures);
        return false;
    }
    return true;
}

bool GLDrawer::uploadLayer(int index, const Picture &picture, uint64_t contentId)
{
    if (!validLayer(index, "uploadLayer"))
        return false;
    if (picture.isNull() || picture.width() != frameW || picture.height() != frameH
        || picture.format() != AV_PIX_FMT_BGRA || picture.linesize[0] % 4 != 0) {
        qWarning("GLDrawer::uploadLayer: the picture is not a %dx%d BGRA frame", frameW, frameH);
        return false;
    }
    setLayerAlpha(index, 1.0f);
    // A hold frame shows the photo of the frame before: uploading it again would only cost time.
    if (contentId != 0 && layerContent[static_cast<size_t>(index)] == contentId
        && !layerFaded[static_cast<size_t>(index)])
        return resourcesReady;
    layerFaded[static_cast<size_t>(index)] = false;
    return uploadPixels(index, picture.data[0], picture.linesize[0] / 4, isOpaque(picture),
                        contentId);
}

uint8_t *GLDrawer::scratchBuffer()
{
    const size_t bytes = static_cast<size_t>(frameW) * frameH * 4;
    if (scratch.size() != bytes)
        scratch.assign(bytes, 0);
    return scratch.data();
}

bool GLDrawer::setDissolve(int index, double alpha, const Picture &incoming, uint64_t contentId)
{
    if (!validLayer(index, "setDissolve"))
        return false;
    const uint8_t alphaByte = dissolveAlpha(alpha);
    // An opaque picture with every alpha byte replaced is the picture drawn with that alpha as a
    // constant: GL applies it, and the picture is uploaded once for the whole transition.
    if (contentId != 0 && uploadLayer(index, incoming, contentId)
        && layerOpaque[static_cast<size_t>(index)]) {
        setLayerAlpha(index, alphaByte / 255.0f);
        return true;
    }
    if (!applyDissolveAlpha(scratchBuffer(), frameW, frameH, incoming, alphaByte)) {
        qWarning("GLDrawer::setDissolve: the picture is not a %dx%d BGRA frame", frameW, frameH);
        return false;
    }
    setLayerAlpha(index, 1.0f);
    return uploadPixels(index, scratch.data(), frameW, alphaByte == 255, 0);
}

bool GLDrawer::setFade(int index, double alpha, const Picture &picture, const QRect &box,
                       uint64_t contentId)
{
    if (!validLayer(index, "setFade"))
        return false;
    const QRect area = box.intersected(QRect(0, 0, frameW, frameH));
    const auto layer = static_cast<size_t>(index);
    // Outside box the picture is transparent whatever the fade: it is uploaded once, and each
    // faded frame replaces only the texels inside box.
    if (contentId == 0 || layerContent[layer] != contentId) {
        if (!uploadLayer(index, picture, contentId))
            return false;
    }
    setLayerAlpha(index, 1.0f);
    if (area.isEmpty())
        return resourcesReady;
    const uint32_t factor = dissolveAlpha(std::clamp(alpha, 0.0, 1.0));
    uint8_t *faded = scratchBuffer();
    const int bottomRow = frameH - 1 - area.bottom();
    for (int y = 0; y < area.height(); ++y) {
        const uint8_t *from = picture.row(bottomRow + y) + 4 * area.left();
        uint8_t *to = faded + static_cast<size_t>(y) * area.width() * 4;
        for (int x = 0; x < area.width() * 4; x += 4) {
            std::memcpy(to + x, from + x, 3);
            to[x + 3] = static_cast<uint8_t>((from[x + 3] * factor + 127) / 255);
        }
    }
    CurrentScope scope(this);
    if (!scope || !resourcesReady || !ensureLayerStorage(index))
        return false;
    glBindTexture(GL_TEXTURE_2D, textures[layer]);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, area.left(), bottomRow, area.width(), area.height(), GL_BGRA,
                    GL_UNSIGNED_BYTE, faded);
    if (mipmapped)
        glGenerateMipmap(GL_TEXTURE_2D);
    layerFaded[layer] = true;
    return true;
}

bool GLDrawer::setWipe(int index, double threshold, double softness, const Picture &pattern,
                       const Picture &incoming)
{
    WipeTable table;
    buildWipeTable(table, threshold, softness);
    return setWipe(index, table, pattern, incoming);
}

bool GLDrawer::setWipe(int index, const WipeTable &table, const Picture &pattern,
                       const Picture &incoming)
{
    if (!validLayer(index, "setWipe"))
        return false;
    wipeTableValues = table;
    if (!applyWipeAlpha(scratchBuffer(), frameW, frameH, incoming, pattern, wipeTableValues)) {
        qWarning("GLDrawer::setWipe: pictures are not %dx%d BGRA and grey frames", frameW, frameH);
        return false;
    }
    setLayerAlpha(index, 1.0f);
    return uploadPixels(index, scratch.data(), frameW, false, 0);
}

void GLDrawer::drawFrame(const FrameComposition &frame)
{
    beginFrame();
    for (size_t i = 0; i < frame.layers.size(); ++i) {
        const FrameLayer &layer = frame.layers[i];
        if (!layer.picture)
            continue;
        const int index = static_cast<int>(i);
        switch (layer.alpha) {
        case FrameLayer::Alpha::Own:
            uploadLayer(index, *layer.picture, layer.contentId);
            break;
        case FrameLayer::Alpha::Dissolve:
            setDissolve(index, layer.dissolve, *layer.picture, layer.contentId);
            break;
        case FrameLayer::Alpha::Wipe:
            if (layer.patternPicture)
                setWipe(index, frame.wipeTable, *layer.patternPicture, *layer.picture);
            break;
        case FrameLayer::Alpha::Fade:
            setFade(index, layer.dissolve, *layer.picture, layer.box, layer.contentId);
            break;
        }
    }
    for (size_t i = 0; i < frame.layers.size(); ++i) {
        const FrameLayer &layer = frame.layers[i];
        if (layer.picture)
            drawLayer(static_cast<int>(i), layer.orientation, layer.fx);
    }
    endFrame();
}
