// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// GLDrawer composes one output frame from up to a few frame-sized picture layers over an opaque
// black background, on the legacy OpenGL pipeline (display list, object-linear texture
// coordinates, a perspective frustum, source-alpha or constant-alpha blending), with a fragment
// program that only samples the layer's picture.
//
// Two ways to use it:
// - On screen (Target::Screen, the preview player): an ordinary QOpenGLWidget placed in a window.
//   Its GL work needs the widget's context, which exists once the widget has been shown; an open()
//   made before that is carried out in initializeGL(). endFrame() schedules a repaint.
// - Off screen (Target::Offscreen, the video writer): never shown. It makes its own desktop GL
//   context on Mesa's surfaceless EGL platform and draws into a frame buffer object the size of
//   the widget (open() resizes it to the frame). This path is the same with or without an X
//   display, so a frame gives the same pixels everywhere. grabFrame() paints and reads back;
//   endFrame() paints nothing. It stays hidden even when a parent window is shown.
//
// Per frame: drawFrame(composition) [-> grabFrame(GL_BGRA, ...)], which is
// beginFrame() -> uploadLayer(0, ...) [-> setDissolve/setWipe(1, ...)] ->
// drawLayer(0, ...) [-> drawLayer(1, ...)] -> endFrame().
// Pictures are frame-sized (B, G, R, A, or 8-bit grey for patterns); others are refused.
// Open with flipT true when reading frames back: grabFrame() then returns the top row first.
// The window around the letterboxed frame shows the colour of setClearColor().
// Subclasses may override close(), beginFrame(), drawLayer(), endFrame() and resizeGL(); a
// resizeGL() override must place the picture through setFrameViewport().
//
// Not thread-safe: every operation makes the drawer's context current and must run on the thread
// that owns the widget.

#include "storyboard/framecomposition.h"
#include "storyboard/storyboard.h"
#include "storyboard/transitions.h"

#include <QOpenGLWidget>
#include <memory>
#include <vector>

class OffscreenGLContext;
class Picture;

class GLDrawer : public QOpenGLWidget
{
    Q_OBJECT

public:
    enum class Target { Screen, Offscreen };

    explicit GLDrawer(QWidget *parent = nullptr, Target target = Target::Screen);
    ~GLDrawer() override;

    Target target() const { return drawTarget; }
    bool isOffscreen() const { return drawTarget == Target::Offscreen; }

    // Closes, then prepares a width x height frame with textureCount layers; flipT turns the
    // picture upside down in GL so that read-back delivers the top row first. False (and closed)
    // when the frame exceeds the GL implementation's limits or no GL context can be had.
    bool open(int width, int height, int textureCount, bool flipT);
    virtual void close();

    // Colour of the window area outside the letterboxed frame (alpha as given).
    void setClearColor(float red, float green, float blue, float alpha);

    // Replaces layer index with a frame-sized BGRA picture (bottom row first, as photos are).
    // A non-zero contentId names the picture's pixels: when the layer already holds them, nothing
    // is uploaded again.
    bool uploadLayer(int index, const Picture &picture, uint64_t contentId = 0);
    // Layer index gets incoming with every alpha byte trunc(alpha * 255). An opaque incoming
    // named by contentId is uploaded once and drawn with that alpha as a constant.
    bool setDissolve(int index, double alpha, const Picture &incoming, uint64_t contentId = 0);
    // Layer index gets incoming with its alpha taken from the wipe table of threshold and
    // softness, looked up by the grey pattern pixel at the same row and column.
    bool setWipe(int index, double threshold, double softness, const Picture &pattern,
                 const Picture &incoming);
    bool setWipe(int index, const WipeTable &table, const Picture &pattern,
                 const Picture &incoming);

    // Layer index gets picture with its own alpha times alpha. picture is transparent outside
    // box (frame pixels, top row 0); a picture named by contentId is uploaded once, and each
    // fade replaces only what lies inside box.
    bool setFade(int index, double alpha, const Picture &picture, const QRect &box,
                 uint64_t contentId = 0);

    // Draws a whole frame: each layer of frame on the layer of its position, then endFrame().
    // Layers without a picture are left out.
    void drawFrame(const FrameComposition &frame);

    virtual void beginFrame();
    // Draws layer index with the orientation flip of code orientation (0..7) under the layer
    // transform fx.
    virtual void drawLayer(int index, int orientation, const LayerFx &fx);
    virtual void endFrame();

    // Paints the current frame at frame size and reads its frameWidth x frameHeight pixels into
    // destination (tightly packed) with the given GL format and type, bottom GL row first.
    bool grabFrame(unsigned format, unsigned type, void *destination);
    // Rows of the affine map from a pixel's R, G and B (0 to 1) to its Y, U and V code values:
    // the weights of R, G and B, then the offset.
    struct YuvRows
    {
        float y[4];
        float u[4];
        float v[4];
    };
    // Paints the current frame and reads it back as planar YUV 4:2:0 converted by GL: the Y, U
    // and V planes one after the other, tightly packed, top row first, each chroma sample that of
    // the mean of its 2 x 2 pixels. destination holds frameWidth x frameHeight x 3 / 2 bytes.
    // False, with nothing read, where this drawer cannot: on screen, at an odd frame size, or on
    // a GL without the shading language it needs; grabFrame() then gives pixels to convert.
    bool grabFrameYuv420(const YuvRows &rows, uint8_t *destination);
    // How long the last grab took to paint the frame (all of GL's drawing, finished), to convert
    // it (grabFrameYuv420() only) and to read it back, in nanoseconds.
    qint64 lastPaintNs() const { return paintNs; }
    qint64 lastConvertNs() const { return convertNs; }
    qint64 lastReadBackNs() const { return readBackNs; }
    // The whole drawing surface as it is shown (letterbox included), top row first.
    QImage grabSurface();

    int frameWidth() const { return frameW; }
    int frameHeight() const { return frameH; }
    int textureCount() const { return static_cast<int>(textures.size()); }
    // The letterboxed frame inside the widget, in widget coordinates with y up (as GL has it).
    QRect frameViewport() const { return viewport; }
    const WipeTable &wipeTable() const { return wipeTableValues; }
    // True while layer minification uses mipmaps (the frame is shown smaller than its size).
    bool usesMipmaps() const { return mipmapped; }

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

    // Places the frame at viewport (widget coordinates, y up) and sets the frame's projection.
    // Needs the context current, as it is in resizeGL().
    void setFrameViewport(const QRect &viewport);

    // Make the drawer's context current (nesting allowed) and release it again.
    bool makeDrawerCurrent();
    void doneDrawerCurrent();

private:
    class CurrentScope;
    struct LayerCall
    {
        int index = 0;
        int orientation = 0;
        LayerFx fx;
    };

    bool contextReady() const;
    bool ensureLayerStorage(int index);
    bool validLayer(int index, const char *operation) const;
    bool uploadPixels(int index, const uint8_t *pixels, int rowPixels, bool opaque,
                      uint64_t contentId);
    void setLayerAlpha(int index, float alpha);
    void layerChanged(int index);
    bool drawsOpaque(int index) const;
    bool hidesFrame(const LayerCall &call) const;
    void compileLayers(size_t first, bool background);
    uint8_t *scratchBuffer();
    bool createResources();
    void releaseResources();
    void syncOffscreenSurface();
    void applyTextureFilters();
    void compileFrameList();
    void drawFrameQuad() const;
    void paintFrame(const QRect &target);
    bool ensureGrabTarget();
    void releaseGrabTarget();
    bool ensureYuvTarget();
    void releaseYuvTarget();

    Target drawTarget = Target::Screen;
    std::unique_ptr<OffscreenGLContext> offscreen;

    int frameW = -1;
    int frameH = -1;
    bool flipTexture = false;
    int requestedTextures = 0;
    std::vector<unsigned> textures;
    unsigned backgroundTexture = 0;
    unsigned layerProgram = 0;
    unsigned frameList = 0;
    WipeTable wipeTableValues {};
    std::vector<uint8_t> scratch;
    float corners[4][2] = {};

    bool resourcesReady = false;
    bool initialized = false;
    bool offscreenFailed = false;
    QMetaObject::Connection contextConnection;
    bool mipmapped = false;
    bool recording = false;
    std::vector<LayerCall> pendingLayers;
    std::vector<LayerCall> frameLayers; // the layers of the compiled frame list
    std::vector<bool> layerOpaque; // every texel of the layer has alpha 255
    std::vector<bool> layerStored; // the layer's frame-sized storage has been made
    std::vector<uint64_t> layerContent; // what the layer holds, 0 when unnamed
    std::vector<float> layerAlpha; // constant alpha the layer is drawn with
    std::vector<bool> layerFaded; // the texels inside a caption's box are a fade of its content
    bool listStale = false;
    bool frameCovered = false; // a frame has been compiled: it paints every pixel of the frame
    QRect viewport;
    float clearColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned grabFbo = 0;
    unsigned grabColor = 0;
    int currentDepth = 0;
    unsigned yuvProgram = 0;
    unsigned yuvFbo = 0;
    unsigned yuvTexture = 0;
    bool yuvUnavailable = false;
    qint64 paintNs = 0;
    qint64 convertNs = 0;
    qint64 readBackNs = 0;
};
