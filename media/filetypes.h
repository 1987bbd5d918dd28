// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Process-wide lists of importable file types (name patterns such as "*.jpg"), filled once by
// initFileTypeLists() at start-up; the strips and the import commands read them.
extern QStringList photoPatterns;
extern QStringList audioPatterns;
// Per-type filters of the open-file dialogs.
extern const QString photoTypeFilters;
extern const QString audioTypeFilters;

void initFileTypeLists();

// The open-file dialog's filter: all supported patterns in one entry (the one selected when the
// dialog opens), then the per-type entries, then all files.
QString openFileFilter(const QStringList &patterns, const QString &typeFilters);

// Why a file that could not be imported was refused, in words for the user ("empty", "no
// permission to read it", ...), read from the file as it is now.
QString unreadableFileReason(const QString &path, bool isPhoto);
// One line per file: its path and the reason it was refused.
QString unreadableFileList(const QStringList &paths, bool isPhoto);
