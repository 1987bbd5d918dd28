#include "tools/avc/avcarguments.h"

#include <algorithm>
#include <cctype>

namespace {

bool endsWithNoCase(const std::string &text, const std::string &suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a))
            == std::tolower(static_cast<unsigned char>(b));
    });
}

std::string trim(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string frameRate(std::string rate)
{
    if (endsWithNoCase(rate, "fps"))
        rate.resize(rate.size() - 3);
    rate = trim(rate);
    if (rate == "23.976" || rate == "23.98")
        return "24000/1001";
    if (rate == "29.97")
        return "30000/1001";
    if (rate == "59.94")
        return "60000/1001";
    return rate;
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
