// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct AudioInfo;

// Decodes the file of a clip read by readAudioInfo once, whole, and measures it: the integrated
// loudness and true peak of the sound as it plays (in stereo). Fills the clip's measures and
// sets measured; false, leaving the clip unmeasured, when the file cannot be decoded. Slow (it
// decodes everything), so it runs where files are read, never on the GUI thread. Reentrant.
bool analyseAudio(AudioInfo &info);
