// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

#include <functional>

struct ImageInfo;

// Turns picked or dropped URLs into file paths: files pass unchanged, in order; a folder gives
// its entries matching nameFilters (any case, sorted by name ignoring case, sub-folders not
// entered). With expandFolders false the walk stops at the first folder.
QStringList expandImportPaths(const QList<QUrl> &urls, const QStringList &nameFilters,
                              bool expandFolders);

// Makes a freshly read photo ready for the strip: with autoRotate its camera orientation is
// applied; every new photo gets the next default move and zoom; the orientation is folded.
void prepareNewPhoto(ImageInfo &info, bool autoRotate);

// Reads a strip's drag payload: a row count, then that many rows, each field NUL-terminated.
// Empty when the payload is malformed, repeats a row or names one that validRow refuses.
QList<int> parseDraggedRows(const QByteArray &payload, const std::function<bool(int)> &validRow);
