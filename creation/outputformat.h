#pragma once

class ZomProfileData;
struct MediaFormat;

// Sets the output format from a profile's "s" (frame size), "r" (frame rate), "ac" (channels)
// and "ar" (sample rate). A value containing "ignore" or "auto" does not count: the size is then
// 640 x 480 and the others keep their values. The width is rounded down to a multiple of 4 and
// the height to an even number; aspect becomes width / height; bitsPerSample is kept. A value
// that counts but is not usable (no two sizes, a rate or count that is not positive) is treated
// as one that does not count.
void formatFromProfile(const ZomProfileData &profile, MediaFormat &format);
