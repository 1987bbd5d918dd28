// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchcreate.h"

#include "app/batchmusic.h"
#include "app/batchoptions.h"
#include "app/startup.h"
#include "audio/audioanalysis.h"
#include "audio/audiodecoder.h"
#include "audio/storyboardrender.h"
#include "creation/creationjob.h"
#include "creation/outputfolder.h"
#include "creation/outputformat.h"
#include "creation/versionrun.h"
#include "media/mediaimport.h"
#include "media/showmedia.h"
#include "storyboard/photoloader.h"
#include "storyboard/showfile.h"
#include "storyboard/storyboard.h"
#include "storyboard/titlecard.h"
#include "zofc/zoapplication.h"
#include "zofc/zomessagefilter.h"
#include "zofc/zopref.h"
#include "zomexif/photodescription.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilemanager.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <QUrl>
#include <algorithm>
#include <csignal>
#include <optional>
#include <unistd.h>

namespace {

constexpr int exitOk = 0;
constexpr int exitFailed = 1;
constexpr int exitUsage = 2;
const QString defaultProfile = QStringLiteral("mpeg4h264");
const QString defaultName = QStringLiteral("My Photo Movie");

QTextStream &err()
{
    return batchErr();
}

QTextStream &out()
{
    return batchOut();
}

int usageError(const QString &problem)
{
    err() << "vellumix create: " << problem << "\n"
          << QCoreApplication::translate("BatchCreate", "Try 'vellumix create --help'.") << "\n";
    err().flush();
    return exitUsage;
}

// Reads an integer option within [low, high]; nullopt (with the message printed) otherwise.
std::optional<int> rangedValue(const QCommandLineParser &parser, const QString &name, int fallback,
                               int low, int high)
{
    if (!parser.isSet(name))
        return fallback;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < low || value > high) {
        usageError(QCoreApplication::translate(
                       "BatchCreate", "--%1 takes a number of milliseconds from %2 to %3, not '%4'")
                       .arg(name)
                       .arg(low)
                       .arg(high)
                       .arg(parser.value(name)));
        return std::nullopt;
    }
    return value;
}

ZoProfileManager *loadedProfiles()
{
    ZoProfileManager *manager = ZoProfileManager::instance();
    if (manager->profiles().isEmpty())
        manager->loadTemplates(ZoPref::appDir() + QLatin1String("/profiles"));
    return manager;
}

void listProfiles()
{
    const ZoProfileManager *manager = loadedProfiles();
    for (const QString &id : manager->profiles()) {
        ZomProfileData data(id);
        manager->getPresetData(data);
        out() << id << '\t' << manager->profileGroup(id) << '\t' << manager->profileName(id) << '\t'
              << data.text(QStringLiteral("/ext_name")) << '\n';
    }
    out().flush();
}

void listPresets()
{
    const ZoProfileManager *manager = loadedProfiles();
    for (const QString &id : sharePresets())
        out() << id << '\t'
              << QCoreApplication::translate("ZoProfileTemplates",
                                             manager->profileName(id).toUtf8().constData())
              << '\n';
    out().flush();
}

// The presets asked for, each once, in the order given; an exit status on a usage error.
std::optional<int> readPresets(const QCommandLineParser &parser, CreateOptions &options)
{
    loadedProfiles();
    const QStringList known = sharePresets();
    for (const QString &value : parser.values(QStringLiteral("preset"))) {
        for (const QString &part : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString name = part.trimmed();
            if (!known.contains(name))
                return usageError(QCoreApplication::translate(
                                      "BatchCreate", "unknown preset '%1' (see --list-presets)")
                                      .arg(name));
            if (!options.presets.contains(name))
                options.presets.append(name);
        }
    }
    if (parser.isSet(QStringLiteral("preset")) && options.presets.isEmpty())
        return usageError(QCoreApplication::translate(
            "BatchCreate", "--preset takes a name (see --list-presets)"));
    if (!options.presets.isEmpty()) {
        for (const char *other : {"profile", "aspect"}) {
            if (parser.isSet(QLatin1String(other)))
                return usageError(QCoreApplication::translate(
                                      "BatchCreate", "--preset and --%1 exclude each other")
                                      .arg(QLatin1String(other)));
        }
    }
    return std::nullopt;
}

// Photos and audio files in the order given; a folder gives its photos, then its audio.
void readPaths(const QStringList &paths, bool noAutoRotate, StoryBoard &board,
               QStringList &unreadable)
{
    QStringList photoPaths;
    QStringList audioPaths;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const QList<QUrl> folder {QUrl::fromLocalFile(info.absoluteFilePath())};
            photoPaths += expandImportPaths(folder, photoPatterns, true);
            audioPaths += expandImportPaths(folder, audioPatterns, true);
        } else if (QDir::match(photoPatterns, info.fileName())) {
            photoPaths.append(info.absoluteFilePath());
        } else if (QDir::match(audioPatterns, info.fileName())) {
            audioPaths.append(info.absoluteFilePath());
        } else {
            unreadable.append(path);
        }
    }
    for (const QString &path : std::as_const(photoPaths)) {
        ImageInfo photo;
        photo.path = path;
        if (!QFileInfo(path).isFile() || !readPhotoInfo(photo)) {
            unreadable.append(path);
            continue;
        }
        // The strip's thumbnails are of no use here.
        photo.thumbnail = QImage();
        photo.thumbnailRotated = QImage();
        prepareNewPhoto(photo, !noAutoRotate);
        board.photos.append(photo);
    }
    for (const QString &path : std::as_const(audioPaths)) {
        AudioInfo clip;
        clip.path = path;
        if (!QFileInfo(path).isFile() || !readAudioInfo(clip)) {
            unreadable.append(path);
            continue;
        }
        analyseAudio(clip);
        board.audios.append(clip);
    }
}

} // namespace

namespace {

// Parses and checks the command line; an exit status when the command ends there (its help, the
// profile list, a usage error, a show that cannot be read).
std::optional<int> parseOptions(const QStringList &arguments, CreateOptions &options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "BatchCreate",
        "Makes a video slide show from photos and audio files, without a window.\n"
        "PATH: photo files, audio files and folders, in show order; or one saved show "
        "(.vellumix), made with its own settings, profile, folder and name, which the options "
        "given override."));
    // Not addHelpOption(): its --help-all lists the toolkit's options, which a command takes none
    // of.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("BatchCreate", "Print this help and exit."));
    parser.addOption(help);
    parser.addOptions({
        {QStringLiteral("photo-duration"),
         QCoreApplication::translate("BatchCreate",
                                     "How long each photo is held (1000-999000, default 5000)."),
         QStringLiteral("MS")},
        {QStringLiteral("transition-duration"),
         QCoreApplication::translate("BatchCreate",
                                     "Length of a transition (500-5000, default 1500)."),
         QStringLiteral("MS")},
        {QStringLiteral("no-transition"),
         QCoreApplication::translate("BatchCreate", "Cut from photo to photo.")},
        {QStringLiteral("dissolve-only"),
         QCoreApplication::translate("BatchCreate", "Use dissolves only, no wipes.")},
        {QStringLiteral("no-zoom"),
         QCoreApplication::translate("BatchCreate",
                                     "Show photos still, without moving and zooming.")},
        {QStringLiteral("loop-audio"),
         QCoreApplication::translate("BatchCreate",
                                     "Restart the audio when it ends before the show.")},
        {QStringLiteral("fade"),
         QCoreApplication::translate(
             "BatchCreate",
             "Fade the sound in over the first second and out over the last three.")},
        {QStringLiteral("crossfade"),
         QCoreApplication::translate(
             "BatchCreate",
             "Overlap each audio clip with the next by this many seconds (0-10, default 0)."),
         QStringLiteral("SECONDS")},
        {QStringLiteral("loudness"),
         QCoreApplication::translate("BatchCreate",
                                     "Even the loudness of the audio clips to -14, -16 or -23 "
                                     "LUFS, or leave it (off); default -14, or the show's."),
         QStringLiteral("LUFS")},
        {QStringLiteral("beat-cut"),
         QCoreApplication::translate(
             "BatchCreate", "Move each photo change to the nearest beat of the music playing.")},
        {QStringLiteral("sync-audio"),
         QCoreApplication::translate(
             "BatchCreate",
             "Choose the photo duration so that the show lasts as long as the audio.")},
        {QStringLiteral("motion"),
         QCoreApplication::translate(
             "BatchCreate",
             "Motion of the photos that have none of their own: auto (drift and zoom, the "
             "default) or none (still)."),
         QStringLiteral("MODE")},
        {QStringLiteral("no-auto-rotate"),
         QCoreApplication::translate("BatchCreate",
                                     "Do not turn photos as their camera orientation asks.")},
        {QStringLiteral("profile"),
         QCoreApplication::translate("BatchCreate",
                                     "Output profile (default mpeg4h264); see --list-profiles."),
         QStringLiteral("ID")},
        {QStringLiteral("set"),
         QCoreApplication::translate(
             "BatchCreate", "Override one value of the profile, e.g. s=1280x720; repeatable."),
         QStringLiteral("KEY=VALUE")},
        {QStringLiteral("aspect"),
         QCoreApplication::translate(
             "BatchCreate",
             "Shape of the frame, e.g. 16:9, 9:16 (phones), 1:1 or 4:5, at the "
             "profile's resolution (9:16 with a 1080p profile is 1080x1920)."),
         QStringLiteral("W:H")},
        {QStringLiteral("framing"),
         QCoreApplication::translate(
             "BatchCreate",
             "How photos of another shape fill the frame: fit (black bars, the "
             "default), blur (fitted over a blurred copy of the photo) or fill "
             "(cropped to the frame)."),
         QStringLiteral("MODE")},
        {QStringLiteral("preset"),
         QCoreApplication::translate(
             "BatchCreate",
             "Make the video for where it is shared, each preset a version of its own: video, "
             "video-4k, vertical, square, portrait, gif; repeatable or comma-separated. Each "
             "version is checked once written (frame size, frame rate, codecs, colour tags, "
             "index first, duration, looping); the exit status is 1 when a version could not be "
             "made or fails a check, and the path of every file made is printed all the same."),
         QStringLiteral("NAME")},
        {QStringLiteral("list-presets"),
         QCoreApplication::translate("BatchCreate", "List the presets: name and description.")},
        {QStringLiteral("list-profiles"),
         QCoreApplication::translate("BatchCreate",
                                     "List the profiles: identifier, group, name and extension.")},
        {QStringLiteral("output-dir"),
         QCoreApplication::translate(
             "BatchCreate", "Folder of the video (default: the last output folder, else Videos)."),
         QStringLiteral("DIR")},
        {QStringLiteral("name"),
         QCoreApplication::translate("BatchCreate",
                                     "File name without extension (default \"My Photo Movie\")."),
         QStringLiteral("NAME")},
        {QStringLiteral("captions"),
         QCoreApplication::translate(
             "BatchCreate",
             "Give photos without a caption one: metadata (the description the photo carries, "
             "if any), filename (its file name without extension) or none (the default)."),
         QStringLiteral("SOURCE")},
        {QStringLiteral("title"),
         QCoreApplication::translate("BatchCreate",
                                     "Start the show with a title card of TEXT on a gradient."),
         QStringLiteral("TEXT")},
        {QStringLiteral("srt"),
         QCoreApplication::translate(
             "BatchCreate",
             "Also write the captions as a SubRip file (.srt) beside the video; the video "
             "carries them as a subtitle track in any case where its format has one.")},
        {QStringLiteral("quiet"),
         QCoreApplication::translate("BatchCreate", "Print nothing but errors.")},
        {QStringLiteral("verbose"),
         QCoreApplication::translate("BatchCreate",
                                     "Also print the encoders' logs and the toolkit's messages.")},
    });
    parser.addPositionalArgument(
        QStringLiteral("PATH"),
        QCoreApplication::translate("BatchCreate", "Photos, audio files and folders, or one show."),
        QStringLiteral("PATH..."));

    if (!parser.parse(QStringList {QStringLiteral("vellumix create")} + arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        // The toolkit's usage line, in the toolkit's catalogue for the language, names the
        // program as it was started; the command is named with its verb instead.
        const QString text = parser.helpText();
        const qsizetype usageEnd = text.indexOf(QLatin1Char('\n'));
        QString usage = text.left(usageEnd);
        const QString started = QCoreApplication::arguments().value(0);
        const qsizetype at = started.isEmpty() ? -1 : usage.indexOf(started);
        if (at >= 0)
            usage.replace(at, started.size(), QStringLiteral("vellumix create"));
        out() << usage << text.mid(usageEnd);
        out().flush();
        return exitOk;
    }
    const bool quiet = parser.isSet(QStringLiteral("quiet"));
    options.quiet = quiet;
    if (quiet && parser.isSet(QStringLiteral("verbose")))
        return usageError(
            QCoreApplication::translate("BatchCreate", "--quiet and --verbose exclude each other"));
    if (quiet)
        ZoMessageFilter::setLevel(ZoMessageFilter::Level::Quiet);
    else if (parser.isSet(QStringLiteral("verbose")))
        ZoMessageFilter::setLevel(ZoMessageFilter::Level::Verbose);
    if (parser.isSet(QStringLiteral("list-profiles"))) {
        listProfiles();
        return exitOk;
    }
    if (parser.isSet(QStringLiteral("list-presets"))) {
        listPresets();
        return exitOk;
    }
    if (const std::optional<int> status = readPresets(parser, options))
        return *status;

    const QStringList paths = parser.positionalArguments();
    options.paths = paths;
    if (paths.isEmpty())
        return usageError(QCoreApplication::translate("BatchCreate", "no photo given"));
    // A saved show gives the values that the options override.
    ShowFile &show = options.show;
    const bool fromShow = std::any_of(paths.cbegin(), paths.cend(), isShowFile);
    options.fromShow = fromShow;
    if (fromShow) {
        if (paths.size() != 1)
            return usageError(
                QCoreApplication::translate("BatchCreate",
                                            "a show (.%1) is made on its own, without further "
                                            "paths")
                    .arg(QLatin1String(ShowFileSuffix)));
        ShowReadResult read = readShowFile(paths.first());
        if (!read.ok()) {
            err() << "vellumix create: " << read.error << '\n';
            err().flush();
            return exitFailed;
        }
        show = std::move(read.show);
    }

    const auto photoMs
        = rangedValue(parser, QStringLiteral("photo-duration"), show.photoDurationMs, 1000, 999000);
    if (!photoMs)
        return exitUsage;
    const auto transitionMs = rangedValue(parser, QStringLiteral("transition-duration"),
                                          show.transitionDurationMs, 500, 5000);
    if (!transitionMs)
        return exitUsage;

    const QString name = parser.isSet(QStringLiteral("name"))
        ? parser.value(QStringLiteral("name"))
        : (show.outputName.isEmpty() ? defaultName : show.outputName);
    if (!isOutputNameValid(name))
        return usageError(
            QCoreApplication::translate("BatchCreate",
                                        "'%1' cannot be a file name: it must not be empty or "
                                        "hold any of * : < > ? / @ |")
                .arg(name));

    ZoProfileManager *manager = loadedProfiles();
    const QString showProfile = zomProfileKey(show.profile.id());
    const QString profileId = parser.isSet(QStringLiteral("profile"))
        ? parser.value(QStringLiteral("profile"))
        : (showProfile.isEmpty() ? defaultProfile : showProfile);
    if (!manager->hasProfile(profileId))
        return usageError(
            QCoreApplication::translate("BatchCreate", "unknown profile '%1' (see --list-profiles)")
                .arg(profileId));
    ZomProfileData profile(manager->profileUrl(profileId));
    manager->getPresetData(profile);
    // The show's edited values belong to its own profile only.
    if (profileId == showProfile) {
        for (auto it = show.profile.values().cbegin(); it != show.profile.values().cend(); ++it)
            profile.setValue(it.key(), it.value());
    }
    options.profileSettings = parser.values(QStringLiteral("set"));
    for (const QString &setting : std::as_const(options.profileSettings)) {
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return usageError(
                QCoreApplication::translate("BatchCreate", "--set takes KEY=VALUE, not '%1'")
                    .arg(setting));
        profile.setValue(setting.left(equals).trimmed(), setting.mid(equals + 1).trimmed());
    }

    if (parser.isSet(QStringLiteral("aspect"))) {
        const FrameShape shape = parseFrameShape(parser.value(QStringLiteral("aspect")));
        if (!shape.isValid())
            return usageError(
                QCoreApplication::translate("BatchCreate",
                                            "--aspect takes a shape such as 16:9 or 9:16, not '%1'")
                    .arg(parser.value(QStringLiteral("aspect"))));
        applyFrameShape(profile, shape);
    }
    Framing framing = show.framing;
    options.framingGiven = parser.isSet(QStringLiteral("framing"));
    if (options.framingGiven) {
        const QString mode = parser.value(QStringLiteral("framing"));
        if (mode == QLatin1String("blur"))
            framing = Framing::BlurredFit;
        else if (mode == QLatin1String("fill"))
            framing = Framing::Fill;
        else if (mode != QLatin1String("fit"))
            return usageError(QCoreApplication::translate(
                                  "BatchCreate", "--framing takes fit, blur or fill, not '%1'")
                                  .arg(mode));
    }

    // The show's settings, each overridden by its option; a setting with no option comes
    // from the show as it is.
    AlbumSettings &settings = options.settings;
    settings = show.settings();
    settings.photoDurationMs = *photoMs;
    settings.transitionDurationMs = *transitionMs;
    settings.useTransition = show.useTransition && !parser.isSet(QStringLiteral("no-transition"));
    settings.dissolveOnly = show.dissolveOnly || parser.isSet(QStringLiteral("dissolve-only"));
    settings.useZoom = show.useZoom && !parser.isSet(QStringLiteral("no-zoom"));
    settings.loopAudio = show.loopAudio || parser.isSet(QStringLiteral("loop-audio"));
    settings.fadeInOut = show.fadeInOut || parser.isSet(QStringLiteral("fade"));
    settings.framing = framing;
    if (const std::optional<QString> problem = applyMusicOptions(parser, settings))
        return usageError(*problem);

    options.name = name;
    options.profile = profile;
    options.noAutoRotate = parser.isSet(QStringLiteral("no-auto-rotate"));
    options.syncAudio = parser.isSet(QStringLiteral("sync-audio"));
    options.subtitleFile = parser.isSet(QStringLiteral("srt"));
    options.title = boundedCaptionText(parser.value(QStringLiteral("title"))).trimmed();
    if (parser.isSet(QStringLiteral("captions"))) {
        options.captionSource = parser.value(QStringLiteral("captions"));
        if (!QStringList {QStringLiteral("metadata"), QStringLiteral("filename"),
                          QStringLiteral("none")}
                 .contains(options.captionSource))
            return usageError(
                QCoreApplication::translate("BatchCreate",
                                            "--captions takes metadata, filename or none, not '%1'")
                    .arg(options.captionSource));
    }
    if (parser.isSet(QStringLiteral("motion"))) {
        const QString mode = parser.value(QStringLiteral("motion"));
        if (mode == QLatin1String("auto"))
            options.motion = MotionStyle::Automatic;
        else if (mode == QLatin1String("none"))
            options.motion = MotionStyle::Still;
        else
            return usageError(
                QCoreApplication::translate("BatchCreate", "--motion takes auto or none, not '%1'")
                    .arg(mode));
    }
    options.outputFolder = parser.isSet(QStringLiteral("output-dir"))
        ? QFileInfo(parser.value(QStringLiteral("output-dir"))).absoluteFilePath()
        : !show.outputFolder.isEmpty()
        ? show.outputFolder
        : QDir::fromNativeSeparators(outputFolderOrDefault(
            ZoPref::value(QStringLiteral("OutputPath"), QString()).toString()));
    return std::nullopt;
}

// Reads the photos and clips into the board, naming what is left out; an exit status when no
// photo is left.
std::optional<int> readMedia(const CreateOptions &options, StoryBoard &board)
{
    if (photoPatterns.isEmpty())
        initFileTypeLists();

    QStringList unreadable;
    QStringList missing;
    if (options.fromShow) {
        for (ImageInfo photo : std::as_const(options.show.photos)) {
            if (photo.missing || !rereadShowPhoto(photo)) {
                missing.append(photo.path);
                continue;
            }
            photo.thumbnail = QImage();
            photo.thumbnailRotated = QImage();
            board.photos.append(photo);
        }
        board.captionStyle = options.show.captionStyle;
        for (AudioInfo clip : std::as_const(options.show.audios)) {
            if (clip.missing || !rereadShowAudio(clip))
                missing.append(clip.path);
            else
                board.audios.append(clip);
        }
    } else {
        readPaths(options.paths, options.noAutoRotate, board, unreadable);
    }
    // Named even when quiet: the video will be made without them.
    for (const QString &path : std::as_const(missing))
        err() << "vellumix create: "
              << QCoreApplication::translate("BatchCreate",
                                             "left out, missing or no longer readable: %1")
                     .arg(path)
              << '\n';
    for (const QString &path : std::as_const(unreadable))
        err() << "vellumix create: "
              << QCoreApplication::translate("BatchCreate",
                                             "left out, not a readable photo or audio file: %1")
                     .arg(path)
              << '\n';
    err().flush();
    if (board.photos.isEmpty())
        return usageError(
            QCoreApplication::translate("BatchCreate", "no readable photo among the paths given"));
    if (options.captionSource != QLatin1String("none")) {
        const bool metadata = options.captionSource == QLatin1String("metadata");
        for (ImageInfo &photo : board.photos) {
            if (photo.caption.isEmpty())
                photo.caption.text
                    = boundedCaptionText(metadata ? photoDescription(photo.path)
                                                  : QFileInfo(photo.path).completeBaseName());
        }
    }
    if (!options.title.isEmpty()) {
        ImageInfo card;
        if (!makeTitleCard(options.title, TitleCard(), titleCardFolder(), card))
            return usageError(
                QCoreApplication::translate("BatchCreate", "the title card cannot be written to %1")
                    .arg(titleCardFolder()));
        board.photos.prepend(card);
    }
    if (options.motion != MotionStyle::Album) {
        for (ImageInfo &photo : board.photos) {
            if (photo.own.motion == MotionStyle::Album)
                photo.own.motion = options.motion;
        }
    }

    return std::nullopt;
}

// Renders the board into the video, with progress, and names the file made.
int makeVideo(const CreateOptions &options, StoryBoard &board)
{
    MediaFormat format;
    formatFromProfile(options.profile, format);
    if (options.syncAudio) {
        const std::optional<SyncedDurations> synced = syncDurations(board, format.frameRate);
        if (synced) {
            applySyncedDurations(board, *synced);
        } else if (!options.quiet) {
            err() << "vellumix create: "
                  << QCoreApplication::translate(
                         "BatchCreate",
                         "the audio cannot set the photo duration (each photo would be shown "
                         "for less than 1 s or more than 999 s); keeping %1 ms")
                         .arg(options.settings.photoDurationMs)
                  << '\n';
        }
    }

    StoryBoardRender render;
    render.setFormat(format);
    render.setStoryBoard(&board);

    CreationJob job;
    job.setCallerReportsFailures(true);
    job.setOutputFolder(options.outputFolder);
    job.setSubtitleFileBeside(options.subtitleFile);
    if (!job.start(&render, options.profile, options.name)) {
        err() << "vellumix create: " << job.failureReason() << '\n';
        err().flush();
        return exitFailed;
    }

    ProgressBar bar;
    QEventLoop loop;
    int cancelledBy = 0;
    QObject::connect(&job, &CreationJob::progressChanged, &job, [&](int value) {
        // A failed job fills the bar too; that is no progress to report.
        if (!options.quiet && !(job.isFinished() && !job.succeeded()))
            bar.show(value);
    });
    QObject::connect(&job, &CreationJob::jobEnded, &loop, [&loop] { loop.quit(); });
    if (auto *app = ZoApplication::instance()) {
        app->setTerminationHandler([&job, &cancelledBy](int number) {
            if (cancelledBy == 0) {
                cancelledBy = number;
                job.cancel();
            }
        });
    }
    if (!job.isFinished())
        loop.exec();
    if (auto *app = ZoApplication::instance())
        app->setTerminationHandler(nullptr);
    bar.end();

    if (cancelledBy != 0) {
        err() << "vellumix create: " << QCoreApplication::translate("BatchCreate", "cancelled")
              << '\n';
        err().flush();
        return 128 + cancelledBy;
    }
    if (!job.succeeded()) {
        const QString why = job.failureReason();
        err() << "vellumix create: "
              << (why.isEmpty()
                      ? QCoreApplication::translate("BatchCreate", "the video could not be created")
                      : why)
              << '\n';
        // The end of the failed encoder's log, which went with the job's folder.
        for (const QString &line : job.encoderLog())
            err() << "  " << line << '\n';
        err().flush();
        return exitFailed;
    }
    if (!job.subtitleFilePath().isEmpty())
        out() << QFileInfo(job.subtitleFilePath()).absoluteFilePath() << '\n';
    const AVWriterManager &written = job.writerManager();
    if (!options.quiet && written.soundMeasured()) {
        err() << QCoreApplication::translate("BatchCreate",
                                             "Sound written: %1 LUFS, true peak %2 dBTP")
                     .arg(written.writtenLoudness(), 0, 'f', 1)
                     .arg(written.writtenTruePeak(), 0, 'f', 1)
              << '\n';
        err().flush();
    }
    out() << QFileInfo(job.outputPath()).absoluteFilePath() << '\n';
    out().flush();
    return exitOk;
}

} // namespace

int runBatchCreate(const QStringList &arguments)
{
    CreateOptions options;
    if (const std::optional<int> status = parseOptions(arguments, options))
        return *status;
    StoryBoard board;
    if (const std::optional<int> status = readMedia(options, board))
        return *status;
    board.setSettings(options.settings);
    if (!options.presets.isEmpty())
        return makeVersions(options, board);
    return makeVideo(options, board);
}

void registerBatchCommands()
{
    ZoApplication::registerCommand(
        QStringLiteral("create"),
        QCoreApplication::translate("BatchCreate",
                                    "make a video from photos and audio files "
                                    "without a window (create --help)"),
        runBatchCreate);
}
