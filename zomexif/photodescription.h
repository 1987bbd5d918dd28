// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The description a photo carries of itself, for its caption: XMP dc:description, else the IPTC
// caption, else the EXIF ImageDescription, the first that holds text of its own (the placeholder
// some cameras write counts as none). Empty when there is none or the file cannot be read.
// Thread-safe.
QString photoDescription(const QString &path);
// Whether text is a camera's placeholder rather than a description.
bool isPlaceholderDescription(const QString &text);
