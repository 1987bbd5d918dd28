// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct AudioInfo;
struct ImageInfo;

// Fills the descriptive fields of a record read from a show file (size, camera fields,
// thumbnails; channels, rate, length) from its file again, keeping what the user made of it:
// a photo's orientation steps and zoom path, a clip's in- and out-points (cut back to the file's
// length when the file has become shorter). A file that is gone or no longer readable marks the
// record missing and leaves the rest as stored; false then. Any thread.
bool rereadShowPhoto(ImageInfo &info);
bool rereadShowAudio(AudioInfo &info);
