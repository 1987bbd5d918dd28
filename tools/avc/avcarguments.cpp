// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/avc/avcarguments.h"

#include "clib/videorate.h"

#include <algorithm>
#include <cctype>

namespace {

std::string frameRate(const std::string &text)
{
    const VideoRate rate = readVideoRate(text);
    if (!rate.isValid())
        return text;
    return rate.den == 1 ? std::to_string(rate.num)
                         : std::to_string(rate.num) + "/" + std::to_string(rate.den);
}

bool isVideoCodecOption(const std::string &option)
{
    return option == "-vcodec" || option == "-c:v" || option == "-codec:v";
}

bool usesCrf(const std::string &codec)
{
    return codec == "libx264" || codec == "libx265" || codec == "libvpx" || codec == "libvp8"
        || codec == "libvpx-vp9";
}

} // namespace

std::vector<std::string> translateArguments(const std::vector<std::string> &args)
{
    std::string videoCodec;
    bool readsStdin = false;
    bool image2 = false;
    bool copiesVideo = false;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (isVideoCodecOption(args[i])) {
            videoCodec = args[i + 1];
            copiesVideo = copiesVideo || videoCodec == "copy";
        }
        if (args[i] == "-i" && (args[i + 1] == "-" || args[i + 1].rfind("pipe:", 0) == 0))
            readsStdin = true;
        if (args[i] == "-f" && args[i + 1] == "image2")
            image2 = true;
    }

    std::vector<std::string> out;
    out.push_back("-hide_banner");
    if (!readsStdin)
        out.push_back("-nostdin");
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-@")
            continue;
        if (arg == "-metadata" && i + 3 < args.size() && args[i + 2] == "=") {
            out.push_back(arg);
            out.push_back(args[i + 1] + "=" + args[i + 3]);
            i += 3;
        } else if ((arg == "-r" || arg == "-r:v") && hasValue) {
            out.push_back(arg);
            out.push_back(frameRate(args[++i]));
        } else if (isVideoCodecOption(arg) && hasValue) {
            out.push_back(arg);
            const std::string &codec = args[++i];
            out.push_back(codec == "libvp8" ? std::string("libvpx") : codec);
        } else if (arg == "-b" && hasValue) {
            // ffmpeg takes a bare -b for the video rate too, but says so in every log.
            out.push_back("-b:v");
            out.push_back(args[++i]);
        } else if (arg == "-cbrorvbr" && hasValue) {
            ++i;
        } else if (arg == "-vbrquality" && hasValue) {
            out.push_back(usesCrf(videoCodec) ? "-crf" : "-q:v");
            out.push_back(args[++i]);
        } else if (i + 1 == args.size() && (copiesVideo || image2)) {
            if (copiesVideo)
                out.push_back("-copyinkf");
            if (image2 && arg.find('%') == std::string::npos) {
                out.push_back("-update");
                out.push_back("1");
            }
            out.push_back(arg);
        } else {
            out.push_back(arg);
        }
    }
    return out;
}
