// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class ZomProfileData;

// What a created file must hold, taken from the profile it was made with and the show's length.
struct VersionExpectation
{
    int width = 0;
    int height = 0;
    double frameRate = 0.0;
    QString videoCodec; // the decoder's name: "h264", "gif", ...
    bool highProfile = false; // H.264 High
    QString audioCodec; // empty: no sound track expected
    int sampleRate = 0;
    bool colourTags = false; // the BT.709 / BT.601 description videoColourFor() gives the size
    bool indexFirst = false;
    bool loops = false; // an animated GIF that plays forever
    double seconds = 0.0;
};

// The expectation for a file made with profile from a show of frames frames.
VersionExpectation expectationFor(const ZomProfileData &profile, int frames);

// One property of a created file, as found and as expected.
struct VersionCheckItem
{
    enum class What {
        File,
        FrameSize,
        FrameRate,
        VideoCodec,
        AudioCodec,
        Colour,
        IndexFirst,
        Duration,
        Looping
    };
    What what = What::File;
    bool ok = false;
    QString found;
    QString expected;

    QString name() const; // translated
    // "Frame rate: 25 (expected 30)", translated.
    QString text() const;
};

struct VersionCheck
{
    QList<VersionCheckItem> items;

    bool ok() const;
    QList<VersionCheckItem> failures() const;
    // One line: "all checks passed" or the failed items' texts, translated.
    QString summary() const;
};

// Opens the file with the demuxers and compares what they find with the expectation. Safe on any
// thread; reads the file only.
VersionCheck checkVersion(const QString &path, const VersionExpectation &expected);

// Whether the file's top-level boxes put "moov" before "mdat"; false for files that are not of
// the QuickTime family.
bool hasIndexFirst(const QString &path);
// Whether a GIF file asks to be played forever (loop count 0 in its application extension).
bool gifLoopsForever(const QString &path);
