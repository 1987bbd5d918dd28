// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The drawer's context made current for a scope, for the files of the drawer itself.

#include "storyboard/gldrawer.h"

class GLDrawer::CurrentScope
{
public:
    explicit CurrentScope(GLDrawer *drawer)
        : drawer(drawer)
        , current(drawer->makeDrawerCurrent())
    { }
    ~CurrentScope()
    {
        if (current)
            drawer->doneDrawerCurrent();
    }
    CurrentScope(const CurrentScope &) = delete;
    CurrentScope &operator=(const CurrentScope &) = delete;
    explicit operator bool() const { return current; }

private:
    GLDrawer *drawer;
    bool current;
};
