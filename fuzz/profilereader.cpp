// SPDX-License-Identifier: GPL-3.0-or-later
// Profile files as the program reads them, and everything a profile's values reach on the way
// to the encoder: the output format, the command lines of a creation, their splitting into
// words and the launcher's translation of those words.
#include "creation/commandline.h"
#include "creation/outputformat.h"
#include "fuzz/fuzzsupport.h"
#include "storyboard/storyboard.h"
#include "tools/avc/avcarguments.h"
#include "zomprofile/zomprofiledata.h"
#include "zomprofile/zoprofilefilehandler.h"

#include <QDir>
#include <QFileInfo>

#include <string>
#include <vector>

namespace {

// Whether path names a file directly inside folder.
bool directlyIn(const QString &path, const QString &folder)
{
    return QFileInfo(path).absolutePath() == QDir(folder).absolutePath()
        && !QFileInfo(path).fileName().isEmpty();
}

void translate(const QString &commandLine)
{
    const QStringList words = splitCommandLine(commandLine);
    std::vector<std::string> args;
    for (qsizetype i = 1; i < words.size(); ++i)
        args.push_back(words[i].toStdString());
    const std::vector<std::string> out = translateArguments(args);
    fuzz::require(!out.empty() && out.front() == "-hide_banner", "the launcher's own options");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialize(argc, argv, {"-timeout=10", "-rss_limit_mb=2048", "-max_len=16384"});
    QDir(fuzz::scratchFolder()).mkpath(QStringLiteral("out"));
    QDir(fuzz::scratchFolder()).mkpath(QStringLiteral("temp"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::writeInput(data, size, QStringLiteral("profile"));
    const std::optional<ZoProfileTemplate> read = ZoProfileFileHandler::readTemplate(path);
    if (!read)
        return 0;
    fuzz::require(!read->values.value(QStringLiteral("/ext_name")).toString().isEmpty(),
                  "a read profile names its extension");

    ZomProfileData profile(read->id);
    for (auto it = read->values.cbegin(); it != read->values.cend(); ++it)
        profile.setValue(it.key(), it.value());
    MediaFormat format;
    formatFromProfile(profile, format);
    fuzz::require(format.width > 0 && format.width % 4 == 0 && format.height > 0
                      && format.height % 2 == 0,
                  "a frame size the writer can convert");
    fuzz::require(format.frameRate > 0.0 && format.channels > 0 && format.sampleRate > 0,
                  "positive rates and channels");

    const QString outputFolder = fuzz::scratchFolder() + QStringLiteral("/out");
    const QString tempFolder = fuzz::scratchFolder() + QStringLiteral("/temp");
    const EncoderJob job = buildEncoderJob(profile, format, outputFolder, QStringLiteral("show"),
                                           tempFolder, fuzz::scratchFolder());
    // Whatever a profile says, a creation writes only into the output and temporary folders.
    fuzz::require(directlyIn(job.outputPath(), outputFolder), "the output in the output folder");
    if (job.hasAudio()) {
        fuzz::require(directlyIn(job.videoTarget, tempFolder), "video temporary in temp");
        fuzz::require(directlyIn(job.audioTarget, tempFolder), "audio temporary in temp");
    }
    for (const QString &command :
         {job.videoCommand, job.audioCommand, job.muxCommand, job.reencodeCommand}) {
        if (!command.isEmpty())
            translate(command);
    }
    return 0;
}
