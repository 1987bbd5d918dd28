// SPDX-License-Identifier: GPL-3.0-or-later
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "storyboard/offscreenglcontext.h"

#include <QDebug>
#include <QOpenGLContext>
#include <cstring>
#include <mutex>

namespace {

// Every context of the process shares the one surfaceless display. It is initialised once and
// kept: terminating it would unload the driver, only for the next drawer to load it again.
std::mutex displayMutex;
bool displayInitialised = false;

EGLDisplay surfacelessDisplay()
{
    static const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

bool initialiseDisplay(EGLDisplay display)
{
    std::scoped_lock lock(displayMutex);
    if (displayInitialised)
        return true;
    EGLint major = 0;
    EGLint minor = 0;
    if (!eglInitialize(display, &major, &minor)) {
        qWarning("OffscreenGLContext: eglInitialize failed (0x%x)", eglGetError());
        return false;
    }
    displayInitialised = true;
    return true;
}

bool hasExtension(EGLDisplay display, const char *name)
{
    const char *list = eglQueryString(display, EGL_EXTENSIONS);
    if (!list)
        return false;
    const size_t length = std::strlen(name);
    for (const char *p = std::strstr(list, name); p; p = std::strstr(p + length, name)) {
        if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    }
    return false;
}

} // namespace

OffscreenGLContext::~OffscreenGLContext()
{
    destroy();
}

bool OffscreenGLContext::create()
{
    if (context)
        return true;
    EGLDisplay dpy = surfacelessDisplay();
    if (dpy == EGL_NO_DISPLAY) {
        qWarning("OffscreenGLContext: no surfaceless EGL platform");
        return false;
    }
    if (!initialiseDisplay(dpy))
        return false;
    display = dpy;

    if (!hasExtension(dpy, "EGL_KHR_surfaceless_context")) {
        qWarning("OffscreenGLContext: EGL_KHR_surfaceless_context is missing");
        destroy();
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        qWarning("OffscreenGLContext: desktop OpenGL is not available through EGL");
        destroy();
        return false;
    }
    const EGLint configAttribs[] = {EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_BIT,
                                    EGL_RED_SIZE,
                                    8,
                                    EGL_GREEN_SIZE,
                                    8,
                                    EGL_BLUE_SIZE,
                                    8,
                                    EGL_ALPHA_SIZE,
                                    8,
                                    EGL_SURFACE_TYPE,
                                    0,
                                    EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(dpy, configAttribs, &config, 1, &count) || count < 1) {
        qWarning("OffscreenGLContext: no EGL configuration for desktop OpenGL");
        destroy();
        return false;
    }
    // The drawer uses the fixed-function pipeline, so ask for a compatibility profile.
    const EGLint contextAttribs[]
        = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    context = eglCreateContext(dpy, config, EGL_NO_CONTEXT, contextAttribs);
    if (context == EGL_NO_CONTEXT) {
        context = nullptr;
        qWarning("OffscreenGLContext: eglCreateContext failed (0x%x)", eglGetError());
        destroy();
        return false;
    }
    return true;
}

bool OffscreenGLContext::makeCurrent()
{
    if (!context)
        return false;
    // One thread can have only one current context across the window-system APIs.
    if (QOpenGLContext *toolkit = QOpenGLContext::currentContext())
        toolkit->doneCurrent();
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        qWarning("OffscreenGLContext: eglMakeCurrent failed (0x%x)", eglGetError());
        return false;
    }
    if (fbo)
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    return true;
}

void OffscreenGLContext::doneCurrent()
{
    if (display && eglGetCurrentContext() == context)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool OffscreenGLContext::resizeFramebuffer(const QSize &size)
{
    if (size == fboSize && fbo)
        return true;
    releaseFramebuffer();
    if (size.isEmpty())
        return false;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    // The colour buffer is a texture given in B, G, R, A order with an unsized format, which
    // Mesa stores as it is given. On such a buffer its software rasterizer draws screen-aligned
    // textured rectangles row by row in fixed point, several times faster than pixel blocks in
    // floating point; frames read back in that order are a plain copy.
    GLint previousTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    glGenTextures(1, &colorBuffer);
    glBindTexture(GL_TEXTURE_2D, colorBuffer);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size.width(), size.height(), 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorBuffer, 0);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        qWarning("OffscreenGLContext: frame buffer %dx%d incomplete (0x%x)", size.width(),
                 size.height(), status);
        releaseFramebuffer();
        return false;
    }
    fboSize = size;
    return true;
}

void OffscreenGLContext::releaseFramebuffer()
{
    if (fbo) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
        fbo = 0;
    }
    if (colorBuffer) {
        glDeleteTextures(1, &colorBuffer);
        colorBuffer = 0;
    }
    fboSize = QSize();
}

void OffscreenGLContext::destroy()
{
    if (context) {
        if (fbo || colorBuffer) {
            if (makeCurrent())
                releaseFramebuffer();
        }
        doneCurrent();
        eglDestroyContext(display, context);
        context = nullptr;
    }
    fbo = colorBuffer = 0;
    fboSize = QSize();
    display = nullptr;
}

void OffscreenGLContext::rasterizeOnCallingThread()
{
    // A video is drawn next to an encoder that keeps every processor busy, so the rasterizer's
    // workers only add synchronisation: about half again the processor time a 1280 x 720 frame.
    // Drawing the preview on one thread is still far faster than real time.
    if (qEnvironmentVariableIsEmpty("LP_NUM_THREADS"))
        qputenv("LP_NUM_THREADS", "0");
}
