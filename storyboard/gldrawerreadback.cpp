// SPDX-License-Identifier: GPL-3.0-or-later
// The drawer's read-back of frames: as they are painted, or as YUV 4:2:0 converted by GL.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include "storyboard/gldrawer.h"
#include "storyboard/gldrawerscope.h"
#include "storyboard/glerrors.h"

#include "storyboard/offscreenglcontext.h"

#include <QElapsedTimer>
#include <QRect>
#include <algorithm>
#include <array>
#include <memory>

namespace {

// Turns the painted frame into one plane of a YUV 4:2:0 picture: Y from each pixel, U or V from
// the mean of each 2 x 2 block. The planes are drawn side by side in one target, each into its
// own viewport, whose corner is origin.
constexpr char yuvVertexSource[] = "#version 130\n"
                                   "void main()\n"
                                   "{\n"
                                   "    gl_Position = gl_Vertex;\n"
                                   "}\n";
constexpr char yuvFragmentSource[]
    = "#version 130\n"
      "uniform sampler2D frame;\n"
      "uniform ivec2 origin;\n"
      "uniform bool chroma;\n"
      "uniform vec4 row;\n"
      "void main()\n"
      "{\n"
      "    ivec2 p = ivec2(gl_FragCoord.xy) - origin;\n"
      "    vec3 rgb;\n"
      "    if (chroma) {\n"
      "        p *= 2;\n"
      "        rgb = 0.25 * (texelFetch(frame, p, 0).rgb + texelFetch(frame, p + ivec2(1, 0), "
      "0).rgb\n"
      "                      + texelFetch(frame, p + ivec2(0, 1), 0).rgb\n"
      "                      + texelFetch(frame, p + ivec2(1, 1), 0).rgb);\n"
      "    } else {\n"
      "        rgb = texelFetch(frame, p, 0).rgb;\n"
      "    }\n"
      "    gl_FragColor = vec4((dot(row.rgb, rgb) + row.a) / 255.0, 0.0, 0.0, 1.0);\n"
      "}\n";

GLuint compileShader(GLenum kind, const char *source)
{
    const GLuint shader = glCreateShader(kind);
    if (!shader)
        return 0;
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// The YUV program, or 0 when this GL cannot build it.
GLuint buildYuvProgram()
{
    const GLuint vertex = compileShader(GL_VERTEX_SHADER, yuvVertexSource);
    const GLuint fragment = vertex ? compileShader(GL_FRAGMENT_SHADER, yuvFragmentSource) : 0;
    GLuint program = 0;
    if (vertex && fragment) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) {
            glDeleteProgram(program);
            program = 0;
        }
    }
    if (vertex)
        glDeleteShader(vertex);
    if (fragment)
        glDeleteShader(fragment);
    drainGLErrors();
    return program;
}

} // namespace

bool GLDrawer::ensureYuvTarget()
{
    if (yuvFbo)
        return true;
    if (!yuvProgram)
        yuvProgram = buildYuvProgram();
    if (!yuvProgram) {
        qWarning("GLDrawer: no YUV program; frames are read back as they are painted");
        return false;
    }
    glGenTextures(1, &yuvTexture);
    glBindTexture(GL_TEXTURE_2D, yuvTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, frameW, frameH * 3 / 2, 0, GL_RED, GL_UNSIGNED_BYTE,
                 nullptr);
    glGenFramebuffers(1, &yuvFbo);
    glBindFramebuffer(GL_FRAMEBUFFER, yuvFbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, yuvTexture, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, offscreen->framebuffer());
    if (!complete || glGetError() != GL_NO_ERROR) {
        qWarning("GLDrawer: no %dx%d YUV target", frameW, frameH * 3 / 2);
        releaseYuvTarget();
        return false;
    }
    glUseProgram(yuvProgram);
    glUniform1i(glGetUniformLocation(yuvProgram, "frame"), 0);
    glUseProgram(0);
    return true;
}

void GLDrawer::releaseYuvTarget()
{
    if (yuvFbo) {
        glDeleteFramebuffers(1, &yuvFbo);
        yuvFbo = 0;
    }
    if (yuvTexture) {
        glDeleteTextures(1, &yuvTexture);
        yuvTexture = 0;
    }
    if (yuvProgram) {
        glDeleteProgram(yuvProgram);
        yuvProgram = 0;
    }
}

bool GLDrawer::grabFrameYuv420(const YuvRows &rows, uint8_t *destination)
{
    if (!destination || frameW <= 0 || frameW % 2 != 0 || frameH % 2 != 0 || !isOffscreen()
        || yuvUnavailable)
        return false;
    if (!makeDrawerCurrent())
        return false;
    const std::unique_ptr<GLDrawer, void (*)(GLDrawer *)> current(
        this, [](GLDrawer *drawer) { drawer->doneDrawerCurrent(); });
    if (!resourcesReady || offscreen->framebufferSize() != QSize(frameW, frameH))
        return false;
    drainGLErrors();
    if (!ensureYuvTarget()) {
        yuvUnavailable = true;
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    paintFrame(QRect(0, 0, frameW, frameH));
    paintNs = clock.nsecsElapsed();

    // Y fills the first frameHeight rows of the target; U and V lie side by side above it.
    const int chromaW = frameW / 2;
    const int chromaH = frameH / 2;
    struct Plane
    {
        QRect place;
        const float *row;
        size_t offset;
    };
    const size_t lumaSize = size_t(frameW) * frameH;
    const Plane planes[3] = {{QRect(0, 0, frameW, frameH), rows.y, 0},
                             {QRect(0, frameH, chromaW, chromaH), rows.u, lumaSize},
                             {QRect(chromaW, frameH, chromaW, chromaH), rows.v, lumaSize * 5 / 4}};
    glBindFramebuffer(GL_FRAMEBUFFER, yuvFbo);
    glDisable(GL_BLEND);
    glUseProgram(yuvProgram);
    glBindTexture(GL_TEXTURE_2D, offscreen->colorTexture());
    for (const Plane &plane : planes) {
        glViewport(plane.place.x(), plane.place.y(), plane.place.width(), plane.place.height());
        glUniform2i(glGetUniformLocation(yuvProgram, "origin"), plane.place.x(), plane.place.y());
        glUniform1i(glGetUniformLocation(yuvProgram, "chroma"), plane.row != rows.y);
        glUniform4fv(glGetUniformLocation(yuvProgram, "row"), 1, plane.row);
        glBegin(GL_TRIANGLES);
        for (const auto &corner :
             {std::array<float, 2> {-1, -1}, {-1, 1}, {1, 1}, {-1, -1}, {1, 1}, {1, -1}})
            glVertex2f(corner[0], corner[1]);
        glEnd();
    }
    glUseProgram(0);
    glFinish();
    convertNs = clock.nsecsElapsed() - paintNs;

    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    for (const Plane &plane : planes)
        glReadPixels(plane.place.x(), plane.place.y(), plane.place.width(), plane.place.height(),
                     GL_RED, GL_UNSIGNED_BYTE, destination + plane.offset);
    const GLenum error = glGetError();
    readBackNs = clock.nsecsElapsed() - paintNs - convertNs;
    glBindFramebuffer(GL_FRAMEBUFFER, offscreen->framebuffer());
    glEnable(GL_BLEND);
    if (error != GL_NO_ERROR) {
        qWarning("GLDrawer::grabFrameYuv420: read-back failed (0x%x)", error);
        return false;
    }
    return true;
}

bool GLDrawer::ensureGrabTarget()
{
    if (grabFbo)
        return true;
    glGenFramebuffers(1, &grabFbo);
    glBindFramebuffer(GL_FRAMEBUFFER, grabFbo);
    glGenRenderbuffers(1, &grabColor);
    glBindRenderbuffer(GL_RENDERBUFFER, grabColor);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, frameW, frameH);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, grabColor);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        qWarning("GLDrawer: no %dx%d frame buffer for read-back", frameW, frameH);
        releaseGrabTarget();
        return false;
    }
    return true;
}

void GLDrawer::releaseGrabTarget()
{
    if (grabFbo) {
        glDeleteFramebuffers(1, &grabFbo);
        grabFbo = 0;
    }
    if (grabColor) {
        glDeleteRenderbuffers(1, &grabColor);
        grabColor = 0;
    }
}

bool GLDrawer::grabFrame(unsigned format, unsigned type, void *destination)
{
    if (!destination || frameW <= 0)
        return false;
    CurrentScope scope(this);
    if (!scope || !resourcesReady)
        return false;
    drainGLErrors();
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    // The writer's drawer is frame-sized and paints straight into its own buffer; a drawer shown
    // at another size paints the frame once more into a frame-sized buffer.
    const bool direct = isOffscreen() && offscreen->framebufferSize() == QSize(frameW, frameH);
    if (!direct) {
        if (!ensureGrabTarget())
            return false;
        glBindFramebuffer(GL_FRAMEBUFFER, grabFbo);
    }
    QElapsedTimer clock;
    clock.start();
    paintFrame(QRect(0, 0, frameW, frameH));
    paintNs = clock.nsecsElapsed();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, frameW, frameH, format, type, destination);
    const GLenum error = glGetError();
    readBackNs = clock.nsecsElapsed() - paintNs;
    if (!direct)
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    if (error != GL_NO_ERROR) {
        qWarning("GLDrawer::grabFrame: read-back failed (0x%x)", error);
        return false;
    }
    return true;
}

QImage GLDrawer::grabSurface()
{
    if (!isOffscreen())
        return grabFramebuffer();
    CurrentScope scope(this);
    if (!scope || offscreen->framebufferSize().isEmpty())
        return QImage();
    const QSize surface = offscreen->framebufferSize();
    paintFrame(viewport);
    QImage image(surface, QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, surface.width(), surface.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    // GL reads the bottom row first.
    return image.mirrored(false, true);
}
