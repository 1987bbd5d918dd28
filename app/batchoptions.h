// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/albumsettings.h"
#include "storyboard/showfile.h"
#include "zomprofile/zomprofiledata.h"

#include <QElapsedTimer>
#include <QStringList>

class QTextStream;
class StoryBoard;

// The command's two streams: results on standard output, its own words on standard error.
QTextStream &batchOut();
QTextStream &batchErr();

// What "vellumix create" was asked to make, its options checked.
struct CreateOptions
{
    QStringList paths;
    // The paths name one saved show, read into show.
    bool fromShow = false;
    ShowFile show;
    AlbumSettings settings;
    ZomProfileData profile;
    // Share presets, one version each; empty for one video of profile.
    QStringList presets;
    // --framing was given: it holds for every version, whatever the presets are made for.
    bool framingGiven = false;
    QStringList profileSettings; // the --set values, KEY=VALUE
    QString name;
    QString outputFolder;
    bool quiet = false;
    bool noAutoRotate = false;
    bool syncAudio = false;
    // A SubRip file of the captions beside the video.
    bool subtitleFile = false;
    // Where photos without a caption take one from: "metadata", "filename" or "none".
    QString captionSource = QStringLiteral("none");
    // The text of a title card the show starts with; empty for none.
    QString title;
    // The motion of every photo that has none of its own; Album leaves them as they are.
    MotionStyle motion = MotionStyle::Album;
};

// The progress on standard error: on a terminal a bar with the time left, redrawn in place;
// otherwise (a log file, a pipe) one plain line at every tenth, so that the log stays readable.
class ProgressBar
{
public:
    ProgressBar();
    void show(int percent);
    // Ends the bar's line, so that what follows starts on a line of its own.
    void end();

private:
    QElapsedTimer clock;
    const bool terminal;
    int last = -1;
    int lastLine = -1;
    bool shown = false;
};

// Makes one version per preset of options, one after another, checking each; prints the path of
// every file made, one a line. 0 when every version was made and passed its checks, 1 otherwise,
// 128 + the signal when cancelled.
int makeVersions(const CreateOptions &options, StoryBoard &board);
