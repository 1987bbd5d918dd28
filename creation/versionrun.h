// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "creation/creationjob.h"
#include "creation/versioncheck.h"
#include "storyboard/albumsettings.h"
#include "storyboard/decodedphotos.h"
#include "zomprofile/zomprofiledata.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class StoryBoardRender;

// The share presets, the profiles made for the places people post to, in list order.
QStringList sharePresets();
// The share group's name as the profile files give it.
QString shareGroup();
// How a version frames photos: a show that chose blurred or filled framing keeps it; the default
// (black bars) gives way to the framing the profile is made for.
Framing versionFraming(const QString &profileId, Framing showFraming);
// The file name of one version: the name itself for a single version, else the name and the
// profile's identifier ("Summer-vertical").
QString versionFileName(const QString &name, const QString &profileId, int versions);
// Whether an animated GIF of this show is long enough to ask first (more than 60 s).
bool isLongForGif(int frames, double frameRate);

// Several versions of one show made in one run, one after another, each checked once it is
// written. The renderer and the story board are the caller's; each version sets the renderer's
// format and the board's framing, and the board's framing is given back at the end.
// start(), then versionStarted(), progressChanged(), versionEnded() and runEnded().
// GUI thread only.
class VersionRun : public QObject
{
    Q_OBJECT

public:
    struct Version
    {
        QString label; // shown to the user
        ZomProfileData profile;
        QString name; // the file name without extension
        Framing framing = Framing::Fit;
        bool check = true;
    };
    struct Result
    {
        bool made = false;
        QString path;
        QString failure; // why it was not made
        QStringList encoderLog;
        VersionCheck check; // empty when not checked
        bool ok() const { return made && (check.items.isEmpty() || check.ok()); }
    };

    explicit VersionRun(QObject *parent = nullptr);
    ~VersionRun() override;

    void setOutputFolder(const QString &folder) { outputFolder = folder; }
    void setCallerReportsFailures(bool on) { callerReports = on; }

    // False when there is nothing to make; a version that cannot start fails on its own.
    bool start(StoryBoardRender *renderer, const QList<Version> &versions);
    void cancel();
    bool setPaused(bool on);

    bool isFinished() const { return finished; }
    bool wasCancelled() const { return cancelled; }
    // Every version made and passing its check.
    bool succeeded() const;
    int current() const { return index; }
    int count() const { return static_cast<int>(plan.size()); }
    const QList<Version> &versions() const { return plan; }
    const QList<Result> &results() const { return outcome; }
    // The job of the version being made; null between versions and after the run.
    CreationJob *job() const { return running.get(); }
    int progress() const { return overall; }
    // The photos the versions share: each decoded once while the budget lasts.
    const DecodedPhotos &decodedPhotos() const { return photos; }

signals:
    void versionStarted(int index);
    void progressChanged(int value);
    void phaseChanged(CreationJob::Phase phase);
    void versionEnded(int index, bool ok);
    void runEnded(bool ok);

private:
    void startNext();
    void onJobEnded(bool ok);
    void onJobProgress(int value);
    void end();

    StoryBoardRender *renderer = nullptr;
    QList<Version> plan;
    QList<Result> outcome;
    // Each version's share of the whole run, by the pixels it draws: a 4K version takes longer.
    QList<double> weights;
    std::unique_ptr<CreationJob> running;
    DecodedPhotos photos;
    QString outputFolder;
    Framing showFraming = Framing::Fit;
    int index = -1;
    int overall = 0;
    bool callerReports = false;
    bool finished = false;
    bool cancelled = false;
};
