// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <GL/gl.h>

// Clears the errors GL has recorded, so that the next glGetError() speaks of what follows. A
// lost context may report errors forever, so at most a few are read.
inline void drainGLErrors()
{
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) { }
}
