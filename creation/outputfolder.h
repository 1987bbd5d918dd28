// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The output folder and file name rules shared by the output settings and preferences dialogs.

// The folder to show for a stored "OutputPath": the stored folder when it names an existing
// folder, else the desktop's movies folder (even when it is still to be made), else the documents
// folder; with native separators.
QString outputFolderOrDefault(const QString &stored);
// The desktop's movies folder (~/Videos), which may not exist yet; empty when there is none.
QString defaultMoviesFolder();
// Makes the movies folder when folder names it and it is missing: the folder offered to a new
// user is made on first use, while a folder typed by hand must be there.
void makeMoviesFolderIfOffered(const QString &folder);
// The movies folder, or the documents folder when there is none; with native separators.
QString defaultOutputFolder();

// Whether name can be an output file name: not empty and free of * : < > ? / @ |.
bool isOutputNameValid(const QString &name);

// Whether ext can end an output file's name: letters and digits only, so that the file stays in
// the output folder whatever a profile says.
bool isOutputExtensionValid(const QString &ext);

// Creates start when it does not exist, then asks for a folder starting there. Returns the chosen
// folder with native separators, or an empty string when the user cancels.
QString browseForOutputFolder(QWidget *parent, const QString &start);
