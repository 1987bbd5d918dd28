// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/filetypes.h"
#include "zofc/zoaffinity.h"

#include <QStringList>

class ZoMainWindow;

// On the first start, switches on the automatic update check (every day) and records that the
// first start has run.
void runFirstStart(ZoMainWindow *window);
