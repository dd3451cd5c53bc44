#include "PageBatch.h"

#include "Errors.h"
#include "RosterReader.h"

#include <cstdio>

ReadPage readPageFile(const std::string& path)
{
    const PageLines page = loadPageFile(path);
    ReadPage read;
    readRosterPage(page, read.team, read.matchRecord);
    read.encoding = page.encoding;
    return read;
}

std::string failureText(const std::exception& error)
{
    std::string text = error.what();
    if (const auto* fileError = dynamic_cast<const EFileError*>(&error);
        fileError && !fileError->reason().empty())
        text += ": " + fileError->reason();
    return text;
}

int runForEachPage(const std::vector<std::string>& pages,
                   const std::function<void(const std::string& page)>& work)
{
    int status = 0;
    for (const std::string& page : pages) {
        try {
            work(page);
        } catch (const std::exception& error) {
            // What went out on standard output so far comes before the report.
            std::fflush(stdout);
            const std::string prefix = pages.size() > 1 ? page + ": " : std::string();
            std::fprintf(stderr, "%s%s\n", prefix.c_str(), failureText(error).c_str());
            status = 1;
        }
    }
    return status;
}
