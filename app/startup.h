#pragma once

#include "zofc/zoaffinity.h"

#include <QStringList>

class ZoMainWindow;

// Process-wide lists of importable file types, filled once by the main window.
extern QStringList photoPatterns;
extern QStringList audioPatterns;
// Per-type filters of the open-file dialogs.
extern const QString photoTypeFilters;
extern const QString audioTypeFilters;

void initFileTypeLists();

// On the first start, switches on the automatic update check (every day) and records that the
// first start has run.
void runFirstStart(ZoMainWindow *window);
