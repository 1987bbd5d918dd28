// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder launcher's handling of its command line: one argument per input line.
#include "tools/avc/avcarguments.h"
#include "fuzz/fuzzsupport.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialize(argc, argv, {"-timeout=10", "-rss_limit_mb=2048", "-max_len=4096"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            args.push_back(current);
            current.clear();
        } else {
            current += char(data[i]);
        }
    }
    if (!current.empty())
        args.push_back(current);

    const std::vector<std::string> out = translateArguments(args);
    fuzz::require(!out.empty() && out.front() == "-hide_banner", "the launcher's own options");
    // Every word given, except the dropped ones, is passed on: nothing is read past the end.
    fuzz::require(out.size() <= args.size() + 5, "no invented arguments");
    return 0;
}
