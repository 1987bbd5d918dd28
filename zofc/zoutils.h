// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

class QImage;
class QLabel;
class QSize;
class QWidget;

// Small helpers shared by the windows and dialogs of the program.
namespace Zo {

// Centres a window on the screen it is on (the primary screen before it is first shown).
void moveCenter(QWidget *widget);

// The system's temporary folder, created when missing; empty when it cannot be created.
QString tempPath();

// Whether path names a folder: not empty, absolute, free of control characters and within the
// system's name-length limits. With mustExist, the folder must also exist. An existing file that is
// not a folder is never a valid folder name.
bool isFolderNameValid(const QString &path, bool mustExist);

// Whether a file can really be created in the folder (a probe file is created and removed).
bool isFolderWritable(const QString &path);

// text elided in the middle to the width of the label's contents, in the label's font.
QString labelElidedText(QLabel *label, const QString &text);

// Nine-patch scaling: the four corners are copied unscaled, the edges are stretched along their
// length and the centre in both directions. Borders that do not fit the source or the target are
// shrunk in proportion. An empty target size gives a null result.
QPixmap scaleBorderImage(const QPixmap &source, const QSize &size, int left, int top, int right,
                         int bottom);
QImage scaleBorderImage(const QImage &source, const QSize &size, int left, int top, int right,
                        int bottom);

// Blocks the calling thread for ms milliseconds.
void qSleep(long ms);

// A time as "hh:mm:ss": whole seconds, each part two digits at least; negative times count as 0.
QString timeText(double seconds);

} // namespace Zo
