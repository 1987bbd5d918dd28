// SPDX-License-Identifier: GPL-3.0-or-later
// GL is called directly (fixed-function and frame buffer entry points through libglvnd), so the
// prototypes must be seen before any header pulls in GL/gl.h.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include "storyboard/gldrawer.h"
#include "storyboard/gldrawerscope.h"
#include "storyboard/glerrors.h"

#include "storyboard/offscreenglcontext.h"

#include <QDebug>
#include <QOpenGLContext>
#include <algorithm>
#include <cstring>

namespace {

// More layers than this would be a caller's mistake, not a frame.
constexpr int MaxTextures = 16;

// Layers are drawn with a fragment program that only samples the picture. The fixed-function
// equivalent (GL_REPLACE) samples projectively, which keeps Mesa's software rasterizer from
// drawing the layer as a fixed-point rectangle; the picture is the same. A constant alpha is
// applied by the blending, not here.
constexpr char layerShaderSource[] = "uniform sampler2D picture;\n"
                                     "void main()\n"
                                     "{\n"
                                     "    gl_FragColor = texture2D(picture, gl_TexCoord[0].st);\n"
                                     "}\n";

// The layer program, or 0 (the fixed-function pipeline draws the same) when it cannot be built.
GLuint buildLayerProgram()
{
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
    if (!shader) {
        qWarning("GLDrawer: no fragment shaders; layers are drawn by the fixed-function pipeline");
        drainGLErrors();
        return 0;
    }
    const char *source = layerShaderSource;
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    GLuint program = 0;
    if (compiled == GL_TRUE) {
        program = glCreateProgram();
        glAttachShader(program, shader);
        glLinkProgram(program);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    glDeleteShader(shader);
    if (!program)
        qWarning("GLDrawer: no layer program; layers are drawn by the fixed-function pipeline");
    drainGLErrors();
    return program;
}

} // namespace

GLDrawer::GLDrawer(QWidget *parent, Target target)
    : QOpenGLWidget(parent, Qt::FramelessWindowHint)
    , drawTarget(target)
{
    if (drawTarget == Target::Offscreen) {
        offscreen = std::make_unique<OffscreenGLContext>();
        // Explicitly hidden, so that showing a parent window does not show it.
        hide();
    }
}

GLDrawer::~GLDrawer()
{
    QObject::disconnect(contextConnection);
    GLDrawer::close();
    offscreen.reset();
}

bool GLDrawer::contextReady() const
{
    return isOffscreen() ? !offscreenFailed : context() != nullptr;
}

bool GLDrawer::makeDrawerCurrent()
{
    if (currentDepth > 0) {
        ++currentDepth;
        return true;
    }
    if (isOffscreen()) {
        if (offscreenFailed)
            return false;
        if (!offscreen->isValid() && !offscreen->create()) {
            offscreenFailed = true;
            return false;
        }
        if (!offscreen->makeCurrent())
            return false;
        ++currentDepth;
        if (!initialized) {
            initialized = true;
            initializeGL();
        }
        syncOffscreenSurface();
        return true;
    }
    if (!context())
        return false;
    QOpenGLWidget::makeCurrent();
    if (QOpenGLContext::currentContext() != context())
        return false;
    ++currentDepth;
    return true;
}

void GLDrawer::doneDrawerCurrent()
{
    if (currentDepth == 0 || --currentDepth > 0)
        return;
    if (isOffscreen())
        offscreen->doneCurrent();
    else
        QOpenGLWidget::doneCurrent();
}

void GLDrawer::syncOffscreenSurface()
{
    // The frame buffer follows the widget's size, which open() sets to the frame.
    if (frameW <= 0 || frameH <= 0)
        return;
    const QSize surface = size();
    if (offscreen->framebufferSize() == surface)
        return;
    if (offscreen->resizeFramebuffer(surface))
        resizeGL(surface.width(), surface.height());
}

bool GLDrawer::open(int width, int height, int textureCount, bool flipT)
{
    close();
    if (width <= 0 || height <= 0 || textureCount < 0 || textureCount > MaxTextures) {
        qWarning("GLDrawer::open: bad frame %dx%d with %d layers", width, height, textureCount);
        return false;
    }
    frameW = width;
    frameH = height;
    requestedTextures = textureCount;
    flipTexture = flipT;
    // Layer textures are exactly frame-sized, so any frame up to the GL texture limit fits.
    const float halfW = width * 0.5f;
    const float halfH = height * 0.5f;
    const float points[4][2] = {{-halfW, -halfH}, {halfW, -halfH}, {halfW, halfH}, {-halfW, halfH}};
    std::memcpy(corners, points, sizeof corners);
    std::fill(std::begin(clearColor), std::end(clearColor), 0.0f);
    clearColor[3] = 1.0f;
    resize(width, height);

    if (!contextReady()) {
        if (isOffscreen()) {
            close();
            return false;
        }
        return true; // On screen before the first show: initializeGL() finishes the job.
    }
    CurrentScope scope(this);
    if (!scope || !createResources()) {
        close();
        return false;
    }
    if (isOffscreen() && offscreen->framebufferSize() != QSize(width, height)) {
        close();
        return false;
    }
    resizeGL(this->width(), this->height());
    return true;
}

bool GLDrawer::createResources()
{
    GLint maxTexture = 0;
    GLint maxRenderbuffer = 0;
    GLint maxViewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
    const int limit = std::min({maxTexture, maxRenderbuffer, maxViewport[0], maxViewport[1]});
    if (frameW > limit || frameH > limit) {
        qWarning("GLDrawer: a %dx%d frame exceeds this GL's limit of %d", frameW, frameH, limit);
        return false;
    }

    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    frameList = glGenLists(1);
    frameCovered = false;

    layerProgram = buildLayerProgram();

    const auto createTexture = [&](int width, int height, const uint8_t *pixels) {
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        // Clamping to the edge keeps the picture's own border texels at the quad's edges.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        // The unsized format lets the GL keep the B, G, R, A pictures byte for byte (Mesa does),
        // so uploads are plain copies and the pictures can be drawn as fixed-point rectangles.
        if (pixels)
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                         pixels);
        return name;
    };
    textures.resize(static_cast<size_t>(requestedTextures));
    layerOpaque.assign(textures.size(), true);
    layerContent.assign(textures.size(), 0);
    layerAlpha.assign(textures.size(), 1.0f);
    layerFaded.assign(textures.size(), false);
    // A layer's frame-sized storage is made when the layer is first used: the layers a show
    // never needs (captions) cost no memory.
    layerStored.assign(textures.size(), false);
    for (GLuint &name : textures)
        name = createTexture(frameW, frameH, nullptr);
    // Opaque black everywhere, which one texel gives as well as a whole frame of them.
    const uint8_t black[4] = {0, 0, 0, 255};
    backgroundTexture = createTexture(1, 1, black);

    // Object-linear texture coordinates: a vertex at a frame corner samples the picture's corner.
    const GLfloat planeS[4] = {1.0f / frameW, 0.0f, 0.0f, 0.5f};
    const GLfloat planeT[4] = {0.0f, (flipTexture ? -1.0f : 1.0f) / frameH, 0.0f, 0.5f};
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_S, GL_OBJECT_PLANE, planeS);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, planeT);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);

    resourcesReady = glGetError() == GL_NO_ERROR;
    if (!resourcesReady) {
        qWarning("GLDrawer: could not create the textures of a %dx%d frame", frameW, frameH);
        releaseResources();
        return false;
    }
    applyTextureFilters();
    return true;
}

bool GLDrawer::ensureLayerStorage(int index)
{
    const auto layer = static_cast<size_t>(index);
    if (layer >= layerStored.size() || layerStored[layer])
        return true;
    // Opaque black, as an unused layer has always been.
    std::vector<uint8_t> black(static_cast<size_t>(frameW) * frameH * 4, 0);
    for (size_t i = 3; i < black.size(); i += 4)
        black[i] = 255;
    glBindTexture(GL_TEXTURE_2D, textures[layer]);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, frameW, frameH, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 black.data());
    if (mipmapped)
        glGenerateMipmap(GL_TEXTURE_2D);
    layerStored[layer] = glGetError() == GL_NO_ERROR;
    return layerStored[layer];
}

void GLDrawer::releaseResources()
{
    releaseGrabTarget();
    releaseYuvTarget();
    if (!textures.empty()) {
        glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
        textures.clear();
    }
    std::fill(layerContent.begin(), layerContent.end(), 0);
    if (frameList) {
        glDeleteLists(frameList, 1);
        frameList = 0;
    }
    if (backgroundTexture) {
        glDeleteTextures(1, &backgroundTexture);
        backgroundTexture = 0;
    }
    if (layerProgram) {
        glDeleteProgram(layerProgram);
        layerProgram = 0;
    }
    resourcesReady = false;
}

void GLDrawer::close()
{
    if (resourcesReady || frameList || backgroundTexture || !textures.empty() || grabFbo || yuvFbo
        || yuvProgram) {
        CurrentScope scope(this);
        if (scope) {
            releaseResources();
            if (isOffscreen())
                offscreen->resizeFramebuffer(QSize());
        }
    }
    textures.clear();
    frameList = backgroundTexture = layerProgram = 0;
    grabFbo = grabColor = 0;
    yuvFbo = yuvTexture = yuvProgram = 0;
    resourcesReady = false;
    scratch.clear();
    scratch.shrink_to_fit();
    pendingLayers.clear();
    frameLayers.clear();
    frameCovered = false;
    layerOpaque.clear();
    layerStored.clear();
    layerContent.clear();
    layerAlpha.clear();
    listStale = false;
    recording = false;
    frameW = frameH = -1;
    requestedTextures = 0;
}

void GLDrawer::setClearColor(float red, float green, float blue, float alpha)
{
    clearColor[0] = red;
    clearColor[1] = green;
    clearColor[2] = blue;
    clearColor[3] = alpha;
    CurrentScope scope(this);
    if (scope)
        glClearColor(red, green, blue, alpha);
}

void GLDrawer::initializeGL()
{
    if (isOffscreen() && currentDepth == 0)
        return; // An off-screen drawer draws only in its own context.
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glFrontFace(GL_CW);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);

    if (!isOffscreen()) {
        // The widget's context can be replaced (re-parenting to another window); the GL objects
        // die with it and are made again by the next initializeGL().
        QObject::disconnect(contextConnection);
        contextConnection = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
            CurrentScope scope(this);
            if (scope)
                releaseResources();
        });
        if (frameW > 0 && !resourcesReady)
            createResources();
    }
}

void GLDrawer::resizeGL(int w, int h)
{
    if (isOffscreen() && currentDepth == 0)
        return;
    if (h == 0)
        h = 1;
    const qint64 fw = frameW > 0 ? frameW : 1;
    const qint64 fh = frameH > 0 ? frameH : 1;
    // fw/fh < w/h, compared and divided in whole numbers without losing the ratio.
    QRect place;
    if (fw * h < w * fh) {
        const int width = static_cast<int>(h * fw / fh);
        place = QRect((w - width) / 2, 0, width, h);
    } else {
        const int height = static_cast<int>(w * fh / fw);
        place = QRect(0, (h - height) / 2, w, height);
    }
    setFrameViewport(place);
}

void GLDrawer::setFrameViewport(const QRect &place)
{
    viewport = place;
    const double aspect = frameW > 0 && frameH > 0 ? static_cast<double>(frameH) / frameW : 1.0;
    // The frame plane sits at distance frameWidth; keep it (and layers pushed away from the
    // viewer) inside the far plane for wide frames too.
    const double farPlane = std::max(10000.0, 4.0 * std::max(frameW, 1));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1.0, 1.0, -aspect, aspect, 2.0, farPlane);
    glMatrixMode(GL_MODELVIEW);

    const double ratio = isOffscreen() ? 1.0 : devicePixelRatioF();
    const QRect device(qRound(place.x() * ratio), qRound(place.y() * ratio),
                       qRound(place.width() * ratio), qRound(place.height() * ratio));
    glViewport(device.x(), device.y(), device.width(), device.height());

    // A frame shown smaller than its size minifies the layers: mipmaps keep that from aliasing.
    const bool minified = frameW > 0 && (device.width() < frameW || device.height() < frameH);
    if (minified != mipmapped) {
        mipmapped = minified;
        applyTextureFilters();
    }
}

void GLDrawer::applyTextureFilters()
{
    if (!resourcesReady)
        return;
    const auto apply = [this](GLuint name, bool stored) {
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                        mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
        if (mipmapped && stored)
            glGenerateMipmap(GL_TEXTURE_2D);
    };
    for (size_t i = 0; i < textures.size(); ++i)
        apply(textures[i], layerStored[i]);
    apply(backgroundTexture, true);
}

void GLDrawer::paintGL()
{
    if (isOffscreen() && currentDepth == 0)
        return;
    const double ratio = isOffscreen() ? 1.0 : devicePixelRatioF();
    paintFrame(QRect(qRound(viewport.x() * ratio), qRound(viewport.y() * ratio),
                     qRound(viewport.width() * ratio), qRound(viewport.height() * ratio)));
}

void GLDrawer::paintFrame(const QRect &target)
{
    // The toolkit resets the viewport before every paint, so the letterbox is applied here.
    glViewport(target.x(), target.y(), target.width(), target.height());
    if (resourcesReady && frameList && listStale)
        compileFrameList();
    // A compiled frame paints every one of its pixels (the background quad, or layers that hide
    // it); when it fills the whole buffer there is nothing to clear.
    const bool fillsBuffer = isOffscreen() && target.topLeft() == QPoint(0, 0)
        && offscreen->framebufferSize() == target.size();
    if (!(fillsBuffer && frameCovered && resourcesReady && frameList))
        glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    if (resourcesReady && frameList) {
        glTranslatef(0.0f, 0.0f, static_cast<GLfloat>(-frameW));
        glCallList(frameList);
    }
    glFinish();
}

void GLDrawer::beginFrame()
{
    // The frame's commands are collected and compiled at endFrame(), so that texture uploads made
    // between beginFrame() and endFrame() happen at once instead of being recorded in the list.
    pendingLayers.clear();
    recording = true;
}

void GLDrawer::drawLayer(int index, int orientation, const LayerFx &fx)
{
    if (!recording || !validLayer(index, "drawLayer"))
        return;
    if (fx.kind != LayerFx::Translate && fx.kind != LayerFx::Rotate)
        qDebug("Don't know what kind FX it is!");
    pendingLayers.push_back({index, orientation, fx});
}

void GLDrawer::endFrame()
{
    if (recording) {
        recording = false;
        frameLayers.swap(pendingLayers);
        pendingLayers.clear();
        CurrentScope scope(this);
        if (scope && resourcesReady) {
            // Storage is made outside the list, which would only record it.
            for (const LayerCall &call : frameLayers)
                ensureLayerStorage(call.index);
            compileFrameList();
        }
    }
    if (!isOffscreen())
        update();
}

void GLDrawer::drawFrameQuad() const
{
    glBegin(GL_TRIANGLES);
    for (int corner : {0, 3, 2, 0, 2, 1})
        glVertex2f(corners[corner][0], corners[corner][1]);
    glEnd();
}

bool GLDrawer::hidesFrame(const LayerCall &call) const
{
    // An opaque layer that covers the whole frame hides the background and every layer below.
    // Orientation flips mirror about the centre and leave the covered area as it is.
    if (!drawsOpaque(call.index) || call.fx.kind == LayerFx::Rotate)
        return false;
    const bool moved = call.fx.kind == LayerFx::Translate;
    const double x = moved ? call.fx.param0 : 0.0;
    const double y = moved ? call.fx.param1 : 0.0;
    const double distance = frameW - (moved ? call.fx.param2 : 0.0);
    if (distance <= 2.0)
        return false;
    // The frame plane sits at distance frameWidth, so a layer at distance d shows W / d times
    // larger, measured in frame pixels from the centre.
    const double scale = frameW / distance;
    const double halfW = frameW * 0.5;
    const double halfH = frameH * 0.5;
    return (x - halfW) * scale <= -halfW && (x + halfW) * scale >= halfW
        && (y - halfH) * scale <= -halfH && (y + halfH) * scale >= halfH;
}

void GLDrawer::compileFrameList()
{
    size_t first = 0;
    bool background = true;
    for (size_t i = frameLayers.size(); i-- > 0;) {
        if (hidesFrame(frameLayers[i])) {
            first = i;
            background = false;
            break;
        }
    }
    glNewList(frameList, GL_COMPILE);
    glUseProgram(layerProgram);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    compileLayers(first, background);
    glUseProgram(0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEndList();
    listStale = false;
    frameCovered = true;
}

void GLDrawer::compileLayers(size_t first, bool background)
{
    // Opaque quads are drawn without blending, which gives the same pixels for less work.
    glDisable(GL_BLEND);
    if (background) {
        glBindTexture(GL_TEXTURE_2D, backgroundTexture);
        drawFrameQuad();
    }
    for (size_t i = first; i < frameLayers.size(); ++i) {
        const LayerCall &call = frameLayers[i];
        const auto layer = static_cast<size_t>(call.index);
        const float alpha = layerAlpha[layer];
        if (alpha < 1.0f) {
            // Only opaque layers get a constant alpha (setDissolve()), so the blending can apply
            // it in place of the layer's own alpha, and the fragments stay plain samples.
            glBlendColor(0.0f, 0.0f, 0.0f, alpha);
            glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
            glEnable(GL_BLEND);
        } else if (layerOpaque[layer]) {
            glDisable(GL_BLEND);
        } else {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_BLEND);
        }
        glPushMatrix();
        const LayerFx &fx = call.fx;
        if (fx.kind == LayerFx::Translate)
            glTranslatef(fx.param0, fx.param1, fx.param2);
        else if (fx.kind == LayerFx::Rotate)
            glRotatef(fx.param0, fx.param1, fx.param2, fx.param3);
        // Half turns about the vertical and horizontal axes, written as the exact scalings they
        // are: a half turn about y is diag(-1, 1, -1), about x diag(1, -1, -1).
        switch (call.orientation) {
        case 2:
        case 7:
            glScalef(-1.0f, 1.0f, -1.0f);
            break;
        case 3:
        case 5:
            glScalef(-1.0f, 1.0f, -1.0f);
            glScalef(1.0f, -1.0f, -1.0f);
            break;
        case 1:
        case 4:
            glScalef(1.0f, -1.0f, -1.0f);
            break;
        default:
            break;
        }
        glBindTexture(GL_TEXTURE_2D, textures[layer]);
        drawFrameQuad();
        glPopMatrix();
    }
}
