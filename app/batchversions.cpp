// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchoptions.h"

#include "audio/storyboardrender.h"
#include "creation/outputformat.h"
#include "creation/versionrun.h"
#include "media/showmedia.h"
#include "storyboard/storyboard.h"
#include "zofc/zoapplication.h"
#include "zomprofile/zoprofilemanager.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The preset's values, the show's own edits of that preset, then the --set values.
ZomProfileData presetProfile(const CreateOptions &options, const QString &id)
{
    const ZoProfileManager *manager = ZoProfileManager::instance();
    ZomProfileData profile(manager->profileUrl(id));
    manager->getPresetData(profile);
    if (zomProfileKey(options.show.profile.id()) == id) {
        for (auto it = options.show.profile.values().cbegin();
             it != options.show.profile.values().cend(); ++it)
            profile.setValue(it.key(), it.value());
    }
    for (const QString &setting : options.profileSettings) {
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        profile.setValue(setting.left(equals).trimmed(), setting.mid(equals + 1).trimmed());
    }
    return profile;
}

} // namespace

int makeVersions(const CreateOptions &options, StoryBoard &board)
{
    const ZoProfileManager *manager = ZoProfileManager::instance();
    QList<VersionRun::Version> versions;
    for (const QString &id : options.presets) {
        VersionRun::Version version;
        version.profile = presetProfile(options, id);
        version.label = id;
        version.name = versionFileName(options.name, id, int(options.presets.size()));
        version.framing = options.framingGiven ? options.settings.framing
                                               : versionFraming(id, options.settings.framing);
        versions.append(version);
    }

    StoryBoardRender render;
    MediaFormat format;
    formatFromProfile(versions.constFirst().profile, format);
    if (options.syncAudio) {
        const int synced = syncPhotoDurationMs(board, format.frameRate);
        if (synced > 0)
            board.setPhotoDurationMs(synced);
    }
    render.setFormat(format);
    render.setStoryBoard(&board);
    for (const VersionRun::Version &version : std::as_const(versions)) {
        MediaFormat gif;
        formatFromProfile(version.profile, gif);
        render.setFormat(gif);
        const bool isGif
            = version.profile.text(QStringLiteral("/ext_name")) == QLatin1String("gif");
        // Nobody to ask here: the GIF is made, with a word about its size.
        if (isGif && !options.quiet && isLongForGif(render.updateTiming(), gif.frameRate))
            batchErr() << "vellumix create: "
                       << QCoreApplication::translate(
                              "BatchCreate", "the show lasts more than 60 s; its GIF will be large")
                       << '\n';
    }

    VersionRun run;
    run.setCallerReportsFailures(true);
    run.setOutputFolder(options.outputFolder);
    ProgressBar bar;
    int cancelledBy = 0;
    QObject::connect(&run, &VersionRun::versionStarted, &run, [&](int index) {
        if (options.quiet || versions.size() < 2)
            return;
        bar.end();
        batchErr() << QCoreApplication::translate("BatchCreate", "Version %1 of %2: %3")
                          .arg(index + 1)
                          .arg(versions.size())
                          .arg(QCoreApplication::translate(
                              "ZoProfileTemplates",
                              manager->profileName(versions.at(index).label).toUtf8().constData()))
                   << '\n';
        batchErr().flush();
    });
    QObject::connect(&run, &VersionRun::progressChanged, &run, [&](int value) {
        if (!options.quiet)
            bar.show(value);
    });
    QObject::connect(&run, &VersionRun::versionEnded, &run, [&](int index, bool) {
        const VersionRun::Result &result = run.results().at(index);
        if (result.made) {
            batchOut() << QFileInfo(result.path).absoluteFilePath() << '\n';
            batchOut().flush();
        }
        if (result.ok())
            return;
        bar.end();
        const QString label = versions.at(index).label;
        if (!result.made) {
            batchErr() << "vellumix create: " << label << ": "
                       << (result.failure.isEmpty() ? QCoreApplication::translate(
                               "BatchCreate", "the video could not be created")
                                                    : result.failure)
                       << '\n';
            for (const QString &line : result.encoderLog)
                batchErr() << "  " << line << '\n';
        } else {
            for (const VersionCheckItem &failed : result.check.failures())
                batchErr() << "vellumix create: " << label << ": "
                           << QCoreApplication::translate("BatchCreate", "check failed: %1")
                                  .arg(failed.text())
                           << '\n';
        }
        batchErr().flush();
    });
    QEventLoop loop;
    QObject::connect(&run, &VersionRun::runEnded, &loop, &QEventLoop::quit);
    if (auto *app = ZoApplication::instance()) {
        app->setTerminationHandler([&run, &cancelledBy](int number) {
            if (cancelledBy == 0) {
                cancelledBy = number;
                run.cancel();
            }
        });
    }
    if (run.start(&render, versions) && !run.isFinished())
        loop.exec();
    if (auto *app = ZoApplication::instance())
        app->setTerminationHandler(nullptr);
    bar.end();
    if (cancelledBy != 0) {
        batchErr() << "vellumix create: " << QCoreApplication::translate("BatchCreate", "cancelled")
                   << '\n';
        batchErr().flush();
        return 128 + cancelledBy;
    }
    return run.succeeded() ? 0 : 1;
}
