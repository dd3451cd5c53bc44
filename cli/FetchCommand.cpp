#include "FetchCommand.h"

#include "CliCommands.h"
#include "Errors.h"
#include "PageBatch.h"
#include "PageReport.h"
#include "TNMHTTP.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

struct FetchOptions
{
    std::string url;
    std::string pageFile = "output1.htm";
    std::string headerFile = "Head.txt";
    std::optional<int> replyTimeOutMs;
    std::optional<int> maxTimeMs;
};

// Seconds as milliseconds: a number from 0 (no limit) to a day, fractions allowed.
std::optional<int> timeOutMs(const std::string& text)
{
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds < 0 || seconds > 86400)
        return std::nullopt;
    // A time that rounds to no milliseconds would mean no limit at all.
    return std::max(seconds > 0 ? 1 : 0, static_cast<int>(std::lround(seconds * 1000)));
}

// Nothing when the arguments are not a URL and known options.
std::optional<FetchOptions> parseOptions(const std::vector<std::string>& args)
{
    FetchOptions options;
    bool haveUrl = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-o" || arg == "--head" || arg == "--timeout" || arg == "--max-time";
        if (takesValue) {
            if (i + 1 == args.size() || args[i + 1].empty())
                return std::nullopt;
            const std::string& value = args[++i];
            if (arg == "-o")
                options.pageFile = value;
            else if (arg == "--head")
                options.headerFile = value;
            else if (!((arg == "--timeout" ? options.replyTimeOutMs : options.maxTimeMs) = timeOutMs(value)))
                return std::nullopt;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return std::nullopt;
        } else if (haveUrl) {
            return std::nullopt;
        } else {
            options.url = arg;
            haveUrl = true;
        }
    }
    if (!haveUrl)
        return std::nullopt;
    return options;
}

// The client keeps file names of at most 255 bytes; a longer one would be cut
// and name another file.
void checkFileName(const std::string& name)
{
    if (name.size() > ShortString::maxLength)
        throw EFileError("File name too long: " + name);
}

} // namespace

// Fetches the page into output1.htm (header into Head.txt) in the current
// directory, or into the files named by -o and --head, then reports it as
// `read` would. Each file is replaced as a whole, and the page only by a
// fetch that succeeded.
int runFetchCommand(const std::vector<std::string>& args)
{
    const std::optional<FetchOptions> options = parseOptions(args);
    if (!options)
        return commandUsageError(*findCliCommand("fetch"));
    try {
        checkFileName(options->pageFile);
        checkFileName(options->headerFile);
        TNMHTTP http;
        http.FileName = options->pageFile;
        http.HeaderName = options->headerFile;
        if (options->replyTimeOutMs)
            http.ReplyTimeOut = *options->replyTimeOutMs;
        if (options->maxTimeMs)
            http.MaxTime = *options->maxTimeMs;
        http.Get(options->url);
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", failureText(error).c_str());
        return 1;
    }
    return reportPageFile(options->pageFile);
}
