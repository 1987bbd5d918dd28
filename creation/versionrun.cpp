// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/versionrun.h"

#include "audio/storyboardrender.h"
#include "creation/outputformat.h"
#include "storyboard/storyboard.h"
#include "zomprofile/zoprofilemanager.h"

#include <QTimer>
#include <algorithm>
#include <numeric>

QString shareGroup()
{
    return QStringLiteral("Share");
}

QStringList sharePresets()
{
    return ZoProfileManager::instance()->profilesInGroup(shareGroup());
}

Framing versionFraming(const QString &profileId, Framing showFraming)
{
    if (showFraming != Framing::Fit)
        return showFraming;
    const QString wanted
        = ZoProfileManager::instance()->templateTagValue(profileId, QStringLiteral("framing"));
    if (wanted == QLatin1String("blur"))
        return Framing::BlurredFit;
    if (wanted == QLatin1String("fill"))
        return Framing::Fill;
    return Framing::Fit;
}

QString versionFileName(const QString &name, const QString &profileId, int versions)
{
    return versions <= 1 ? name : name + QLatin1Char('-') + zomProfileKey(profileId);
}

bool isLongForGif(int frames, double frameRate)
{
    constexpr int longestUnasked = 60;
    return frameRate > 0.0 && frames > qRound(longestUnasked * frameRate);
}

VersionRun::VersionRun(QObject *parent)
    : QObject(parent)
{ }

VersionRun::~VersionRun()
{
    // The job removes what it made so far as it goes.
    if (running)
        running->disconnect(this);
    running.reset();
    if (renderer)
        renderer->setDecodedPhotos(nullptr);
    if (renderer && renderer->board())
        renderer->board()->framing = showFraming;
}

bool VersionRun::start(StoryBoardRender *render, const QList<Version> &versions)
{
    if (!render || !render->board() || versions.isEmpty() || index >= 0)
        return false;
    renderer = render;
    plan = versions;
    outcome = QList<Result>(plan.size());
    showFraming = renderer->board()->framing;
    weights.clear();
    QList<FrameNeed> needs;
    for (const Version &version : std::as_const(plan)) {
        MediaFormat format;
        formatFromProfile(version.profile, format);
        weights.append(double(format.width) * format.height * std::max(1.0, format.frameRate));
        needs.append({QSize(format.width, format.height), version.framing});
    }
    // Versions one after another would each decode every photo again; they share the decodes.
    photos.setFrames(needs);
    if (plan.size() > 1)
        renderer->setDecodedPhotos(&photos);
    index = -1;
    startNext();
    return true;
}

void VersionRun::startNext()
{
    running.reset();
    ++index;
    if (index >= plan.size()) {
        end();
        return;
    }
    const Version &version = plan.at(index);
    renderer->board()->framing = version.framing;
    MediaFormat format = renderer->mediaFormat();
    formatFromProfile(version.profile, format);
    renderer->setFormat(format);
    renderer->updateTiming();

    running = std::make_unique<CreationJob>();
    running->setCallerReportsFailures(callerReports);
    if (!outputFolder.isEmpty())
        running->setOutputFolder(outputFolder);
    connect(running.get(), &CreationJob::progressChanged, this, &VersionRun::onJobProgress);
    connect(running.get(), &CreationJob::phaseChanged, this, &VersionRun::phaseChanged);
    connect(running.get(), &CreationJob::jobEnded, this, &VersionRun::onJobEnded);
    emit versionStarted(index);
    onJobProgress(0);
    if (!running->start(renderer, version.profile, version.name)) {
        Result &result = outcome[index];
        result.failure = running->failureReason();
        emit versionEnded(index, false);
        // Not from inside start(): the caller hears of the run before its first version ends.
        QTimer::singleShot(0, this, &VersionRun::startNext);
    }
}

void VersionRun::onJobProgress(int value)
{
    const double total = std::accumulate(weights.cbegin(), weights.cend(), 0.0);
    const double before = std::accumulate(weights.cbegin(), weights.cbegin() + index, 0.0);
    const int next = total > 0.0
        ? static_cast<int>((before + weights.at(index) * value / 100.0) * 100.0 / total)
        : 0;
    if (next == overall)
        return;
    overall = std::clamp(next, 0, 100);
    emit progressChanged(overall);
}

void VersionRun::onJobEnded(bool ok)
{
    if (cancelled || !running)
        return;
    Result &result = outcome[index];
    result.made = ok;
    if (ok) {
        result.path = running->outputPath();
        if (plan.at(index).check)
            result.check = checkVersion(
                result.path, expectationFor(plan.at(index).profile, renderer->totalFrames()));
    } else {
        result.failure = running->failureReason();
        result.encoderLog = running->encoderLog();
    }
    emit versionEnded(index, result.ok());
    // The job is not destroyed inside its own signal.
    QTimer::singleShot(0, this, &VersionRun::startNext);
}

void VersionRun::end()
{
    renderer->setDecodedPhotos(nullptr);
    renderer->board()->framing = showFraming;
    finished = true;
    overall = 100;
    emit progressChanged(overall);
    emit runEnded(succeeded());
}

bool VersionRun::succeeded() const
{
    return finished && !cancelled
        && std::all_of(outcome.cbegin(), outcome.cend(),
                       [](const Result &result) { return result.ok(); });
}

void VersionRun::cancel()
{
    if (finished || cancelled || index < 0)
        return;
    cancelled = true;
    if (running) {
        running->disconnect(this);
        running->cancel();
    }
    renderer->setDecodedPhotos(nullptr);
    renderer->board()->framing = showFraming;
    finished = true;
    emit runEnded(false);
}

bool VersionRun::setPaused(bool on)
{
    return running ? running->setPaused(on) : false;
}
