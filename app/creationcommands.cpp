// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/vellumix.h"

#include "app/showsession.h"
#include "app/timeline.h"
#include "audio/storyboardrender.h"
#include "creation/compileprogress.h"
#include "creation/outputformat.h"
#include "creation/outputsetting.h"
#include "creation/versionprogress.h"
#include "creation/versionrun.h"
#include "preview/avplayer.h"
#include "storyboard/showfile.h"
#include "zofc/zomessagebox.h"
#include "zofc/zopowerstate.h"
#include "zofc/zopref.h"
#include "zomprofile/zoprofilemanager.h"
#include "zomprofile/zoprofiletexts.h"

#include "ui_vellumix.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

const QString afterBurnKey = QStringLiteral("AfterBurnAction");

// The chosen profile first, then each ticked preset; every one framed for its shape.
QList<VersionRun::Version> plannedVersions(const ZomProfileData &chosen, const QStringList &extra,
                                           const QString &name, const StoryBoard &board)
{
    const ZoProfileManager *manager = ZoProfileManager::instance();
    const int count = 1 + int(extra.size());
    const QString chosenId = zomProfileKey(chosen.id());
    QList<VersionRun::Version> versions;
    VersionRun::Version first;
    first.profile = chosen;
    first.label = translatedProfileText(manager->profileName(chosenId));
    first.name = versionFileName(name, chosenId, count);
    first.framing = versionFraming(chosenId, board.framing);
    first.check = sharePresets().contains(chosenId);
    versions.append(first);
    for (const QString &id : extra) {
        VersionRun::Version version;
        version.profile.setId(manager->profileUrl(id));
        manager->getPresetData(version.profile);
        version.label = translatedProfileText(manager->profileName(id));
        version.name = versionFileName(name, id, count);
        version.framing = versionFraming(id, board.framing);
        versions.append(version);
    }
    return versions;
}

} // namespace

void Vellumix::setUpCreationCommands()
{
    connect(ui->actionCreate_DVD, &QAction::triggered, this, &Vellumix::on_burn_clicked);
    for (QAction *action : {ui->actionDo_Nothing, ui->actionExit_Program, ui->actionShut_Down,
                            ui->actionHibernate, ui->actionStand_By})
        connect(action, &QAction::triggered, this, &Vellumix::on_AfterBurnAction);
}

void Vellumix::syncAfterBurnChecks()
{
    const int value = ZoPref::value(afterBurnKey, ZoPowerState::DoNothing).toInt();
    ui->actionExit_Program->setChecked(value == ZoPowerState::ExitProgram);
    ui->actionStand_By->setChecked(value == ZoPowerState::StandBy);
    ui->actionHibernate->setChecked(value == ZoPowerState::Hibernate);
    ui->actionShut_Down->setChecked(value == ZoPowerState::ShutDown);
    ui->actionDo_Nothing->setChecked(value == ZoPowerState::DoNothing);
}

void Vellumix::on_AfterBurnAction()
{
    const QObject *action = sender();
    ZoPowerState::State value = ZoPowerState::DoNothing;
    if (action == ui->actionExit_Program)
        value = ZoPowerState::ExitProgram;
    else if (action == ui->actionStand_By)
        value = ZoPowerState::StandBy;
    else if (action == ui->actionHibernate)
        value = ZoPowerState::Hibernate;
    else if (action == ui->actionShut_Down)
        value = ZoPowerState::ShutDown;
    ZoPref::setValue(afterBurnKey, static_cast<int>(value));
    syncAfterBurnChecks();
}

void Vellumix::on_burn_clicked()
{
    on_pause_clicked();
    markVanishedFiles();
    const QStringList missing = missingFiles(storyBoard.photos, storyBoard.audios);
    if (!missing.isEmpty()) {
        const bool photoLeft = std::any_of(storyBoard.photos.cbegin(), storyBoard.photos.cend(),
                                           [](const ImageInfo &photo) { return !photo.missing; });
        if (!photoLeft) {
            ZoMessageBox::alert(tr("None of the photos of this show can be found, so there is "
                                   "nothing to make a video of:")
                                    + QStringLiteral("\n\n") + pathList(missing),
                                QString(), this);
            return;
        }
        if (!ZoMessageBox::alert(tr("%n file(s) of this show could not be found and will be "
                                    "left out of the video:",
                                    nullptr, int(missing.size()))
                                     + QStringLiteral("\n\n") + pathList(missing),
                                 QString(), this, false))
            return;
    }
    OutputSetting settings(this);
    settings.setEditedValues(profileData);
    if (settings.exec() != QDialog::Accepted)
        return;
    const ZomProfileData before = profileData;
    profileData = settings.profileData();
    const QString folder = ZoPref::value(QStringLiteral("OutputPath"), QString()).toString();
    if (profileData != before || settings.outputName() != showOutputName
        || folder != showOutputFolder) {
        showOutputName = settings.outputName();
        showOutputFolder = folder;
        session->setModified();
    }
    // The video is made from a copy of the show with the files that are there; the show the
    // user edits, and the recovery copy written from it meanwhile, keep the others.
    StoryBoard made = withoutMissingFiles(storyBoard);
    render->setStoryBoard(&made);
    formatFromProfile(profileData, previewFormat);
    render->setFormat(previewFormat);
    const int frames = render->updateTiming();
    const QList<VersionRun::Version> versions
        = plannedVersions(profileData, settings.extraVersions(), settings.outputName(), made);
    const bool gif = std::any_of(versions.cbegin(), versions.cend(), [](const auto &version) {
        return version.profile.text(QStringLiteral("/ext_name")) == QLatin1String("gif");
    });
    if (gif && isLongForGif(frames, previewFormat.frameRate)
        && !ZoMessageBox::alert(tr("This show lasts more than 60 seconds. An animated GIF of it "
                                   "will be large and slow to send. Make the GIF anyway?"),
                                QString(), this, false)) {
        render->setStoryBoard(&storyBoard);
        followOutputFormat();
        return;
    }
    if (versions.size() > 1) {
        VersionProgress progress(this);
        if (progress.startVersions(render.get(), versions))
            progress.exec();
    } else {
        made.framing = versions.constFirst().framing;
        CompileProgress progress(this);
        if (progress.startCreation(render.get(), profileData, settings.outputName()))
            progress.exec();
    }
    render->setStoryBoard(&storyBoard);
    followOutputFormat();
    // Drawn again once the dialog has gone, where the preview stood.
    QTimer::singleShot(0, this, [this] {
        showPosition(ui->avPlayer->currentFrame());
        update();
    });
}

MediaFormat Vellumix::outputPreviewFormat() const
{
    MediaFormat format = previewFormat;
    const ZomProfileData chosen = OutputSetting::chosenProfile(profileData);
    if (chosen.id().isEmpty())
        return format;
    formatFromProfile(chosen, format);
    // The output's shape, rate and sound, but never more pixels than a 720p frame and at most
    // stereo: what is judged is the framing, and the preview must keep pace.
    constexpr double largestArea = 1280.0 * 720.0;
    const double area = double(format.width) * format.height;
    if (area > largestArea) {
        const double scale = std::sqrt(largestArea / area);
        format.width = std::max(4, qRound(format.width * scale / 4.0) * 4);
        format.height = std::max(2, qRound(format.height * scale / 2.0) * 2);
    }
    format.channels = std::min(format.channels, 2);
    return format;
}

void Vellumix::followOutputFormat()
{
    previewFormat = outputPreviewFormat();
    render->setFormat(previewFormat);
    AVPlayer *player = ui->avPlayer;
    const MediaFormat &shown = player->mediaFormat();
    // Opened again only for another picture or sound.
    if (shown.width != previewFormat.width || shown.height != previewFormat.height
        || shown.frameRate != previewFormat.frameRate || shown.channels != previewFormat.channels
        || shown.sampleRate != previewFormat.sampleRate) {
        // Opening sizes the player to the frame: over the window, black, until the layout next
        // placed it. It gets its place back, and lays its picture out for the new aspect (a
        // resize to the size it has would be dropped).
        const QRect place = player->geometry();
        player->open(previewFormat);
        if (player->geometry() != place) {
            player->setGeometry(place);
        } else {
            QResizeEvent relayout(player->size(), player->size());
            QCoreApplication::sendEvent(player, &relayout);
        }
    }
    const int total = render->updateTiming();
    ui->position->setRange(0, total);
    player->seek(total > 0 ? std::clamp(player->currentFrame(), 0, total - 1) : 0);
    updateProgress();
}
