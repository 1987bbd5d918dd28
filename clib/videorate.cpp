// SPDX-License-Identifier: GPL-3.0-or-later
#include "clib/videorate.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

extern "C" {
#include <libavutil/parseutils.h>
}

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The text's first word with a trailing "fps" taken off.
std::string rateWord(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    std::string word(text.substr(0, text.find_first_of(" \t")));
    if (word.size() >= 3) {
        std::string tail = word.substr(word.size() - 3);
        for (char &c : tail)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (tail == "fps")
            word.resize(word.size() - 3);
    }
    return word;
}

} // namespace

VideoRate readVideoRate(std::string_view text)
{
    const std::string word = rateWord(text);
    // av_parse_video_rate evaluates expressions; a rate is a number, one fraction of two, or an
    // abbreviation such as "ntsc" or "film".
    const auto slash = word.find('/');
    const bool number = word.find_first_not_of("0123456789./") == std::string::npos
        && std::count(word.begin(), word.end(), '/') <= 1;
    const bool name = word.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
    if (word.empty() || !(number || name))
        return {};
    if (slash != std::string::npos && std::atof(word.c_str() + slash + 1) < 1.0)
        return {};
    AVRational rate {0, 1};
    if (av_parse_video_rate(&rate, word.c_str()) < 0 || rate.num <= 0 || rate.den <= 0)
        return {};
    const bool decimal = slash == std::string::npos && word.find('.') != std::string::npos;
    if (decimal && rate.den != 1) {
        // Two decimals hold n * 1000 / 1001 to within 0.005 frames/s.
        const double value = double(rate.num) / rate.den;
        const double whole = std::round(value * 1.001);
        if (whole >= 1.0 && whole < 1000.0 && std::fabs(value - whole * 1000.0 / 1001.0) < 0.0051)
            return {int(whole) * 1000, 1001};
    }
    return {rate.num, rate.den};
}
