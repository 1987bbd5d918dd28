// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

// Reading a HEIF file's boxes and HEVC parameter sets straight from its bytes, for what libheif
// does not say: pure functions, each safe on damaged or hostile input.

// Whether the primary picture of a HEIF file's bytes carries a turn or mirror property, found by
// walking the container's boxes: meta / pitm, iprp / ipco, ipma. Damaged boxes count as none.
bool heifPrimaryIsTransformed(const QByteArray &bytes);

// The output size every grid image of the file declares, width and height each at their
// largest; an empty size when there is no grid, an enormous one for a grid that cannot be read.
QSize largestGrid(const QByteArray &bytes);

// The largest picture any HEVC decoder configuration ('hvcC' property) of the file declares;
// an empty size when there is none, an enormous one for an unreadable parameter set.
QSize largestCodedPicture(const QByteArray &bytes);
