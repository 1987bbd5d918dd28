// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// "vellumix create [OPTIONS] PATH...": makes a video from photos and audio files without a
// window, through the same model, renderer, writers and creation job as the main window.
// Exit status: 0 made (the file's absolute path is the last line of standard output), 1 the video
// could not be made, 2 a usage error, 130 or 143 cancelled by SIGINT or SIGTERM.
int runBatchCreate(const QStringList &arguments);

// Makes the verb known to the application object's command-line handling.
void registerBatchCommands();
