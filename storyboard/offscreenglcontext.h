// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

// A desktop OpenGL compatibility context of its own, created on Mesa's surfaceless EGL platform
// (no window system needed, with or without an X display), drawing into a frame buffer object
// of a chosen size. GL is called directly; the context is made current only for the span of one
// operation so that the toolkit's own contexts on the same thread keep working.
// Not thread-safe: use it on the thread that created it.
class OffscreenGLContext
{
public:
    OffscreenGLContext() = default;
    ~OffscreenGLContext();
    OffscreenGLContext(const OffscreenGLContext &) = delete;
    OffscreenGLContext &operator=(const OffscreenGLContext &) = delete;

    // Creates the EGL display connection and the context; false (and logged) when the platform
    // offers no desktop GL.
    bool create();
    bool isValid() const { return context != nullptr; }

    // Makes the context current on this thread and binds the frame buffer object (when one
    // exists). A toolkit context that was current is released first.
    bool makeCurrent();
    void doneCurrent();

    // (Re)creates the frame buffer object at size; needs the context current. Its contents are
    // undefined until drawn.
    bool resizeFramebuffer(const QSize &size);
    QSize framebufferSize() const { return fboSize; }
    unsigned framebuffer() const { return fbo; }
    // The frame buffer's colour buffer, a texture (0 without a frame buffer).
    unsigned colorTexture() const { return colorBuffer; }

    // Frees the GL objects and the context; called by the destructor.
    void destroy();

    // Has Mesa's software rasterizer draw on the thread that issues the GL calls instead of on a
    // worker per processor, unless the user chose otherwise. Call at process start, before any
    // other thread or GL context exists.
    static void rasterizeOnCallingThread();

private:
    void releaseFramebuffer();

    void *display = nullptr; // EGLDisplay
    void *context = nullptr; // EGLContext
    unsigned fbo = 0;
    unsigned colorBuffer = 0;
    QSize fboSize;
};
